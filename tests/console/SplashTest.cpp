#include <gtest/gtest.h>

#include "ConsoleFixture.h"
#include "console/ContextIDs.h"

namespace console_test {
namespace {

TEST_F(ConsoleTest, SplashHandsOverAtItsSecondTickOnly) {
  pager::Form2& splash = app->form2;
  int splashShown = 0;
  splash.Visible.Observe([&] { splashShown += splash.Visible ? 1 : 0; });

  app->Start();
  EXPECT_TRUE(splash.Loaded());
  EXPECT_TRUE(splash.Visible);
  EXPECT_EQ(app->help.HelpFile(), folder.Path() + "/SERVER1.HLP");
  EXPECT_EQ(app->m.lngHelpHwnd, pager::Form2::kWindowHandle);
  EXPECT_NE(app->m.lngHelpHwnd, 0);
  // Centred on the 15360 x 11520 twip screen.
  EXPECT_EQ(splash.Top, 3668);   // 5760 - 2092.5
  EXPECT_EQ(splash.Left, 4328);  // 7680 - 3352.5

  loop.Advance(1999);
  EXPECT_EQ(app->splash.intSplashTicks, vb::Int16(1));
  EXPECT_FALSE(form().Loaded());
  EXPECT_TRUE(splash.Visible);

  loop.Advance(1);
  EXPECT_TRUE(form().Loaded());
  EXPECT_TRUE(form().Visible);
  EXPECT_EQ(app->m.strServerState, "STOP");  // the main window's load ran
  EXPECT_TRUE(splash.Loaded());
  EXPECT_FALSE(splash.Visible);
  EXPECT_FALSE(splash.Timer1.Enabled);

  loop.Advance(10 * 60 * 1000);
  EXPECT_EQ(splash.Timer1.Ticks(), 2);
  EXPECT_EQ(splashShown, 1);
  EXPECT_TRUE(splash.Loaded());
}

TEST_F(ConsoleTest, SplashTwoSecondsCountFromStart) {
  loop.Advance(5000);  // the window layer binding its views, say
  EXPECT_EQ(app->form2.Timer1.Ticks(), 0);
  app->Start();
  app->Start();  // a second call shows nothing again
  loop.Advance(1999);
  EXPECT_FALSE(form().Loaded());
  loop.Advance(1);
  EXPECT_TRUE(form().Visible);
}

TEST_F(ConsoleTest, HelpLabelOpensTheHelpFile) {
  Boot();
  form().Label13.Click();
  ASSERT_EQ(dialogs.helpShown.size(), 1U);
  EXPECT_EQ(dialogs.helpShown[0], folder.Path() + "/SERVER1.HLP");
  EXPECT_TRUE(dialogs.helpQuit.empty());
}

TEST_F(ConsoleTest, ClosingTheSplashBeforeTheHandOverEndsTheProgram) {
  int finished = 0;
  app->onFinished = [&] { ++finished; };
  app->Start();
  loop.Advance(1000);
  EXPECT_TRUE(app->form2.Unload(forms::kUnloadFromControlMenu));
  loop.Advance(5000);
  EXPECT_FALSE(form().Loaded());
  EXPECT_EQ(dialogs.helpQuit.size(), 1U);
  EXPECT_TRUE(app->Finished());
  EXPECT_EQ(finished, 1);
}

// A panel along the top and one along the left: both windows centre in what is left.
TEST_F(ConsoleTest, SplashAndMainWindowCentreInTheScreensWorkArea) {
  app->platform.screen = forms::Screen{960, 600, 14400, 10920};
  Boot();
  pager::Form2& splash = app->form2;
  EXPECT_EQ(splash.Top, 600 + 5460 - 2092);  // 5460 - 2092.5, rounded away from zero
  EXPECT_EQ(splash.Left, 960 + 7200 - 3352);
  EXPECT_EQ(form().Top, 600 + 5460 - form().Height / 2);
  EXPECT_EQ(form().Left, 960 + 7200 - form().Width / 2);
}

TEST(ContextIDs, HelpFileSitsInTheProgramFolder) {
  forms::SimulatedLoop loop;
  forms::SimulatedClock clock{loop, vb::Date{2026, 12, 7}, vb::TimeOfDay{}};
  forms::ScriptedDialogs dialogs;
  dao::DBEngine dbEngine;
  pager::Module1 m;
  for (auto [folder, helpFile] : {std::pair{"/opt/pager", "/opt/pager/SERVER1.HLP"}, std::pair{"/", "/SERVER1.HLP"},
                                  std::pair{"/opt/pager/", "/opt/pager/SERVER1.HLP"}}) {
    pager::Platform platform{loop, clock, dialogs, dbEngine, forms::Screen{}, folder};
    forms::Window mainWindow("Form1", 7185, 6810);
    pager::ContextIDs help(m, platform, mainWindow);
    EXPECT_EQ(help.HelpFile(), "");
    help.InitHelp(77);
    EXPECT_EQ(help.HelpFile(), helpFile);
    EXPECT_EQ(m.lngHelpHwnd, 77);
    help.QuitHelp();
    EXPECT_EQ(dialogs.helpQuit.back(), helpFile);
  }
}

}  // namespace
}  // namespace console_test
