// What the handlers need from the world around them: the event loop, the clock, the dialogs,
// the database engine, the screen and the program's folder. The program gives the real ones,
// tests give simulated ones.
#pragma once

#include <string>

#include "platform/dao/DBEngine.h"
#include "platform/forms/Clock.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/EventLoop.h"
#include "platform/forms/Window.h"

namespace pager {

struct Platform {
  forms::EventLoop& loop;
  forms::Clock& clock;
  forms::Dialogs& dialogs;
  dao::DBEngine& dbEngine;
  forms::Screen screen;
  std::string programFolder;  // the folder of the executable: settings files, pager.mdb, help

  // A file in the program's folder.
  std::string PathOf(const std::string& name) const { return programFolder + "/" + name; }
};

}  // namespace pager
