// The GR220 panel: both inputs, the hold-back and end-of-cycle labels taking turns with input 2,
// output and status lamps, the start of a new cycle and the set-point editing ranges.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <memory>

#include "device/UpDown.h"
#include "devices/Display.h"
#include "devices/GR220.h"
#include "devices/ODioda.h"
#include "support/PanelKit.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

class GR220Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBusAndOperator();
        d = std::make_unique<TGR220>(nullptr, 1, 1);
        MakeOnline(*d);
        Set("SW", ">0000");
        Set("1PV", "61.2", 61.2f);
        Set("2PV", "38.5", 38.5f);
    }
    void Set(const std::string& mnemonic, const std::string& text, float value = 0)
    {
        SetReported(*d, mnemonic, text, value);
    }
    std::vector<std::string> Display2Ticks(int n) { return DisplayTicks(*d, *d->Display2, n); }
    std::string Lamps()
    {
        return LampPattern(d->OutputLamps) + ' ' + (d->StatusLampA->IsOn() ? 'A' : '-') +
               (d->StatusLampB->IsOn() ? 'B' : '-');
    }

    std::unique_ptr<TGR220> d;
};

}  // namespace

TEST_F(GR220Test, FactoryBuildsThePlate)
{
    std::unique_ptr<TDeviceType> p(CreateDevicePanel(2, nullptr, 2, 3));
    auto* gr = dynamic_cast<TGR220*>(p.get());
    ASSERT_NE(gr, nullptr);
    EXPECT_EQ(gr->TypeId, 4);
    EXPECT_EQ(gr->Display1->geometry(), QRect(56, 55, 129, 41));
    EXPECT_EQ(gr->Display2->geometry(), QRect(56, 110, 129, 41));
    EXPECT_EQ(gr->Display1->Text(), "init");
    EXPECT_EQ(gr->Display2->Text(), "");
    EXPECT_EQ(gr->Display1->toolTip(), "Izmerena vrednost na ulazu 1");
    EXPECT_EQ(gr->Display2->toolTip(), "Izmerena vrednost na ulazu 2");
    EXPECT_EQ(gr->OutputLamps[0]->geometry(), QRect(86, 98, 10, 10));
    EXPECT_EQ(gr->OutputLamps[2]->geometry(), QRect(150, 98, 10, 10));
    EXPECT_EQ(gr->StatusLampA->geometry(), QRect(140, 47, 8, 8));
    EXPECT_EQ(gr->StatusLampB->geometry(), QRect(76, 47, 8, 8));
    EXPECT_EQ(gr->StatusLampA->OffColor(), BgrColor(0x000080));
    EXPECT_EQ(gr->StatusLampA->OnColor(), BgrColor(0x0000FF));
    EXPECT_EQ(gr->PosebneFunkcije->actions().last(), gr->StartNovogCiklusa);
    EXPECT_EQ(gr->StartNovogCiklusa->text(), "Start novog ciklusa");
    EXPECT_EQ(gr->PrmTable->actions().size(), 7);
    EXPECT_FALSE(gr->PrmTable->isEnabled());
    gr->ValueTexts[0] = ">2201";
    EXPECT_TRUE(gr->IsMyIdentity());
}

TEST_F(GR220Test, OutsideOnlineOnlyDisplay1ShowsInit)
{
    Set("SW", ">F410");
    d->ShowValues();
    EXPECT_EQ(d->Display1->Text(), "61.2");
    EXPECT_TRUE(d->PrmTable->isEnabled());
    const std::string d2 = d->Display2->Text();
    const std::string lamps = Lamps();
    EXPECT_EQ(lamps, "111 A-");
    for (uint8_t state : {DeviceCore::StateInit, DeviceCore::StateScan, DeviceCore::StateOffline}) {
        d->State = state;
        Set("SW", ">0000");
        d->ShowValues();
        d->ShowValues();
        EXPECT_EQ(d->Display1->Text(), "init");
        EXPECT_EQ(d->Display2->Text(), d2);
        EXPECT_EQ(Lamps(), lamps);
    }
}

TEST_F(GR220Test, InputsAndSensorBreaks)
{
    struct Case {
        const char* sw;
        const char* upper;
        const char* lower;
    };
    const Case cases[] = {
        {">0000", "61.2", "38.5"}, {">0080", "5nbr", "38.5"}, {">0040", "61.2", "5nbr"}, {">00C0", "5nbr", "5nbr"}};
    for (const Case& c : cases) {
        Set("SW", c.sw);
        d->ShowValues();
        d->ShowValues();  // no alarm: normal content on every tick
        EXPECT_EQ(d->Display1->Text(), c.upper) << c.sw;
        EXPECT_EQ(d->Display2->Text(), c.lower) << c.sw;
    }
}

