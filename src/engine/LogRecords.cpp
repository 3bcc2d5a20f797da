#include "engine/LogRecords.h"

#include "common/LogText.h"
#include "core/Transaction.h"
#include "platform/dao/Database.h"
#include "platform/vb/RuntimeError.h"

namespace pager {

namespace {
// The submission's own data, copied unchanged into every record made from a queued message.
void AddSubmissionFields(const QueueRow& row, FieldValues& fields) {
  fields.emplace_back("Date Sent", row.dateSent);
  fields.emplace_back("Time Sent", row.timeSent);
  fields.emplace_back("IP Address", row.ipAddress);
  fields.emplace_back("User", row.user);
  fields.emplace_back("Browser", row.browser);
}
}  // namespace

void AddRecord(dao::Recordset& table, const FieldValues& fields) {
  try {
    table.AddNew();
    for (const auto& [name, value] : fields) table.SetField(name, value);
    table.Update();
  } catch (...) {
    try {
      table.CancelUpdate();
    } catch (const vb::RuntimeError&) {
    }
    throw;
  }
}

void AppendInOwnTransaction(dao::DBEngine& engine, dao::Recordset& table, const RecordBuilder& build) {
  InOneTransaction(engine, [&] { AddRecord(table, build()); });
}

void AppendLogRecord(dao::DBEngine& engine, const std::shared_ptr<dao::Database>& db,
                     std::shared_ptr<dao::Recordset>& rsTranLog, const RecordBuilder& build) {
  if (!db) vb::Raise(vb::err::kObjectNotSet);
  rsTranLog = db->OpenRecordset("TranLog");
  try {
    AppendInOwnTransaction(engine, *rsTranLog, build);
  } catch (...) {
    CloseQuietly(rsTranLog);
    throw;
  }
  rsTranLog->Close();
}

void RollbackQuietly(dao::DBEngine& engine) {
  try {
    if (engine.Workspaces(0).InTransaction()) engine.Rollback();
  } catch (const vb::RuntimeError&) {
  }
}

void CloseQuietly(const std::shared_ptr<dao::Recordset>& rs) {
  try {
    if (rs && rs->IsOpen()) rs->Close();
  } catch (const vb::RuntimeError&) {
  }
}

FieldValues SentRecord(const QueueRow& row, const std::string& head) {
  FieldValues fields{{"Sender", row.sender},
                     {"Message", head + SentSentence(row.message, row.unit)},
                     {"Paging Company", row.modem},
                     {"Paging Unit", row.unit}};
  AddSubmissionFields(row, fields);
  return fields;
}

std::string PageDescription(const QueueRow& row) {
  return "unit " + row.unit.value_or("") + " of paging company " + row.modem.value_or("") + ": " +
         row.message.value_or("");
}

FieldValues RejectedRecord(const QueueRow& row, const std::string& head, const std::string& strSender,
                           const std::string& strMessage, const std::string& strUnit) {
  FieldValues fields{{"Sender", strSender},
                     {"Message", head + RejectedSentence(strMessage, strUnit)},
                     {"Paging Unit", row.unit},
                     {"Paging Company", row.modem}};
  AddSubmissionFields(row, fields);
  return fields;
}

FieldValues FailureRecord(const QueueRow& row, const std::string& head, const std::string& reason) {
  FieldValues fields{{"Sender", row.sender},
                     {"Paging Unit", row.unit},
                     {"Message", head + FailedSentence(row.message, row.unit, reason)},
                     {"Paging Company", row.modem}};
  AddSubmissionFields(row, fields);
  return fields;
}

FieldValues QueueCopy(const QueueRow& row) {
  FieldValues fields{{"Unit", row.unit},
                     {"Message", row.message},
                     {"Modem", row.modem},
                     {"Sender", row.sender},
                     {"Status", row.status}};
  AddSubmissionFields(row, fields);
  return fields;
}

}  // namespace pager
