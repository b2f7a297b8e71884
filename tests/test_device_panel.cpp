// The device panel frame and the type framework: address label, popup menu, the parameter
// menus and editor with their ranges, status-word commands and alarm-label alternation.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include "device/UpDown.h"
#include "devices/DeviceType.h"
#include "devices/ODioda.h"
#include "support/PanelKit.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBusAndOperator(); }
    // A GR310 panel made Online with some values.
    std::unique_ptr<TDeviceType> MakeOnline(int idTip = 5)
    {
        std::unique_ptr<TDeviceType> d(CreateDevicePanel(idTip, nullptr, 1, 2));
        d->State = DeviceCore::StateOnline;
        d->ValueTexts[1] = ">0000";
        return d;
    }
    void SetValue(TDeviceType& d, const std::string& mnemonic, float v, const std::string& text)
    {
        SetReported(d, mnemonic, text, v);
    }
    const std::vector<test::Box>& boxes() { return ScriptedOperator::Instance().boxes; }
};

}  // namespace

TEST_F(PanelTest, ConstructionShowsAddressScanAndQueuesIdentificationFirst)
{
    Bus().PushBack(BuildReadRequest(5, 5, "PV"));
    std::unique_ptr<TDeviceType> d(CreateDevicePanel(1, nullptr, 1, 2));  // KV710
    EXPECT_EQ(d->AddressLb->text(), "adr:12");
    EXPECT_EQ(d->GreskaLb->text(), "SCAN");
    EXPECT_FALSE(d->GreskaLb->isHidden());
    EXPECT_EQ(d->TypeId, 9);
    EXPECT_EQ(Bus().QueueAt(0), BuildReadRequest(1, 2, "II"));
    EXPECT_EQ(d->size(), QSize(236, 236));
    EXPECT_FALSE(d->Image1->pixmap().isNull());
    // A shorter front plate makes a shorter panel.
    std::unique_ptr<TDeviceType> lx(CreateDevicePanel(0, nullptr, 0, 1));
    EXPECT_EQ(lx->height(), 116);
    EXPECT_EQ(lx->CommLed->pos(), QPoint(54, 20));
    EXPECT_EQ(CreateDevicePanel(13, nullptr, 0, 1), nullptr);
}

TEST_F(PanelTest, IdentityOfEveryType)
{
    for (const DeviceTypeInfo* info : AllTypes()) {
        std::unique_ptr<TDeviceType> d(CreateDevicePanel(info->ID_Tip, nullptr, 0, 1));
        for (const DeviceTypeInfo* other : AllTypes()) {
            d->ValueTexts[0] = other->IdentCodes[0];
            EXPECT_EQ(d->IsMyIdentity(), other == info) << info->Model << " given " << other->IdentCodes[0];
        }
        d->ValueTexts[0] = std::string(info->IdentCodes[0]).substr(0, 4);
        EXPECT_FALSE(d->IsMyIdentity());
    }
    std::unique_ptr<TDeviceType> hw(CreateDevicePanel(9, nullptr, 0, 1));
    hw->ValueTexts[0] = ">1606";
    EXPECT_TRUE(hw->IsMyIdentity());
}

TEST_F(PanelTest, PopupEnablesMenusOnlyOnlineAndShowsKeyboardLock)
{
    auto d = MakeOnline();
    d->State = DeviceCore::StateScan;
    d->PopupMenuPopup();
    EXPECT_FALSE(d->PrmTable->isEnabled());
    EXPECT_FALSE(d->Konfiguracija->isEnabled());
    EXPECT_FALSE(d->PosebneFunkcije->isEnabled());
    d->State = DeviceCore::StateOnline;
    d->ValueTexts[1] = ">0004";
    d->PopupMenuPopup();
    EXPECT_TRUE(d->PrmTable->isEnabled());
    EXPECT_TRUE(d->Konfiguracija->isEnabled());
    EXPECT_TRUE(d->PosebneFunkcije->isEnabled());
    EXPECT_TRUE(d->ZakljucanaTastatura->isChecked());
    d->ValueTexts[1] = ">0000";
    d->PopupMenuPopup();
    EXPECT_FALSE(d->ZakljucanaTastatura->isChecked());

    // Ticking the lock twice before the next pass asks for both; clearing then wins.
    d->ZakljucanaTastatura->trigger();
    d->ZakljucanaTastatura->trigger();
    EXPECT_EQ(d->StatusSetMask[3], 4);
    EXPECT_EQ(d->StatusClearMask[3], 4);
    EXPECT_TRUE(d->StatusWritePending);
}

