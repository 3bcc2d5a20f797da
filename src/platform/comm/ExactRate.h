// The kernel's arbitrary-rate interface (termios2 with BOTHER), for rates outside the classic
// termios table. Kept apart because the kernel's termios header clashes with <termios.h>.
#pragma once

namespace comm::detail {

// Sets input and output speed of the open terminal `fd` to `baud` bits per second, leaving
// every other setting as it is. Returns 0, or the errno of the failing call.
int SetExactRate(int fd, int baud);

// The speed the kernel reports for `fd` in bits per second, the output speed or, with `input`,
// the input speed; -1 when it cannot be read.
int ReadExactRate(int fd, bool input = false);

}  // namespace comm::detail
