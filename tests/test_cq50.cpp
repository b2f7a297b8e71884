// The CQ50 measuring unit panel: stepping through the inputs and jumping to inputs in alarm,
// sensor breaks, the channel or alarm label (whose turn is shared by every CQ50 panel), the
// output lamps, the alarm reset and the editing ranges.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>

#include <memory>

#include "device/UpDown.h"
#include "devices/CQ50.h"
#include "devices/Display.h"
#include "devices/ODioda.h"
#include "support/PanelKit.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

using Texts = std::vector<std::string>;

std::unique_ptr<TCQ50> OnlinePanel()
{
    auto p = std::make_unique<TCQ50>(nullptr, 1, 1);
    MakeOnline(*p);
    return p;
}

class CQ50Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBusAndOperator();
        TCQ50::Labels() = {};
        d = OnlinePanel();
        Set("SW", ">0000");
        Set("IN", "8", 8);
        Set("PP", "1", 1);
        for (int c = 1; c <= 8; ++c) {
            Set(std::to_string(c) + "PV", std::to_string(c) + "0.5", c * 10 + 0.5f);
            Set(std::to_string(c) + "AC", ">0000");
        }
    }
    void TearDown() override { EXPECT_TRUE(ScriptedOperator::Instance().boxes.empty()); }
    void Set(const std::string& mnemonic, const std::string& text, float value = 0)
    {
        SetReported(*d, mnemonic, text, value);
    }
    void Alarm(int channel, const std::string& status) { Set(std::to_string(channel) + "AC", status); }
    // The input (1..8) shown after each of n ticks.
    std::vector<int> Channels(int n)
    {
        std::vector<int> shown;
        for (int i = 0; i < n; ++i) {
            d->ShowValues();
            shown.push_back(d->Channel() + 1);
        }
        return shown;
    }
    Texts Upper(int n)
    {
        Texts shown;
        for (int i = 0; i < n; ++i) {
            d->ShowValues();
            shown.push_back(d->UpperDisplay->Text());
        }
        return shown;
    }
    // The lower read-out of each input, stepping once through all eight.
    Texts LowerByChannel()
    {
        Texts byChannel(8);
        for (int i = 0; i < 8; ++i) {
            d->ShowValues();
            byChannel[static_cast<size_t>(d->Channel())] = d->LowerDisplay->Text();
        }
        return byChannel;
    }
    std::string Lamps() { return LampPattern(d->OutputLamps); }

    std::unique_ptr<TCQ50> d;
};

}  // namespace

TEST_F(CQ50Test, FactoryBuildsThePlate)
{
    std::unique_ptr<TDeviceType> p(CreateDevicePanel(4, nullptr, 2, 3));
    auto* cq = dynamic_cast<TCQ50*>(p.get());
    ASSERT_NE(cq, nullptr);
    EXPECT_EQ(cq->TypeId, 8);
    EXPECT_EQ(cq->height(), 236);
    EXPECT_EQ(cq->UpperDisplay->geometry(), QRect(56, 55, 129, 41));
    EXPECT_EQ(cq->LowerDisplay->geometry(), QRect(56, 110, 129, 41));
    EXPECT_EQ(cq->UpperDisplay->Text(), "init");
    EXPECT_EQ(cq->LowerDisplay->Text(), "");
    const int left[] = {54, 86, 118, 150};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(cq->OutputLamps[i]->geometry(), QRect(left[i], 98, 10, 10)) << "lamp " << i + 1;
    EXPECT_EQ(cq->PosebneFunkcije->actions().last(), cq->ResetAlarma);
    EXPECT_EQ(cq->ResetAlarma->text(), "Reset alarma");
    EXPECT_FALSE(cq->PrmTable->isEnabled());
    EXPECT_EQ(cq->Channel(), 0);
}

TEST_F(CQ50Test, OutsideOnlineTheUpperReadOutShowsInit)
{
    Set("SW", ">F000");
    d->ShowValues();
    EXPECT_EQ(d->UpperDisplay->Text(), "ch 2");
    EXPECT_EQ(d->LowerDisplay->Text(), "20.5");
    for (uint8_t state : {DeviceCore::StateInit, DeviceCore::StateScan, DeviceCore::StateOffline}) {
        d->State = state;
        Set("SW", ">0000");
        d->ShowValues();
        EXPECT_EQ(d->UpperDisplay->Text(), "init");
        EXPECT_EQ(d->LowerDisplay->Text(), "20.5");
        EXPECT_EQ(Lamps(), "1111");
        EXPECT_EQ(d->Channel(), 1);
    }
}

