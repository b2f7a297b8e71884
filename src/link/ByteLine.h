// The byte device under the communication thread: a serial port, a pseudo-terminal, or an
// in-memory line in tests.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvo {

class ByteLine {
public:
    virtual ~ByteLine() = default;
    // Discards bytes waiting to go out (tx) and/or bytes received but not read (rx).
    virtual void Purge(bool tx, bool rx) = 0;
    // Sends all n bytes; false when they could not all go out.
    virtual bool Write(const uint8_t* data, size_t n) = 0;
    // Reads up to n bytes; returns when n have arrived or when the read time-out
    // (1 ms per requested byte + 200 ms) has run out. Returns the count read.
    virtual size_t Read(uint8_t* buf, size_t n) = 0;
};

}  // namespace tarvo
