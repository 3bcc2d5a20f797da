#include "platform/qt/StopSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace qtui {

namespace {

constexpr std::array<int, 3> kStopSignals = {SIGTERM, SIGHUP, SIGINT};

// The pipe's ends, shared with the signal handler; -1 while no instance exists.
int pipeRead = -1;
int pipeWrite = -1;
struct sigaction previous[kStopSignals.size()];
bool installed[kStopSignals.size()] = {};

extern "C" void WriteSignal(int signal) {
  const int savedErrno = errno;
  const auto number = static_cast<unsigned char>(signal);
  // A full pipe already holds a request to end; the lost byte changes nothing.
  [[maybe_unused]] const ssize_t written = ::write(pipeWrite, &number, 1);
  errno = savedErrno;
}

}  // namespace

StopSignals::StopSignals(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {
  if (pipeRead >= 0) throw std::logic_error("StopSignals: only one instance at a time");
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
    throw std::runtime_error(std::string("StopSignals: no pipe: ") + std::strerror(errno));
  }
  pipeRead = ends[0];
  pipeWrite = ends[1];
  notifier_ = new QSocketNotifier(pipeRead, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { Deliver(); });

  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    const int signal = kStopSignals[i];
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    if (signal != SIGTERM && current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    installed[i] = sigaction(signal, &action, &previous[i]) == 0;
  }
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    if (installed[i]) sigaction(kStopSignals[i], &previous[i], nullptr);
    installed[i] = false;
  }
  delete notifier_;
  ::close(pipeRead);
  ::close(pipeWrite);
  pipeRead = -1;
  pipeWrite = -1;
}

void StopSignals::Deliver() {
  unsigned char numbers[16];
  ssize_t count = 0;
  while ((count = ::read(pipeRead, numbers, sizeof numbers)) > 0) {
    for (ssize_t i = 0; i < count; ++i) {
      if (onSignal_) onSignal_(numbers[i]);
    }
  }
}

}  // namespace qtui
