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

long MessageIntake::ImportMessages(bool recycling) {
  recycling_ = recycling;
  // Notices not shown yet (a Start that met a locked database) wait for the next Start's box.
  waiting_.clear();
  deferred_.reset();
  QueueStore store(Db());
  ImportScheduled(store);
  StageTemp(store);
  const auto submissions = SubmissionsInput();
  const auto otherFile = OtherFileInput();
  // The aside copies of both inputs are finished before either is claimed anew.
  bool free = true;
  if (submissions) free = SettleCommittedCopies(*submissions) && free;
  if (otherFile) free = SettleCommittedCopies(*otherFile) && free;
  // Nothing is committed while a committed copy stands: its number must stay the committed one.
  // A copy taken in below that cannot be deleted stands so too, from then on.
  copyStands_ = !free;
  if (!copyStands_ && submissions) TakeInLeftCopies(store, *submissions);
  if (!copyStands_ && otherFile) TakeInLeftCopies(store, *otherFile);
  if (!copyStands_ && submissions && submissions->read) ClaimSubmissions(store, *submissions);
  if (!copyStands_ && otherFile && otherFile->read) ClaimOtherFile(store, *otherFile);
  store.Close();
  ParkRowsWithoutCompany();
  ReportParkedRows();
  // The error of an input file that could not be read whole, once the other sources are in.
  if (deferred_) throw *std::exchange(deferred_, std::nullopt);
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
