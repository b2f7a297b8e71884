// Plant behaviour of the simulated controllers under a hand-driven simulated clock: the FP320
// programmer, status-word handling, alarms, loops, sensor breaks, scanners and the clock display.
#include <gtest/gtest.h>

#include <cmath>

#include "SimBus.h"
#include "SimHelpers.h"

using namespace tarvo;
using namespace tarvo::sim;
using namespace tarvo::sim::test;

namespace {

const DeviceTypeInfo& Type(const char* model) { return *TypeByModel(model); }

// Programmer at address 11 with hold-back off and the measured value at 20.0.
struct ProgrammerFixture : ::testing::Test {
    SimBus bus;
    SimDevice* fp = nullptr;
    void SetUp() override
    {
        fp = &bus.Add(Type("FP320"), 1, 1);
        ASSERT_EQ(Write("HL", "0.0"), Bytes{ACK});
        ASSERT_EQ(Write("HH", "0.0"), Bytes{ACK});
        fp->Force(fp->Index("PV"), "20.0");
    }
    Bytes Write(const char* m, const char* v, double now = 0) { return WriteReq(bus, 1, 1, m, v, now); }
    std::string Read(const char* m, double now) { return ReadValue(bus, 1, 1, m, now); }
    ProgrammerStatus PR(double now) { return DecodePR(Read("PR", now)); }
};

TEST_F(ProgrammerFixture, ProgramRunsItsSegmentsAndEndsByItself)
{
    // Program 1: 20.0 -> 60.0 at 2.00/min (20 min), hold 10 min, -> 80.0 at 1.00/min (20 min),
    // hold 10 min: one hour.
    EXPECT_EQ(Read("PI", 0), "100");
    EXPECT_EQ(Read("PR", 0), ">0010");  // idle, program 1 selected
    ASSERT_EQ(Write("PC", "1.0"), Bytes{ACK});
    EXPECT_EQ(Read("PI", 0), "101");
    struct Step {
        double t;
        int segment;
        const char* sp;
        const char* te;
    } steps[] = {
        {0, 0, "20.0", "20"},    {600, 0, "40.0", "10"},  {1199, 0, "60.0", "1"}, {1500, 1, "60.0", "5"},
        {1790, 1, "60.0", "1"},  {2400, 2, "70.0", "10"}, {3300, 3, "80.0", "5"},
    };
    for (const Step& s : steps) {
        const ProgrammerStatus pr = PR(s.t);
        EXPECT_EQ(pr.segment, s.segment) << s.t;
        EXPECT_EQ(pr.program, 1) << s.t;
        EXPECT_EQ(pr.q, 1) << s.t;
        EXPECT_EQ(Read("PC", s.t), "1") << s.t;
        EXPECT_EQ(Read("SP", s.t), s.sp) << s.t;
        EXPECT_EQ(Read("TE", s.t), s.te) << s.t;
        EXPECT_EQ(StatusDigit(bus, 1, 1, 1, s.t) & 4, 4) << s.t;  // output 2: program running
    }
    EXPECT_EQ(Read("PC", 3601), "0");
    EXPECT_EQ(Read("PR", 3601), ">0010");
    EXPECT_EQ(Read("TE", 3601), "0");
    EXPECT_EQ(Read("PI", 3601), "101");
    EXPECT_EQ(StatusDigit(bus, 1, 1, 1, 3601) & 4, 0);

    ASSERT_EQ(Write("PC", "1.0", 3700), Bytes{ACK});
    EXPECT_EQ(Read("PI", 3700), "102");
}

TEST_F(ProgrammerFixture, StopHoldPauseAndResume)
{
    EXPECT_EQ(Write("PC", "2.0"), Bytes{NAK});  // nothing runs to hold
    EXPECT_EQ(Write("PC", "5.0"), Bytes{NAK});  // no such state
    ASSERT_EQ(Write("PC", "1.0"), Bytes{ACK});
    ASSERT_EQ(Write("PC", "2.0", 60), Bytes{ACK});
    EXPECT_EQ(PR(60).q, 2);
    EXPECT_EQ(Read("SP", 60), "22.0");
    EXPECT_EQ(Read("SP", 300), "22.0");  // held
    EXPECT_EQ(Read("PC", 300), "2");
    ASSERT_EQ(Write("PC", "4.0", 300), Bytes{ACK});
    EXPECT_EQ(PR(300).q, 4);
    ASSERT_EQ(Write("PC", "1.0", 300), Bytes{ACK});
    EXPECT_EQ(PR(300).q, 1);
    EXPECT_EQ(Read("SP", 360), "24.0");  // ramping again
    ASSERT_EQ(Write("PC", "0.0", 360), Bytes{ACK});
    EXPECT_EQ(Read("PC", 360), "0");
    EXPECT_EQ(Read("PR", 360), ">0010");
    EXPECT_EQ(Read("PI", 360), "101");
}

TEST_F(ProgrammerFixture, HoldBackWaitsForTheMeasuredValue)
{
    ASSERT_EQ(Write("HL", "5.0"), Bytes{ACK});
    ASSERT_EQ(Write("r1", "99.99"), Bytes{ACK});  // far faster than the plant follows
    ASSERT_EQ(Write("PC", "1.0"), Bytes{ACK});
    EXPECT_EQ(PR(10).q, 3);
    EXPECT_EQ(Read("PC", 10), "3");
    const double sp = ReadNumber(bus, 1, 1, "SP", 10);
    EXPECT_LT(sp, 30.0);  // the profile waited
    ASSERT_EQ(Write("r1", "1.00", 10), Bytes{ACK});
    EXPECT_EQ(PR(400).q, 1);
    EXPECT_EQ(Read("PC", 400), "1");
}

TEST_F(ProgrammerFixture, ProgramSelectionKeepsEachProgramsParameters)
{
    ASSERT_EQ(Write("PN", "3.0"), Bytes{ACK});
    EXPECT_EQ(Read("l1", 0), "80.0");  // program 3's own level
    ASSERT_EQ(Write("l1", "90.0"), Bytes{ACK});
    ASSERT_EQ(Write("PN", "1.0"), Bytes{ACK});
    EXPECT_EQ(Read("l1", 0), "60.0");
    ASSERT_EQ(Write("PN", "3.0"), Bytes{ACK});
    EXPECT_EQ(Read("l1", 0), "90.0");
    EXPECT_EQ(Read("PR", 0), ">0030");
    ASSERT_EQ(Write("PC", "1.0"), Bytes{ACK});
    EXPECT_EQ(PR(1).program, 3);
    EXPECT_EQ(Read("TE", 1), "35");  // (90.0 - 20.0) / 2.00 per minute
    // Selected at the front keys (a scenario's "set") twice in a row: each keeps its own.
    fp->Force(fp->Index("PN"), "5");
    EXPECT_EQ(Read("l1", 1), "100.0");
    fp->Force(fp->Index("PN"), "1");
    EXPECT_EQ(Read("l1", 1), "60.0");
    fp->Force(fp->Index("PN"), "3");
    EXPECT_EQ(Read("l1", 1), "90.0");
}

TEST_F(ProgrammerFixture, EndJumpsToAnotherProgramUnderTheSameProcessNumber)
{
    for (auto [m, v] : {std::pair{"r1", "99.99"}, {"l1", "25.0"}, {"t1", "0.0"}, {"r2", "99.99"}, {"l2", "30.0"},
                        {"t2", "0.0"}, {"EN", "2.0"}})
        ASSERT_EQ(Write(m, v), Bytes{ACK}) << m;
    ASSERT_EQ(Write("PC", "1.0"), Bytes{ACK});
    EXPECT_EQ(PR(60).program, 2);
    EXPECT_EQ(PR(60).segment, 0);
    EXPECT_EQ(Read("PC", 60), "1");
    EXPECT_EQ(Read("PI", 60), "101");
}

TEST_F(ProgrammerFixture, RemainingTimeOfAHoldCanBeWritten)
{
    ASSERT_EQ(Write("PC", "1.0"), Bytes{ACK});
    EXPECT_EQ(PR(1260).segment, 1);
    EXPECT_EQ(Read("TE", 1260), "9");
    ASSERT_EQ(Write("TE", "3.0", 1260), Bytes{ACK});
    EXPECT_EQ(Read("TE", 1260), "3");
    EXPECT_EQ(PR(1260 + 181).segment, 2);
}

TEST(SimPlant, StatusWordWrites)
{
    SimBus bus;
    SimDevice& fp = bus.Add(Type("FP320"), 1, 1);
    // The re-read request rises by itself and is cleared by the program's acknowledgement.
    fp.RaiseReread();
    EXPECT_EQ(ReadValue(bus, 1, 1, "SW"), ">0008");
    const uint8_t set[4] = {0, 0, 0, 0};
    const uint8_t clear[4] = {0, 0, 0, 8};
    ASSERT_EQ(WriteReq(bus, 1, 1, "SW", StatusWord::Compose(">0008", set, clear)), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 1, 1, "SW"), ">0000");
    // Keyboard lock on and off.
    ASSERT_EQ(WriteReq(bus, 1, 1, "SW", ">0004"), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 1, 1, "SW"), ">0004");
    ASSERT_EQ(WriteReq(bus, 1, 1, "SW", ">0000"), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 1, 1, "SW"), ">0000");
    // Bits the controller computes (outputs, alarms, sensor breaks) ignore the write.
    ASSERT_EQ(WriteReq(bus, 1, 1, "SW", ">F7C4"), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 1, 1, "SW"), ">0004");
}

