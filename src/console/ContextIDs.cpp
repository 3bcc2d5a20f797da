#include "console/ContextIDs.h"

#include "platform/vb/Text.h"

namespace pager {

namespace {
constexpr const char* kHelpFileName = "SERVER1.HLP";
}  // namespace

ContextIDs::ContextIDs(Module1& m, Platform& platform, const forms::Window& beside)
    : m_(m), platform_(platform), beside_(beside) {}

void ContextIDs::InitHelp(std::int32_t hWnd) {
  m_.lngHelpHwnd = hWnd;
  const std::string& folder = platform_.programFolder;
  const std::string trimmed = vb::Trim(folder);
  if (!trimmed.empty() && trimmed.back() == '/') {
    helpFile_ = folder + kHelpFileName;
  } else {
    helpFile_ = folder + "/" + kHelpFileName;
  }
}

void ContextIDs::QuitHelp() { platform_.dialogs.QuitHelp(helpFile_); }

void ContextIDs::ShowHelp() { platform_.dialogs.ShowHelp(helpFile_, &beside_); }

}  // namespace pager
