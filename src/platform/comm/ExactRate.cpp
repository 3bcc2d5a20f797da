#include "platform/comm/ExactRate.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>

// <sys/ioctl.h> drags in the C library's terminal types, which collide with the kernel's.
extern "C" int ioctl(int fd, unsigned long request, ...);

namespace comm::detail {

int SetExactRate(int fd, int baud) {
  struct termios2 settings {};
  if (ioctl(fd, TCGETS2, &settings) != 0) return errno;
  settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  settings.c_ispeed = static_cast<speed_t>(baud);
  settings.c_ospeed = static_cast<speed_t>(baud);
  if (ioctl(fd, TCSETS2, &settings) != 0) return errno;
  return 0;
}

int ReadExactRate(int fd, bool input) {
  struct termios2 settings {};
  if (ioctl(fd, TCGETS2, &settings) != 0) return -1;
  return static_cast<int>(input ? settings.c_ispeed : settings.c_ospeed);
}

}  // namespace comm::detail
