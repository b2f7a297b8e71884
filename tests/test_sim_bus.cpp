// The simulated bus without I/O: request parsing, byte-exact replies, write judgement, group and
// network writes, and each fault.
#include <gtest/gtest.h>

#include <iterator>
#include <random>

#include "SimBus.h"
#include "SimHelpers.h"

using namespace tarvo;
using namespace tarvo::sim;
using namespace tarvo::sim::test;

namespace {

const DeviceTypeInfo& Type(const char* model) { return *TypeByModel(model); }

TEST(SimBus, ReadOfKnownParameterIsByteExact)
{
    SimBus bus;
    SimDevice& kv = bus.Add(Type("KV710"), 0, 1);
    kv.Force(kv.Index("1PV"), "23.4");
    const Bytes request = {0x04, 0x30, 0x30, 0x31, 0x31, 0x31, 0x50, 0x56, 0x05};
    EXPECT_EQ(request, BuildReadRequest(0, 1, "1PV"));
    EXPECT_EQ(HexDump(bus.Transact(request, 0)), "02 31 50 56 32 33 2E 34 03 2F ");
    EXPECT_EQ(bus.Transact(BuildReadRequest(0, 1, "II"), 0), BuildDataReply("II", ">7101"));
    EXPECT_EQ(bus.Transact(BuildReadRequest(0, 1, "SW"), 0), BuildDataReply("SW", kv.StatusText()));
}

TEST(SimBus, UnknownMnemonicGetsEotAndUnknownAddressNothing)
{
    SimBus bus;
    bus.Add(Type("FP320"), 1, 1);
    EXPECT_EQ(ReadReq(bus, 1, 1, "1PV"), Bytes{EOT});  // FP320 calls it "PV"
    EXPECT_EQ(ReadReq(bus, 1, 1, ""), Bytes{EOT});     // the builder sends a NUL for an empty name
    EXPECT_TRUE(ReadReq(bus, 1, 2, "PV").empty());
    EXPECT_TRUE(WriteReq(bus, 1, 2, "PN", "2.0").empty());
    bus.Find(1, 1)->SetOnBus(false);
    EXPECT_TRUE(ReadReq(bus, 1, 1, "PV").empty());
    EXPECT_TRUE(WriteReq(bus, 1, 1, "PN", "2.0").empty());
}

TEST(SimBus, EveryParameterOfEveryTypeReadsAsTheProgramAccepts)
{
    // At start, and again an hour later with programs running: every value fits the 12-character
    // frame, passes the program's checks and hex words are five characters.
    SimBus bus(7);
    int unit = 0;
    for (const DeviceTypeInfo* t : AllTypes()) {
        bus.Add(*t, 2 + unit / 10, unit % 10);
        ++unit;
    }
    for (const auto& d : bus.Devices()) {
        if (d->Has("PC")) {
            ASSERT_EQ(WriteReq(bus, d->Group(), d->Unit(), "PC", "1.0"), Bytes{ACK}) << d->Type().Model;
        }
    }
    for (double now : {0.0, 3600.0}) {
        for (const auto& d : bus.Devices()) {
            const DeviceTypeInfo& t = d->Type();
            for (int i = 0; i < t.ParamCount; ++i) {
                const std::string m = t.Params[i].Mnemonic;
                const Bytes reply = ReadReq(bus, d->Group(), d->Unit(), m, now);
                const ReadReply r = Judge(reply, t, m);
                EXPECT_EQ(r.status, LinkOk) << t.Model << " " << m << " " << HexDump(reply);
                EXPECT_TRUE(r.hasValue) << t.Model << " " << m;
                if (t.Params[i].ValueKind == KindHexWord) {
                    EXPECT_EQ(r.text.size(), 5u) << t.Model << " " << m;
                }
            }
        }
    }
}

TEST(SimBus, WritesAreJudgedAgainstTheTable)
{
    SimBus bus;
    bus.Add(Type("KV710"), 0, 1);
    bus.Add(Type("FP320"), 1, 1);
    struct Case {
        int group;
        const char* mnemonic;
        const char* value;
        uint8_t reply;
        const char* readBack;  // value text afterwards (null: not checked)
    } cases[] = {
        {0, "1SP", "25.0", ACK, "25.0"},
        {0, "1SP", "-99.9", ACK, "-99.9"},
        {0, "1SP", "1000.0", NAK, "-99.9"},   // above 999.9
        {0, "1SP", "12,5", NAK, nullptr},     // comma is no decimal separator
        {0, "1SP", "abc", NAK, nullptr},
        {0, "1SP", "", NAK, nullptr},
        {0, "1FO", "1.0", ACK, "1"},          // choices take the index the program writes
        {0, "1FO", "2.0", NAK, "1"},          // past the last choice
        {0, "1FO", "0.5", NAK, "1"},          // not an index
        {0, "1PV", "30.0", NAK, nullptr},     // measured value is read-only
        {0, "II", ">7101", NAK, ">7101"},
        {0, "VO", "13.0", NAK, "12"},
        {0, "ZZ", "1.0", NAK, nullptr},       // unknown mnemonic
        {0, "SW", ">0004", ACK, nullptr},     // keyboard lock, checked below
        {0, "SW", ">004", NAK, nullptr},
        {0, "SW", ">00G0", NAK, nullptr},
        {1, "HA", "200.0", ACK, "200"},       // decimals 0: stored as the controller shows it
        {1, "r1", "2.5", ACK, "2.50"},
        {1, "PN", "9.0", NAK, "1"},
        {1, "PN", "3.0", ACK, "3"},
        {1, "XP", "0.0", NAK, nullptr},       // below the least proportional band
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WriteReq(bus, c.group, 1, c.mnemonic, c.value), Bytes{c.reply}) << c.mnemonic << " " << c.value;
        if (c.readBack) {
            EXPECT_EQ(ReadValue(bus, c.group, 1, c.mnemonic), c.readBack) << c.mnemonic << " " << c.value;
        }
    }
    EXPECT_EQ(StatusDigit(bus, 0, 1, 4), 4);  // the keyboard lock written above
    // The byte-exact example write: 25.0 to 1SP at address 01.
    EXPECT_EQ(bus.Transact({0x04, 0x30, 0x30, 0x31, 0x31, 0x02, 0x31, 0x53, 0x50, 0x32, 0x35, 0x2E, 0x30, 0x03, 0x28}, 0),
              Bytes{ACK});
}

