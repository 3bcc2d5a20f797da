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
//      from then on is a new file for the next Start; once the aside copy has been quiet for a
//      moment (a writer that still holds it open finishes into it) it is read and parsed
//      whole, and its rows stored with the claim in one transaction, so a file's rows are
//      stored exactly once. Before either, the files of both kinds that an interrupted Start
//      had taken aside are finished, each read as a fresh file would be;
//   5. Queue rows without a modem number (written from outside) are parked in Temp, and each
//      message waiting in Temp without one gets a record in the log, once.
// Queue thus receives the rows in the order scheduled, earlier Temp rows, submissions, Other
// File. An error in one unit rolls that unit back and goes on to the caller; the units stored
// before it stay stored, and nothing is lost or taken twice.
//
// A file that cannot be read whole (an incomplete last record, a header cut short, a file that
// cannot be opened) is never dropped. At a re-cycle it is left for the next one: put back
// under its name (an aside copy stays aside), and named in WaitingInputs(); so is an input file
// that cannot be taken aside at a re-cycle (one that went before its claim is not there).
// Otherwise its complete records are stored and it is kept under a name no intake reads
// (FileClaim::KeepUnread), named in TakeNotices(); an input file (not an aside copy) whose
// rules call that an error then raises it, as before, once the other sources are in. A committed aside copy
// that cannot be deleted is named in TakeNotices() too, and neither input is claimed, nor an
// aside copy taken in, while it stands.
//
// Rows that can never be dialled (a Null Modem) do not reach Queue: a scheduled one stays in
// Scheadule, any other waits in Temp, and the log says so once in the row's life. An empty Modem is dialled. A scheduled row whose date or time cannot be
// read stays in Scheadule and is skipped. Beyond 32,767 queued rows the rest wait for a later
// cycle (QueueStore).
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/Form1.h"
#include "common/HeaderMarks.h"
#include "common/Module1.h"
#include "common/Platform.h"
#include "common/RecordReader.h"
#include "core/InputFiles.h"
#include "core/QueueRow.h"
#include "platform/vb/DateTime.h"
#include "platform/vb/RuntimeError.h"

namespace pager {

class QueueStore;
class FileClaim;

// Raised by ImportMessages when a Stop ran in the wait for a quiet file (its pump lets clicks
// and signals in): the Stop has done its work, and the Start ends without a box. What the
// intake had claimed is put back, or stays aside, as after any error.
struct IntakeStopped {};

class MessageIntake {
 public:
  MessageIntake(Form1& form, Module1& m, Platform& platform);

  // Runs the intake on the open m.dbPager and returns the number of rows in Queue afterwards
  // (every company, every status). Raises the run-time errors of the files and the database
  // (91 when no database is open); see the principles above for what an error leaves.
  // `recycling`: the re-cycle's Start, which leaves a file it cannot read whole for the next.
  // Raises IntakeStopped when the server was stopped while it waited for a file to be quiet.
  long ImportMessages(bool recycling = false);

  // What the intake has to tell the operator, each once (they are forgotten here): the files
  // kept under a name no intake reads, a committed aside copy that could not be deleted.
  std::vector<std::string> TakeNotices() { return std::exchange(notices_, {}); }
  // The input files the last intake (a re-cycle) left for the next one, by name.
  const std::vector<std::string>& WaitingInputs() const { return waiting_; }

 private:
  using FileParser = std::function<ParsedInput(RecordReader&)>;
  // One input file: where it is, whether it is to be read now, how it is parsed.
  struct Input {
    InputKind kind;
    std::string base;  // the input's path, after which its aside copies are named
    bool read = false;
    FileParser parse;
  };
  enum class TakeOutcome { kEmpty, kTaken };

  void ImportScheduled(QueueStore& store);
  void StageTemp(QueueStore& store);
  std::optional<Input> SubmissionsInput();
  std::optional<Input> OtherFileInput();
  void ClaimSubmissions(QueueStore& store, const Input& input);
  void ClaimOtherFile(QueueStore& store, const Input& input);
  // Takes `file` of `input` aside into `claim`. False when, at a re-cycle, it is gone or cannot
  // be taken aside now: it is left for the next re-cycle. Raises otherwise.
  bool Claim(std::optional<FileClaim>& claim, const Input& input, const std::string& file);
  // The aside files of `input` that an interrupted Start left (FileClaim.h), in two steps:
  // first those whose rows are stored are deleted (false when one could not be), then the
  // others are taken in as fresh files. The first step runs for both inputs before anything
  // is committed: a commit changes the header that tells whether a copy of the earlier layout
  // was committed.
  bool SettleCommittedCopies(const Input& input);
  void TakeInLeftCopies(QueueStore& store, const Input& input);
  // Reads the claimed copy once it is quiet and stores its rows (see the principles above).
  // `fresh`: the input file itself, not an aside copy left by an earlier Start.
  TakeOutcome TakeIn(QueueStore& store, FileClaim& claim, const Input& input, bool fresh);
  void WaitUntilQuiet(const std::string& path);
  void Note(const std::string& text);
  void NoteKeptUnread(const std::string& path, const std::string& kept);
  void NoteNotDeleted(const std::string& path);
  void ParkRowsWithoutCompany();
  // Appends one record for each message waiting in Temp without a modem number that has not
  // been reported yet: once in the row's life, each in a transaction of its own.
  void ReportParkedRows();
  long CountQueue();
  dao::Database& Db();

  Form1& form_;
  Module1& m_;
  Platform& platform_;
  bool recycling_ = false;
  std::vector<std::string> notices_;
  std::set<std::string> reported_;  // every notice given in this run
  std::vector<std::string> waiting_;
  std::optional<vb::RuntimeError> deferred_;  // raised once the other sources are in
  // A committed aside copy stands undeleted: no claim may be committed in this intake.
  bool copyStands_ = false;
};

// The due rule of a scheduled row: its date is readable and on or before today and,
// separately, its time of day is readable and at or before the present time. A Null or
// unreadable date or time is never due.
bool IsDue(const dao::Value& dateTo, const dao::Value& timeTo, const vb::Date& today,
           const vb::TimeOfDay& now);

}  // namespace pager
