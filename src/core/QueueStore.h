// Where the intake puts each message: into Queue when it can be called this cycle, else into
// Temp, where it waits (visible to an operator) for a later Start.
//
// What callers may rely on:
//  - The queue never grows beyond kMaxQueued rows through the store: the pending counter is a
//    16-bit number, so a backlog beyond it waits in Temp (or in Scheadule) for later cycles
//    instead of making every Start fail.
//  - A row reaching Queue from the staging table or an input file gets "" for a Null User; a
//    scheduled row gets exactly its five fields (User stays Null).
//  - Errors are the database's, raised as they come; the caller's transaction undoes them.
#pragma once

#include <memory>

#include "core/QueueRow.h"
#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"

namespace pager {

class QueueStore {
 public:
  static constexpr long kMaxQueued = 32767;

  // Opens the whole Queue table and counts its rows.
  explicit QueueStore(dao::Database& db);

  long Queued() const { return queued_; }
  bool HasRoom() const { return queued_ < kMaxQueued; }

  // Appends the row to Queue. `staged` rows carry all ten fields (a Null User written as "");
  // scheduled rows only Unit, Message, Modem, Sender and Status.
  void AppendToQueue(const QueueRow& row, bool staged);
  // Appends the row to Temp with all ten fields unchanged.
  void AppendToTemp(const QueueRow& row);
  // Queue when the row names a company and the queue has room, else Temp. True when queued.
  bool Route(const QueueRow& row);

  void Close();

 private:
  dao::Database& db_;
  std::shared_ptr<dao::Recordset> queue_;
  std::shared_ptr<dao::Recordset> temp_;  // opened on first use
  long queued_ = 0;
};

// Sets the ten fields of a row being added (a Null stays Null).
void SetQueueFields(dao::Recordset& rs, const QueueRow& row);

}  // namespace pager
