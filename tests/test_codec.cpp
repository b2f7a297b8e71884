// Frame builders and reply judging, byte for byte.
#include <gtest/gtest.h>

#include "link/Codec.h"

using namespace tarvo;

namespace {

Bytes B(std::initializer_list<int> v)
{
    Bytes b;
    for (int x : v)
        b.push_back(static_cast<uint8_t>(x));
    return b;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

}  // namespace

TEST(Codec, WorkedExamples)
{
    EXPECT_EQ(BuildDataReply("1PV", "23.4"), B({0x02, 0x31, 0x50, 0x56, 0x32, 0x33, 0x2E, 0x34, 0x03, 0x2F}));
    EXPECT_EQ(BuildReadRequest(0, 1, "1PV"), B({0x04, 0x30, 0x30, 0x31, 0x31, 0x31, 0x50, 0x56, 0x05}));
    EXPECT_EQ(BuildWriteRequest(0, 1, AddressOwn, "1SP", "25.0"),
              B({0x04, 0x30, 0x30, 0x31, 0x31, 0x02, 0x31, 0x53, 0x50, 0x32, 0x35, 0x2E, 0x30, 0x03, 0x28}));
}

TEST(Codec, AddressModes)
{
    auto addr = [](int mode) {
        Bytes f = BuildWriteRequest(3, 7, mode, "SW", ">0000");
        return std::string(f.begin() + 1, f.begin() + 5);
    };
    EXPECT_EQ(addr(AddressOwn), "3377");
    EXPECT_EQ(addr(AddressGroup), "33~~");
    EXPECT_EQ(addr(AddressNetwork), "~~~~");
    // Reads always use the device's own address.
    Bytes r = BuildReadRequest(3, 7, "SW");
    EXPECT_EQ(std::string(r.begin() + 1, r.begin() + 5), "3377");
}

TEST(Codec, HexWordWritePadsAndCuts)
{
    auto value = [](const std::string& v) {
        Bytes f = BuildHexWordWriteRequest(1, 2, AddressOwn, "1AL", v);
        // EOT + 4 address + STX + 3 mnemonic, then 5 value bytes
        return std::string(f.begin() + 9, f.begin() + 14);
    };
    EXPECT_EQ(value("12"), ">1200");
    EXPECT_EQ(value(""), ">0000");
    EXPECT_EQ(value("0730"), ">0730");
    EXPECT_EQ(value("FFFFFF"), ">FFFF");
    Bytes f = BuildHexWordWriteRequest(1, 2, AddressOwn, "1AL", "12");
    EXPECT_EQ(f.size(), 16u);
    EXPECT_EQ(f.back(), BlockCheck(f.data() + 6, f.size() - 7));
}

TEST(Codec, BuildersAreDeterministic)
{
    EXPECT_EQ(BuildReadRequest(9, 9, "PI"), BuildReadRequest(9, 9, "PI"));
    EXPECT_EQ(BuildReadRequest(0, 0, ""), B({0x04, '0', '0', '0', '0', 0x00, 0x05}));
}

struct ReplyCase {
    const char* name;
    Bytes reply;
    std::string mnemonic;
    int kind;
    float min, max;
    bool choices;
    uint8_t status;
    bool hasValue;
    std::string text;
    double number;
};

TEST(Codec, ParseReadReplyOutcomes)
{
    Bytes badBcc = BuildDataReply("1PV", "23.4");
    badBcc.back() ^= 0x01;
    Bytes noEtx = B({0x02, '1', 'P', 'V', '2', '3'});
    Bytes twelve = BuildDataReply("TX", "ABCDEFGHIJ");  // 12 characters between STX and ETX
    const std::vector<ReplyCase> cases = {
        {"numeric value", BuildDataReply("1PV", "23.4"), "1PV", KindNumber, 0, 0, false, 128, true, "23.4", 23.4},
        {"negative with blanks", BuildDataReply("PV", " -5.5"), "PV", KindNumber, 0, 0, false, 128, true, " -5.5", -5.5},
        {"other mnemonic echoed", BuildDataReply("1SP", "23.4"), "1PV", KindNumber, 0, 0, false, 130, false, "", 0},
        {"bad block check", badBcc, "1PV", KindNumber, 0, 0, false, 129, false, "", 0},
        {"no ETX", noEtx, "1PV", KindNumber, 0, 0, false, 132, false, "", 0},
        {"hex word", BuildDataReply("SW", ">0008"), "SW", KindHexWord, 0, 0, false, 128, true, ">0008", 0},
        {"hex word too short", BuildDataReply("SW", ">008"), "SW", KindHexWord, 0, 0, false, 133, false, "", 0},
        {"choice out of range", BuildDataReply("1FO", "5"), "1FO", KindNumber, 0, 1, true, 133, false, "", 0},
        {"no choices: any number", BuildDataReply("1FO", "5"), "1FO", KindNumber, 0, 1, false, 128, true, "5", 5.0},
        {"comma separator", BuildDataReply("1SP", "12,5"), "1SP", KindNumber, 0, 0, false, 133, false, "", 0},
        {"not a number", BuildDataReply("1SP", "abc"), "1SP", KindNumber, 0, 0, false, 133, false, "", 0},
        {"empty number", BuildDataReply("1SP", ""), "1SP", KindNumber, 0, 0, false, 133, false, "", 0},
        {"free text", BuildDataReply("TX", "Hello   "), "TX", KindText, 0, 0, false, 128, true, "Hello   ", 0},
        {"twelve characters", twelve, "TX", KindText, 0, 0, false, 128, true, "ABCDEFGHIJ", 0},
        {"lone EOT", B({0x04}), "1PV", KindNumber, 0, 0, false, 128, false, "", 0},
        {"longer EOT", B({0x04, 0x04}), "1PV", KindNumber, 0, 0, false, 132, false, "", 0},
        {"ACK to a read", B({0x06}), "1PV", KindNumber, 0, 0, false, 132, false, "", 0},
        {"NAK to a read", B({0x15}), "1PV", KindNumber, 0, 0, false, 132, false, "", 0},
        {"thread: checksum", B({129}), "1PV", KindNumber, 0, 0, false, 129, false, "", 0},
        {"thread: time-out", B({131}), "1PV", KindNumber, 0, 0, false, 131, false, "", 0},
        {"thread: protocol", B({132}), "1PV", KindNumber, 0, 0, false, 132, false, "", 0},
        {"thread: format", B({133}), "1PV", KindNumber, 0, 0, false, 133, false, "", 0},
        {"130 is not a thread status", B({130}), "1PV", KindNumber, 0, 0, false, 132, false, "", 0},
        {"empty reply", B({}), "1PV", KindNumber, 0, 0, false, 132, false, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReadReply r = ParseReadReply(c.reply, c.mnemonic, c.kind, c.min, c.max, c.choices);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.hasValue, c.hasValue);
        if (c.hasValue) {
            EXPECT_EQ(r.text, c.text);
            EXPECT_DOUBLE_EQ(r.number, c.number);
        }
    }
}

TEST(Codec, StatusNames)
{
    EXPECT_STREQ(StatusName(128), "");
    EXPECT_STREQ(StatusName(129), "CHESK_SUM");
    EXPECT_STREQ(StatusName(130), "MNEMONIK");
    EXPECT_STREQ(StatusName(131), "TIME_OUT");
    EXPECT_STREQ(StatusName(132), "PROTOKOL");
    EXPECT_STREQ(StatusName(133), "FORMAT");
    EXPECT_STREQ(StatusName(134), "OFFLINE");
    EXPECT_EQ(HexDump(Text("1P")), "31 50 ");
}
