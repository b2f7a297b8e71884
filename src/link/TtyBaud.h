// Any baud rate on a Linux tty (termios2 with BOTHER), so that 14400 and 28800, which have no
// standard termios constant, run at their real rates. Kept apart from <termios.h>: the kernel's
// termios headers clash with the C library's.
#pragma once

namespace tarvo {

// Sets the input and output speed of the tty `fd` to `baud`; false when the driver refuses.
bool SetTtyBaud(int fd, int baud);
// The output speed the driver reports, or -1.
int TtyBaud(int fd);

}  // namespace tarvo
