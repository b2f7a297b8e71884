// The LX410i indicator panel: its half-height plate, the read-out's precedence of sensor break,
// alarm labels and value, the relay lamp, the alarm reset and the editing ranges.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QSignalSpy>

#include <memory>

#include "device/UpDown.h"
#include "devices/Display.h"
#include "devices/LX410i.h"
#include "devices/ODioda.h"
#include "support/PanelKit.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

class LX410iTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBusAndOperator();
        d.reset(new TLX410i(nullptr, 1, 1));
        MakeOnline(*d);
        Set("SW", ">0000");
        Set("PV", "23.4", 23.4f);
    }
    void Set(const std::string& mnemonic, const std::string& text, float value = 0)
    {
        SetReported(*d, mnemonic, text, value);
    }
    std::vector<std::string> Ticks(int n) { return DisplayTicks(*d, *d->Display1, n); }

    std::unique_ptr<TLX410i> d;
};

using Texts = std::vector<std::string>;

}  // namespace

TEST_F(LX410iTest, FactoryBuildsTheHalfHeightPlate)
{
    std::unique_ptr<TDeviceType> p(CreateDevicePanel(0, nullptr, 2, 3));
    auto* lx = dynamic_cast<TLX410i*>(p.get());
    ASSERT_NE(lx, nullptr);
    EXPECT_EQ(lx->TypeId, 1);
    EXPECT_EQ(lx->height(), 116);
    EXPECT_EQ(lx->CommLed->pos(), QPoint(54, 20));
    EXPECT_EQ(lx->Display1->geometry(), QRect(68, 21, 130, 41));
    EXPECT_EQ(lx->Display1->DigitCount(), 4);
    EXPECT_EQ(lx->Display1->Text(), "ini");
    EXPECT_EQ(lx->RelayLamp->geometry(), QRect(158, 70, 8, 8));
    EXPECT_EQ(lx->RelayLamp->OffColor(), BgrColor(0x000080));
    EXPECT_EQ(lx->RelayLamp->OnColor(), BgrColor(0x0000FF));
    EXPECT_EQ(lx->PosebneFunkcije->actions().last(), lx->ResetAlarma);
    EXPECT_EQ(lx->ResetAlarma->text(), "Reset alarma");
    EXPECT_FALSE(lx->PrmTable->isEnabled());
}

TEST_F(LX410iTest, OutsideOnlineNothingChanges)
{
    Set("SW", ">8200");
    for (uint8_t state : {DeviceCore::StateScan, DeviceCore::StateInit, DeviceCore::StateOffline}) {
        d->State = state;
        d->ShowValues();
        EXPECT_EQ(d->Display1->Text(), "ini");
        EXPECT_FALSE(d->RelayLamp->IsOn());
        EXPECT_FALSE(d->PrmTable->isEnabled());
        EXPECT_FALSE(d->ResetAlarma->isEnabled());
    }
    d->State = DeviceCore::StateOnline;
    d->ShowValues();
    EXPECT_EQ(d->Display1->Text(), "23.4");
    EXPECT_TRUE(d->RelayLamp->IsOn());
    EXPECT_TRUE(d->PrmTable->isEnabled());
}

TEST_F(LX410iTest, ReadOutPrecedence)
{
    struct Case {
        const char* sw;
        Texts shown;
    };
    const Case cases[] = {
        {">0000", {"23.4", "23.4", "23.4", "23.4"}},
        {">0200", {"23.4", "HiAL", "23.4", "HiAL"}},
        {">0100", {"23.4", "LoAL", "23.4", "LoAL"}},
        {">0300", {"23.4", "HiAL", "23.4", "HiAL"}},  // both: only the high label
        {">0800", {"5nbr", "5nbr", "5nbr", "5nbr"}},
        {">0B00", {"5nbr", "5nbr", "5nbr", "5nbr"}},
        {">0400", {"23.4", "23.4", "23.4", "23.4"}},  // bit 4 is no alarm
        {">F0FF", {"23.4", "23.4", "23.4", "23.4"}},  // other digits neither
    };
    for (const Case& c : cases) {
        SetUp();
        Set("SW", c.sw);
        EXPECT_EQ(Ticks(4), c.shown) << c.sw;
    }
    EXPECT_TRUE(ScriptedOperator::Instance().boxes.empty());
}

