// modem-sim: a Hayes modem with a paging terminal behind it, on a pseudo-terminal linked as
// comN in a program folder. Runs until SIGINT or SIGTERM; see ProgramOptions.h for the options.
#include <signal.h>

#include <csignal>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "modem-sim/ModemSimulator.h"
#include "modem-sim/PageLog.h"
#include "modem-sim/ProgramOptions.h"
#include "modem-sim/PtyLine.h"
#include "modem-sim/SimulatorShell.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) { stopRequested = 1; }

}  // namespace

int main(int argc, char** argv) {
  using namespace modemsim;
  ProgramOptions options;
  try {
    options = ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& error) {
    std::cerr << "modem-sim: " << error.what() << "\n" << UsageText();
    return 2;
  }
  if (options.help) {
    std::cout << UsageText();
    return 0;
  }

  // The stop signals are blocked except inside the wait, so one arriving between two waits
  // ends the next wait at once instead of being missed.
  sigset_t stopSignals;
  sigset_t waitMask;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
  sigdelset(&waitMask, SIGINT);
  sigdelset(&waitMask, SIGTERM);
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  try {
    PtyLine line(options.folder, options.port);
    ModemSimulator modem(options.modem);
    std::unique_ptr<PageLog> pages;
    if (!options.pagesFile.empty()) pages = std::make_unique<PageLog>(options.pagesFile);
    SimulatorShell shell(modem, line, pages.get(), options.verbose ? &std::cerr : nullptr);

    std::cout << "modem-sim: " << line.LinkPath() << " -> " << line.SlavePath() << std::endl;
    while (stopRequested == 0) shell.RunOnce(1000, &waitMask);
  } catch (const std::exception& error) {
    std::cerr << "modem-sim: " << error.what() << std::endl;
    return 1;
  }
  return 0;
}
