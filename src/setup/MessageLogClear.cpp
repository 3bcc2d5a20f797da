// The "Administration" tab's Clear.
#include "common/SettingsFiles.h"
#include "platform/dao/Database.h"
#include "setup/SetupWindow.h"

namespace pager {

namespace {
constexpr const char* kDeleteLog = "Delete Tranlog.* From Tranlog";
}  // namespace

void SetupWindow::Command1_Click() {
  platform_.loop.DoEvents();
  if (platform_.dialogs.MsgBox("Are you sure you want to delete the log?", forms::vbYesNo + forms::vbQuestion,
                               "Corvello '98 Server") != forms::vbYes) {
    return;
  }
  try {
    if (!m_.dbPager) vb::Raise(vb::err::kObjectNotSet);
    DeleteLog(*m_.dbPager);
  } catch (const vb::RuntimeError& first) {
    if (!ClearOnOwnConnection(first)) return;
  }
  platform_.loop.DoEvents();
  try {
    form.Data1.Refresh();
  } catch (const vb::RuntimeError& e) {
    platform_.dialogs.MsgBox("The message log has been cleared, but it could not be read again.\n" + e.Description(),
                             forms::vbCritical, "Error");
  }
  platform_.loop.DoEvents();
}

void SetupWindow::DeleteLog(dao::Database& database) { database.Execute(kDeleteLog); }

bool SetupWindow::ClearOnOwnConnection(const vb::RuntimeError& first) {
  std::string reason = first.Description();
  try {
    // Before the first Start, after Stop and between cycles the server holds no open
    // connection: Clear opens one and leaves it to the next Start or Stop. An open connection
    // is the engine's; the delete failed on it for another reason, which is reported.
    if (!m_.dbPager || !m_.dbPager->IsOpen()) {
      m_.dbPager = platform_.dbEngine.Workspaces(0).OpenDatabase(platform_.PathOf("pager.mdb"));
      DeleteLog(*m_.dbPager);
      // The connection stays open until the next Start or Stop, but this use ends here: its
      // log is emptied into the file, so that none of it is laid over a copy of pager.mdb put
      // in place meanwhile (a backup restored while the server is stopped).
      m_.dbPager->EmptyLog();
      return true;
    }
  } catch (const vb::RuntimeError& e) {
    reason = e.Description();
  }
  platform_.dialogs.MsgBox("The message log could not be cleared.\n" + reason, forms::vbCritical, "Error");
  return false;
}

}  // namespace pager
