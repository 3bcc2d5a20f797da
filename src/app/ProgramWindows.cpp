#include "app/ProgramWindows.h"

#include "app/Artwork.h"
#include "app/MainWindowBinding.h"
#include "app/SetupBinding.h"
#include "app/SplashBinding.h"

namespace app {

ProgramWindows::ProgramWindows(pager::ServerApplication& application, pager::SetupWindow& setup)
    : main_(BindMainWindow(application.form1, ArtworkProvider())),
      splash_(BindSplashWindow(application.form2, ArtworkProvider())),
      setup_(BindSetupWindow(setup.form, ArtworkProvider())) {
  application.SetSetupWindow([&setup] { return &setup.form; });
  setup.beforeClosingPort = [&application] { application.EndCallBeforeSave(); };
  for (qtui::QtWindowView* view : {main_.get(), splash_.get(), setup_.get()}) {
    view->SetHelpHook([&application] { application.help.ShowHelp(); });
  }
}

ProgramWindows::~ProgramWindows() = default;

}  // namespace app
