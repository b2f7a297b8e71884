// Helpers shared by the simulator tests: requests through a SimBus and the PC side's judgement
// of a reply.
#pragma once

#include <string>

#include "SimBus.h"
#include "device/ParamDesc.h"
#include "link/Codec.h"

namespace tarvo::sim::test {

inline Bytes ReadReq(SimBus& bus, int group, int unit, const std::string& mnemonic, double now = 0)
{
    return bus.Transact(BuildReadRequest(static_cast<uint8_t>(group), static_cast<uint8_t>(unit), mnemonic), now);
}

inline Bytes WriteReq(SimBus& bus, int group, int unit, const std::string& mnemonic, const std::string& value,
                      double now = 0, int mode = AddressOwn)
{
    return bus.Transact(
        BuildWriteRequest(static_cast<uint8_t>(group), static_cast<uint8_t>(unit), mode, mnemonic, value), now);
}

// Judges a reply as the PC does: the communication thread's byte rules (first byte with bit 7
// cleared, at most 12 characters of 0x20..0x7A, block check), then ParseReadReply.
inline ReadReply Judge(const Bytes& reply, const DeviceTypeInfo& type, const std::string& mnemonic)
{
    ReadReply r;
    const int i = type.IndexOf(mnemonic);
    const ParamDesc& d = type.Params[i < 0 ? 0 : i];
    if (reply.empty()) {
        r.status = LinkTimeout;
        return r;
    }
    const uint8_t first = reply[0] & 0x7F;
    if (first == EOT || first == ACK || first == NAK)
        return ParseReadReply(Bytes{first}, mnemonic, d.ValueKind, d.MinValue, d.MaxValue, d.HasChoices());
    if (first != STX) {
        r.status = LinkProtocol;
        return r;
    }
    uint8_t x = 0;
    for (size_t k = 1, budget = 12; k < reply.size(); ++k) {
        const uint8_t b = reply[k];
        if (b == ETX) {
            if (k + 1 >= reply.size()) {
                r.status = LinkTimeout;
                return r;
            }
            if ((x ^ ETX ^ reply[k + 1]) != 0) {
                r.status = LinkChecksum;
                return r;
            }
            Bytes frame(reply.begin(), reply.begin() + static_cast<long>(k + 2));
            frame[0] = STX;
            return ParseReadReply(frame, mnemonic, d.ValueKind, d.MinValue, d.MaxValue, d.HasChoices());
        }
        if (b < 0x20 || b > 0x7A || budget == 0) {
            r.status = LinkFormat;
            return r;
        }
        --budget;
        x ^= b;
    }
    r.status = LinkTimeout;
    return r;
}

// The value text a read returns ("" when the reply is not an accepted data reply).
inline std::string ReadValue(SimBus& bus, int group, int unit, const std::string& mnemonic, double now = 0)
{
    SimDevice* d = bus.Find(group, unit);
    const ReadReply r = Judge(ReadReq(bus, group, unit, mnemonic, now), d->Type(), mnemonic);
    return r.status == LinkOk && r.hasValue ? r.text : std::string();
}

inline double ReadNumber(SimBus& bus, int group, int unit, const std::string& mnemonic, double now = 0)
{
    double v = 0;
    ParseDecimal(ReadValue(bus, group, unit, mnemonic, now), v);
    return v;
}

// Status digit n (1..4) of a read of "SW".
inline int StatusDigit(SimBus& bus, int group, int unit, int n, double now = 0)
{
    return StatusWord::Digit(ReadValue(bus, group, unit, "SW", now), n);
}

// "PR" as the programmer panel decodes it.
struct ProgrammerStatus {
    int segment;
    int program;
    int q;
};
inline ProgrammerStatus DecodePR(const std::string& pr)
{
    auto low4 = [&](size_t k) { return k < pr.size() ? (pr[k] & 0x0F) : 0; };
    return {low4(2), low4(3), low4(4)};
}

}  // namespace tarvo::sim::test
