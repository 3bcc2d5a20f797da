#include "app/ProgramWindows.h"

#include "app/Artwork.h"
#include "app/MainWindowBinding.h"
#include "app/SplashBinding.h"

namespace app {

ProgramWindows::ProgramWindows(pager::ServerApplication& application)
    : main_(BindMainWindow(application.form1, ArtworkProvider())),
      splash_(BindSplashWindow(application.form2, ArtworkProvider())) {
  // SETUP WINDOW: bind frmSetup here once src/setup provides it.
  for (qtui::QtWindowView* view : {main_.get(), splash_.get()}) {
    view->SetHelpHook([&application] { application.help.ShowHelp(); });
  }
}

ProgramWindows::~ProgramWindows() = default;

}  // namespace app