TEST(SimPlant, ProgramOwnedStatusBits)
{
    SimBus bus;
    bus.Add(Type("GR310"), 1, 1);
    bus.Add(Type("KV710"), 1, 2);
    // GR310 manual mode (digit 3 bit 8) is kept while manual mode is allowed; the output level
    // is then the operator's, and the plant settles where it leads.
    ASSERT_EQ(WriteReq(bus, 1, 1, "OP", "40.0"), Bytes{NAK});  // automatic: the loop sets it
    ASSERT_EQ(WriteReq(bus, 1, 1, "SW", ">0080"), Bytes{ACK});
    EXPECT_EQ(StatusDigit(bus, 1, 1, 3) & 8, 8);
    ASSERT_EQ(WriteReq(bus, 1, 1, "OP", "0.0"), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 1, 1, "OP"), "0");
    const double cold = ReadNumber(bus, 1, 1, "PV", 1800);
    EXPECT_LT(cold, 26.0);  // no output: the room
    ASSERT_EQ(WriteReq(bus, 1, 1, "MA", "0.0", 1800), Bytes{ACK});
    ASSERT_EQ(WriteReq(bus, 1, 1, "SW", ">0080", 1800), Bytes{ACK});
    EXPECT_EQ(StatusDigit(bus, 1, 1, 3, 1800) & 8, 0);  // not allowed now
    // GR310 output 2 follows the program only with "O2" = 8.
    ASSERT_EQ(WriteReq(bus, 1, 1, "O2", "8.0", 1800), Bytes{ACK});
    ASSERT_EQ(WriteReq(bus, 1, 1, "SW", ">2000", 1800), Bytes{ACK});
    EXPECT_EQ(StatusDigit(bus, 1, 1, 1, 1800) & 2, 2);
    ASSERT_EQ(WriteReq(bus, 1, 1, "SW", ">0000", 1800), Bytes{ACK});
    EXPECT_EQ(StatusDigit(bus, 1, 1, 1, 1800) & 2, 0);
    // KV710 output 3 with "IN" = OFF (2) is switched from the program.
    ASSERT_EQ(ReadValue(bus, 1, 2, "IN"), "2");
    ASSERT_EQ(WriteReq(bus, 1, 2, "SW", ">2000"), Bytes{ACK});
    EXPECT_EQ(StatusDigit(bus, 1, 2, 1) & 2, 2);
}

