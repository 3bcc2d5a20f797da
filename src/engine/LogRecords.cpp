#include "engine/LogRecords.h"

#include "common/LogText.h"
#include "platform/dao/Database.h"
#include "platform/vb/RuntimeError.h"

namespace pager {

namespace {
// The submission's own data, copied unchanged into every record made from a queued message.
void AddSubmissionFields(const QueueRowValues& row, FieldValues& fields) {
  fields.emplace_back("Date Sent", row.dateSent);
  fields.emplace_back("Time Sent", row.timeSent);
  fields.emplace_back("IP Address", row.ipAddress);
  fields.emplace_back("User", row.user);
  fields.emplace_back("Browser", row.browser);
}
}  // namespace

void AppendInOwnTransaction(dao::DBEngine& engine, dao::Recordset& table, const RecordBuilder& build) {
  engine.BeginTrans();
  try {
    const FieldValues fields = build();
    table.AddNew();
    for (const auto& [name, value] : fields) table.SetField(name, value);
    table.Update();
    engine.CommitTrans();
  } catch (...) {
    try {
      table.CancelUpdate();
    } catch (const vb::RuntimeError&) {
    }
    RollbackQuietly(engine);
    throw;
  }
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

QueueRowValues ReadQueueRow(const dao::Recordset& row) {
  return {row.Field("Unit"),      row.Field("Message"),   row.Field("Modem"),      row.Field("Sender"),
          row.Field("Status"),    row.Field("Date Sent"), row.Field("Time Sent"),  row.Field("IP Address"),
          row.Field("User"),      row.Field("Browser")};
}

FieldValues SentRecord(const QueueRowValues& row, const std::string& head) {
  FieldValues fields{{"Sender", row.sender},
                     {"Message", head + SentSentence(row.message, row.unit)},
                     {"Paging Company", row.modem},
                     {"Paging Unit", row.unit}};
  AddSubmissionFields(row, fields);
  return fields;
}

FieldValues RejectedRecord(const QueueRowValues& row, const std::string& head, const std::string& strSender,
                           const std::string& strMessage, const std::string& strUnit) {
  FieldValues fields{{"Sender", strSender},
                     {"Message", head + RejectedSentence(strMessage, strUnit)},
                     {"Paging Unit", row.unit},
                     {"Paging Company", row.modem}};
  AddSubmissionFields(row, fields);
  return fields;
}

FieldValues FailureRecord(const QueueRowValues& row, const std::string& head, const std::string& reason) {
  FieldValues fields{{"Sender", row.sender},
                     {"Paging Unit", row.unit},
                     {"Message", head + FailedSentence(row.message, row.unit, reason)},
                     {"Paging Company", row.modem}};
  AddSubmissionFields(row, fields);
  return fields;
}

FieldValues QueueCopy(const QueueRowValues& row) {
  FieldValues fields{{"Unit", row.unit},
                     {"Message", row.message},
                     {"Modem", row.modem},
                     {"Sender", row.sender},
                     {"Status", row.status}};
  AddSubmissionFields(row, fields);
  return fields;
}

}  // namespace pager