TEST(SimBus, WriteWithWrongBlockCheckIsIgnored)
{
    SimBus bus;
    bus.Add(Type("KV710"), 0, 1);
    Bytes w = BuildWriteRequest(0, 1, AddressOwn, "1SP", "33.0");
    w.back() ^= 0x01;
    EXPECT_TRUE(bus.Transact(w, 0).empty());
    EXPECT_EQ(ReadValue(bus, 0, 1, "1SP"), "25.0");
}

TEST(SimBus, GroupAndNetworkWritesApplyWithoutAnswer)
{
    SimBus bus;
    bus.Add(Type("KV710"), 1, 1);
    bus.Add(Type("KV720"), 1, 2);
    bus.Add(Type("KV710"), 2, 1);
    bus.Add(Type("FP320"), 3, 1);  // has no "1SP": ignores it
    bus.Find(1, 2)->SetOnBus(false);

    EXPECT_TRUE(WriteReq(bus, 1, 0, "1SP", "40.0", 0, AddressGroup).empty());
    EXPECT_EQ(ReadValue(bus, 1, 1, "1SP"), "40.0");
    EXPECT_EQ(ReadValue(bus, 2, 1, "1SP"), "25.0");
    bus.Find(1, 2)->SetOnBus(true);
    EXPECT_EQ(ReadValue(bus, 1, 2, "1SP"), "25.0");  // it was off the bus

    EXPECT_TRUE(WriteReq(bus, 0, 0, "1SP", "31.5", 0, AddressNetwork).empty());
    for (int g : {1, 2})
        EXPECT_EQ(ReadValue(bus, g, 1, "1SP"), "31.5");
    EXPECT_EQ(ReadValue(bus, 1, 2, "1SP"), "31.5");
    // An out-of-range group write changes nobody and still gets no answer.
    EXPECT_TRUE(WriteReq(bus, 1, 0, "1SP", "5000.0", 0, AddressGroup).empty());
    EXPECT_EQ(ReadValue(bus, 1, 1, "1SP"), "31.5");
}