TEST(SimPlant, FP320AlarmsAsThePanelDecodesThem)
{
    SimBus bus;
    SimDevice& fp = bus.Add(Type("FP320"), 1, 1);
    const int pv = fp.Index("PV");
    // Non-latched high alarm (Ho = 2): bit 4 of digit 2 while above HA.
    fp.Force(pv, "200.0");
    EXPECT_EQ(StatusDigit(bus, 1, 1, 2), 4);
    fp.Force(pv, "20.0");
    EXPECT_EQ(StatusDigit(bus, 1, 1, 2), 0);
    // Low alarm.
    fp.Force(pv, "0.0");
    EXPECT_EQ(StatusDigit(bus, 1, 1, 2), 2);
    fp.Force(pv, "20.0");
    // Latched (Ho = 1): stays with bit 8 until "Reset alarma" clears digit 2 bit 8.
    ASSERT_EQ(WriteReq(bus, 1, 1, "Ho", "1.0"), Bytes{ACK});
    fp.Force(pv, "200.0");
    fp.Force(pv, "20.0");
    EXPECT_EQ(StatusDigit(bus, 1, 1, 2), 4 | 8);
    const std::string sw = ReadValue(bus, 1, 1, "SW");
    const uint8_t set[4] = {0, 0, 0, 0};
    const uint8_t clear[4] = {0, 8, 0, 0};
    ASSERT_EQ(WriteReq(bus, 1, 1, "SW", StatusWord::Compose(sw, set, clear)), Bytes{ACK});
    EXPECT_EQ(StatusDigit(bus, 1, 1, 2), 0);
    // Deviation alarm while a program runs; a forced alarm from a scenario.
    ASSERT_EQ(WriteReq(bus, 1, 1, "do", "2.0"), Bytes{ACK});
    ASSERT_EQ(WriteReq(bus, 1, 1, "PC", "1.0"), Bytes{ACK});
    fp.Force(pv, "45.0");
    EXPECT_EQ(StatusDigit(bus, 1, 1, 2), 1);
    fp.Force(pv, "20.0");
    fp.SetForcedAlarms(1, ForceLow);
    EXPECT_EQ(StatusDigit(bus, 1, 1, 2), 2);
    fp.SetForcedAlarms(1, 0);
    EXPECT_EQ(StatusDigit(bus, 1, 1, 2), 0);
}

