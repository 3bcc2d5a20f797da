#include "platform/forms/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/Controls.h"

namespace forms {
namespace {

TEST(Window, LoadRunsOnceAndShowLoadsFirst) {
  Window window("frmSetup", 6000, 4000);
  int loads = 0;
  window.OnLoad = [&] {
    ++loads;
    EXPECT_FALSE(window.Visible);  // the load runs before the window shows
  };
  window.Show();
  EXPECT_TRUE(window.Loaded());
  EXPECT_TRUE(window.Visible);
  window.Load();
  window.Show();
  EXPECT_EQ(loads, 1);
  window.Hide();
  EXPECT_TRUE(window.Loaded());
  EXPECT_FALSE(window.Visible);
  EXPECT_TRUE(window.Unload());
  window.Show();
  EXPECT_EQ(loads, 2);  // loaded afresh after an unload
}

TEST(Window, QueryUnloadOrUnloadMayCancel) {
  Window window("Form1", 7245, 7140);
  std::vector<std::string> calls;
  int refuse = 1;
  int lastMode = -1;
  window.OnQueryUnload = [&](int& cancel, int mode) {
    calls.push_back("query");
    lastMode = mode;
    cancel = refuse == 1 ? 1 : 0;
  };
  window.OnUnload = [&](int& cancel) {
    calls.push_back("unload");
    cancel = refuse == 2 ? 1 : 0;
  };
  int after = 0;
  window.AfterUnload = [&] { ++after; };
  window.Show();
  EXPECT_FALSE(window.Unload(kUnloadFromControlMenu));
  EXPECT_EQ(lastMode, kUnloadFromControlMenu);
  EXPECT_TRUE(window.Loaded());
  EXPECT_TRUE(window.Visible);
  refuse = 2;
  EXPECT_FALSE(window.Unload());
  EXPECT_EQ(lastMode, kUnloadFromCode);
  EXPECT_TRUE(window.Loaded());
  refuse = 0;
  EXPECT_TRUE(window.Unload());
  EXPECT_FALSE(window.Loaded());
  EXPECT_FALSE(window.Visible);
  EXPECT_EQ(after, 1);
  EXPECT_EQ(calls, (std::vector<std::string>{"query", "query", "unload", "query", "unload"}));
  EXPECT_TRUE(window.Unload());  // not loaded: nothing to ask
  EXPECT_EQ(calls.size(), 5u);
}

TEST(Window, ALoadThatUnloadsTheWindowLeavesItHidden) {
  Window window("Form2", 100, 100);
  window.OnLoad = [&] { window.Unload(); };
  window.Show();
  EXPECT_FALSE(window.Loaded());
  EXPECT_FALSE(window.Visible);
}

TEST(Property, ObserversHearRealChangesOnly) {
  Label label("lblStatus", {120, 6480, 6975, 255});
  int changes = 0;
  label.Caption.Observe([&] { ++changes; });
  label.Caption = "Server is running";
  label.Caption = "Server is running";
  label.Caption = "Server is not available";
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(label.Caption, "Server is not available");
  ComboBox box("cboPort", {});
  box.Text = "Com 2";
  box.AddItem("Com 1");
  EXPECT_EQ(box.Text, "Com 2");  // filling the list leaves the text
  EXPECT_EQ(box.ListCount(), 1);
}

}  // namespace
}  // namespace forms
