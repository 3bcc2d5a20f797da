#include "platform/forms/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include "platform/forms/EventLoop.h"
#include "platform/forms/SimulatedLoop.h"
#include "platform/forms/Window.h"

namespace forms {
namespace {

TEST(ScriptedDialogs, BoxesAreRecordedAndAnsweredFromTheQueue) {
  ScriptedDialogs dialogs;
  EXPECT_EQ(dialogs.MsgBox("Server is running", vbInformation, "Info"), vbOK);
  EXPECT_EQ(dialogs.MsgBox("Shut down?", vbYesNo + vbQuestion, "Confirm"), vbNo);  // the default answer
  dialogs.QueueAnswer(vbYes);
  EXPECT_EQ(dialogs.MsgBox("Clear the log?", vbYesNo + vbQuestion, "Confirm"), vbYes);
  ASSERT_EQ(dialogs.Boxes().size(), 3u);
  EXPECT_EQ(dialogs.Boxes()[1].buttons, 36);
  EXPECT_EQ(dialogs.LastBox().prompt, "Clear the log?");
  dialogs.ClearBoxes();
  EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST(ScriptedDialogs, TimeRunsAndActionsHappenWhileABoxIsOpen) {
  SimulatedLoop loop;
  ScriptedDialogs dialogs(&loop);
  Timer timer(loop, "Timer2", 1000, true);
  dialogs.QueueAnswer(vbOK, 3000);
  dialogs.MsgBox("Error:  62 - Input past end of file", vbCritical, "Error");
  EXPECT_EQ(loop.NowMs(), 3000);
  EXPECT_EQ(timer.Ticks(), 3);  // other timers tick behind a modal box
  bool clicked = false;
  dialogs.QueueWhileOpen([&] { clicked = true; });
  EXPECT_EQ(dialogs.MsgBox("Please stop the server first", vbCritical, "Warning"), vbOK);
  EXPECT_TRUE(clicked);
}

TEST(ScriptedDialogs, OpenFileDialogGivesTheQueuedPathOrCancels) {
  ScriptedDialogs dialogs;
  CommonDialog dialog;
  dialog.DialogTitle = "Submissions file";
  dialog.FileName = "old";
  dialogs.QueueFileName("/srv/web/FEEDBACK.TXT");
  dialogs.ShowOpen(dialog);
  EXPECT_EQ(dialog.FileName, "/srv/web/FEEDBACK.TXT");
  dialogs.ShowOpen(dialog);
  EXPECT_EQ(dialog.FileName, "");
  ASSERT_EQ(dialogs.openDialogs.size(), 2u);
  EXPECT_EQ(dialogs.openDialogs[0].FileName, "old");
  EXPECT_EQ(dialogs.openDialogs[0].DialogTitle, "Submissions file");
}

TEST(ScriptedDialogs, AModalWindowIsShownActedOnAndUnloaded) {
  ScriptedDialogs dialogs;
  Window setup("frmSetup", 6000, 4000);
  int loads = 0;
  setup.OnLoad = [&] { ++loads; };
  bool sawModal = false;
  dialogs.QueueModal([&](Window& window) { sawModal = window.modal && window.Visible; });
  dialogs.ShowModal(setup);
  EXPECT_TRUE(sawModal);
  EXPECT_EQ(loads, 1);
  EXPECT_FALSE(setup.Loaded());
  EXPECT_FALSE(setup.modal);
  dialogs.ShowModal(setup);  // without a queued action it is unloaded at once
  EXPECT_EQ(loads, 2);
  EXPECT_EQ(dialogs.modalWindows, (std::vector<std::string>{"frmSetup", "frmSetup"}));
  dialogs.ShowHelp("SERVER1.HLP", nullptr);
  dialogs.QuitHelp("SERVER1.HLP");
  EXPECT_EQ(dialogs.helpShown.size(), 1u);
  EXPECT_EQ(dialogs.helpQuit.size(), 1u);
}

}  // namespace
}  // namespace forms
