// The program's real windows left to themselves, against an empty Qt window in the same run.
//
// Phases of equal length (10 s unless given), one after the other in one process:
//   floor    one plain QWidget shown, the Qt event loop running;
//   idle     the server's windows bound as in the program, the main window shown, stopped
//            (the status display's four timers tick);
//   running  after a press of Start with nothing to send: the server re-cycles every nine
//            seconds and the lamp sweeps.
// Each phase prints the CPU time of the process as a share of one core over the wall time,
// and the resident memory at its end; then the two ratios to the floor. The server runs in a
// temporary program folder with a fresh pager.mdb and a fake serial line.
//
// Usage: window_bench [seconds per phase]
// The platform is offscreen unless QT_QPA_PLATFORM says otherwise (for example
// QT_QPA_PLATFORM=xcb under xvfb-run).
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "BenchFolder.h"
#include "BenchProgram.h"
#include "ProcessUsage.h"
#include "platform/qt/QtDialogs.h"

namespace {

struct Phase {
  const char* name;
  double cpuShare;  // percent of one core
  double cpuMs;
  double residentMiB;
};

Phase Measure(const char* name, int ms) {
  const window_bench::Usage start = window_bench::Now();
  bench::RunEventLoopFor(ms);
  const window_bench::Usage end = window_bench::Now();
  const double cpu = end.cpuMs - start.cpuMs;
  return {name, 100.0 * cpu / (end.wallMs - start.wallMs), cpu,
          static_cast<double>(window_bench::ResidentKiB()) / 1024.0};
}

void Print(const Phase& phase) {
  std::printf("%-22s %10.1f %11.3f%% %10.1f\n", phase.name, phase.cpuMs, phase.cpuShare, phase.residentMiB);
}

void PrintRatio(const char* name, const Phase& phase, const Phase& floor) {
  if (floor.cpuMs <= 0.0) {
    std::printf("ratio %-16s n/a (the floor used no measurable CPU)\n", name);
  } else {
    std::printf("ratio %-16s %.1fx the floor's CPU\n", name, phase.cpuMs / floor.cpuMs);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  if (seconds <= 0) {
    std::fprintf(stderr, "usage: window_bench [seconds per phase]\n");
    return 2;
  }
  const int phaseMs = seconds * 1000;
  std::unique_ptr<bench::BenchFolder> programFolder;
  try {
    programFolder = std::make_unique<bench::BenchFolder>("window-bench");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "window_bench: cannot lay out a program folder: %s\n", e.what());
    return 1;
  }
  const std::string& folder = programFolder->Path();

  std::printf("window_bench: %d s per phase, platform %s\n", seconds, qPrintable(QApplication::platformName()));
  std::printf("%-22s %10s %12s %10s\n", "phase", "CPU ms", "CPU/core", "RSS MiB");

  Phase floor{};
  {
    QWidget plain;
    plain.resize(479, 454);
    plain.show();
    bench::RunEventLoopFor(500);  // let the window settle before measuring
    floor = Measure("floor (one QWidget)", phaseMs);
  }
  Print(floor);

  qtui::QtDialogs dialogs;
  int result = 0;
  {
    bench::BenchProgram program(folder, dialogs);
    pager::ServerApplication& server = program.server;
    server.form1.Show();
    bench::RunEventLoopFor(500);
    const Phase idle = Measure("idle (stopped)", phaseMs);
    Print(idle);

    server.form1.Start.MouseDown(forms::kLeftButton, 0, 0.0F, 0.0F);
    const Phase running = Measure("running (re-cycling)", phaseMs);
    Print(running);
    if (server.m.strServerState != "RUNNING") {
      std::fprintf(stderr, "window_bench: the server did not keep running\n");
      result = 1;
    }
    server.form1.Stop.MouseDown(forms::kLeftButton, 0, 0.0F, 0.0F);

    PrintRatio("idle", idle, floor);
    PrintRatio("running", running, floor);
    const double aim = 0.5;
    std::printf("aim: under %.1f%% of one core idle and re-cycling: %s\n", aim,
                idle.cpuShare < aim && running.cpuShare < aim ? "met" : "NOT met");
  }
  return result;
}