TEST(SimPlant, LX410iAlarmsAndRelay)
{
    SimBus bus;
    SimDevice& lx = bus.Add(Type("LX410i"), 0, 1);
    lx.Force(lx.Index("PV"), "50.0");  // above HA 40
    EXPECT_EQ(StatusDigit(bus, 0, 1, 2), 2);
    EXPECT_EQ(StatusDigit(bus, 0, 1, 1), 8);
    lx.Force(lx.Index("PV"), "-5.0");  // below LA 0
    EXPECT_EQ(StatusDigit(bus, 0, 1, 2), 1);
    lx.Force(lx.Index("PV"), "22.0");
    EXPECT_EQ(StatusDigit(bus, 0, 1, 2), 0);
    EXPECT_EQ(StatusDigit(bus, 0, 1, 1), 0);
    // Latched ("Lecovan" is 0 here): reset through digit 4 bit 2, which does not stay set.
    ASSERT_EQ(WriteReq(bus, 0, 1, "Ho", "0.0"), Bytes{ACK});
    lx.Force(lx.Index("PV"), "50.0");
    lx.Force(lx.Index("PV"), "22.0");
    EXPECT_EQ(StatusDigit(bus, 0, 1, 2), 2);
    ASSERT_EQ(WriteReq(bus, 0, 1, "SW", ">0002"), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 0, 1, "SW"), ">0000");
}

TEST(SimPlant, ClimateLoopsFollowTheirSetPoints)
{
    SimBus bus(11);
    SimDevice& kv = bus.Add(Type("KV710"), 0, 1);
    kv.Force(kv.Index("1PV"), "20.0");
    ASSERT_EQ(WriteReq(bus, 0, 1, "1SP", "60.0"), Bytes{ACK});
    ASSERT_EQ(WriteReq(bus, 0, 1, "2SP", "75.0"), Bytes{ACK});
    EXPECT_EQ(StatusDigit(bus, 0, 1, 1) & 8, 8);  // heating on below the set point
    const double early = ReadNumber(bus, 0, 1, "1PV", 90);
    EXPECT_GT(early, 40.0);
    EXPECT_LT(early, 52.0);
    EXPECT_NEAR(ReadNumber(bus, 0, 1, "1PV", 1200), 60.0, 1.0);
    EXPECT_NEAR(ReadNumber(bus, 0, 1, "2PV", 1200), 75.0, 3.0);
    kv.Force(kv.Index("1PV"), "70.0");
    EXPECT_EQ(StatusDigit(bus, 0, 1, 1, 1200) & 8, 0);  // off above it
    // Cooling function reverses the output.
    ASSERT_EQ(WriteReq(bus, 0, 1, "1FO", "1.0", 1200), Bytes{ACK});
    EXPECT_EQ(StatusDigit(bus, 0, 1, 1, 1200) & 8, 8);
    // The set point cannot pass the maximum set point.
    EXPECT_EQ(WriteReq(bus, 0, 1, "1SP", "85.0", 1200), Bytes{NAK});
}

