// One message as the Queue and Temp tables hold it, and the test whether it can be delivered.
#pragma once

#include <string>
#include <vector>

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
  static const std::vector<std::string> kNames{"Unit",      "Message",    "Modem", "Sender", "Status",
                                               "Date Sent", "Time Sent", "IP Address", "User", "Browser"};
  std::vector<dao::Value> v = rs.Fields(kNames);
  return QueueRow{std::move(v[0]), std::move(v[1]), std::move(v[2]), std::move(v[3]), std::move(v[4]),
                  std::move(v[5]), std::move(v[6]), std::move(v[7]), std::move(v[8]), std::move(v[9])};
}

}  // namespace pager
