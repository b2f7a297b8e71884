// Request frames, reply judging and one-byte link status codes of the controller bus.
// Pure data handling: builds byte vectors and judges byte vectors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvo {

using Bytes = std::vector<uint8_t>;

// Control and special characters of the frames.
enum : uint8_t {
    STX = 0x02,
    ETX = 0x03,
    EOT = 0x04,
    ENQ = 0x05,
    ACK = 0x06,
    NAK = 0x15,
    WildcardDigit = '~',
    HexWordPrefix = '>',
};

// One-byte results of an exchange, passed around by the whole device link.
enum LinkStatus : uint8_t {
    LinkOk = 128,
    LinkChecksum = 129,
    LinkMnemonic = 130,
    LinkTimeout = 131,
    LinkProtocol = 132,
    LinkFormat = 133,
    LinkOffline = 134,
};

// Label shown on the device panel for each status, indexed by code - 128.
extern const char* const StatusNames[7];
// The label of a status code ("" for codes outside 128..134).
const char* StatusName(uint8_t status);

// Address field of a request: own address, all devices of the group, all devices.
enum AddressMode { AddressOwn = 0, AddressGroup = 1, AddressNetwork = 2 };

// Value kinds of a parameter descriptor.
enum ValueKindCode { KindHexWord = 0, KindNumber = 1, KindText = 2 };

Bytes BuildReadRequest(uint8_t group, uint8_t unit, const std::string& mnemonic);
Bytes BuildWriteRequest(uint8_t group, uint8_t unit, int addressMode, const std::string& mnemonic,
                        const std::string& value);
// As BuildWriteRequest, but the value is always '>' and exactly four characters: the text's
// first four, padded with '0' at the end when shorter.
Bytes BuildHexWordWriteRequest(uint8_t group, uint8_t unit, int addressMode, const std::string& mnemonic,
                               const std::string& value);

// XOR of the given bytes (the block check is this over everything after STX up to and including ETX).
uint8_t BlockCheck(const uint8_t* data, size_t n);

// A data reply frame as a controller sends it: STX, mnemonic, value, ETX, BCC.
Bytes BuildDataReply(const std::string& mnemonic, const std::string& value);

struct ReadReply {
    uint8_t status = LinkOk;
    bool hasValue = false;  // a data reply whose value was accepted
    std::string text;       // the value text (when hasValue)
    double number = 0.0;    // its number (ValueKind 1 only)
};

// Judges a reply to a read of `mnemonic`.
ReadReply ParseReadReply(const Bytes& reply, const std::string& mnemonic, int valueKind, float minValue,
                         float maxValue, bool hasChoices);

// Converts a decimal text with '.' as separator (blanks around it allowed); false when it is not one.
bool ParseDecimal(const std::string& text, double& out);

// "04 30 30 ..." upper-case hex of the bytes, each followed by a space.
std::string HexDump(const Bytes& bytes);

}  // namespace tarvo
