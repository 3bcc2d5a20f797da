// The scheduled messages of the intake: rows of Scheadule whose date and time have come.
#include "core/MessageIntake.h"
#include "core/QueueStore.h"
#include "core/Transaction.h"

namespace pager {

bool IsDue(const dao::Value& dateTo, const dao::Value& timeTo, const vb::Date& today,
           const vb::TimeOfDay& now) {
  if (!dateTo) return false;
  const auto date = vb::ParseDate(*dateTo);
  if (!date || *date > today) return false;
  // The time of day is a test of its own: a row dated yesterday is due only once today's clock
  // has reached its time.
  if (!timeTo) return false;
  const auto time = vb::ParseTime(*timeTo);
  return time && *time <= now;
}

void MessageIntake::ImportScheduled(QueueStore& store) {
  auto scheduled = Db().OpenRecordset("Select * From Scheadule");
  if (scheduled->RecordCount() > 0) {
    const vb::Date today = platform_.clock.Today();
    const vb::TimeOfDay now = platform_.clock.TimeNow();
    InOneTransaction(platform_.dbEngine, [&] {
      scheduled->MoveFirst();
      while (!scheduled->Eof()) {
        if (IsDue(scheduled->Field("DateTo"), scheduled->Field("TimeTo"), today, now)) {
          QueueRow row;
          row.unit = scheduled->Field("Unit");
          row.message = scheduled->Field("Message");
          row.modem = scheduled->Field("Modem");
          row.sender = scheduled->Field("Sender");
          row.status = scheduled->Field("Status");
          // A due row without a modem number stays where the scheduler can correct it.
          if (HasCompany(row.modem) && store.HasRoom()) {
            store.AppendToQueue(row, false);
            scheduled->Delete();
          }
        }
        scheduled->MoveNext();
      }
    });
  }
  scheduled->Close();
}

}  // namespace pager