TEST_F(PanelTest, ParamMenusFollowGroupsAndCaptionsShowValues)
{
    auto d = MakeOnline(3);  // FP320 table: seven groups, "PC" with choices
    const auto groups = d->PrmTable->actions();
    ASSERT_EQ(groups.size(), 7);
    EXPECT_EQ(groups[3]->text(), "Program");
    const int pc = d->IndexOf("PC");
    EXPECT_TRUE(d->ParamItem(pc)->isEnabled());
    EXPECT_FALSE(d->ParamItem(d->IndexOf("PV"))->isEnabled());
    EXPECT_EQ(d->ParamItem(pc)->parent(), groups[3]->menu());
    SetValue(*d, "PC", 2, "2");
    SetValue(*d, "PR", 0, ">0012");
    SetValue(*d, "PV", 23.4f, " 23.4");
    d->RefreshParamCaptions();
    EXPECT_EQ(d->ParamItem(pc)->text(), "Status programatora: HOLD");
    EXPECT_EQ(d->ParamItem(d->IndexOf("PV"))->text(), "Izmerena vrednost 1:  23.4");

    // ShowValues enables the menu only Online.
    d->PrmTable->setEnabled(false);
    d->State = DeviceCore::StateInit;
    d->ShowValues();
    EXPECT_FALSE(d->PrmTable->isEnabled());
    d->State = DeviceCore::StateOnline;
    d->ShowValues();
    EXPECT_TRUE(d->PrmTable->isEnabled());
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PanelTest, ChoiceEditorAndReadOnlyGuard)
{
    auto d = MakeOnline();
    const int ct = d->IndexOf("CT");  // GR310: "PID" / "Prog" / "ON/OFF"
    SetValue(*d, "CT", 1, "1");
    const int h = d->height();
    d->OpenParamEditor(ct);
    EXPECT_TRUE(d->EditorShown());
    EXPECT_EQ(d->height(), h + 76);
    EXPECT_EQ(d->VrednostCombo->count(), 3);
    EXPECT_EQ(d->VrednostCombo->currentIndex(), 1);
    EXPECT_FALSE(d->VrednostCombo->isHidden());
    EXPECT_TRUE(d->VrednostParametra->isHidden());
    EXPECT_EQ(d->ImeParametra->text(), "Tip upravljanja");
    d->OpenParamEditor(ct);  // opening again does not grow the panel twice
    EXPECT_EQ(d->height(), h + 76);
    d->VrednostComboChange(2);
    d->PostaviBtnClick();
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(1, 2, AddressOwn, "CT", "2.0"));
    EXPECT_EQ(d->height(), h);
    EXPECT_FALSE(d->EditorShown());

    d->OpenParamEditor(0);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "Parametar \"Tip uredjaja\"  se ne moze menjati");
    EXPECT_FALSE(d->EditorShown());
}