TEST(SimBus, ReaderFallsBackInStepAfterNoise)
{
    SimBus bus;
    bus.Add(Type("FP320"), 1, 1);
    const Bytes good = BuildReadRequest(1, 1, "PN");
    const Bytes answer = BuildDataReply("PN", "1");
    struct Case {
        const char* name;
        Bytes prefix;
    } cases[] = {
        {"noise", {0x00, 0xFF, 0x41, 0x05, 0x02, 0x03}},
        {"cut-off read", {0x04, 0x31, 0x31}},
        {"cut-off write", {0x04, 0x31, 0x31, 0x31, 0x31, 0x02, 0x50, 0x4E}},
        {"bad address", {0x04, 0x31, 0x32, 0x31, 0x31, 0x50, 0x4E, 0x05}},  // digits not doubled
        {"wild group only", {0x04, 0x7E, 0x7E, 0x31, 0x31, 0x50, 0x4E, 0x05}},
        {"endless mnemonic", Bytes(20, 0x41)},
    };
    for (const Case& c : cases) {
        Bytes stream = c.prefix;
        stream.insert(stream.end(), good.begin(), good.end());
        EXPECT_EQ(bus.Transact(stream, 0), answer) << c.name;
    }
    // A request split over several reads is answered once, when complete.
    EXPECT_TRUE(bus.Receive(good.data(), 4, 0).empty());
    const auto done = bus.Receive(good.data() + 4, good.size() - 4, 0);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].reply, answer);
    EXPECT_EQ(done[0].request, good);
    // Two requests in one chunk give two exchanges.
    Bytes two = good;
    two.insert(two.end(), good.begin(), good.end());
    EXPECT_EQ(bus.Receive(two.data(), two.size(), 0).size(), 2u);
}

TEST(SimBus, EachFaultShowsAtProbabilityOne)
{
    const DeviceTypeInfo& fp = Type("FP320");
    auto fresh = [&](void (*set)(FaultRates&)) {
        auto bus = std::make_unique<SimBus>(3);
        bus->Add(fp, 1, 1);
        set(bus->Faults());
        return bus;
    };

    auto silent = fresh([](FaultRates& f) { f.noAnswer = 1; });
    EXPECT_TRUE(ReadReq(*silent, 1, 1, "PV").empty());
    EXPECT_TRUE(WriteReq(*silent, 1, 1, "PN", "2.0").empty());
    EXPECT_EQ(ReadValue(*silent, 1, 1, "PN"), "");
    silent->Faults().noAnswer = 0;
    EXPECT_EQ(ReadValue(*silent, 1, 1, "PN"), "2");  // the write was applied nonetheless

    auto bcc = fresh([](FaultRates& f) { f.badBcc = 1; });
    EXPECT_EQ(Judge(ReadReq(*bcc, 1, 1, "PV"), fp, "PV").status, LinkChecksum);

    auto mnemonic = fresh([](FaultRates& f) { f.wrongMnemonic = 1; });
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(Judge(ReadReq(*mnemonic, 1, 1, "SP"), fp, "SP").status, LinkMnemonic);

    auto garbage = fresh([](FaultRates& f) { f.garbage = 1; });
    for (int k = 0; k < 20; ++k) {
        const uint8_t s = Judge(ReadReq(*garbage, 1, 1, "PV"), fp, "PV").status;
        EXPECT_TRUE(s == LinkProtocol || s == LinkFormat) << int(s);
        const Bytes w = WriteReq(*garbage, 1, 1, "PN", "2.0");
        ASSERT_EQ(w.size(), 2u);
        EXPECT_EQ(w[1], ACK);
        EXPECT_EQ(Judge(w, fp, "PN").status, LinkProtocol);
    }

    auto foreign = fresh([](FaultRates& f) { f.foreign = 1; });
    const Bytes req = BuildReadRequest(1, 1, "PV");
    const auto ex = foreign->Receive(req.data(), req.size(), 0);
    ASSERT_EQ(ex.size(), 1u);
    EXPECT_EQ(Judge(ex[0].reply, fp, "PV").status, LinkOk);
    ASSERT_FALSE(ex[0].foreign.empty());
    EXPECT_EQ(ex[0].foreign[0], EOT);
    EXPECT_NE(ex[0].foreign[1], '1');  // addressed to a controller not simulated here

    auto ident = fresh([](FaultRates& f) { f.wrongIdent = 1; });
    for (int k = 0; k < 10; ++k) {
        const ReadReply r = Judge(ReadReq(*ident, 1, 1, "II"), fp, "II");
        EXPECT_EQ(r.status, LinkOk);
        EXPECT_FALSE(fp.IsIdentity(r.text)) << r.text;
        bool known = false;
        for (const DeviceTypeInfo* t : AllTypes())
            known = known || t->IsIdentity(r.text);
        EXPECT_TRUE(known) << r.text;
    }
    EXPECT_EQ(ReadValue(*ident, 1, 1, "PN"), "1");  // only "II" lies

    auto keys = fresh([](FaultRates& f) { f.frontKeys = 1; });
    SimDevice& dev = *keys->Find(1, 1);
    std::vector<std::string> before;
    for (int i = 0; i < fp.ParamCount; ++i)
        before.push_back(dev.ReadText(i));
    ReadReq(*keys, 1, 1, "PN");
    EXPECT_EQ(StatusWord::Digit(dev.StatusText(), 4) & 8, 8);
    int changed = 0;
    for (int i = 0; i < fp.ParamCount; ++i)
        if (fp.Params[i].IsWritable() && !fp.Params[i].IsCyclic() && dev.ReadText(i) != before[static_cast<size_t>(i)])
            ++changed;
    EXPECT_EQ(changed, 1);
}

