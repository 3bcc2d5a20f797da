#include "core/QueueStore.h"

namespace pager {

QueueStore::QueueStore(dao::Database& db) : db_(db), queue_(db.OpenRecordset("Queue")) {
  if (queue_->RecordCount() > 0) {
    queue_->MoveLast();
    queued_ = queue_->RecordCount();
  }
}

void SetQueueFields(dao::Recordset& rs, const QueueRow& row) {
  rs.SetField("Unit", row.unit);
  rs.SetField("Message", row.message);
  rs.SetField("Modem", row.modem);
  rs.SetField("Sender", row.sender);
  rs.SetField("Status", row.status);
  rs.SetField("Date Sent", row.dateSent);
  rs.SetField("Time Sent", row.timeSent);
  rs.SetField("IP Address", row.ipAddress);
  rs.SetField("User", row.user);
  rs.SetField("Browser", row.browser);
}

void QueueStore::AppendToQueue(const QueueRow& row, bool staged) {
  queue_->AddNew();
  if (staged) {
    SetQueueFields(*queue_, row);
    if (!row.user) queue_->SetField("User", std::string());
  } else {
    queue_->SetField("Unit", row.unit);
    queue_->SetField("Message", row.message);
    queue_->SetField("Modem", row.modem);
    queue_->SetField("Sender", row.sender);
    queue_->SetField("Status", row.status);
  }
  queue_->Update();
  ++queued_;
}

void QueueStore::AppendToTemp(const QueueRow& row) {
  if (!temp_) temp_ = db_.OpenRecordset("Temp");
  temp_->AddNew();
  SetQueueFields(*temp_, row);
  temp_->Update();
}

bool QueueStore::Route(const QueueRow& row) {
  if (HasCompany(row.modem) && HasRoom()) {
    AppendToQueue(row, true);
    return true;
  }
  AppendToTemp(row);
  return false;
}

void QueueStore::Close() {
  if (temp_) temp_->Close();
  queue_->Close();
}

}  // namespace pager
