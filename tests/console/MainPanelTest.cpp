#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConsoleFixture.h"
#include "platform/vb/RuntimeError.h"

namespace console_test {
namespace {

class MainPanelTest : public ConsoleTest {
 protected:
  void SetUp() override { Boot(); }

  std::vector<forms::Image*> PressedPictures() {
    auto& f = form();
    return {&f.imgStart, &f.imgStop, &f.imgShut, &f.imgInternet, &f.imgSubmmit, &f.Image2, &f.imgAbout, &f.imgSetup};
  }
  std::vector<bool> Looks() {
    std::vector<bool> looks;
    for (forms::Image* picture : PressedPictures()) looks.push_back(picture->Visible);
    return looks;
  }
};

TEST_F(MainPanelTest, RightAndMiddlePressesDoNothing) {
  auto& f = form();
  forms::Window setup("frmSetup", 100, 100);
  app->SetSetupWindow([&] { return &setup; });
  const std::vector<bool> looks = Looks();
  const std::string state = app->m.strServerState;
  for (int button : {forms::kRightButton, forms::kMiddleButton, 3}) {
    for (forms::Image* spot : {&f.Start, &f.Stop, &f.Shut, &f.Image3, &f.Image4, &f.imgOther, &f.Image5, &f.Image6, &f.Image7}) {
      Press(*spot, button);
    }
    f.imgShut.Visible = true;
    Release(f.Shut, button);
    EXPECT_TRUE(f.imgShut.Visible);
    f.imgShut.Visible = false;
  }
  EXPECT_EQ(Looks(), looks);
  EXPECT_EQ(app->m.strServerState, state);
  EXPECT_TRUE(dialogs.Boxes().empty());
  EXPECT_TRUE(dialogs.openDialogs.empty());
  EXPECT_TRUE(dialogs.modalWindows.empty());
  EXPECT_FALSE(folder.Exists("status.dat"));
  EXPECT_EQ(folder.Read("Inter.dat"), "\"DISABLED\"\r\n");
  EXPECT_TRUE(f.Loaded());
}

TEST_F(MainPanelTest, ShutdownIsRefusedWhileTheRunningLookShows) {
  form().imgStart.Visible = true;
  Press(form().Shut);
  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt, "Please stop the server first");
  EXPECT_EQ(dialogs.LastBox().buttons, forms::vbCritical);
  EXPECT_EQ(dialogs.LastBox().title, "Corvello '98");
  EXPECT_TRUE(form().imgStart.Visible);
  EXPECT_FALSE(form().imgShut.Visible);
  EXPECT_FALSE(form().imgStop.Visible);
  EXPECT_TRUE(form().Loaded());
}

TEST_F(MainPanelTest, DeclinedShutdownKeepsTheWindowWithTheStoppedLook) {
  Press(form().Shut);  // the question box answers No by default
  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().title, "Shutting down");
  EXPECT_FALSE(form().imgShut.Visible);
  EXPECT_TRUE(form().imgStop.Visible);
  EXPECT_FALSE(form().imgStart.Visible);
  EXPECT_TRUE(form().Loaded());
  EXPECT_TRUE(app->form2.Loaded());
  EXPECT_FALSE(app->Finished());
  EXPECT_TRUE(dialogs.helpQuit.empty());
}

TEST_F(MainPanelTest, ConfirmedShutdownEndsTheProgram) {
  int finished = 0;
  app->onFinished = [&] { ++finished; };
  dialogs.QueueAnswer(forms::vbYes);
  Press(form().Shut);
  EXPECT_EQ(folder.Read("status.dat"), "\"NOT AVAILABLE\"\r\n");
  EXPECT_FALSE(app->form2.Loaded());
  EXPECT_EQ(dialogs.helpQuit, (std::vector<std::string>{app->help.HelpFile()}));
  EXPECT_FALSE(form().Loaded());
  EXPECT_TRUE(app->Finished());
  EXPECT_EQ(finished, 1);

  const long long ticks = form().Timer3.Ticks();
  loop.Advance(5000);
  EXPECT_EQ(form().Timer3.Ticks(), ticks);  // nothing runs after the end
}

TEST_F(MainPanelTest, SetupShowsTheSetupWindowModallyUnderTheHourglass) {
  forms::Window setup("frmSetup", 100, 100);
  app->SetSetupWindow([&] { return &setup; });
  int pointerWhileOpen = -1;
  bool pictureWhileOpen = false;
  dialogs.QueueModal([&](forms::Window&) {
    pointerWhileOpen = form().MousePointer;
    pictureWhileOpen = form().imgSetup.Visible;
  });
  Press(form().Image7);
  EXPECT_EQ(dialogs.modalWindows, (std::vector<std::string>{"frmSetup"}));
  EXPECT_EQ(pointerWhileOpen, forms::kHourglassPointer);
  EXPECT_TRUE(pictureWhileOpen);
  EXPECT_EQ(form().MousePointer, forms::kDefaultPointer);
  EXPECT_FALSE(form().imgSetup.Visible);
  EXPECT_FALSE(setup.Loaded());

  // A setup window that fails still gives the pointer back.
  dialogs.QueueModal([](forms::Window&) { vb::Raise(vb::err::kFileNotFound); });
  EXPECT_THROW(form().Command3.Click(), vb::RuntimeError);
  EXPECT_EQ(form().MousePointer, forms::kDefaultPointer);
}

TEST_F(MainPanelTest, SetupWithoutASetupWindowOnlyChangesThePointer) {
  Press(form().Image7);
  EXPECT_TRUE(dialogs.modalWindows.empty());
  EXPECT_EQ(form().MousePointer, forms::kDefaultPointer);
  EXPECT_FALSE(form().imgSetup.Visible);
}

TEST_F(MainPanelTest, InformationAndAboutBoxes) {
  const long long pumps = loop.Pumps();
  bool anyPictureWhileOpen = true;
  dialogs.QueueWhileOpen([&] {
    EXPECT_GE(loop.Pumps() - pumps, 2);
    anyPictureWhileOpen = false;
    for (forms::Image* picture : PressedPictures()) anyPictureWhileOpen |= picture->Visible.get();
  });
  Press(form().Image5);
  EXPECT_FALSE(anyPictureWhileOpen);
  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt.rfind("Corvello '98 Enterprise Edition\n\n", 0), 0U);
  EXPECT_EQ(dialogs.LastBox().buttons, forms::vbInformation);
  EXPECT_EQ(dialogs.LastBox().title, "Information");

  bool aboutWhileOpen = false;
  dialogs.QueueWhileOpen([&] { aboutWhileOpen = form().imgAbout.Visible; });
  Press(form().Image6);
  EXPECT_TRUE(aboutWhileOpen);
  EXPECT_FALSE(form().imgAbout.Visible);
  EXPECT_EQ(dialogs.LastBox().buttons, forms::vbInformation);
  EXPECT_EQ(dialogs.LastBox().title, "About Corvello '98");
}

}  // namespace
}  // namespace console_test