TEST(SimBus, FrontKeysStayStillWhileTheKeyboardIsLocked)
{
    SimBus bus;
    bus.Add(Type("KV710"), 0, 1);
    ASSERT_EQ(WriteReq(bus, 0, 1, "SW", ">0004"), Bytes{ACK});
    bus.Faults().frontKeys = 1;
    ReadReq(bus, 0, 1, "SW");
    EXPECT_EQ(StatusDigit(bus, 0, 1, 4), 4);  // no re-read request
}

TEST(SimBus, SeedMakesRunsRepeatable)
{
    auto run = [](uint32_t seed) {
        SimBus bus(seed);
        bus.Add(Type("HW600"), 0, 1);
        bus.Faults().garbage = 0.3;
        Bytes all;
        for (int k = 0; k < 50; ++k) {
            const Bytes r = ReadReq(bus, 0, 1, k % 2 ? "1PV" : "2PV", k * 10.0);
            all.insert(all.end(), r.begin(), r.end());
        }
        return all;
    };
    EXPECT_EQ(run(5), run(5));
    EXPECT_NE(run(5), run(6));
}

TEST(SimBus, RandomTrafficNeverBreaksIt)
{
    // Noise, cut-off frames and writes of random texts to every parameter of every type: the
    // bus never throws, and whatever it answers afterwards still passes the program's checks.
    SimBus bus(13);
    int unit = 0;
    for (const DeviceTypeInfo* t : AllTypes()) {
        bus.Add(*t, 4 + unit / 10, unit % 10);
        ++unit;
    }
    std::mt19937 rng(99);
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
    const char* values[] = {"1.0", "-1.0", "0.0", "9999.0", "-999.0", "25.5", "1e3", ">FFFF", ">0000", ">00A8",
                            ">12", "HELLO", "", "  7", "3.0", "8.0", "0.1", "12345678901", "-0", "nan", "inf"};
    double now = 0;
    for (int k = 0; k < 20000; ++k) {
        now += 0.5;
        const auto& dev = bus.Devices()[pick(bus.Devices().size())];
        const DeviceTypeInfo& t = dev->Type();
        const std::string m = t.Params[pick(static_cast<size_t>(t.ParamCount))].Mnemonic;
        Bytes frame;
        switch (pick(4)) {
        case 0:
            for (size_t n = pick(30); n > 0; --n)
                frame.push_back(static_cast<uint8_t>(pick(256)));
            break;
        case 1: {
            std::string v = values[pick(std::size(values))];
            if (pick(4) == 0)
                v = std::string(pick(12), static_cast<char>(pick(128)));
            frame = BuildWriteRequest(static_cast<uint8_t>(dev->Group()), static_cast<uint8_t>(dev->Unit()),
                                      static_cast<int>(pick(3)), m, v);
            break;
        }
        case 2: {
            frame = BuildReadRequest(static_cast<uint8_t>(dev->Group()), static_cast<uint8_t>(dev->Unit()), m);
            frame.resize(pick(frame.size()) + 1);  // cut off
            break;
        }
        default:
            frame = BuildReadRequest(static_cast<uint8_t>(dev->Group()), static_cast<uint8_t>(dev->Unit()), m);
        }
        ASSERT_NO_THROW(bus.Transact(frame, now));
        const Bytes reply = ReadReq(bus, dev->Group(), dev->Unit(), m, now);
        const ReadReply r = Judge(reply, t, m);
        ASSERT_EQ(r.status, LinkOk) << t.Model << " " << m << " " << HexDump(reply) << " after " << HexDump(frame);
    }
}

}  // namespace