TEST_F(GR220Test, AlarmLabelsTakeTurnsWithInput2)
{
    struct Case {
        const char* sw;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {">0010", {"38.5", "t.OFF", "38.5", "t.OFF"}},
        {">0C00", {"38.5", "Hb1 ", "38.5", "Hb2 ", "38.5", "Hb1 "}},
        {">0C10", {"38.5", "Hb1 ", "38.5", "Hb2 ", "38.5", "t.OFF", "38.5", "Hb1 "}},
        {">0450", {"5nbr", "Hb2 ", "5nbr", "t.OFF", "5nbr", "Hb2 "}},  // input 2 broken as well
        {">0300", {"38.5", "38.5", "38.5"}},                            // bits 2 and 1 are lamps only
    };
    for (const Case& c : cases) {
        d = std::make_unique<TGR220>(nullptr, 1, 1);
        d->State = DeviceCore::StateOnline;
        Set("2PV", "38.5", 38.5f);
        Set("SW", c.sw);
        EXPECT_EQ(Display2Ticks(static_cast<int>(c.shown.size())), c.shown) << c.sw;
    }
}

TEST_F(GR220Test, OutputAndStatusLamps)
{
    const std::pair<const char*, const char*> cases[] = {
        {">8000", "100 --"}, {">4000", "010 --"}, {">2000", "001 --"}, {">1000", "000 A-"},
        {">0200", "000 A-"}, {">0100", "000 -B"}, {">F300", "111 AB"}, {">0C00", "000 --"},
    };
    for (const auto& [sw, lamps] : cases) {
        Set("SW", sw);
        d->ShowValues();
        EXPECT_EQ(Lamps(), lamps) << sw;
    }
}

TEST_F(GR220Test, StartNovogCiklusaFollowsTheEndOfCycleAndClearsIt)
{
    Set("SW", ">8C10");
    d->ShowValues();
    d->PopupMenuPopup();
    EXPECT_TRUE(d->StartNovogCiklusa->isEnabled());

    d->StartNovogCiklusa->trigger();
    EXPECT_EQ(d->StatusClearMask[2], 1);
    EXPECT_TRUE(d->StatusWritePending);
    d->PollDevice();
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(1, 1, AddressOwn, "SW", ">8C00"));

    // Enabled by what the last display tick saw, not by the status word alone.
    Set("SW", ">0000");
    d->PopupMenuPopup();
    EXPECT_TRUE(d->StartNovogCiklusa->isEnabled());
    d->ShowValues();
    d->PopupMenuPopup();
    EXPECT_FALSE(d->StartNovogCiklusa->isEnabled());
    Set("SW", ">0C04");
    d->ShowValues();
    d->PopupMenuPopup();
    EXPECT_FALSE(d->StartNovogCiklusa->isEnabled());
    EXPECT_TRUE(d->ZakljucanaTastatura->isChecked());
}

TEST_F(GR220Test, EditorRanges)
{
    struct Case {
        const char* param;
        float sn, ls1, hs1, ls2, hs2;
        int decimals;
        int lo, hi;  // allowed positions
    };
    const Case cases[] = {
        {"1SL", 6, 0, 100, 0, 0, 1, 0, 1000},          // RTD: 0.0 .. 100.0
        {"1SL", 0, -50, 350, 0, 0, 0, -50, 350},       // thermocouple J, whole degrees
        {"2SL", 6, 0, 0, 10.5f, 80.2f, 1, 105, 802},
        {"1HS", 6, 20, 0, 0, 0, 1, 201, 5999},         // above the minimum by a count, up to the sensor
        {"2HS", 1, 0, 0, -20, 0, 0, -19, 1200},
        {"1LS", 6, 0, 100, 0, 0, 1, -999, 999},        // from the sensor's minimum to a count under the maximum
        {"2LS", 3, 0, 0, 0, 500, 0, 0, 499},
        {"1SL", 0, 300, 200, 0, 0, 0, 200, 200},       // contradicting limits: the maximum holds
        {"1HS", 0, 1200, 0, 0, 0, 0, 1201, 1201},      // minimum above the sensor range
        {"1OF", 6, 0, 0, 0, 0, 2, -999, 9999},         // decimals 2 as given, limits unscaled
        {"1HB", 8, 0, 0, 0, 0, 1, 0, 9999},            // decimals 3 resolved, limits unscaled
        {"1TM", 6, 0, 0, 0, 0, 0, 0, 9999},
        // The count is added before truncating: a limit between counts rounds toward zero.
        {"1HS", 6, -0.05f, 0, 0, 0, 1, 0, 5999},       // trunc(-0.5 + 1) = 0
        {"2LS", 6, 0, 0, 0, 0.05f, 1, -999, 0},        // trunc(0.5 - 1) = 0
    };
    for (const Case& c : cases) {
        Set("SN", "", c.sn);
        Set("1LS", "", c.ls1);
        Set("1HS", "", c.hs1);
        Set("2LS", "", c.ls2);
        Set("2HS", "", c.hs2);
        d->OpenParamEditor(d->IndexOf(c.param));
        const std::string what = std::string(c.param) + " SN " + std::to_string(static_cast<int>(c.sn));
        EXPECT_EQ(d->EditDecimals, c.decimals) << what;
        EXPECT_EQ(d->VrednostParametra->Minimum(), c.lo - 1) << what;
        EXPECT_EQ(d->VrednostParametra->Maximum(), c.hi + 1) << what;
    }
}