TEST_F(CQ50Test, SteppingThroughTheInputs)
{
    struct Case {
        const char* what;
        float inputs, period;
        std::vector<int> alarmed;  // inputs whose status character is '1'
        std::vector<int> shown;
    };
    const Case cases[] = {
        {"three inputs, every second tick", 3, 2, {}, {1, 2, 2, 3, 3, 1, 1, 2}},
        {"jumps to the input in alarm", 3, 2, {3}, {1, 3, 3, 3, 3, 3, 3, 3}},
        {"alarms take turns", 8, 1, {2, 6}, {2, 6, 2, 6, 2}},
        {"all eight", 8, 1, {}, {2, 3, 4, 5, 6, 7, 8, 1, 2}},
        {"every tick", 2, 1, {}, {2, 1, 2, 1}},
        {"inputs not read", 0, 1, {}, {1, 1, 1}},
        {"period not read", 4, 0, {}, {2, 3, 4, 1}},
        {"impossible count", 1e30f, 1, {}, {2, 3, 4, 5, 6, 7, 8, 1}},
        {"alarm beyond the inputs in use", 2, 1, {5}, {2, 1, 2}},
    };
    for (const Case& c : cases) {
        SetUp();
        Set("IN", "", c.inputs);
        Set("PP", "", c.period);
        for (int n : c.alarmed)
            Alarm(n, ">0010");
        EXPECT_EQ(Channels(static_cast<int>(c.shown.size())), c.shown) << c.what;
    }
}

TEST_F(CQ50Test, FewerInputsWrapFromAnInputNoLongerInUse)
{
    EXPECT_EQ(Channels(6), (std::vector<int>{2, 3, 4, 5, 6, 7}));
    Set("IN", "3", 3);
    EXPECT_EQ(Channels(3), (std::vector<int>{1, 2, 3}));
}

TEST_F(CQ50Test, AlarmStatusCharacterDecidesTheJump)
{
    // Character 3 as a hex digit: its low three bits are the high, low and difference alarms.
    const std::pair<const char*, bool> cases[] = {
        {">0010", true}, {">0020", true}, {">0040", true}, {">0070", true}, {">00A0", true},
        {">0000", false}, {">0080", false}, {">1101", false}, {">0", false}, {"", false},
    };
    for (const auto& [status, jumps] : cases) {
        SetUp();
        Set("IN", "4", 4);
        Alarm(4, status);
        EXPECT_EQ(Channels(1), (std::vector<int>{jumps ? 4 : 2})) << status;
    }
}

TEST_F(CQ50Test, UnreadAlarmStatusesCountAsNoAlarm)
{
    for (int c = 1; c <= 8; ++c)
        Alarm(c, "");
    Set("IN", "3", 3);
    Alarm(1, ">0");
    EXPECT_EQ(Upper(4), (Texts{"ch 2", "ch 3", "ch 1", "ch 2"}));
}

TEST_F(CQ50Test, SensorBreakMaskFromDigits2And3)
{
    const Texts values{"10.5", "20.5", "30.5", "40.5", "50.5", "60.5", "70.5", "80.5"};
    struct Case {
        const char* sw;
        std::vector<int> broken;
    };
    const Case cases[] = {
        {">0000", {}},         {">0100", {5}},       {">0010", {1}},          {">0800", {8}},
        {">00F0", {1, 2, 3, 4}}, {">0A50", {1, 3, 6, 8}}, {">F00F", {}},
    };
    for (const Case& c : cases) {
        SetUp();
        Set("SW", c.sw);
        Texts expected = values;
        for (int n : c.broken)
            expected[static_cast<size_t>(n - 1)] = "5nbr";
        EXPECT_EQ(LowerByChannel(), expected) << c.sw;
    }
}

TEST_F(CQ50Test, UpperReadOutAlternatesTheChannelWithItsAlarm)
{
    struct Case {
        const char* status;
        Texts shown;
    };
    const Case cases[] = {
        {">0010", {"ch 1", "HiAL", "ch 1", "HiAL"}},
        {">0020", {"ch 1", "LoAL", "ch 1", "LoAL"}},
        {">0030", {"ch 1", "LoAL", "ch 1", "HiAL", "ch 1", "LoAL"}},
        {">0040", {"ch 1", "ch 1", "ch 1"}},  // the difference alarm has no label
        {">00A0", {"ch 1", "LoAL", "ch 1", "LoAL"}},
        {">00C0", {"ch 1", "ch 1", "ch 1"}},
    };
    for (const Case& c : cases) {
        SetUp();
        Set("PP", "9999", 9999);  // stays on input 1
        Alarm(1, c.status);
        EXPECT_EQ(Upper(static_cast<int>(c.shown.size())), c.shown) << c.status;
    }
}

