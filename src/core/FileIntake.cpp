// The two input files of the intake: the submissions file and the Other File.
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "common/FileTests.h"
#include "common/LogText.h"
#include "common/RecordReader.h"
#include "common/SettingsFiles.h"
#include "core/FileClaim.h"
#include "core/InputFiles.h"
#include "core/MessageIntake.h"
#include "core/QueueStore.h"
#include "core/Transaction.h"
#include "platform/vb/RuntimeError.h"

namespace pager {

namespace {

// A copy is read once its size and time of change have stood still for kQuietMs, or after
// kMaxQuietWaitMs whatever it does.
constexpr std::int64_t kQuietMs = 500;
constexpr std::int64_t kMaxQuietWaitMs = 3000;

// What tells that a file changed: its size and its time of last change (0 when it is gone).
struct Stamp {
  long long size = -1;
  long long changedNs = 0;
  bool operator==(const Stamp&) const = default;
};

Stamp StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {static_cast<long long>(info.st_size),
          static_cast<long long>(info.st_mtim.tv_sec) * 1'000'000'000LL + info.st_mtim.tv_nsec};
}

// The time of day by the file system's clock, as a stamp's time counts it.
long long FileClockNowNs() {
  struct timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

std::string NameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// The one text item of a path setting (internet.cfg, own.cfg).
std::string ReadPathSetting(const std::string& path) {
  RecordReader reader(path);
  return reader.ReadText();
}

}  // namespace

std::optional<MessageIntake::Input> MessageIntake::SubmissionsInput() {
  const std::string& folder = platform_.programFolder;
  const bool reading = !m_.blnASP && form_.imgInternet.Visible;
  const auto config = FindByName(folder, kInternetCfgUpper);
  if (!config) return std::nullopt;
  std::string strFile;
  if (reading) {
    strFile = ReadPathSetting(*config);
  } else {
    // Only to look for a file taken aside: a setting that cannot be read is no error here.
    try {
      strFile = ReadPathSetting(*config);
    } catch (const vb::RuntimeError&) {
      return std::nullopt;
    }
  }
  // A submissions file that an interrupted Start took aside was already handed to the server:
  // it is taken in first, whatever the modes say now.
  return Input{InputKind::kSubmissions, FindPathByName(strFile, kFeedbackTxtUpper).value_or(strFile), reading,
               [this](RecordReader& reader) { return ParseSubmissions(reader, m_.blnSecurity); }};
}

std::optional<MessageIntake::Input> MessageIntake::OtherFileInput() {
  std::string strOtherPath;
  if (const auto config = FindByName(platform_.programFolder, kOwnCfgUpper)) {
    strOtherPath = ReadPathSetting(*config);
  }
  // Without own.cfg the path is empty, which names no file: there is no Other File.
  if (strOtherPath.empty()) return std::nullopt;
  const std::string ownPath = platform_.PathOf(kMyOwnDat);
  const bool otherFileThere = FileExists(strOtherPath);
  if ((!otherFileThere && FindTakenFiles(strOtherPath).empty()) || !FileExists(ownPath)) return std::nullopt;

  {
    // Every Start that gets here refreshes the own paging system settings.
    RecordReader own(ownPath);
    m_.strMyCompany = own.ReadText();
    m_.strMyModem = own.ReadText();
    m_.intOtherFile = own.ReadInteger();
  }
  // An Other File taken aside by an interrupted Start is taken in first, whatever the flag.
  return Input{InputKind::kOtherFile, strOtherPath, m_.intOtherFile != 0 && otherFileThere,
               [this](RecordReader& reader) { return ParseOtherFile(reader, m_.strMyModem); }};
}

void MessageIntake::ClaimSubmissions(QueueStore& store, const Input& input) {
  while (true) {
    const auto file = FindPathByName(input.base, kFeedbackTxtUpper);
    if (!file) return;
    std::optional<FileClaim> claim;
    if (!Claim(claim, input, *file)) return;
    // An empty file holds nothing; the tests run again in case a new one has been written.
    if (TakeIn(store, *claim, input, true) == TakeOutcome::kTaken) return;
  }
}

void MessageIntake::ClaimOtherFile(QueueStore& store, const Input& input) {
  std::optional<FileClaim> claim;
  if (Claim(claim, input, input.base)) TakeIn(store, *claim, input, true);
}

bool MessageIntake::Claim(std::optional<FileClaim>& claim, const Input& input, const std::string& file) {
  dao::Database& db = Db();
  try {
    claim.emplace(db, input.kind, file, file);
    return true;
  } catch (const vb::RuntimeError& e) {
    // At a re-cycle a file that went since it was seen (a writer replacing it), or that cannot
    // be taken aside now, is left for the next re-cycle, as a file not read whole is; the
    // operator's Start reports it.
    const int number = e.Number();
    const bool fileError = number == vb::err::kFileNotFound || number == vb::err::kPathFileAccessError ||
                           number == vb::err::kDeviceIOError;
    if (!recycling_ || !fileError) throw;
    if (number != vb::err::kFileNotFound) waiting_.push_back(NameOf(file));
    return false;
  }
}

bool MessageIntake::SettleCommittedCopies(const Input& input) {
  // False once a committed copy stays under its aside name: no new claim may change the
  // committed number while it does.
  bool free = true;
  for (const TakenFile& taken : FindTakenFiles(input.base)) {
    if (!ClaimCommitted(Db(), input.kind, taken)) continue;
    // Its rows are stored; only its delete was missed. What it holds after them (a record cut
    // short) is kept.
    bool whole = false;
    try {
      RecordReader reader(taken.path);
      whole = input.parse(reader).whole;
    } catch (const vb::RuntimeError&) {
    }
    if (!whole) {
      const std::string kept = KeepUnread(taken.path);
      NoteKeptUnread(taken.path, kept);
      free = free && !kept.empty();
    } else if (!RemoveTakenFile(taken)) {
      NoteNotDeleted(taken.path);
      free = false;
    }
  }
  return free;
}

void MessageIntake::TakeInLeftCopies(QueueStore& store, const Input& input) {
  for (const TakenFile& taken : FindTakenFiles(input.base)) {
    if (copyStands_) return;
    if (ClaimCommitted(Db(), input.kind, taken)) continue;  // one that could not be settled
    if (taken.number > kMaxClaimNumber) {
      // A copy of the earlier header layout is claimed anew under a number of this one, so
      // that its commit can be recorded.
      try {
        FileClaim claim(Db(), input.kind, taken.path, TakenFrom(taken.path));
        TakeIn(store, claim, input, false);
      } catch (const vb::RuntimeError&) {
        // Left as it is, for the next Start.
      }
      continue;
    }
    FileClaim claim(input.kind, taken);
    TakeIn(store, claim, input, false);
  }
}

void MessageIntake::WaitUntilQuiet(const std::string& path) {
  Stamp last = StampOf(path);
  // A file not changed for a moment already is quiet: no wait.
  if (last.size >= 0 && FileClockNowNs() - last.changedNs >= kQuietMs * 1'000'000) return;
  for (std::int64_t waited = 0; waited < kMaxQuietWaitMs; waited += kQuietMs) {
    platform_.loop.Wait(kQuietMs);
    // The wait lets clicks and signals in: a Stop there has ended the server's work, and closed
    // the database, and the Start goes no further.
    if (m_.strServerState != "RUNNING") throw IntakeStopped{};
    const Stamp now = StampOf(path);
    if (now == last) return;
    last = now;
  }
}

// Reads the claimed file's aside copy whole once it is quiet, then stores the rows of its
// complete records and records the claim in one transaction; once that is on the disk the aside
// copy goes (FileClaim), or is kept unread when it was not read whole or has changed since. A
// failure of the transaction stores none of its rows; the claim then puts the file back when it
// can, and otherwise the next Start takes the aside copy in. A copy not read whole at a
// re-cycle is left for the next one (MessageIntake.h).
MessageIntake::TakeOutcome MessageIntake::TakeIn(QueueStore& store, FileClaim& claim, const Input& input, bool fresh) {
  const std::string& path = claim.AsidePath();
  WaitUntilQuiet(path);
  const Stamp read = StampOf(path);
  if (read.size == 0) {
    // Nothing in it: nothing to store, and no claim to record. A delete that fails leaves an
    // empty copy, which the next Start meets the same way.
    claim.Release();
    return TakeOutcome::kEmpty;
  }
  ParsedInput parsed;
  std::optional<vb::RuntimeError> error;
  try {
    RecordReader reader(path);
    parsed = input.parse(reader);
  } catch (const vb::RuntimeError& e) {
    error = e;
  }
  const bool whole = !error && parsed.whole;
  if (!whole && recycling_) {
    // A writer may not have finished it: the next re-cycle tries again. An input file goes
    // back under its name (the claim's end), an aside copy stays aside.
    waiting_.push_back(NameOf(TakenFrom(path)));
    return TakeOutcome::kTaken;
  }
  if (!error) {
    InOneTransaction(platform_.dbEngine, [&] {
      claim.RecordIn(Db());
      for (const QueueRow& row : parsed.rows) store.Route(row);
    });
  }
  if (whole && StampOf(path) == read) {
    if (!claim.Release()) {
      NoteNotDeleted(path);
      copyStands_ = true;
    }
  } else {
    // Not read whole, or written to since it was read: what it holds beyond its stored rows
    // is kept where no intake reads it. One that stays aside with its claim committed
    // stands like a copy not deleted.
    const std::string kept = claim.KeepUnread();
    NoteKeptUnread(path, kept);
    if (kept.empty() && !error) copyStands_ = true;
  }
  if (fresh && !deferred_ && error) deferred_ = *error;
  if (fresh && !deferred_ && parsed.incompleteIsError) {
    deferred_ = vb::RuntimeError(vb::err::kInputPastEndOfFile, vb::DescriptionOf(vb::err::kInputPastEndOfFile));
  }
  return TakeOutcome::kTaken;
}

void MessageIntake::Note(const std::string& text) {
  // Once in the program's run: a copy that cannot be deleted is met again at every re-cycle.
  if (!reported_.insert(text).second) return;
  notices_.push_back(text);
  // The message log says it too, where the operator looks for what became of a message; a log
  // that refuses the record (another program holds the file) leaves it to the box.
  std::shared_ptr<dao::Recordset> log;
  try {
    log = Db().OpenRecordset("TranLog");
    InOneTransaction(platform_.dbEngine, [&] {
      log->AddNew();
      log->SetField("Message", LogHead(platform_.clock) + text);
      log->Update();
    });
  } catch (const vb::RuntimeError&) {
  }
  if (log) vb::ResumeNext([&] { log->Close(); });
}

void MessageIntake::NoteKeptUnread(const std::string& path, const std::string& kept) {
  if (kept.empty()) {
    Note(path + " could not be read whole, nor renamed; it is left as it is.");
  } else {
    Note(path + " could not be read whole. Its complete messages are queued; the file is kept as " + kept +
         " and not read again.");
  }
}

void MessageIntake::NoteNotDeleted(const std::string& path) {
  Note(path + " could not be deleted; its messages are queued. No input file is read until it is deleted.");
}

}  // namespace pager
