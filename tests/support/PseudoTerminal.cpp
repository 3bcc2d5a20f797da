#include "support/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <stdexcept>

namespace testing_support {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0) throw std::runtime_error("posix_openpt failed");
  char name[128];
  if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
    close(master_);
    throw std::runtime_error("cannot set up the pseudo-terminal");
  }
  slavePath_ = name;
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() {
  if (slave_ >= 0) close(slave_);
  CloseMaster();
}

std::string PseudoTerminal::LinkInto(const std::string& folder, int port) const {
  return LinkInto(folder, "com" + std::to_string(port));
}

std::string PseudoTerminal::LinkInto(const std::string& folder, const std::string& name) const {
  std::string link = folder + "/" + name;
  std::error_code ignored;
  std::filesystem::remove(link, ignored);
  std::filesystem::create_symlink(slavePath_, link);
  return link;
}

int PseudoTerminal::HoldSlave() {
  if (slave_ < 0) {
    slave_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0) throw std::runtime_error("cannot open the pseudo-terminal's slave");
  }
  return slave_;
}

bool PseudoTerminal::Write(std::string_view bytes, int timeoutMs) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!bytes.empty() && master_ >= 0) {
    ssize_t n = write(master_, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return false;
    int left = MillisecondsLeft(deadline);
    if (left == 0) return false;
    pollfd watch{master_, POLLOUT, 0};
    poll(&watch, 1, std::min(left, 10));
  }
  return bytes.empty();
}

std::string PseudoTerminal::Read(int timeoutMs) { return ReadCount(1, timeoutMs); }

std::string PseudoTerminal::ReadCount(std::size_t count, int timeoutMs) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string received;
  char buffer[4096];
  while (master_ >= 0) {
    ssize_t n = read(master_, buffer, sizeof buffer);
    if (n > 0) {
      received.append(buffer, static_cast<std::size_t>(n));
      continue;  // take everything available before deciding
    }
    if (n < 0 && errno == EINTR) continue;
    if (received.size() >= count) break;
    int left = MillisecondsLeft(deadline);
    if (left == 0) break;
    // While the slave is not open the master reports a hang-up at once; a short pause then
    // keeps the wait from turning into a busy loop.
    pollfd watch{master_, POLLIN, 0};
    if (poll(&watch, 1, left) > 0 && !(watch.revents & POLLIN)) poll(nullptr, 0, std::min(left, 5));
  }
  return received;
}

std::string PseudoTerminal::ReadUntil(std::string_view text, int timeoutMs) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string received;
  while (received.find(text) == std::string::npos) {
    int left = MillisecondsLeft(deadline);
    if (left == 0) break;
    received += ReadCount(1, left);
  }
  return received;
}

void PseudoTerminal::CloseMaster() {
  if (master_ >= 0) close(master_);
  master_ = -1;
}

}  // namespace testing_support
