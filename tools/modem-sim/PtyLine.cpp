#include "modem-sim/PtyLine.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace modemsim {

namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

constexpr int kClosedRecheckMs = 100;

// The path the server opens as port N: the entry of the folder named comN in any letter case,
// the first in name order when several are (as the server picks it), else <folder>/comN.
// Every such entry must be a symbolic link, which the simulator may replace; any other file
// of that name is the operator's, and the simulator refuses to start.
std::string PortLinkPath(const std::string& folder, int port) {
  const std::string wanted = "com" + std::to_string(port);
  std::string chosen;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    std::string lowered = name;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lowered != wanted) continue;
    std::error_code linkError;
    if (!it->is_symlink(linkError)) {
      throw std::runtime_error(folder + "/" + name + " exists and is not a link; not replacing it");
    }
    if (chosen.empty() || name < chosen) chosen = name;
  }
  return folder + "/" + (chosen.empty() ? wanted : chosen);
}

}  // namespace

int PtyLine::OpenRawPty(std::string& slavePath) {
  int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master < 0) Fail("cannot open a pseudo-terminal");
  char name[128];
  if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
    int saved = errno;
    ::close(master);
    errno = saved;
    Fail("cannot set up the pseudo-terminal");
  }
  slavePath = name;
  // Raw from the start, so that a program that sets only what it needs gets no line editing.
  // Opening and closing the slave once also puts the master in the state it is in after every
  // close (it reports a hang-up until the next open); a never-opened slave reports nothing.
  int slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (slave < 0) {
    int saved = errno;
    ::close(master);
    errno = saved;
    Fail("cannot open " + slavePath);
  }
  termios settings{};
  if (tcgetattr(slave, &settings) == 0) {
    cfmakeraw(&settings);
    tcsetattr(slave, TCSANOW, &settings);
  }
  ::close(slave);
  return master;
}

bool PtyLine::Link(const std::string& slavePath) const {
  std::string temporary = linkPath_ + ".new" + std::to_string(getpid());
  ::unlink(temporary.c_str());
  if (symlink(slavePath.c_str(), temporary.c_str()) == 0 && rename(temporary.c_str(), linkPath_.c_str()) == 0) {
    return true;
  }
  int saved = errno;
  ::unlink(temporary.c_str());
  errno = saved;
  return false;
}

bool PtyLine::LinkIsOurs() const {
  char target[256];
  ssize_t length = readlink(linkPath_.c_str(), target, sizeof target - 1);
  return length > 0 && std::string(target, static_cast<std::size_t>(length)) == slavePath_;
}

PtyLine::PtyLine(const std::string& folder, int port) : linkPath_(PortLinkPath(folder, port)) {
  master_ = OpenRawPty(slavePath_);
  if (!Link(slavePath_)) {
    int saved = errno;
    ::close(master_);
    errno = saved;
    Fail("cannot link " + linkPath_);
  }
}

PtyLine::~PtyLine() {
  if (LinkIsOurs()) ::unlink(linkPath_.c_str());
  ::close(master_);
}

void PtyLine::Renew() {
  std::string freshPath;
  int fresh = -1;
  try {
    fresh = OpenRawPty(freshPath);
  } catch (const std::runtime_error& error) {
    // Keep the old line: it still serves a program allowed past its exclusive-use flag.
    std::cerr << "modem-sim: " << error.what() << std::endl;
    return;
  }
  if (!LinkIsOurs()) {
    ::close(fresh);
    return;
  }
  if (!Link(freshPath)) {
    std::cerr << "modem-sim: cannot link " << linkPath_ << ": " << std::strerror(errno) << std::endl;
    ::close(fresh);
    return;
  }
  // A program that opened the port again before the link moved has the old slave: closing
  // its master now would cut it off, so the old line stays and the link goes back to it.
  pollfd old{master_, POLLIN, 0};
  if (::poll(&old, 1, 0) == 0 || !(old.revents & POLLHUP)) {
    Link(slavePath_);
    ::close(fresh);
    return;
  }
  ::close(master_);
  master_ = fresh;
  slavePath_ = freshPath;
}

bool PtyLine::ReadAll(std::string& into) {
  char buffer[4096];
  while (true) {
    ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n > 0) {
      for (ssize_t i = 0; i < n; ++i) into += static_cast<char>(buffer[i] & 0x7f);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // EIO: nobody has the slave open any more.
    return n < 0 && errno == EIO;
  }
}

LineActivity PtyLine::Wait(int timeoutMs, const sigset_t* waitMask) {
  LineActivity activity;
  Flush();
  pollfd master{master_, POLLIN, 0};
  timespec timeout{};
  if (peerOpen_) {
    timeout = {timeoutMs / 1000, (timeoutMs % 1000) * 1000000L};
    if (ppoll(&master, 1, &timeout, waitMask) <= 0) return activity;
  } else {
    int wait = std::min(timeoutMs, kClosedRecheckMs);
    timeout = {wait / 1000, (wait % 1000) * 1000000L};
    if (wait > 0) ppoll(nullptr, 0, &timeout, waitMask);
    timeout = {0, 0};
    if (ppoll(&master, 1, &timeout, nullptr) < 0) return activity;
  }

  bool hungUp = (master.revents & POLLHUP) != 0;
  if (master.revents & POLLIN) hungUp = ReadAll(activity.received) || hungUp;

  if (!peerOpen_ && (!hungUp || !activity.received.empty())) activity.opened = true;
  if (hungUp) {
    activity.closed = peerOpen_ || activity.opened;
    peerOpen_ = false;
    pending_.clear();
    if (activity.closed) Renew();
  } else {
    peerOpen_ = true;
    Flush();
  }
  return activity;
}

void PtyLine::Write(std::string_view bytes) {
  if (!peerOpen_) return;
  pending_ += bytes;
  Flush();
}

void PtyLine::Flush() {
  if (!peerOpen_) {
    pending_.clear();
    return;
  }
  while (!pending_.empty()) {
    ssize_t n = ::write(master_, pending_.data(), pending_.size());
    if (n > 0) {
      pending_.erase(0, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return;  // the pty is full (or gone): try again later
    }
  }
}

}  // namespace modemsim
