#include "app/SetupBinding.h"

namespace app {

namespace {
void AddModemTab(qtui::QtWindowView& view, pager::frmSetup& f) {
  view.Add(f.Image1);
  view.Add(f.Image4);
  view.Add(f.Label1);
  view.Add(f.Combo1);
  view.Add(f.Label2);
  view.Add(f.Combo2);
  view.Add(f.Label3);
  view.Add(f.txtInit);
  view.Add(f.Label4);
  view.Add(f.Combo3);
  view.Add(f.Label5);
  view.Add(f.Combo4);
  view.Add(f.Label6);
  view.Add(f.txtTimeOut);
  view.Add(f.Label7);
  view.Add(f.Label8);
  view.Add(f.txtPrefix);
  view.Add(f.Label9);
  view.Add(f.txtSuffix);
  view.Add(f.chkSecurity);
  view.Add(f.chkASP);
  view.Add(f.Image2);
  view.Add(f.Image3);
  view.Add(f.imgSave);
  view.Add(f.imgBack);
  view.Add(f.SSCommand1);
  // Each pressed look lies over its hot area. It shows only while its key is held or its
  // Save runs, and the release of a press goes to the hot area that took it.
  view.StackAbove(f.imgSave, f.Image2);
  view.StackAbove(f.imgBack, f.Image3);
  view.SendToBack(f.Image1);
}

void AddAdministrationTab(qtui::QtWindowView& view, pager::frmSetup& f) {
  view.Add(f.DBGrid1);
  view.Add(f.Command1);
  view.Add(f.Command2);
}

void AddOwnSystemTab(qtui::QtWindowView& view, pager::frmSetup& f) {
  view.Add(f.Label11);
  view.Add(f.Text1);
  view.Add(f.Label12);
  view.Add(f.Text2);
  view.Add(f.Check1);
  view.Add(f.lblFilename);
  view.Add(f.Frame4);
  view.Add(f.Label10);
  view.Add(f.Command3);
  view.Add(f.Command4);
}
}  // namespace

std::unique_ptr<qtui::QtWindowView> BindSetupWindow(pager::frmSetup& form, const qtui::ArtworkProvider& artwork) {
  auto view = std::make_unique<qtui::QtWindowView>(form, artwork);
  view->Add(form.SSTab1);
  AddModemTab(*view, form);
  AddAdministrationTab(*view, form);
  AddOwnSystemTab(*view, form);
  return view;
}

}  // namespace app
