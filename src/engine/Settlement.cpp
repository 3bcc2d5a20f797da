// Settling a page the terminal took, and the end-of-cycle removal of what the cycle dealt with.
#include "common/HeaderMarks.h"
#include "core/QueueRules.h"
#include "core/Transaction.h"
#include "engine/CallEngine.h"
#include "engine/EngineState.h"
#include "engine/LogRecords.h"
#include "platform/dao/Database.h"
#include "platform/vb/RuntimeError.h"

namespace pager {

namespace {
dao::Database& OpenDatabase(const std::shared_ptr<dao::Database>& db) {
  if (!db || !db->IsOpen()) vb::Raise(vb::err::kObjectNotSet);
  return *db;
}
}  // namespace

void CallEngine::SettleSent(std::int64_t row, FieldValues record) {
  state_->unsettled.push_back({row, std::move(record)});
  SettlePending();
}

void CallEngine::SettlePending() {
  auto& pages = state_->unsettled;
  while (!pages.empty()) {
    dao::Database& db = OpenDatabase(m_.dbPager);
    const State::SentPage& page = pages.front();
    m_.rsTranLog = db.OpenRecordset("TranLog");
    try {
      InOneTransaction(platform_.dbEngine, [&] {
        db.Execute(kMarkRowSent, {page.row});
        SetSentRowsMayWait(db, true);
        AddRecord(*m_.rsTranLog, page.record);
      });
    } catch (...) {
      CloseQuietly(m_.rsTranLog);
      throw;
    }
    m_.rsTranLog->Close();
    pages.erase(pages.begin());
  }
}

bool CallEngine::HasUnsettledPages() const { return !state_->unsettled.empty(); }

void CallEngine::RemoveRowsOfCompleteCycle() {
  dao::Database& db = OpenDatabase(m_.dbPager);
  InOneTransaction(platform_.dbEngine, [&] {
    db.Execute(kRemoveRowsNotWaiting);
    for (const std::int64_t row : state_->refusedRows) db.Execute(kRemoveRefusedRow, {row});
    SetSentRowsMayWait(db, false);
  });
  state_->refusedRows.clear();
}

}  // namespace pager
