// The paging server: the Qt application, the real event loop, clock, dialogs, database engine
// and serial ports, the server over them, the setup window's handlers, the windows, and the
// signals that end the program in order. The program's folder is the folder of the
// executable; the server's settings files, pager.mdb and SERVER1.HLP live there.
#include <QApplication>
#include <QTimer>
#include <memory>
#include <string>

#include "app/ProgramWindows.h"
#include "common/Platform.h"
#include "console/ServerApplication.h"
#include "platform/comm/TermiosBackend.h"
#include "platform/dao/DBEngine.h"
#include "platform/forms/Clock.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtScreen.h"
#include "platform/qt/StopSignals.h"
#include "setup/SetupWindow.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // Windows are hidden and shown as the server goes; the program ends when the server says so.
  QApplication::setQuitOnLastWindowClosed(false);
  const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();

  qtui::QtEventLoop loop;
  forms::SystemClock clock;
  qtui::QtDialogs dialogs;
  dao::DBEngine dbEngine;
  auto serial = std::make_shared<comm::TermiosBackend>(programFolder);

  pager::ServerApplication server(
      pager::Platform{loop, clock, dialogs, dbEngine, qtui::ScreenInTwips(), programFolder}, serial);
  pager::SetupWindow setup(server.form1.MSComm1, server.m, server.platform);
  app::ProgramWindows windows(server, setup);
  // The server finishes inside the unload of its last window; the loop is left after that
  // unload is over. (quit() would first ask every window to close, and the main window, still
  // unloading, would take that for the operator's close box.)
  server.onFinished = [&server] {
    QTimer::singleShot(0, [&server] { QCoreApplication::exit(server.ExitStatus()); });
  };
  // kill, a logout or a system shutdown, a closed terminal, Ctrl-C: the server ends in order
  // (a call hung up, port and database closed, "NOT AVAILABLE"), keeping what waits to be
  // sent, and the loops are left as after a shut-down, also from inside a box.
  qtui::StopSignals stopSignals([&server](int) { server.EndInOrder(); });
  server.Start();
  const int status = QApplication::exec();
  // A Stop or a shut-down whose tries to store the held pages were under way at a signal goes
  // on after the loop was told to end, and may report only then.
  return status != 0 ? status : server.ExitStatus();
}
