#include "modem-sim/PageLog.h"

#include <fcntl.h>
#include <unistd.h>

namespace modemsim {

namespace {

std::string Escaped(const std::string& field) {
  std::string out;
  for (char c : field) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string FormatPageLine(const AcceptedPage& page, std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  return std::string(stamp) + "\t" + Escaped(page.dialed) + "\t" + Escaped(page.unit) + "\t" + Escaped(page.text) + "\n";
}

bool PageLog::Append(const AcceptedPage& page, std::time_t when) const {
  std::string line = FormatPageLine(page, when);
  int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  ssize_t written = ::write(fd, line.data(), line.size());
  bool ok = written == static_cast<ssize_t>(line.size());
  ok = ::close(fd) == 0 && ok;
  return ok;
}

}  // namespace modemsim