TEST_F(LX410iTest, SensorBreakKeepsTheLabelTurn)
{
    Ticks(1);  // the value: a label may come next
    Set("SW", ">0800");
    Ticks(2);
    Set("SW", ">0200");
    EXPECT_EQ(Ticks(3), (Texts{"HiAL", "23.4", "HiAL"}));
    // The value text is shown as received; an unread value is an empty read-out.
    Set("SW", ">0000");
    Set("PV", " -5.0", -5);
    EXPECT_EQ(Ticks(1), (Texts{" -5.0"}));
    Set("PV", "");
    Set("SW", "");
    EXPECT_EQ(Ticks(1), (Texts{""}));
}

TEST_F(LX410iTest, RelayLampFollowsDigit1Bit8)
{
    const std::pair<const char*, bool> cases[] = {
        {">8000", true}, {">F000", true}, {">7FFF", false}, {">0000", false}, {">8800", true}};
    for (const auto& [sw, on] : cases) {
        Set("SW", sw);
        d->ShowValues();
        EXPECT_EQ(d->RelayLamp->IsOn(), on) << sw;
    }
}

TEST_F(LX410iTest, ResetAlarmaFollowsTheAlarmsAndSetsDigit4Bit2)
{
    const std::pair<const char*, bool> cases[] = {
        {">0200", true}, {">0100", true}, {">0B00", true}, {">0800", false}, {">8000", false}, {">0000", false}};
    for (const auto& [sw, enabled] : cases) {
        Set("SW", sw);
        d->ShowValues();
        d->PopupMenuPopup();
        EXPECT_EQ(d->ResetAlarma->isEnabled(), enabled) << sw;
        EXPECT_TRUE(d->PosebneFunkcije->isEnabled());
    }

    Set("SW", ">8204");
    d->ShowValues();
    d->PopupMenuPopup();
    EXPECT_TRUE(d->ZakljucanaTastatura->isChecked());
    d->ResetAlarma->trigger();
    EXPECT_EQ(d->StatusSetMask[3], 2);
    EXPECT_TRUE(d->StatusWritePending);
    d->PollDevice();  // the idle pass writes the status word with the reset bit
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(1, 1, AddressOwn, "SW", ">8206"));
}

TEST_F(LX410iTest, EditorRangesAndChoices)
{
    struct Case {
        const char* param;
        int decimals;
        int lo, hi;
    };
    const Case cases[] = {
        {"OF", 2, -999, 9999}, {"i1", 3, 0, 9999}, {"d2", 3, -999, 9999},
        {"HA", 0, -999, 9999}, {"LA", 0, -999, 9999}, {"CD", 0, -999, 9999},
    };
    for (const Case& c : cases) {
        Set("SN", "6", 6);  // the decimals never come from the sensor
        d->OpenParamEditor(d->IndexOf(c.param));
        EXPECT_EQ(d->EditDecimals, c.decimals) << c.param;
        EXPECT_EQ(d->VrednostParametra->Minimum(), c.lo - 1) << c.param;
        EXPECT_EQ(d->VrednostParametra->Maximum(), c.hi + 1) << c.param;
    }
    d->OpenParamEditor(d->IndexOf("SN"));
    EXPECT_EQ(d->VrednostCombo->count(), 10);
    EXPECT_EQ(d->VrednostCombo->currentText(), "RTD Pt100");
}

TEST_F(LX410iTest, CaptionsAreAssignedOnlyWhenTheyChange)
{
    QAction* ho = d->ParamItem(d->IndexOf("Ho"));
    QSignalSpy changed(ho, &QAction::changed);
    Set("Ho", "1", 1);
    d->RefreshParamCaptions();
    EXPECT_EQ(ho->text(), "Tip gornjeg alarma: Nelecovan");
    const int after = static_cast<int>(changed.count());
    d->RefreshParamCaptions();
    EXPECT_EQ(changed.count(), after);
    Set("Ho", "2", 2);
    d->RefreshParamCaptions();
    EXPECT_EQ(ho->text(), "Tip gornjeg alarma: Iskljucen");
}
