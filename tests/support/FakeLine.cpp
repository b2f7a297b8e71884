#include "support/FakeLine.h"

#include <algorithm>

namespace tarvo::test {

void FakeLine::Purge(bool tx, bool rx)
{
    trace_.push_back(std::string("P") + (tx ? "t" : "") + (rx ? "r" : ""));
    if (rx)
        input_.clear();
}

bool FakeLine::Write(const uint8_t* data, size_t n)
{
    trace_.push_back("W");
    if (failWrites)
        return false;
    written.emplace_back(data, data + n);
    if (!answers.empty()) {
        arriving.insert(arriving.end(), answers.front().begin(), answers.front().end());
        answers.pop_front();
    }
    return true;
}

size_t FakeLine::Read(uint8_t* buf, size_t n)
{
    trace_.push_back("R" + std::to_string(n));
    if (throwOnRead)
        throw std::runtime_error("line broke");
    input_.insert(input_.end(), arriving.begin(), arriving.end());
    arriving.clear();
    const size_t k = std::min(n, input_.size());
    std::copy_n(input_.begin(), k, buf);
    input_.erase(input_.begin(), input_.begin() + static_cast<long>(k));
    return k;
}

std::string FakeLine::TakeTrace()
{
    std::string s;
    for (const std::string& t : trace_)
        s += (s.empty() ? "" : " ") + t;
    trace_.clear();
    return s;
}

}  // namespace tarvo::test
