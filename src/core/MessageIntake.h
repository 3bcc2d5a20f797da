// The message intake that every Start runs: due scheduled rows, the submissions file and the
// Other File go into Queue, together with the messages waiting in Temp.
//
// Principles of operation. Each source is stored as one unit in a transaction of its own:
//   1. due Scheadule rows are copied into Queue and deleted from Scheadule;
//   2. the rows waiting in Temp (failed in an earlier cycle, or written by the web side) are
//      moved into Queue;
//   3. the submissions file (Intranet mode on, not an ASP web server) and
//   4. the Other File (own.cfg names it, MyOwn.dat exists and its lookup flag is on)
//      are each taken aside first (FileClaim), so that what a writer adds under the old name
//      from then on is a new file for the next Start; the aside copy is then read and parsed
//      whole, and its rows stored with the claim in one transaction, so a file's rows are
//      stored exactly once. Before each, a file of its kind that an interrupted Start had
//      taken aside is finished;
//   5. Queue rows without a modem number (written from outside) are parked in Temp, and each
//      message waiting in Temp without one gets a record in the log, once.
// Queue thus receives the rows in the order scheduled, earlier Temp rows, submissions, Other
// File. An error in one unit rolls that unit back and goes on to the caller; the units stored
// before it stay stored, and nothing is lost or taken twice.
//
// Rows that can never be dialled (a Null Modem) do not reach Queue: a scheduled one stays in
// Scheadule, any other waits in Temp, and the log says so once in the row's life. An empty Modem is dialled. A scheduled row whose date or time cannot be
// read stays in Scheadule and is skipped. Beyond 32,767 queued rows the rest wait for a later
// cycle (QueueStore).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/Form1.h"
#include "common/HeaderMarks.h"
#include "common/Module1.h"
#include "common/Platform.h"
#include "common/RecordReader.h"
#include "core/QueueRow.h"
#include "platform/vb/DateTime.h"

namespace pager {

class QueueStore;
class FileClaim;

class MessageIntake {
 public:
  MessageIntake(Form1& form, Module1& m, Platform& platform);

  // Runs the intake on the open m.dbPager and returns the number of rows in Queue afterwards
  // (every company, every status). Raises the run-time errors of the files and the database
  // (91 when no database is open); see the principles above for what an error leaves.
  long ImportMessages();

 private:
  void ImportScheduled(QueueStore& store);
  void StageTemp(QueueStore& store);
  void ImportSubmissions(QueueStore& store);
  void ImportOtherFile(QueueStore& store);
  using FileParser = std::function<std::vector<QueueRow>(RecordReader&)>;
  // Takes in the aside files of `base` that an interrupted Start left (FileClaim.h): deletes
  // those whose rows are stored, stores the rows of the others.
  void FinishTakenFiles(QueueStore& store, InputKind kind, const std::string& base, const FileParser& parse);
  void StoreClaimedRows(QueueStore& store, FileClaim& claim, const FileParser& parse);
  void ParkRowsWithoutCompany();
  // Appends one record for each message waiting in Temp without a modem number that has not
  // been reported yet: once in the row's life, each in a transaction of its own.
  void ReportParkedRows();
  long CountQueue();
  dao::Database& Db();

  Form1& form_;
  Module1& m_;
  Platform& platform_;
};

// The due rule of a scheduled row: its date is readable and on or before today and,
// separately, its time of day is readable and at or before the present time. A Null or
// unreadable date or time is never due.
bool IsDue(const dao::Value& dateTo, const dao::Value& timeTo, const vb::Date& today,
           const vb::TimeOfDay& now);

}  // namespace pager
