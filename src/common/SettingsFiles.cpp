#include "common/SettingsFiles.h"

#include "common/RecordWriter.h"

namespace pager {

std::string SettingsPath(const std::string& programFolder, const std::string& name) {
  if (programFolder.empty()) return name;
  return programFolder.back() == '/' ? programFolder + name : programFolder + "/" + name;
}

void WriteStatus(const std::string& programFolder, const std::string& status) {
  WriteRecordReplacing(SettingsPath(programFolder, kStatusDat), {RecordItem{status}});
}

void WriteTextSetting(const std::string& programFolder, const std::string& name, const std::string& text) {
  WriteRecordReplacing(SettingsPath(programFolder, name), {RecordItem{text}});
}

}  // namespace pager