TEST(SimPlant, IndicatorsWanderAroundRoomValues)
{
    SimBus bus(4);
    bus.Add(Type("HW600"), 0, 1);
    bus.Add(Type("SVB"), 0, 2);
    for (double t = 0; t <= 86400; t += 3600) {
        const double temp = ReadNumber(bus, 0, 1, "1PV", t);
        const double rh = ReadNumber(bus, 0, 1, "2PV", t);
        EXPECT_GT(temp, 15.0);
        EXPECT_LT(temp, 30.0);
        EXPECT_GT(rh, 25.0);
        EXPECT_LT(rh, 75.0);
        EXPECT_GT(ReadNumber(bus, 0, 2, "8PV", t), 15.0);
    }
}

TEST(SimPlant, SensorBreaksSetTheirBits)
{
    struct Case {
        const char* model;
        int input;
        const char* word;  // parameter that shows it
        int digit;
        int bit;
    } cases[] = {
        {"KV710", 1, "SW", 3, 8}, {"KV720", 2, "SW", 3, 4}, {"FP320", 1, "SW", 3, 8}, {"FP320", 2, "SW", 3, 4},
        {"GR220", 2, "SW", 3, 4}, {"GR310", 1, "SW", 1, 8}, {"GR210", 1, "SW", 1, 8}, {"LX410i", 1, "SW", 2, 8},
        {"HW600", 2, "SW", 2, 1}, {"CQ50", 1, "SW", 3, 1},  {"CQ50", 5, "SW", 2, 1},  {"CQ50", 8, "SW", 2, 8},
        {"SVB", 4, "SI", 4, 8},   {"SVB16", 13, "SI", 1, 1},
    };
    for (const Case& c : cases) {
        SimBus bus;
        SimDevice& d = bus.Add(Type(c.model), 0, 1);
        EXPECT_EQ(StatusWord::Digit(ReadValue(bus, 0, 1, c.word), c.digit) & c.bit, 0) << c.model;
        d.SetSensorBroken(c.input, true);
        EXPECT_EQ(StatusWord::Digit(ReadValue(bus, 0, 1, c.word), c.digit) & c.bit, c.bit) << c.model << " " << c.input;
        d.SetSensorBroken(c.input, false);
        EXPECT_EQ(StatusWord::Digit(ReadValue(bus, 0, 1, c.word), c.digit) & c.bit, 0) << c.model;
    }
}

TEST(SimPlant, ScannerChannelMask)
{
    SimBus bus;
    bus.Add(Type("SVB"), 0, 1);
    bus.Add(Type("SVB16"), 0, 2);
    EXPECT_EQ(WriteReq(bus, 0, 1, "SS", ">0005"), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 0, 1, "SS"), ">0005");
    EXPECT_EQ(WriteReq(bus, 0, 1, "SS", ">FF01"), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 0, 1, "SS"), ">0001");  // eight channels
    EXPECT_EQ(WriteReq(bus, 0, 1, "SS", "0001"), Bytes{NAK});
    EXPECT_EQ(WriteReq(bus, 0, 2, "SS", ">b001"), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 0, 2, "SS"), ">B001");
    // Offsets shift the readings.
    const double before = ReadNumber(bus, 0, 2, "5P2");
    ASSERT_EQ(WriteReq(bus, 0, 2, "5O2", "10.0"), Bytes{ACK});
    EXPECT_NEAR(ReadNumber(bus, 0, 2, "5P2"), before + 10.0, 0.05);
}

TEST(SimPlant, CQ50AlarmRoutesToADelayedOutput)
{
    SimBus bus;
    SimDevice& cq = bus.Add(Type("CQ50"), 0, 1);
    cq.Force(cq.Index("3PV"), "35.0");  // above 3HA 30.0, routed to output 1 with 5 s delay
    EXPECT_EQ(ReadValue(bus, 0, 1, "3AC"), ">0010");
    EXPECT_EQ(ReadValue(bus, 0, 1, "1OS"), ">0000");
    EXPECT_EQ(ReadValue(bus, 0, 1, "1DC", 2), "3");
    EXPECT_EQ(ReadValue(bus, 0, 1, "1OS", 6), ">0001");
    EXPECT_EQ(StatusDigit(bus, 0, 1, 1, 6), 4);  // output 1 is bit 4 of digit 1
    cq.Force(cq.Index("3PV"), "20.0");
    EXPECT_EQ(ReadValue(bus, 0, 1, "3AC", 6), ">0000");
    EXPECT_EQ(StatusDigit(bus, 0, 1, 1, 6), 0);
    cq.Force(cq.Index("2PV"), "1.0");  // below 2LA 5.0
    EXPECT_EQ(ReadValue(bus, 0, 1, "2AC", 6), ">0020");
}

