#include "platform/comm/UucpLock.h"

#include <signal.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>

namespace comm::detail {
namespace {

bool LooksLikeText(const std::string& content) {
  bool digit = false;
  for (char c : content) {
    auto byte = static_cast<unsigned char>(c);
    if (std::isdigit(byte)) {
      digit = true;
    } else if (!std::isspace(byte)) {
      return false;
    }
  }
  return digit;
}

bool ProcessIsAlive(int pid) {
  // EPERM: the process exists but belongs to someone else.
  return kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace

std::optional<int> LockOwner(const std::string& content) {
  long long pid = 0;
  if (LooksLikeText(content)) {
    std::istringstream in(content);
    if (!(in >> pid)) return std::nullopt;
  } else if (content.size() == sizeof(std::int32_t)) {
    std::int32_t binary = 0;
    std::memcpy(&binary, content.data(), sizeof binary);
    pid = binary;
  } else {
    return std::nullopt;
  }
  if (pid <= 0 || pid > INT32_MAX) return std::nullopt;
  return static_cast<int>(pid);
}

bool HeldByUucpLock(const std::vector<std::string>& folders, const std::string& deviceName) {
  if (deviceName.empty()) return false;
  for (const std::string& folder : folders) {
    std::ifstream in(folder + "/LCK.." + deviceName, std::ios::binary);
    if (!in) continue;
    std::ostringstream content;
    content << in.rdbuf();
    std::optional<int> owner = LockOwner(content.str().substr(0, 64));
    if (owner && ProcessIsAlive(*owner)) return true;
  }
  return false;
}

}  // namespace comm::detail
