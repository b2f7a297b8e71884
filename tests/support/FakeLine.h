// An in-memory byte line for driving the communication thread's passes by hand. Each write
// releases the next scripted answer; bytes "arrive" during the next read and are kept until
// read or purged. Every call is traced in a compact form: "Ptr" (purge tx and rx), "Pr"
// (purge rx), "W" (write), "R1", "R100" (reads of that many bytes).
#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "link/ByteLine.h"
#include "link/Codec.h"

namespace tarvo::test {

class FakeLine : public ByteLine {
public:
    void Purge(bool tx, bool rx) override;
    bool Write(const uint8_t* data, size_t n) override;
    size_t Read(uint8_t* buf, size_t n) override;

    // The calls since the last TakeTrace, space-separated.
    std::string TakeTrace();

    std::deque<Bytes> answers;   // one per successful write, in order
    Bytes arriving;              // bytes that arrive during the next read (foreign traffic)
    bool failWrites = false;
    bool throwOnRead = false;
    std::vector<Bytes> written;  // every request that went out

private:
    Bytes input_;
    std::vector<std::string> trace_;
};

}  // namespace tarvo::test
