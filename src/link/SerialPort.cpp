#include "link/SerialPort.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "link/TtyBaud.h"

namespace tarvo {

namespace {

using std::chrono::milliseconds;

// Bits per character on the wire: start, 7 data, parity, stop.
constexpr long BitsPerChar = 10;

int MsUntil(std::chrono::steady_clock::time_point deadline)
{
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero())
        return 0;
    // Round up so that poll() does not return a hair before the deadline and spin.
    return static_cast<int>(std::chrono::ceil<milliseconds>(left).count());
}

// RTS raised only while sending, for converters whose transmit direction follows RTS. Drivers
// without RS-485 support (pseudo-terminals, most USB adapters, which switch by themselves)
// refuse the request; that is fine.
void EnableRs485(int fd)
{
    serial_rs485 rs{};
    if (ioctl(fd, TIOCGRS485, &rs) != 0)
        return;
    rs.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
    rs.flags &= ~static_cast<__u32>(SER_RS485_RTS_AFTER_SEND);
    ioctl(fd, TIOCSRS485, &rs);
}

}  // namespace

void ApplyBusLineFormat(termios& t)
{
    cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARODD | CMSPAR | CRTSCTS);
    t.c_cflag |= CS7 | PARENB | CREAD | CLOCAL;
    // With parity checking on and neither IGNPAR nor PARMRK, a character that arrives with a
    // parity error reads as 0, which the reply judge rejects.
    t.c_iflag &= ~static_cast<tcflag_t>(IGNPAR | PARMRK | ISTRIP | IXON | IXOFF | IXANY);
    t.c_iflag |= INPCK;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

SerialLine::SerialLine(std::string path, int baud) : path_(std::move(path)), baud_(baud > 0 ? baud : 9600)
{
    Open();
}

SerialLine::~SerialLine() { Close(); }

bool SerialLine::Open()
{
    const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error_ = std::strerror(errno);
        return false;
    }
    // Not shared: flock keeps out every other user of the port (root included), TIOCEXCL
    // keeps out other programs that do not lock.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error_ = errno == EWOULDBLOCK ? "the port is in use" : std::strerror(errno);
        ::close(fd);
        return false;
    }
    termios t;
    if (tcgetattr(fd, &t) != 0) {
        error_ = "not a serial port";
        ::close(fd);
        return false;
    }
    ioctl(fd, TIOCEXCL);
    // A driver that refuses part of the settings keeps what it accepted.
    ApplyBusLineFormat(t);
    tcsetattr(fd, TCSANOW, &t);
    SetTtyBaud(fd, baud_);
    // DTR is not used by the bus: opening a tty raises it, so it is dropped again.
    int dtr = TIOCM_DTR;
    ioctl(fd, TIOCMBIC, &dtr);
    EnableRs485(fd);
    tcflush(fd, TCIOFLUSH);
    fd_ = fd;
    wasOpen_ = true;
    error_.clear();
    return true;
}

void SerialLine::Close()
{
    if (fd_ < 0)
        return;
    ioctl(fd_, TIOCNXCL);  // the exclusive flag would outlive us while someone else holds the tty
    ::close(fd_);
    fd_ = -1;
}

void SerialLine::Lost()
{
    Close();
    error_ = "the port has gone away";
    nextRetry_ = Clock::now() + RetryInterval;
}

bool SerialLine::Ready()
{
    if (fd_ >= 0)
        return true;
    if (!wasOpen_ || Clock::now() < nextRetry_)
        return false;
    nextRetry_ = Clock::now() + RetryInterval;
    return Open();
}

void SerialLine::Purge(bool tx, bool rx)
{
    if (fd_ < 0 || (!tx && !rx))
        return;
    const int what = tx && rx ? TCIOFLUSH : tx ? TCOFLUSH : TCIFLUSH;
    if (tcflush(fd_, what) != 0)
        Lost();
}

bool SerialLine::WaitWritable(Clock::time_point deadline)
{
    for (;;) {
        const int ms = MsUntil(deadline);
        if (ms == 0)
            return false;
        pollfd p{fd_, POLLOUT, 0};
        const int r = poll(&p, 1, ms);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
            Lost();
            return false;
        }
        if (p.revents & POLLOUT)
            return true;
    }
}

bool SerialLine::Write(const uint8_t* data, size_t n)
{
    if (!Ready())
        return false;
    const auto deadline = Clock::now() + milliseconds(WriteTimeoutMs(n));
    size_t sent = 0;
    while (sent < n) {
        const ssize_t k = ::write(fd_, data + sent, n - sent);
        if (k > 0) {
            sent += static_cast<size_t>(k);
            continue;
        }
        if (k < 0 && errno == EINTR)
            continue;
        if (k < 0 && errno == EAGAIN) {
            if (!WaitWritable(deadline))
                return false;
            continue;
        }
        Lost();
        return false;
    }
    // write() returns as soon as the bytes are queued. Give them the time they need on the
    // wire, so that the reply time-out counts from the end of the request, as the controller's
    // answer does (a request takes 125 ms to go out at 1200 baud).
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(n) * BitsPerChar * 1000000L / baud_));
    return true;
}

size_t SerialLine::Read(uint8_t* buf, size_t n)
{
    const auto deadline = Clock::now() + milliseconds(ReadTimeoutMs(n));
    size_t got = 0;
    if (Ready()) {
        while (got < n) {
            const int ms = MsUntil(deadline);
            if (ms == 0)
                break;
            pollfd p{fd_, POLLIN, 0};
            const int r = poll(&p, 1, ms);
            if (r < 0 && errno == EINTR)
                continue;
            if (r == 0)
                break;
            if (r > 0 && (p.revents & POLLIN)) {
                const ssize_t k = ::read(fd_, buf + got, n - got);
                if (k > 0) {
                    got += static_cast<size_t>(k);
                    continue;
                }
                if (k < 0 && (errno == EAGAIN || errno == EINTR))
                    continue;
                // 0 after POLLIN is the end of the device (hang-up).
            }
            Lost();
            break;
        }
    }
    // A port that is failed or has just gone away answers like a silent line: only after the
    // time-out, so the thread does not spin on it.
    if (fd_ < 0)
        std::this_thread::sleep_until(deadline);
    return got;
}

}  // namespace tarvo
