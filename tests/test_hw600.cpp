// The HW600 temperature and humidity indicator panel: its half-height plate, both identification
// codes, and the two values or the sensor fault on its displays.
#include <gtest/gtest.h>

#include <QAction>
#include <QFrame>
#include <QMenu>

#include <memory>

#include "devices/Display.h"
#include "devices/HW600.h"
#include "devices/ODioda.h"
#include "support/PanelKit.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

class HW600Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBusAndOperator();
        d.reset(new THW600(nullptr, 2, 1));
        MakeOnline(*d);
        Set("SW", ">0000");
        Set("1PV", "23.4", 23.4f);
        Set("2PV", "65.2", 65.2f);
    }
    void Set(const std::string& mnemonic, const std::string& text, float value = 0)
    {
        SetReported(*d, mnemonic, text, value);
    }

    std::unique_ptr<THW600> d;
};

}  // namespace

TEST_F(HW600Test, FactoryBuildsTheHalfHeightPlate)
{
    std::unique_ptr<TDeviceType> p(CreateDevicePanel(9, nullptr, 2, 3));
    auto* hw = dynamic_cast<THW600*>(p.get());
    ASSERT_NE(hw, nullptr);
    EXPECT_EQ(hw->TypeId, 10);
    EXPECT_EQ(hw->height(), 136);
    EXPECT_EQ(hw->CommLed->pos(), QPoint(26, 64));
    EXPECT_EQ(hw->Prozor->geometry(), QRect(36, 62, 160, 45));
    EXPECT_EQ(hw->Prozor->grab().toImage().pixelColor(80, 20), BgrColor(0x000080));
    EXPECT_EQ(hw->Display1->geometry(), QRect(36, 62, 100, 45));
    EXPECT_EQ(hw->Display2->geometry(), QRect(136, 62, 60, 36));
    EXPECT_EQ(hw->Display1->DigitCount(), 4);
    EXPECT_EQ(hw->Display2->DigitCount(), 3);
    EXPECT_EQ(hw->Display1->BackgroundColor(), BgrColor(0x000080));
    EXPECT_EQ(hw->Display1->Text(), "ini");
    EXPECT_EQ(hw->Display2->Text(), "  ");
    EXPECT_FALSE(hw->PrmTable->isEnabled());
    // No commands of its own: the keyboard lock is all "Posebne funkcije" holds.
    EXPECT_EQ(hw->PosebneFunkcije->actions(), QList<QAction*>{hw->ZakljucanaTastatura});
}

TEST_F(HW600Test, AcceptsBothIdentificationCodes)
{
    const std::pair<const char*, bool> cases[] = {
        {">0606", true}, {">1606", true}, {">8606", false}, {">2606", false}, {"", false}, {">0606 ", false}};
    for (const auto& [code, mine] : cases) {
        d->ValueTexts[0] = code;
        EXPECT_EQ(d->IsMyIdentity(), mine) << code;
    }
}

TEST_F(HW600Test, ShowsBothValuesOrTheSensorFault)
{
    struct Case {
        const char* sw;
        const char* d1;
        const char* d2;
    };
    const Case cases[] = {
        {">0000", "23.4", "65.2"}, {">0100", "5nb ", "    "}, {">0200", "23.4", "65.2"},
        {">0300", "5nb ", "    "}, {">FF00", "5nb ", "    "}, {">FEFF", "23.4", "65.2"},
        {"", "23.4", "65.2"},  // status word not read yet: nothing to decode
        {">0", "23.4", "65.2"},  // incomplete: its missing digits count as clear
    };
    for (const Case& c : cases) {
        Set("SW", c.sw);
        d->ShowValues();
        EXPECT_EQ(d->Display1->Text(), c.d1) << c.sw;
        EXPECT_EQ(d->Display2->Text(), c.d2) << c.sw;
    }
    EXPECT_TRUE(d->PrmTable->isEnabled());
    // The value texts as received, negative temperatures and full humidity included.
    Set("SW", ">0000");
    Set("1PV", "-12.5", -12.5f);
    Set("2PV", "100.0", 100);
    d->ShowValues();
    EXPECT_EQ(d->Display1->Text(), "-12.5");
    EXPECT_EQ(d->Display2->Text(), "100.0");
    EXPECT_TRUE(ScriptedOperator::Instance().boxes.empty());
}

TEST_F(HW600Test, OutsideOnlineNothingChanges)
{
    d->ShowValues();
    for (uint8_t state : {DeviceCore::StateInit, DeviceCore::StateScan, DeviceCore::StateOffline}) {
        std::unique_ptr<THW600> fresh(new THW600(nullptr, 2, 1));
        fresh->State = state;
        fresh->ValueTexts[1] = ">0100";
        fresh->ShowValues();
        EXPECT_EQ(fresh->Display1->Text(), "ini");
        EXPECT_EQ(fresh->Display2->Text(), "  ");
        EXPECT_FALSE(fresh->PrmTable->isEnabled());

        d->State = state;
        Set("SW", ">0100");
        d->ShowValues();
        EXPECT_EQ(d->Display1->Text(), "23.4") << "the last values stay";
        EXPECT_EQ(d->Display2->Text(), "65.2");
    }
    Bus().Clear();
}

TEST_F(HW600Test, MenusFollowTheCommonRules)
{
    Set("SW", ">0004");
    d->PopupMenuPopup();
    EXPECT_TRUE(d->Konfiguracija->isEnabled());
    EXPECT_TRUE(d->PosebneFunkcije->isEnabled());
    EXPECT_TRUE(d->ZakljucanaTastatura->isChecked());
    Set("SW", ">0000");
    d->PopupMenuPopup();
    EXPECT_FALSE(d->ZakljucanaTastatura->isChecked());

    // Nothing can be edited: the guard names the parameter.
    d->OpenParamEditor(d->IndexOf("1PV"));
    ASSERT_EQ(ScriptedOperator::Instance().boxes.size(), 1u);
    EXPECT_EQ(ScriptedOperator::Instance().boxes[0].text, "Parametar \"Temperatura\"  se ne moze menjati");
    EXPECT_FALSE(d->EditorShown());
}
