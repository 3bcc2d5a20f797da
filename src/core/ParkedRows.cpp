// Messages without a modem number: they wait in Temp, where an operator can see them, and the
// message log says so once.
#include <string>

#include "common/LogText.h"
#include "core/CompanyQuery.h"
#include "core/MessageIntake.h"
#include "core/QueueRules.h"
#include "core/QueueStore.h"
#include "core/Transaction.h"
#include "platform/dao/Database.h"

namespace pager {

namespace {
// Parked rows not yet reported: a reported row carries the server's mark (QueueRules.h), kept
// in the file, so that each row gets its record once in its life, whatever the restarts.
constexpr const char* kUnreportedParkedRows = "Select id, * From Temp Where Modem Is Null And id > 0 Order By id";
constexpr const char* kNoNumberReason = "has no modem number. The message waits in Temp.";
}  // namespace

// Rows that an outside writer put straight into Queue without a modem number would head the
// company list (Null sorts first) and could never be dialled; they wait in Temp instead.
void MessageIntake::ParkRowsWithoutCompany() {
  auto companies = Db().OpenRecordset(kCompanyListQuery);
  bool parkingNeeded = false;
  if (companies->RecordCount() > 0) {
    companies->MoveFirst();
    parkingNeeded = !HasCompany(companies->Field("Modem"));
  }
  companies->Close();
  if (!parkingNeeded) return;

  auto queue = Db().OpenRecordset("Queue");
  auto temp = Db().OpenRecordset("Temp");
  InOneTransaction(platform_.dbEngine, [&] {
    queue->MoveFirst();
    while (!queue->Eof()) {
      if (!HasCompany(queue->Field("Modem"))) {
        const QueueRow row = ReadQueueRow(*queue);
        temp->AddNew();
        SetQueueFields(*temp, row);
        temp->Update();
        queue->Delete();
      }
      queue->MoveNext();
    }
  });
  temp->Close();
  queue->Close();
}

void MessageIntake::ReportParkedRows() {
  auto parked = Db().OpenRecordset(kUnreportedParkedRows);
  std::vector<std::pair<std::int64_t, QueueRow>> unreported;
  for (; parked->RecordCount() > 0 && !parked->Eof(); parked->MoveNext()) {
    unreported.emplace_back(std::stoll(parked->Field("id").value_or("0")), ReadQueueRow(*parked));
  }
  parked->Close();
  if (unreported.empty()) return;
  auto log = Db().OpenRecordset("TranLog");
  // Each record in a transaction of its own, with the row's mark that it is reported.
  for (const auto& [id, row] : unreported) {
    InOneTransaction(platform_.dbEngine, [&] {
      log->AddNew();
      log->SetField("Sender", row.sender);
      log->SetField("Paging Unit", row.unit);
      log->SetField("Message", LogHead(platform_.clock) + FailedSentence(row.message, row.unit, kNoNumberReason));
      log->SetField("Date Sent", row.dateSent);
      log->SetField("Time Sent", row.timeSent);
      log->SetField("IP Address", row.ipAddress);
      log->SetField("User", row.user);
      log->SetField("Browser", row.browser);
      log->Update();
      Db().Execute(kMarkParkedRowReported, {id});
    });
  }
  log->Close();
}

}  // namespace pager
