// Settling a page the terminal took, and the end-of-cycle removal of what the cycle dealt with.
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

void CallEngine::SettlePending() {
  // Start, Stop, the orderly end and the pause: a page partly out may finish leaving.
  EndLeavingPage(PartPage::kLetItLeave);
  StoreUnsettled();
}

void CallEngine::StoreUnsettled() {
  auto& pages = state_->unsettled;
  while (!pages.empty()) {
    dao::Database& db = OpenDatabase(m_.dbPager);
    const State::SentPage& page = pages.front();
    m_.rsTranLog = db.OpenRecordset("TranLog");
    try {
      InOneTransaction(platform_.dbEngine, [&] {
        db.Execute(kMarkRowSent, {page.row});
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

std::vector<std::string> CallEngine::UnsettledPages() const {
  std::vector<std::string> pages;
  for (const State::SentPage& page : state_->unsettled) pages.push_back(page.description);
  return pages;
}

void CallEngine::RemoveRowsOfCompleteCycle() {
  dao::Database& db = OpenDatabase(m_.dbPager);
  InOneTransaction(platform_.dbEngine, [&] {
    // The rows sent in this cycle (a Start removed those of any earlier one), and the refused.
    db.Execute(kRemoveSentRows);
    for (const std::int64_t row : state_->refusedRows) db.Execute(kRemoveRefusedRow, {row});
  });
  state_->refusedRows.clear();
}

}  // namespace pager
