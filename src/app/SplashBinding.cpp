#include "app/SplashBinding.h"

namespace app {

std::unique_ptr<qtui::QtWindowView> BindSplashWindow(pager::Form2& form, const qtui::ArtworkProvider& artwork) {
  auto view = std::make_unique<qtui::QtWindowView>(form, artwork);
  // Without a title bar; this must happen before the window is first shown.
  view->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
  view->Add(form.Frame1);
  view->Add(form.Image1);
  view->Add(form.Label2);
  return view;
}

}  // namespace app
