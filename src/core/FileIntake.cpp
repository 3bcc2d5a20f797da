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
  for (;;) {
    if (m_.blnASP || !form_.imgInternet.Visible) return;
    const auto config = FindByName(folder, kInternetCfgUpper);
    if (!config) return;
    const std::string strFile = ReadPathSetting(*config);
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
    StoreFileRows(store, *file, rows);
    return;
  }
}

void MessageIntake::ImportOtherFile(QueueStore& store) {
  std::string strOtherPath;
  if (const auto config = FindByName(platform_.programFolder, kOwnCfgUpper)) {
    strOtherPath = ReadPathSetting(*config);
  }
  // Without own.cfg the path is empty, which names no file: there is no Other File.
  const std::string ownPath = platform_.PathOf(kMyOwnDat);
  if (!FileExists(strOtherPath) || !FileExists(ownPath)) return;

  {
    // Every Start that gets here refreshes the own paging system settings.
    RecordReader own(ownPath);
    m_.strMyCompany = own.ReadText();
    m_.strMyModem = own.ReadText();
    m_.intOtherFile = own.ReadInteger();
  }
  if (m_.intOtherFile == 0) return;

  std::vector<QueueRow> rows;
  {
    RecordReader reader(strOtherPath);
    rows = ParseOtherFile(reader, m_.strMyModem);
  }
  StoreFileRows(store, strOtherPath, rows);
}

// Stores the rows of one input file and takes the file away, as one unit: the file is renamed
// aside inside the transaction, so a file that cannot be taken away rolls its rows back, and a
// commit that fails puts the file back (the claim's destructor) for the next Start.
void MessageIntake::StoreFileRows(QueueStore& store, const std::string& path,
                                  const std::vector<QueueRow>& rows) {
  dao::DBEngine& engine = platform_.dbEngine;
  engine.BeginTrans();
  try {
    for (const QueueRow& row : rows) store.Route(row);
    FileClaim claim(path);
    engine.CommitTrans();
    claim.Release();
  } catch (...) {
    if (engine.Workspaces(0).InTransaction()) engine.Rollback();
    throw;
  }
}

}  // namespace pager
