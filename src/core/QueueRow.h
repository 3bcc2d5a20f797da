// One message as the Queue and Temp tables hold it, and the test whether it can be delivered.
#pragma once

#include "platform/dao/Recordset.h"
#include "platform/dao/Value.h"

namespace pager {

struct QueueRow {
  dao::Value unit;
  dao::Value message;
  dao::Value modem;  // the paging company's modem number
  dao::Value sender;
  dao::Value status;
  dao::Value dateSent;
  dao::Value timeSent;
  dao::Value ipAddress;
  dao::Value user;
  dao::Value browser;
};

// A row names a company to call when its Modem holds a number. An empty number is dialled too
// (the dial line is then the prefix and suffix alone, and its failure is logged); a Null one
// cannot be dialled at all, so such a row is kept out of the company list: it waits in Temp or
// Scheadule, where an operator can see and correct it.
inline bool HasCompany(const dao::Value& modem) { return modem.has_value(); }

// The ten fields of the current row of a Queue or Temp recordset.
inline QueueRow ReadQueueRow(const dao::Recordset& rs) {
  return QueueRow{rs.Field("Unit"),     rs.Field("Message"),   rs.Field("Modem"),
                  rs.Field("Sender"),   rs.Field("Status"),    rs.Field("Date Sent"),
                  rs.Field("Time Sent"), rs.Field("IP Address"), rs.Field("User"),
                  rs.Field("Browser")};
}

}  // namespace pager
