// Failing the waiting messages of the company being called: a copy of each goes back to Temp
// for the next cycle, with a failure record in TranLog.
#include <string>

#include "common/LogText.h"
#include "core/QueueRules.h"
#include "core/Transaction.h"
#include "engine/CallEngine.h"
#include "engine/EngineState.h"
#include "engine/EngineTrap.h"
#include "engine/FailureQuery.h"
#include "engine/LogRecords.h"
#include "platform/dao/Database.h"

namespace pager {

void CallEngine::LogUnsentMessages() {
  Trapped([this] { FailWaitingMessages(); });
}

void CallEngine::FailWaitingMessages() {
  // A page the line has taken is stored as sent first, or it would be failed as waiting; one
  // still in the port is taken back, and one partly out ends with the line dropped, so that it
  // cannot go out once failed (callers that may let it finish leaving have done so already).
  EndLeavingPage(PartPage::kDropLine);
  StoreUnsettled();
  // Once per call: a chunk holding two failure answers must not queue each message twice.
  State& state = *state_;
  if (state.failedThisCall) return;
  if (!m_.dbPager) vb::Raise(vb::err::kObjectNotSet);

  // The selection is the database's (exact, case-sensitive text comparison; Nulls never
  // equal), so only the company's waiting rows are read, not the whole queue.
  auto rsAllQueue = m_.dbPager->OpenRecordset(WaitingRowsQuery(m_.strModem));
  // Rows with another Status (a scheduled "Y", say) get their failure record and leave Queue
  // with the call, but are never offered again (no copy in Temp).
  auto rsOthers = m_.dbPager->OpenRecordset(OtherStatusRowsQuery(m_.strModem));
  auto rsTemp = m_.dbPager->OpenRecordset("Temp");
  m_.rsTranLog = m_.dbPager->OpenRecordset("TranLog");
  // The company's rows are settled in one transaction: each its failure record and its removal
  // from Queue, a waiting one its copy in Temp too. One commit, so one sync of the disk, whatever
  // their number: a slow disk must not hold the handler for a sync per message. An error leaves
  // every row waiting, for a later pass or the next cycle.
  if (rsAllQueue->RecordCount() > 0 || rsOthers->RecordCount() > 0) {
    InOneTransaction(platform_.dbEngine, [&] {
      for (; rsAllQueue->RecordCount() > 0 && !rsAllQueue->Eof(); rsAllQueue->MoveNext()) {
        const QueueRow values = ReadQueueRow(*rsAllQueue);
        AddRecord(*rsTemp, QueueCopy(values));
        AddRecord(*m_.rsTranLog, FailureRecord(values, LogHead(platform_.clock), m_.strFailReason));
        rsAllQueue->Delete();
      }
      for (; rsOthers->RecordCount() > 0 && !rsOthers->Eof(); rsOthers->MoveNext()) {
        AddRecord(*m_.rsTranLog, FailureRecord(ReadQueueRow(*rsOthers), LogHead(platform_.clock), m_.strFailReason));
        m_.dbPager->Execute(kRemoveUnsentRow, {std::stoll(rsOthers->Field("id").value_or("0"))});
      }
    });
  }
  state.failedThisCall = true;
  m_.rsTranLog->Close();
  rsAllQueue->Close();
  rsOthers->Close();
  rsTemp->Close();
}

}  // namespace pager
