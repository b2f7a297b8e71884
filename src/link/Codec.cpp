#include "link/Codec.h"

#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace tarvo {

const char* const StatusNames[7] = {"", "CHESK_SUM", "MNEMONIK", "TIME_OUT", "PROTOKOL", "FORMAT", "OFFLINE"};

const char* StatusName(uint8_t status)
{
    if (status < LinkOk || status > LinkOffline)
        return "";
    return StatusNames[status - LinkOk];
}

namespace {

uint8_t DigitByte(uint8_t digit) { return static_cast<uint8_t>(digit | 0x30); }

void AppendAddress(Bytes& out, uint8_t group, uint8_t unit, int mode)
{
    const uint8_t wild = WildcardDigit;
    const uint8_t g = mode == AddressNetwork ? wild : DigitByte(group);
    const uint8_t u = mode == AddressOwn ? DigitByte(unit) : wild;
    out.insert(out.end(), {g, g, u, u});
}

void AppendMnemonic(Bytes& out, const std::string& mnemonic)
{
    if (mnemonic.empty())
        out.push_back(0);  // at least one character always goes out
    else
        out.insert(out.end(), mnemonic.begin(), mnemonic.end());
}

Bytes WriteFrame(uint8_t group, uint8_t unit, int mode, const std::string& mnemonic, const std::string& value)
{
    Bytes out;
    out.reserve(8 + mnemonic.size() + value.size());
    out.push_back(EOT);
    AppendAddress(out, group, unit, mode);
    out.push_back(STX);
    const size_t textStart = out.size();
    AppendMnemonic(out, mnemonic);
    out.insert(out.end(), value.begin(), value.end());
    out.push_back(ETX);
    out.push_back(BlockCheck(out.data() + textStart, out.size() - textStart));
    return out;
}

}  // namespace

uint8_t BlockCheck(const uint8_t* data, size_t n)
{
    uint8_t x = 0;
    for (size_t i = 0; i < n; ++i)
        x ^= data[i];
    return x;
}

Bytes BuildReadRequest(uint8_t group, uint8_t unit, const std::string& mnemonic)
{
    Bytes out;
    out.reserve(6 + mnemonic.size());
    out.push_back(EOT);
    AppendAddress(out, group, unit, AddressOwn);
    AppendMnemonic(out, mnemonic);
    out.push_back(ENQ);
    return out;
}

Bytes BuildWriteRequest(uint8_t group, uint8_t unit, int addressMode, const std::string& mnemonic,
                        const std::string& value)
{
    return WriteFrame(group, unit, addressMode, mnemonic, value);
}

Bytes BuildHexWordWriteRequest(uint8_t group, uint8_t unit, int addressMode, const std::string& mnemonic,
                               const std::string& value)
{
    std::string word(1, static_cast<char>(HexWordPrefix));
    for (size_t i = 0; i < 4; ++i)
        word.push_back(i < value.size() ? value[i] : '0');
    return WriteFrame(group, unit, addressMode, mnemonic, word);
}

Bytes BuildDataReply(const std::string& mnemonic, const std::string& value)
{
    Bytes out;
    out.push_back(STX);
    out.insert(out.end(), mnemonic.begin(), mnemonic.end());
    out.insert(out.end(), value.begin(), value.end());
    out.push_back(ETX);
    out.push_back(BlockCheck(out.data() + 1, out.size() - 1));
    return out;
}

bool ParseDecimal(const std::string& text, double& out)
{
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    if (b == e)
        return false;
    // Accept only [sign] digits [. digits] [e [sign] digits]; strtod alone would take hex,
    // "inf", "nan" and the locale's separator.
    size_t i = b;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    size_t digits = 0;
    while (i < e && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++digits;
    }
    if (i < e && text[i] == '.') {
        ++i;
        while (i < e && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < e && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-'))
            ++i;
        size_t exp = 0;
        while (i < e && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++exp;
        }
        if (exp == 0)
            return false;
    }
    if (i != e)
        return false;
    // Convert by hand-checked text; the C locale guarantees '.' as the separator.
    const std::string s = text.substr(b, e - b);
    locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    out = strtod_l(s.c_str(), nullptr, c);
    freelocale(c);
    return true;
}

ReadReply ParseReadReply(const Bytes& reply, const std::string& mnemonic, int valueKind, float minValue,
                         float maxValue, bool hasChoices)
{
    ReadReply r;
    if (reply.empty()) {
        r.status = LinkProtocol;
        return r;
    }
    const uint8_t first = reply[0];
    if (first == STX) {
        for (size_t i = 0; i < mnemonic.size(); ++i) {
            if (i + 1 >= reply.size() || reply[i + 1] != static_cast<uint8_t>(mnemonic[i])) {
                r.status = LinkMnemonic;
                return r;
            }
        }
        size_t etx = 0;
        uint8_t x = 0;  // XOR of the bytes from after STX up to and including ETX
        for (size_t i = 1; i < reply.size(); ++i) {
            x ^= reply[i];
            if (reply[i] == ETX) {
                etx = i;
                break;
            }
        }
        if (etx == 0) {
            r.status = LinkProtocol;
            return r;
        }
        if (etx + 1 >= reply.size() || (x ^ reply[etx + 1]) != 0) {
            r.status = LinkChecksum;
            return r;
        }
        const size_t start = 1 + mnemonic.size();
        r.text.assign(reply.begin() + static_cast<long>(start), reply.begin() + static_cast<long>(etx));
        if (valueKind == KindNumber) {
            double v = 0;
            if (!ParseDecimal(r.text, v) ||
                (hasChoices && (v > static_cast<double>(maxValue) || v < static_cast<double>(minValue)))) {
                r.status = LinkFormat;
                r.text.clear();
                return r;
            }
            r.number = v;
        } else if (valueKind == KindHexWord) {
            if (r.text.size() != 5) {
                r.status = LinkFormat;
                r.text.clear();
                return r;
            }
        }
        r.hasValue = true;
        return r;
    }
    if (first == EOT) {
        r.status = reply.size() == 1 ? LinkOk : LinkProtocol;
        return r;
    }
    if (first == LinkChecksum || first == LinkTimeout || first == LinkProtocol || first == LinkFormat) {
        r.status = first;
        return r;
    }
    r.status = LinkProtocol;
    return r;
}

std::string HexDump(const Bytes& bytes)
{
    std::string s;
    char buf[4];
    for (uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X ", b);
        s += buf;
    }
    return s;
}

}  // namespace tarvo
