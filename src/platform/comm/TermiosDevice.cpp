#include "platform/comm/TermiosDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "platform/comm/ExactRate.h"
#include "platform/vb/RuntimeError.h"

namespace comm::detail {
namespace {

struct ClassicRate {
  int baud;
  speed_t code;
};

constexpr ClassicRate kClassicRates[] = {
    {110, B110},       {300, B300},       {600, B600},       {1200, B1200},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},
    {38400, B38400},   {57600, B57600},   {115200, B115200}, {230400, B230400},
};

// 0 for a rate outside the classic table.
speed_t ClassicCode(int baud) {
  for (const ClassicRate& rate : kClassicRates) {
    if (rate.baud == baud) return rate.code;
  }
  return 0;
}

tcflag_t SizeFlag(int dataBits) {
  switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
  }
}

void MakeRaw(termios& t, const LineSettings& settings, int handshaking) {
  t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                 IXOFF | IXANY | IMAXBEL);
  t.c_iflag |= IGNPAR;
  if (settings.dataBits < 8) t.c_iflag |= ISTRIP;
  if (handshaking == 1 || handshaking == 3) t.c_iflag |= IXON | IXOFF;

  t.c_oflag &= ~OPOST;
  t.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);

  t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  t.c_cflag |= SizeFlag(settings.dataBits) | CLOCAL | CREAD | HUPCL;
  switch (settings.parity) {
    case 'e': t.c_cflag |= PARENB; break;
    case 'o': t.c_cflag |= PARENB | PARODD; break;
    case 'm': t.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case 's': t.c_cflag |= PARENB | CMSPAR; break;
    default: break;
  }
  if (settings.stopBits == 2) t.c_cflag |= CSTOPB;
  if (handshaking == 2 || handshaking == 3) t.c_cflag |= CRTSCTS;

  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
}

// Whether the device holds what we asked for, character size and parity aside.
bool TookEffect(const termios& wanted, const termios& got) {
  constexpr tcflag_t kInput = IGNBRK | BRKINT | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL |
                              IXON | IXOFF | IXANY;
  constexpr tcflag_t kControl = CSTOPB | CRTSCTS | CLOCAL | CREAD | HUPCL;
  constexpr tcflag_t kLocal = ECHO | ECHONL | ICANON | ISIG | IEXTEN;
  return (wanted.c_iflag & kInput) == (got.c_iflag & kInput) &&
         (wanted.c_oflag & OPOST) == (got.c_oflag & OPOST) &&
         (wanted.c_cflag & kControl) == (got.c_cflag & kControl) &&
         (wanted.c_lflag & kLocal) == (got.c_lflag & kLocal) &&
         wanted.c_cc[VMIN] == got.c_cc[VMIN] && wanted.c_cc[VTIME] == got.c_cc[VTIME];
}

// A driver may round an arbitrary rate to what its clock can make; a serial line tolerates a
// few per cent.
bool RateClose(int wanted, int got) { return got > 0 && std::abs(got - wanted) * 100 <= wanted * 3; }

bool Vanished(int error) { return error == EIO || error == ENXIO || error == ENODEV || error == EPIPE; }

// How often a wait for the output looks at the driver's queue.
constexpr int kDrainPollMs = 5;

}  // namespace

TermiosDevice::TermiosDevice(int fd) : fd_(fd) {}

TermiosDevice::~TermiosDevice() { Close(); }

void TermiosDevice::Apply(const LineSettings& settings, int handshaking) {
  if (handshaking < 0 || handshaking > 3) vb::Raise(vb::err::kInvalidPropertyValue);
  if (fd_ < 0) vb::Raise(vb::err::kCouldNotSetCommState);

  termios before{};
  if (tcgetattr(fd_, &before) != 0) vb::Raise(vb::err::kCouldNotSetCommState);
  termios wanted = before;
  MakeRaw(wanted, settings, handshaking);
  speed_t classic = ClassicCode(settings.baud);
  if (classic != 0) {
    // A separate input speed left over from an arbitrary rate would outlive the change.
    wanted.c_cflag &= ~CIBAUD;
    cfsetispeed(&wanted, classic);
    cfsetospeed(&wanted, classic);
  }

  // The result of tcsetattr alone proves nothing either way: it reports success when only
  // part of the settings took, and some devices report EINVAL for settings they did take.
  // What the device holds afterwards decides.
  tcsetattr(fd_, TCSANOW, &wanted);
  bool took = false;
  if (classic != 0 || SetExactRate(fd_, settings.baud) == 0) {
    termios now{};
    took = tcgetattr(fd_, &now) == 0 && TookEffect(wanted, now) &&
           RateClose(settings.baud, ReadExactRate(fd_)) &&
           RateClose(settings.baud, ReadExactRate(fd_, true));
  }
  if (!took) {
    tcsetattr(fd_, TCSANOW, &before);
    vb::Raise(vb::err::kCouldNotSetCommState);
  }
  settings_ = settings;
}

