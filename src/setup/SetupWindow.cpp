// The window's wiring, the picture buttons and the close buttons.
#include "setup/SetupWindow.h"

namespace pager {

SetupWindow::SetupWindow(comm::MSComm& port, Module1& m, const Platform& platform)
    : form(platform.dbEngine), port_(port), m_(m), platform_(platform) {
  form.OnLoad = [this] { Form_Load(); };
  form.SSCommand1.Click = [this] { SSCommand1_Click(); };
  form.Image2.MouseDown = [this](int button, int shift, float x, float y) { Image2_MouseDown(button, shift, x, y); };
  form.Image3.MouseDown = [this](int button, int shift, float x, float y) { Image3_MouseDown(button, shift, x, y); };
  form.Image3.MouseUp = [this](int button, int shift, float x, float y) { Image3_MouseUp(button, shift, x, y); };
  form.Command1.Click = [this] { Command1_Click(); };
  form.Command2.Click = [this] { Command2_Click(); };
  form.Command3.Click = [this] { Command3_Click(); };
  form.Command4.Click = [this] { Command4_Click(); };
}

void SetupWindow::Image2_MouseDown(int Button, int, float, float) {
  if (Button != forms::kLeftButton) return;
  form.imgSave.Visible = true;
  platform_.loop.DoEvents();  // the pressed picture is drawn before the Save starts
  SSCommand1_Click();
  form.imgSave.Visible = false;
}

void SetupWindow::Image3_MouseDown(int Button, int, float, float) {
  if (Button != forms::kLeftButton) return;
  form.imgBack.Visible = true;
}

void SetupWindow::Image3_MouseUp(int Button, int, float, float) {
  if (Button != forms::kLeftButton) return;
  form.imgBack.Visible = false;
  form.Unload(forms::kUnloadFromCode);
}

void SetupWindow::Command2_Click() { form.Unload(forms::kUnloadFromCode); }

void SetupWindow::Command4_Click() { form.Unload(forms::kUnloadFromCode); }

}  // namespace pager
