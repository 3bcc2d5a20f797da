// The world around the code under test, simulated: a fresh temporary program folder, the loop
// in virtual time, a clock that starts at Monday, December 07, 2026, 2:30:00 PM, dialogs
// scripted on that loop (an open box may let virtual time run), the database engine and a
// fake serial line. A fixture derives from it, so that its tests name the parts directly.
// Members are built in the order listed and go in the reverse order, the folder last.
#pragma once

#include <memory>

#include "common/Platform.h"
#include "platform/comm/FakeSerial.h"
#include "platform/dao/DBEngine.h"
#include "platform/forms/Clock.h"
#include "platform/forms/ScriptedDialogs.h"
#include "platform/forms/SimulatedLoop.h"
#include "support/TempFolder.h"

namespace testing_support {

struct SimulatedWorld {
  // What the handlers are given: these parts, the default screen and the folder.
  pager::Platform MakePlatform() { return pager::Platform{loop, clock, dialogs, dbEngine, forms::Screen{}, folder.Path()}; }

  TempFolder folder;
  forms::SimulatedLoop loop;
  forms::SimulatedClock clock{loop, vb::Date{2026, 12, 7}, vb::TimeOfDay{14, 30, 0}};
  forms::ScriptedDialogs dialogs{&loop};
  dao::DBEngine dbEngine;
  std::shared_ptr<comm::FakeSerialBackend> serial = std::make_shared<comm::FakeSerialBackend>();
};

}  // namespace testing_support
