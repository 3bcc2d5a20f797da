#include "engine/LogRecords.h"

#include "common/LogText.h"
#include "platform/dao/Database.h"
#include "platform/vb/RuntimeError.h"

namespace pager {

namespace {
constexpr const char* kSubmissionFields[] = {"Date Sent", "Time Sent", "IP Address", "User", "Browser"};

void AddSubmissionFields(const dao::Recordset& row, FieldValues& fields) {
  for (const char* name : kSubmissionFields) fields.emplace_back(name, row.Field(name));
}
}  // namespace

void AppendInOwnTransaction(dao::DBEngine& engine, dao::Recordset& table, const FieldValues& fields) {
  engine.BeginTrans();
  try {
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
                     std::shared_ptr<dao::Recordset>& rsTranLog, const FieldValues& fields) {
  if (!db) vb::Raise(vb::err::kObjectNotSet);
  rsTranLog = db->OpenRecordset("TranLog");
  try {
    AppendInOwnTransaction(engine, *rsTranLog, fields);
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

FieldValues SentRecord(const dao::Recordset& row, const std::string& head) {
  const dao::Value unit = row.Field("Unit");
  FieldValues fields{{"Sender", row.Field("Sender")},
                     {"Message", head + SentSentence(row.Field("Message"), unit)},
                     {"Paging Company", row.Field("Modem")},
                     {"Paging Unit", unit}};
  AddSubmissionFields(row, fields);
  return fields;
}

FieldValues RejectedRecord(const dao::Recordset& row, const std::string& head, const std::string& strSender,
                           const std::string& strMessage, const std::string& strUnit) {
  FieldValues fields{{"Sender", strSender},
                     {"Message", head + RejectedSentence(strMessage, strUnit)},
                     {"Paging Unit", row.Field("Unit")},
                     {"Paging Company", row.Field("Modem")}};
  AddSubmissionFields(row, fields);
  return fields;
}

FieldValues FailureRecord(const dao::Recordset& row, const std::string& head, const std::string& reason) {
  const dao::Value unit = row.Field("Unit");
  FieldValues fields{{"Sender", row.Field("Sender")},
                     {"Paging Unit", unit},
                     {"Message", head + FailedSentence(row.Field("Message"), unit, reason)},
                     {"Paging Company", row.Field("Modem")}};
  AddSubmissionFields(row, fields);
  return fields;
}

FieldValues QueueCopy(const dao::Recordset& row) {
  FieldValues fields;
  for (const char* name : {"Unit", "Message", "Modem", "Sender", "Status"}) fields.emplace_back(name, row.Field(name));
  AddSubmissionFields(row, fields);
  return fields;
}

}  // namespace pager
