// Failing the waiting messages of the company being called: a copy of each goes back to Temp
// for the next cycle, with a failure record in TranLog.
#include <string>

#include "common/LogText.h"
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
  // Once per call: a chunk holding two failure answers must not queue each message twice.
  State& state = *state_;
  if (state.failedThisCall) return;
  if (!m_.dbPager) vb::Raise(vb::err::kObjectNotSet);

  // The selection is the database's (exact, case-sensitive text comparison; Nulls never
  // equal), so only the company's waiting rows are read, not the whole queue.
  auto rsAllQueue = m_.dbPager->OpenRecordset(WaitingRowsQuery(m_.strModem));
  auto rsTemp = m_.dbPager->OpenRecordset("Temp");
  m_.rsTranLog = m_.dbPager->OpenRecordset("TranLog");
  if (rsAllQueue->RecordCount() <= 0) {
    rsAllQueue->Close();
    rsTemp->Close();
    CloseQuietly(m_.rsTranLog);
    state.failedThisCall = true;
    return;
  }
  // Rows that an earlier, interrupted pass of this call has already handled are skipped, so a
  // retry after an error writes each copy and each record once.
  int row = 0;
  for (rsAllQueue->MoveFirst(); !rsAllQueue->Eof(); rsAllQueue->MoveNext(), ++row) {
    if (row < state.failedRows) continue;
    QueueRowValues values;
    if (state.copiedCurrent) {
      values = ReadQueueRow(*rsAllQueue);
    } else {
      AppendInOwnTransaction(platform_.dbEngine, *rsTemp, [&] {
        values = ReadQueueRow(*rsAllQueue);
        return QueueCopy(values);
      });
      state.copiedCurrent = true;
    }
    AppendInOwnTransaction(platform_.dbEngine, *m_.rsTranLog,
                           [&] { return FailureRecord(values, LogHead(platform_.clock), m_.strFailReason); });
    state.copiedCurrent = false;
    state.failedRows = row + 1;
  }
  state.failedThisCall = true;
  m_.rsTranLog->Close();
  rsAllQueue->Close();
  rsTemp->Close();

  // At the end of the company list the queue is emptied here too.
  if (m_.rsCompanies && m_.rsCompanies->IsOpen() && m_.rsCompanies->Eof()) {
    m_.dbPager->Execute("Delete Queue.* From Queue");
  }
}

}  // namespace pager
