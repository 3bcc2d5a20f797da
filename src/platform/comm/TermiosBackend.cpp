#include "platform/comm/TermiosBackend.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <utility>

#include "platform/comm/TermiosDevice.h"
#include "platform/comm/UucpLock.h"
#include "platform/vb/RuntimeError.h"

namespace comm {
namespace {

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The entry of `folder` named `name` in any letter case; "" when there is none. When several
// spellings exist the first in name order wins, so the choice does not depend on the
// directory's order.
std::string FindAnyCase(const std::string& folder, const std::string& name) {
  std::error_code error;
  std::string found;
  // Stepped with an error code: a folder that fails half-way is searched as far as it could be
  // read, where a range loop would throw out of the caller's handler.
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string entryName = it->path().filename().string();
    if (Lowered(entryName) == name && (found.empty() || entryName < found)) found = entryName;
  }
  return found.empty() ? std::string() : folder + "/" + found;
}

bool DeviceExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0;
}

// The name UUCP lock files use: the base name of the device itself, not of a link to it.
std::string LockName(const std::string& path) {
  std::error_code error;
  std::filesystem::path real = std::filesystem::canonical(path, error);
  return (error ? std::filesystem::path(path) : real).filename().string();
}

}  // namespace

TermiosBackend::TermiosBackend(std::string programFolder)
    : programFolder_(std::move(programFolder)),
      lockFolders_{"/var/lock", "/run/lock", "/var/spool/uucp"} {}

void TermiosBackend::SetLockFolders(std::vector<std::string> folders) {
  lockFolders_ = std::move(folders);
}

std::string TermiosBackend::DevicePath(int port) const {
  if (port < 1) return {};
  std::string link = FindAnyCase(programFolder_, "com" + std::to_string(port));
  if (!link.empty()) return link;
  return "/dev/ttyS" + std::to_string(port - 1);
}

void TermiosBackend::CheckPort(int port) {
  if (!DeviceExists(DevicePath(port))) vb::Raise(vb::err::kInvalidPortNumber);
}

std::unique_ptr<SerialDevice> TermiosBackend::Open(int port, const LineSettings& settings,
                                                   int handshaking) {
  if (handshaking < 0 || handshaking > 3) vb::Raise(vb::err::kInvalidPropertyValue);
  std::string path = DevicePath(port);
  if (!DeviceExists(path)) vb::Raise(vb::err::kInvalidPortNumber);
  if (detail::HeldByUucpLock(lockFolders_, LockName(path))) vb::Raise(vb::err::kPortAlreadyOpen);

  int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    switch (errno) {
      case ENOENT:
      case ENODEV:
      case ENXIO: vb::Raise(vb::err::kInvalidPortNumber);
      case EBUSY: vb::Raise(vb::err::kPortAlreadyOpen);  // TIOCEXCL of another program
      default: vb::Raise(vb::err::kHardwareNotAvailable);
    }
  }
  // The device object owns the descriptor from here on, so every failure below closes it.
  auto device = std::make_unique<detail::TermiosDevice>(fd);
  // TIOCEXCL does not stop root; the lock does.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    vb::Raise(errno == EWOULDBLOCK ? vb::err::kPortAlreadyOpen : vb::err::kHardwareNotAvailable);
  }
  termios probe{};
  if (tcgetattr(fd, &probe) != 0) vb::Raise(vb::err::kHardwareNotAvailable);  // not a terminal
  ioctl(fd, TIOCEXCL);
  device->Apply(settings, handshaking);
  return device;
}

}  // namespace comm
