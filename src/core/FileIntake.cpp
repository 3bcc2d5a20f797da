// The two input files of the intake: the submissions file and the Other File.
#include <filesystem>
#include <system_error>

#include "common/FileTests.h"
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

bool IsEmptyFile(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return !error && size == 0;
}

// The one text item of a path setting (internet.cfg, own.cfg).
std::string ReadPathSetting(const std::string& path) {
  RecordReader reader(path);
  return reader.ReadText();
}

}  // namespace

void MessageIntake::ImportSubmissions(QueueStore& store) {
  const std::string& folder = platform_.programFolder;
  const bool reading = !m_.blnASP && form_.imgInternet.Visible;
  const auto config = FindByName(folder, kInternetCfgUpper);
  if (!config) return;
  std::string strFile;
  if (reading) {
    strFile = ReadPathSetting(*config);
  } else {
    // Only to look for a file taken aside: a setting that cannot be read is no error here.
    try {
      strFile = ReadPathSetting(*config);
    } catch (const vb::RuntimeError&) {
      return;
    }
  }
  const FileParser parse = [&](RecordReader& reader) { return ParseSubmissions(reader, m_.blnSecurity); };
  // A submissions file that an interrupted Start took aside was already handed to the server:
  // it is taken in first, whatever the modes say now.
  FinishTakenFiles(store, InputKind::kSubmissions, FindPathByName(strFile, kFeedbackTxtUpper).value_or(strFile),
                   parse);
  while (reading) {
    const auto file = FindPathByName(strFile, kFeedbackTxtUpper);
    if (!file) return;
    FileClaim claim(Db(), InputKind::kSubmissions, *file, *file);
    if (IsEmptyFile(claim.AsidePath())) {
      // An empty file holds nothing; the tests run again in case a new one has been written.
      claim.Release();
      continue;
    }
    StoreClaimedRows(store, claim, parse);
    return;
  }
}

void MessageIntake::ImportOtherFile(QueueStore& store) {
  std::string strOtherPath;
  if (const auto config = FindByName(platform_.programFolder, kOwnCfgUpper)) {
    strOtherPath = ReadPathSetting(*config);
  }
  // Without own.cfg the path is empty, which names no file: there is no Other File.
  if (strOtherPath.empty()) return;
  const std::string ownPath = platform_.PathOf(kMyOwnDat);
  const bool otherFileThere = FileExists(strOtherPath);
  const auto taken = FindTakenFiles(strOtherPath);
  if ((!otherFileThere && taken.empty()) || !FileExists(ownPath)) return;

  {
    // Every Start that gets here refreshes the own paging system settings.
    RecordReader own(ownPath);
    m_.strMyCompany = own.ReadText();
    m_.strMyModem = own.ReadText();
    m_.intOtherFile = own.ReadInteger();
  }
  const FileParser parse = [&](RecordReader& reader) { return ParseOtherFile(reader, m_.strMyModem); };
  // An Other File taken aside by an interrupted Start is taken in first, whatever the flag.
  FinishTakenFiles(store, InputKind::kOtherFile, strOtherPath, parse);
  if (m_.intOtherFile == 0 || !otherFileThere) return;

  FileClaim claim(Db(), InputKind::kOtherFile, strOtherPath, strOtherPath);
  StoreClaimedRows(store, claim, parse);
}

void MessageIntake::FinishTakenFiles(QueueStore& store, InputKind kind, const std::string& base,
                                     const FileParser& parse) {
  for (const TakenFile& taken : FindTakenFiles(base)) {
    if (ClaimCommitted(Db(), kind, taken)) {
      // Its rows are stored; only its delete was missed.
      RemoveTakenFile(taken);
      continue;
    }
    FileClaim claim(kind, taken);
    StoreClaimedRows(store, claim, parse);
  }
}

// Reads the claimed file's aside copy whole, then stores its rows and records the claim in one
// transaction; once that is on the disk the aside copy goes (FileClaim). A file that cannot be
// read, or a failure, stores none of its rows; the claim then puts the file back when it can,
// and otherwise the next Start takes the aside copy in.
void MessageIntake::StoreClaimedRows(QueueStore& store, FileClaim& claim, const FileParser& parse) {
  std::vector<QueueRow> rows;
  {
    RecordReader reader(claim.AsidePath());
    rows = parse(reader);
  }
  InOneTransaction(platform_.dbEngine, [&] {
    claim.RecordIn(Db());
    for (const QueueRow& row : rows) store.Route(row);
  });
  claim.Release();
}

}  // namespace pager
