// The two input files of the intake: the submissions file and the Other File.
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "common/FileTests.h"
#include "common/RecordReader.h"
#include "common/SettingsFiles.h"
#include "core/FileClaim.h"
#include "core/InputFiles.h"
#include "core/MessageIntake.h"
#include "core/QueueStore.h"
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
  // A submissions file that an interrupted Start took aside was already handed to the server:
  // it is taken in first, whatever the modes say now.
  FinishTakenFiles(store, FindPathByName(strFile, kFeedbackTxtUpper).value_or(strFile),
                   [&](RecordReader& reader) { return ParseSubmissions(reader, m_.blnSecurity); });
  while (reading) {
    const auto file = FindPathByName(strFile, kFeedbackTxtUpper);
    if (!file) return;
    if (IsEmptyFile(*file)) {
      // An empty file holds nothing; the tests run again in case a new one has been written.
      DeleteFile(*file);
      continue;
    }
    std::vector<QueueRow> rows;
    {
      RecordReader reader(*file);
      rows = ParseSubmissions(reader, m_.blnSecurity);
    }
    StoreFileRows(store, *file, *file, rows);
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
  const auto parse = [&](RecordReader& reader) { return ParseOtherFile(reader, m_.strMyModem); };
  // An Other File taken aside by an interrupted Start is taken in first, whatever the flag.
  FinishTakenFiles(store, strOtherPath, parse);
  if (m_.intOtherFile == 0 || !otherFileThere) return;

  std::vector<QueueRow> rows;
  {
    RecordReader reader(strOtherPath);
    rows = parse(reader);
  }
  StoreFileRows(store, strOtherPath, strOtherPath, rows);
}

void MessageIntake::FinishTakenFiles(QueueStore& store, const std::string& base, const FileParser& parse) {
  for (const TakenFile& taken : FindTakenFiles(base)) {
    if (ClaimCommitted(Db(), taken)) {
      // Its rows are stored; only its delete was missed.
      ::unlink(taken.path.c_str());
      continue;
    }
    std::vector<QueueRow> rows;
    {
      RecordReader reader(taken.path);
      rows = parse(reader);
    }
    StoreFileRows(store, taken.path, base, rows);
  }
}

// Stores the rows of one input file and takes the file away, as one unit: the file is renamed
// aside inside the transaction, its claim committed with the rows, and the aside file deleted
// after the commit (FileClaim). A failure rolls the rows back and puts the file back when it
// can; otherwise the aside file is taken in by the next Start.
void MessageIntake::StoreFileRows(QueueStore& store, const std::string& source, const std::string& base,
                                  const std::vector<QueueRow>& rows) {
  dao::DBEngine& engine = platform_.dbEngine;
  engine.BeginTrans();
  try {
    FileClaim claim(Db(), source, base);
    for (const QueueRow& row : rows) store.Route(row);
    engine.CommitTrans();
    claim.Release();
  } catch (...) {
    if (engine.Workspaces(0).InTransaction()) engine.Rollback();
    throw;
  }
}

}  // namespace pager