TEST(SimPlant, GR220CycleEndsAndRestarts)
{
    SimBus bus;
    bus.Add(Type("GR220"), 0, 1);
    EXPECT_EQ(StatusDigit(bus, 0, 1, 3, 600) & 1, 0);
    EXPECT_EQ(StatusDigit(bus, 0, 1, 3, 4200) & 1, 1);  // ramp to 60.0, then 30 min
    EXPECT_EQ(ReadValue(bus, 0, 1, "1TE", 4200), "0.0");
    const std::string sw = ReadValue(bus, 0, 1, "SW", 4200);
    const uint8_t set[4] = {0, 0, 0, 0};
    const uint8_t clear[4] = {0, 0, 1, 0};
    ASSERT_EQ(WriteReq(bus, 0, 1, "SW", StatusWord::Compose(sw, set, clear), 4200), Bytes{ACK});
    EXPECT_EQ(StatusDigit(bus, 0, 1, 3, 4200) & 1, 0);
    EXPECT_EQ(ReadValue(bus, 0, 1, "1TE", 4200), "30.0");
}

TEST(SimPlant, ClockDisplaySetByNetworkWrites)
{
    SimBus bus;
    bus.Add(Type("RMV_Disp"), 3, 1);
    // Time synchronisation at 2017-03-05 14:07:09 (a Sunday), sent to all devices.
    const char* texts[8] = {">0009", ">0007", ">0014", ">0001", ">0005", ">0003", ">0017", ">0080"};
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(WriteReq(bus, 3, 1, std::to_string(i + 1) + "RT", texts[i], 0, AddressNetwork).empty());
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(ReadValue(bus, 3, 1, std::to_string(i + 1) + "RT"), texts[i]) << i;
    for (const char* di : {"1DI", "2DI", "4DI", "5DI"})
        ASSERT_EQ(WriteReq(bus, 3, 1, di, "0.0"), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 3, 1, "DX"), "14:07:09");
    EXPECT_EQ(ReadValue(bus, 3, 1, "DX", 61), "14:08:10");
    ASSERT_EQ(WriteReq(bus, 3, 1, "3DI", "0.0", 61), Bytes{ACK});
    ASSERT_EQ(WriteReq(bus, 3, 1, "4DI", "3.0", 61), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 3, 1, "DX", 61), "05.03.17");
    ASSERT_EQ(WriteReq(bus, 3, 1, "4DI", "0.0", 61), Bytes{ACK});
    ASSERT_EQ(WriteReq(bus, 3, 1, "5DI", "3.0", 61), Bytes{ACK});
    ASSERT_EQ(WriteReq(bus, 3, 1, "TX", "HELLO   ", 61), Bytes{ACK});
    EXPECT_EQ(ReadValue(bus, 3, 1, "DX", 61), "HELLO   ");
    EXPECT_EQ(WriteReq(bus, 3, 1, "TX", "TOO LONG TEXT"), Bytes{NAK});
    struct Case {
        const char* mnemonic;
        const char* value;
        uint8_t reply;
    } cases[] = {{"1AL", ">0730", ACK}, {"1AL", ">2460", NAK}, {"2AL", ">FFFF", ACK}, {"3AL", "0730", NAK},
                 {"1RT", ">0060", NAK}, {"6RT", ">0013", NAK}, {"4RT", ">0007", ACK}, {"8RT", ">00zz", NAK}};
    for (const Case& c : cases)
        EXPECT_EQ(WriteReq(bus, 3, 1, c.mnemonic, c.value, 61), Bytes{c.reply}) << c.mnemonic << c.value;
    EXPECT_EQ(ReadValue(bus, 3, 1, "1AL", 61), ">0730");
}

}  // namespace
