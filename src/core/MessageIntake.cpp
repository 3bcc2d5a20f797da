#include "core/MessageIntake.h"

#include "core/CompanyQuery.h"
#include "core/QueueStore.h"
#include "core/Transaction.h"
#include "platform/vb/RuntimeError.h"

namespace pager {

MessageIntake::MessageIntake(Form1& form, Module1& m, Platform& platform)
    : form_(form), m_(m), platform_(platform) {}

dao::Database& MessageIntake::Db() {
  if (!m_.dbPager) vb::Raise(vb::err::kObjectNotSet);
  return *m_.dbPager;
}

long MessageIntake::ImportMessages() {
  QueueStore store(Db());
  ImportScheduled(store);
  StageTemp(store);
  ImportSubmissions(store);
  ImportOtherFile(store);
  store.Close();
  ParkRowsWithoutCompany();
  ReportParkedRows();
  return CountQueue();
}

void MessageIntake::StageTemp(QueueStore& store) {
  auto temp = Db().OpenRecordset("Temp");
  if (temp->RecordCount() > 0) {
    InOneTransaction(platform_.dbEngine, [&] {
      temp->MoveFirst();
      while (!temp->Eof()) {
        const QueueRow row = ReadQueueRow(*temp);
        if (HasCompany(row.modem) && store.HasRoom()) {
          store.AppendToQueue(row, true);
          temp->Delete();
        }
        temp->MoveNext();
      }
    });
  }
  temp->Close();
}

long MessageIntake::CountQueue() {
  auto queue = Db().OpenRecordset("Queue");
  long count = 0;
  if (queue->RecordCount() > 0) {
    queue->MoveLast();
    count = queue->RecordCount();
  }
  queue->Close();
  return count;
}

}  // namespace pager
