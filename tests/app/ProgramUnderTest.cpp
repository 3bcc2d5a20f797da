#include "ProgramUnderTest.h"

#include <QTest>
#include <QWindow>
#include <filesystem>

#include "PagerDatabaseFile.h"
#include "platform/qt/Conversions.h"
#include "platform/qt/QtScreen.h"

namespace app_test {

int ScriptedBoxes::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
  boxes.push_back({prompt, buttons, title});
  if (onBox) onBox(boxes.back());
  if (answers.empty()) return forms::vbOK;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

void ScriptedBoxes::ShowOpen(forms::CommonDialog& dialog) {
  opened.push_back(dialog);
  if (onOpen) onOpen();
  dialog.FileName = chosenFiles.empty() ? "" : chosenFiles.front();
  if (!chosenFiles.empty()) chosenFiles.pop_front();
}

ProgramUnderTest::ProgramUnderTest() {
  pagerdb::CreatePagerDatabase(folder.PathOf("pager.mdb"));
  std::filesystem::copy_file(PAGER_HELP_FILE, folder.PathOf("SERVER1.HLP"));
  server = std::make_unique<pager::ServerApplication>(
      pager::Platform{loop, clock, dialogs, dbEngine, qtui::ScreenInTwips(), folder.Path()}, serial);
  setup = std::make_unique<pager::SetupWindow>(server->form1.MSComm1, server->m, server->platform);
  windows = std::make_unique<app::ProgramWindows>(*server, *setup);
  server->onFinished = [this] { ++finishedCalls; };
}

ProgramUnderTest::~ProgramUnderTest() {
  dialogs.QuitHelp("");
  windows.reset();
  setup.reset();
  server.reset();
}

bool ProgramUnderTest::ShowMainWindow() {
  server->form1.Show();
  return QTest::qWaitForWindowExposed(&windows->MainWindow());
}

QPoint ProgramUnderTest::CentreOf(const forms::Control& control) { return qtui::ToPixels(control.Position()).center(); }

void ProgramUnderTest::Click(const forms::Control& control, Qt::MouseButton button) {
  QWindow* window = windows->MainWindow().windowHandle();
  QTest::mousePress(window, button, {}, CentreOf(control));
  QTest::mouseRelease(window, button, {}, CentreOf(control));
}

QWidget* ProgramUnderTest::ViewOf(const forms::Control& control) const { return windows->MainWindow().ViewOf(control); }

bool ProgramUnderTest::Shows(const forms::Control& control) const { return ViewOf(control)->isVisible(); }

}  // namespace app_test