TEST_F(CQ50Test, TheLabelTurnIsSharedByAllPanels)
{
    Set("PP", "9999", 9999);
    std::unique_ptr<TCQ50> other = OnlinePanel();
    SetReported(*other, "PP", "9999", 9999);
    SetReported(*other, "1PV", "19.0", 19);
    SetReported(*other, "SW", ">0000");

    // Both in alarm, ticked in turn: the flag the first panel sets is taken by the second.
    Alarm(1, ">0010");
    SetReported(*other, "1AC", ">0030");
    Texts mine, theirs;
    for (int i = 0; i < 3; ++i) {
        d->ShowValues();
        other->ShowValues();
        mine.push_back(d->UpperDisplay->Text());
        theirs.push_back(other->UpperDisplay->Text());
    }
    EXPECT_EQ(mine, (Texts{"ch 1", "ch 1", "ch 1"}));
    EXPECT_EQ(theirs, (Texts{"LoAL", "HiAL", "LoAL"}));
    EXPECT_FALSE(TCQ50::Labels().mayShowLabel);

    // The label index is shared too: after the other panel's "LoAL" this panel, with both
    // alarms, goes on with "HiAL".
    SetReported(*other, "1AC", ">0000");
    Alarm(1, ">0030");
    other->ShowValues();  // no alarm: the flag is set
    EXPECT_EQ(other->UpperDisplay->Text(), "ch 1");
    EXPECT_EQ(Upper(3), (Texts{"HiAL", "ch 1", "LoAL"}));
}

TEST_F(CQ50Test, OutputLampsFollowDigit1)
{
    const std::pair<const char*, const char*> cases[] = {
        {">8000", "0001"}, {">4000", "1000"}, {">2000", "0100"}, {">1000", "0010"},
        {">F000", "1111"}, {">0FFF", "0000"}, {">9000", "0011"}, {"", "0000"},
    };
    for (const auto& [sw, lamps] : cases) {
        Set("SW", sw);
        d->ShowValues();
        EXPECT_EQ(Lamps(), lamps) << sw;
    }
}

TEST_F(CQ50Test, ResetAlarmaWhileOnlineSetsDigit4Bit2)
{
    Set("SW", ">1234");
    d->PopupMenuPopup();
    EXPECT_TRUE(d->ResetAlarma->isEnabled());
    EXPECT_TRUE(d->ZakljucanaTastatura->isChecked());
    d->ResetAlarma->trigger();
    EXPECT_EQ(d->StatusSetMask[3], 2);
    EXPECT_TRUE(d->StatusWritePending);
    d->PollDevice();  // the idle pass writes the status word with the reset bit
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(1, 1, AddressOwn, "SW", ">1236"));

    d->State = DeviceCore::StateOffline;
    d->PopupMenuPopup();
    EXPECT_FALSE(d->PosebneFunkcije->isEnabled());
}

TEST_F(CQ50Test, EditorRangesAndChoices)
{
    struct Case {
        const char* param;
        float sn, sh;
        int decimals;
        int lo, hi;  // allowed positions
    };
    const Case cases[] = {
        {"2HA", 7, 1, 1, -499, 1499},  // PTC
        {"8HA", 6, 0, 0, -999, 5999},  // RTD
        {"1LA", 0, 2, 2, -200, 1000},  // thermocouple J
        {"5LA", 3, 3, 3, 0, 1600},
        {"4LA", 8, 1, 1, -999, 9999},  // linear input
        {"1SP", 7, 3, 3, -999, 9999},  // other limits stay the table's, unscaled
        {"3Hh", 0, 1, 1, 1, 9999},
        {"6DH", 0, 2, 2, 0, 9999},
        {"2OF", 0, 0, 0, -999, 9999},
        {"PP", 7, 3, 0, 1, 9999},      // no decimals: none from "SH" either
        {"C1", 0, 2, 0, -999, 9999},
        {"1OD", 0, 1, 0, 0, 9999},
        {"IN", 0, 0, 0, 1, 8},
        {"1HA", 1, 1e30f, 3, -200, 1200},  // an impossible "SH" is cut to three decimals
    };
    for (const Case& c : cases) {
        Set("SN", "", c.sn);
        Set("SH", "", c.sh);
        d->OpenParamEditor(d->IndexOf(c.param));
        EXPECT_EQ(d->EditDecimals, c.decimals) << c.param << " SN " << c.sn;
        EXPECT_EQ(d->VrednostParametra->Minimum(), c.lo - 1) << c.param << " SN " << c.sn;
        EXPECT_EQ(d->VrednostParametra->Maximum(), c.hi + 1) << c.param << " SN " << c.sn;
    }
    d->OpenParamEditor(d->IndexOf("1HO"));
    EXPECT_EQ(d->VrednostCombo->count(), 4);
    EXPECT_EQ(d->VrednostCombo->itemText(3), "Izlaz 4");
}