TEST_F(PanelTest, NumberEditorKeepsPositionsInsideTheRange)
{
    auto d = MakeOnline();
    // Limits -999..9999 with one decimal: positions -999..9999, values -99.9..999.9.
    SetValue(*d, "PV", 23.4f, "23.4");
    d->OpenNumberEditor(d->IndexOf("PV"), 1, -999, 9999);
    TUpDown* ud = d->VrednostParametra;
    EXPECT_EQ(ud->Minimum(), -1000);
    EXPECT_EQ(ud->Maximum(), 10000);
    EXPECT_EQ(ud->Position(), 234);  // 23.4 held in single precision is still 234 counts
    EXPECT_EQ(d->VrednostEdit->text(), "23.4");
    d->VrednostParametraChanging(10000);
    EXPECT_EQ(ud->Position(), 9999);
    EXPECT_FLOAT_EQ(d->EditValue, 999.9f);
    EXPECT_EQ(d->VrednostEdit->text(), "999.9");
    d->VrednostParametraChanging(-5000);
    EXPECT_EQ(ud->Position(), -999);
    EXPECT_EQ(d->VrednostEdit->text(), "-99.9");

    // Dragging upwards raises the value one step per pixel.
    d->VrednostParametraChanging(100);
    d->VrednostParametraMouseDown(300);
    d->VrednostParametraMouseMove(290);
    EXPECT_EQ(ud->Position(), 110);
    EXPECT_EQ(d->VrednostEdit->text(), "11.0");
    d->VrednostParametraMouseUp();
    EXPECT_FALSE(d->Dragging);

    // A range that does not fit sixteen bits is cut, never wrapped.
    d->OpenNumberEditor(d->IndexOf("PV"), 3, -999, 9999);
    EXPECT_EQ(ud->Minimum(), -1000);
    EXPECT_EQ(ud->Maximum(), 10000);
    d->OpenNumberEditor(d->IndexOf("PV"), 1, -99999, 99999);
    EXPECT_EQ(ud->Minimum(), -32768);
    EXPECT_EQ(ud->Maximum(), 32767);
    d->VrednostParametraChanging(40000);
    EXPECT_EQ(ud->Position(), 32766);

    // Numbers go out with one decimal whatever the editor's decimals.
    SetValue(*d, "OP", 25, "25");
    d->OpenParamEditor(d->IndexOf("OP"));
    EXPECT_EQ(ud->Minimum(), -1);
    EXPECT_EQ(ud->Maximum(), 101);
    EXPECT_EQ(d->VrednostEdit->text(), "25");
    d->CheckBoxGrupi->setChecked(true);
    d->CheckBoxMrezi->setChecked(true);
    d->PostaviBtnClick();
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(1, 2, AddressNetwork, "OP", "25.0"));
    EXPECT_TRUE(d->PendingWrites.empty());
}

TEST_F(PanelTest, EditFormats)
{
    EXPECT_EQ(FormatEditValue(25, 0), "25");
    EXPECT_EQ(FormatEditValue(25, 1), "25.0");
    EXPECT_EQ(FormatEditValue(-1.5, 2), "-1.50");
    EXPECT_EQ(FormatEditValue(0.125, 3), "0.125");
    EXPECT_EQ(FormatEditValue(-0.01, 1), "0.0");
    EXPECT_TRUE(FormatEditValue(1, 4).isNull());
    EXPECT_EQ(TruncCounts(233.99999), 234);
    EXPECT_EQ(TruncCounts(200.5), 200);
    EXPECT_EQ(TruncCounts(-233.99999), -234);
    EXPECT_EQ(TruncCounts(-200.5), -200);
}

TEST_F(PanelTest, AlarmLabelsTakeTurnsWithNormalContent)
{
    AlarmAlternation alt({"d_AL", "LoAL", "HiAL", "__Al"});
    auto run = [&](unsigned bits, int ticks) {
        std::vector<std::string> shown;
        for (int i = 0; i < ticks; ++i) {
            const char* label = alt.Next(bits);
            shown.push_back(label ? label : "value");
        }
        return shown;
    };
    // The first tick shows the normal content; two alarms take turns.
    EXPECT_EQ(run(0b0110, 6), (std::vector<std::string>{"value", "LoAL", "value", "HiAL", "value", "LoAL"}));
    // No alarm: only the normal content.
    EXPECT_EQ(run(0, 3), (std::vector<std::string>{"value", "value", "value"}));
    // One alarm blinks; the index wraps past the last label.
    EXPECT_EQ(run(0b1000, 4), (std::vector<std::string>{"__Al", "value", "__Al", "value"}));
    EXPECT_EQ(run(0b0001, 2), (std::vector<std::string>{"d_AL", "value"}));
}

TEST_F(PanelTest, StatusCommandsAndLamps)
{
    auto d = MakeOnline();
    QAction item(QStringLiteral("Ukljucen IZLAZ2"));
    item.setCheckable(true);
    item.setChecked(true);
    d->StatusWritePending = false;
    // A marked toggle is unmarked and its bit goes to the clear mask.
    d->ToggleStatusBit(&item, 1, 2);
    EXPECT_FALSE(item.isChecked());
    EXPECT_EQ(d->StatusClearMask[0], 2);
    EXPECT_TRUE(d->StatusWritePending);

    TOutDioda a(nullptr), b(nullptr), c(nullptr);
    d->ValueTexts[1] = ">4000";
    d->ShowOutputLamps({&a, &b, &c}, {8, 4, 2});
    EXPECT_FALSE(a.IsOn());
    EXPECT_TRUE(b.IsOn());
    EXPECT_FALSE(c.IsOn());
}
