#include "app/MainWindowBinding.h"

#include <QLabel>
#include <QPalette>
#include <utility>

#include "app/ArtworkStyle.h"

namespace app {

namespace {
void AddControls(qtui::QtWindowView& view, pager::Form1& f) {
  view.Add(f.Image1);
  view.Add(f.Frame1);
  view.Add(f.lblStatus);
  view.Add(f.Label1);
  for (forms::Image* spot : {&f.Start, &f.Stop, &f.Shut, &f.Image3, &f.Image4, &f.imgOther, &f.Image6, &f.Image7, &f.Image5}) {
    view.Add(*spot);
  }
  for (forms::Image* picture :
       {&f.imgStart, &f.imgStop, &f.imgShut, &f.imgInternet, &f.imgSubmmit, &f.Image2, &f.imgAbout, &f.imgSetup}) {
    view.Add(*picture);
  }
  for (forms::CommandButton* button : {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5}) view.Add(*button);
  for (forms::Label* label : {&f.Label4, &f.lblPending, &f.Label5, &f.lblToCall, &f.Label11, &f.Label14, &f.Label6,
                              &f.Label7, &f.Label8, &f.Label9, &f.Label3, &f.Label2, &f.Label10}) {
    view.Add(*label);
  }
  for (forms::Image* lamp : {&f.imgRed1, &f.imgred2, &f.imgRed3}) view.Add(*lamp);
  view.Add(f.Label13);
}

void Stack(qtui::QtWindowView& view, pager::Form1& f) {
  const std::pair<forms::Image*, forms::Image*> spotOverPicture[] = {
      {&f.Start, &f.imgStart},    {&f.Stop, &f.imgStop},       {&f.Shut, &f.imgShut},   {&f.Image3, &f.imgInternet},
      {&f.Image4, &f.imgSubmmit}, {&f.imgOther, &f.Image2},    {&f.Image6, &f.imgAbout}, {&f.Image7, &f.imgSetup}};
  for (const auto& [spot, picture] : spotOverPicture) view.StackAbove(*spot, *picture);
  // Each frame in turn goes directly beneath Image5.
  for (forms::Image* lamp : {&f.imgRed1, &f.imgred2, &f.imgRed3}) view.StackAbove(f.Image5, *lamp);
  view.SendToBack(f.Image1);
}

// "Messages pending:" runs a little wider in the substitute font than in the design's; it may
// take the free space up to the counter beside it.
void LetRunOnToNeighbour(qtui::QtWindowView& view, forms::Label& label, forms::Label& neighbour) {
  QWidget* widget = view.ViewOf(label);
  widget->resize(view.ViewOf(neighbour)->x() - widget->x(), widget->height());
}

void PrintOnTerminal(qtui::QtWindowView& view, forms::Label& label) {
  QWidget* widget = view.ViewOf(label);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, art::kPhosphor);
  widget->setPalette(palette);
}
}  // namespace

std::unique_ptr<qtui::QtWindowView> BindMainWindow(pager::Form1& form, const qtui::ArtworkProvider& artwork) {
  auto view = std::make_unique<qtui::QtWindowView>(form, artwork);
  AddControls(*view, form);
  Stack(*view, form);
  for (forms::Label* label : {&form.Label1, &form.Label2, &form.Label10, &form.Label13}) PrintOnTerminal(*view, *label);
  static_cast<QLabel*>(view->ViewOf(form.Label13))->setAlignment(Qt::AlignCenter);
  LetRunOnToNeighbour(*view, form.Label4, form.lblPending);
  return view;
}

}  // namespace app
