// A tty device as the byte line of the bus: termios line format, poll()-based read time-outs,
// and recovery of a port that vanished while open (a USB adapter pulled out and plugged back).
#pragma once

#include <chrono>
#include <string>

#include "link/ByteLine.h"

struct termios;

namespace tarvo {

// Read time-out of an n-byte read: 1 ms per byte requested plus 200 ms.
inline int ReadTimeoutMs(size_t n) { return static_cast<int>(n) + 200; }
// Write time-out of an n-byte write: 10 ms plus 2 ms per byte.
inline int WriteTimeoutMs(size_t n) { return 10 + 2 * static_cast<int>(n); }

// Sets the bus line format on a termios structure: raw, 7 data bits, even parity with checking
// on, 1 stop bit, no flow control, modem lines ignored, reads that never block (the time-outs
// are built on poll()). The speed is left alone.
void ApplyBusLineFormat(termios& t);

class SerialLine : public ByteLine {
public:
    // Opens `path` at `baud`; IsOpen() tells whether that worked and Error() why not. A line
    // that never opened stays failed: writes fail at once, reads wait out their time-out.
    SerialLine(std::string path, int baud);
    ~SerialLine() override;
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Error() const { return error_; }
    int Fd() const { return fd_; }

    void Purge(bool tx, bool rx) override;
    bool Write(const uint8_t* data, size_t n) override;
    size_t Read(uint8_t* buf, size_t n) override;

    // Time between attempts to reopen a port that vanished.
    static constexpr std::chrono::milliseconds RetryInterval{1000};

private:
    using Clock = std::chrono::steady_clock;

    bool Open();
    void Close();
    // The device went away: close it at once (so the kernel frees its name for the adapter
    // when it comes back) and retry later.
    void Lost();
    // Open, or reopened now after a loss (at most once per RetryInterval).
    bool Ready();
    bool WaitWritable(Clock::time_point deadline);

    std::string path_;
    int baud_;
    int fd_ = -1;
    bool wasOpen_ = false;
    Clock::time_point nextRetry_{};
    std::string error_;
};

}  // namespace tarvo
