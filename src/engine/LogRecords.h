// The records the engine appends: log records in TranLog and copies of failed messages in
// Temp, each written in a transaction of its own.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/QueueRow.h"
#include "platform/dao/DBEngine.h"
#include "platform/dao/Recordset.h"
#include "platform/dao/Value.h"

namespace pager {

// Field names and values, in the order they are set.
using FieldValues = std::vector<std::pair<const char*, dao::Value>>;

// Builds the fields of a record. Called inside the record's transaction, so that the reads of
// the row it is made from share the transaction's lock instead of taking one each.
using RecordBuilder = std::function<FieldValues()>;

// Adds one record to `table`: AddNew, the fields set in order, Update. On failure the pending
// record is dropped and the error passed on.
void AddRecord(dao::Recordset& table, const FieldValues& fields);

// Appends one record to `table` in a transaction of its own: BeginTrans, the fields built,
// AddNew, the fields set in order, Update, CommitTrans. On any failure the pending record is
// dropped, the transaction is rolled back (nothing of the record stays) and the error is
// passed on.
void AppendInOwnTransaction(dao::DBEngine& engine, dao::Recordset& table, const RecordBuilder& build);

// Opens TranLog on the database, appends one record in its own transaction and closes it again,
// keeping the recordset in `rsTranLog` meanwhile (closed also when the append fails).
void AppendLogRecord(dao::DBEngine& engine, const std::shared_ptr<dao::Database>& db,
                     std::shared_ptr<dao::Recordset>& rsTranLog, const RecordBuilder& build);

// Rolls back a transaction that a failure left open; does nothing without one; never throws.
void RollbackQuietly(dao::DBEngine& engine);

// Closes the recordset when there is one and it is open; never throws.
void CloseQuietly(const std::shared_ptr<dao::Recordset>& rs);

// A message sent: Sender, Message (head + sentence), Paging Company, Paging Unit, Date Sent,
// Time Sent, IP Address, User, Browser.
FieldValues SentRecord(const QueueRow& row, const std::string& head);

// A page in words, for the operator: "unit <Unit> of paging company <Modem>: <Message>".
std::string PageDescription(const QueueRow& row);

// A unit the terminal refused: Sender (strSender), Message (head + sentence from strMessage and
// strUnit), then Paging Unit, Paging Company, Date Sent, Time Sent, IP Address, User, Browser
// from the row.
FieldValues RejectedRecord(const QueueRow& row, const std::string& head, const std::string& strSender,
                           const std::string& strMessage, const std::string& strUnit);

// A message failed with the call: Sender, Paging Unit, Message (head + sentence with the
// reason), Paging Company, Date Sent, Time Sent, IP Address, User, Browser.
FieldValues FailureRecord(const QueueRow& row, const std::string& head, const std::string& reason);

// An unchanged copy of a Queue row for Temp: the ten fields of a queued message.
FieldValues QueueCopy(const QueueRow& row);

}  // namespace pager