void TermiosDevice::Write(std::string_view bytes) {
  if (fd_ < 0) vb::Raise(vb::err::kDeviceIOError);
  pending_.append(bytes);
  if (!FlushPending()) vb::Raise(vb::err::kDeviceIOError);
}

std::string TermiosDevice::ReadAvailable() {
  if (fd_ < 0) vb::Raise(vb::err::kErrorReadingCommDevice);
  bool writable = FlushPending();

  std::string received;
  char buffer[4096];
  for (;;) {
    ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n > 0) {
      received.append(buffer, static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      // What arrived before the failure is delivered; the next read reports it.
      if (received.empty()) vb::Raise(vb::err::kErrorReadingCommDevice);
      return received;
    }
    break;
  }
  if (!received.empty()) return received;

  // A read of nothing is also what a hung-up terminal gives; poll tells the two apart.
  pollfd watch{fd_, POLLIN, 0};
  if (!writable || (poll(&watch, 1, 0) > 0 && (watch.revents & (POLLHUP | POLLERR | POLLNVAL)))) {
    vb::Raise(vb::err::kErrorReadingCommDevice);
  }
  return received;
}

std::size_t TermiosDevice::OutputQueued() {
  if (fd_ < 0 || !FlushPending()) vb::Raise(vb::err::kDeviceIOError);
  int queued = 0;
  if (ioctl(fd_, TIOCOUTQ, &queued) != 0) {
    if (Vanished(errno)) vb::Raise(vb::err::kDeviceIOError);
    queued = 0;
  }
  return pending_.size() + static_cast<std::size_t>(std::max(queued, 0));
}

bool TermiosDevice::WaitOutputSent(int maxMs) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(maxMs, 0));
  for (;;) {
    if (OutputQueued() == 0) return true;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    const int step = static_cast<int>(std::min<long long>(left, kDrainPollMs));
    if (pending_.empty()) {
      poll(nullptr, 0, step);
    } else {
      pollfd watch{fd_, POLLOUT, 0};
      poll(&watch, 1, step);
    }
  }
}

void TermiosDevice::DiscardOutput() {
  pending_.clear();
  if (fd_ >= 0) tcflush(fd_, TCOFLUSH);
}

void TermiosDevice::Close() {
  if (fd_ < 0) return;
  FlushPending();
  pending_.clear();
  DrainBriefly();
  // Some terminals (a pseudo-terminal among them) keep the exclusive mode after the last
  // close, which would lock out our own next open.
  ioctl(fd_, TIOCNXCL);
  close(fd_);
  fd_ = -1;
}

void TermiosDevice::CloseDroppingLine() {
  if (fd_ < 0) return;
  pending_.clear();
  tcflush(fd_, TCOFLUSH);
  int dtr = TIOCM_DTR;
  ioctl(fd_, TIOCMBIC, &dtr);  // a device without modem lines (a pseudo-terminal) refuses it
  ioctl(fd_, TIOCNXCL);
  close(fd_);
  fd_ = -1;
}

bool TermiosDevice::FlushPending() {
  std::size_t sent = 0;
  bool alive = true;
  while (sent < pending_.size()) {
    ssize_t n = write(fd_, pending_.data() + sent, pending_.size() - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && Vanished(errno)) {
      alive = false;
      sent = pending_.size();
    } else {
      break;  // EAGAIN: the device takes no more for now
    }
  }
  pending_.erase(0, sent);
  return alive;
}

void TermiosDevice::DrainBriefly() {
  int queued = 0;
  if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) return;
  // What the rate needs, plus a little slack; never more than half a second.
  const auto budgetMs = std::min<std::int64_t>(500, 50 + SendTimeMs(settings_, static_cast<std::size_t>(queued)));
  try {
    if (WaitOutputSent(static_cast<int>(budgetMs))) return;
  } catch (const vb::RuntimeError&) {
    // Vanished while draining: nothing left to flush.
    return;
  }
  tcflush(fd_, TCOFLUSH);
}

}  // namespace comm::detail
