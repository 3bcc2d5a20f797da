// The program's windows as main() builds them, for the benchmarks that measure them: the Qt
// event loop, the system clock, the database engine, a fake serial line, the server, the setup
// window and their Qt windows over a program folder. Make it after the QApplication; the
// dialogs must outlive it.
#pragma once

#include <QEventLoop>
#include <QTimer>
#include <memory>
#include <string>

#include "app/ProgramWindows.h"
#include "console/ServerApplication.h"
#include "platform/comm/FakeSerial.h"
#include "platform/dao/DBEngine.h"
#include "platform/forms/Clock.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtScreen.h"
#include "setup/SetupWindow.h"

namespace bench {

// Runs the Qt event loop for `ms` milliseconds.
inline void RunEventLoopFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

struct BenchProgram {
  BenchProgram(const std::string& folder, forms::Dialogs& dialogs)
      : server(pager::Platform{loop, clock, dialogs, dbEngine, qtui::ScreenInTwips(), folder}, serial),
        setup(server.form1.MSComm1, server.m, server.platform),
        windows(server, setup) {}

  qtui::QtEventLoop loop;
  forms::SystemClock clock;
  dao::DBEngine dbEngine;
  std::shared_ptr<comm::FakeSerialBackend> serial = std::make_shared<comm::FakeSerialBackend>();
  pager::ServerApplication server;
  pager::SetupWindow setup;
  app::ProgramWindows windows;
};

}  // namespace bench
