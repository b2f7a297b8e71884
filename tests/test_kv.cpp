// The KV710 and KV720 climate regulator panels: the communication state and the measured
// values on their displays, the output lamps, KV710's hand switch of output 3 and the editing
// ranges in whole units with limits taken from other parameters.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include <memory>

#include "device/UpDown.h"
#include "devices/Display.h"
#include "devices/KV.h"
#include "devices/ODioda.h"
#include "support/PanelKit.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

class KVTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBusAndOperator();
        kv710 = Make<TKV710>();
        kv720 = Make<TKV720>();
    }
    template <class T>
    std::unique_ptr<T> Make()
    {
        auto d = std::make_unique<T>(nullptr, 1, 1);
        MakeOnline(*d);
        Set(*d, "SW", ">0000");
        Set(*d, "1PV", "23.4", 23.4f);
        Set(*d, "2PV", "55.1", 55.1f);
        return d;
    }
    static void Set(TKVRegulator& d, const std::string& mnemonic, const std::string& text, float value = 0)
    {
        SetReported(d, mnemonic, text, value);
    }
    static std::string Lamps(const TKVRegulator& d) { return LampPattern(d.OutputLamps); }
    std::vector<TKVRegulator*> Both() { return {kv710.get(), kv720.get()}; }

    std::unique_ptr<TKV710> kv710;
    std::unique_ptr<TKV720> kv720;
};

}  // namespace

TEST_F(KVTest, FactoryBuildsBothPlates)
{
    struct Case {
        int idTip;
        int typeId;
        const char* ident;
        std::vector<int> lampLefts;
        QStringList groups;
    };
    const Case cases[] = {
        {1, 9, ">7101", {86, 118, 150},
         {"Identifikacioni", "Konfiguracioni", "Regulacija Temperature", "Regulacija Vlaznosti", "IZLAZ3",
          "Izmerene vrednosti i statusi"}},
        {12, 16, ">7201", {56, 87, 118, 149},
         {"Identifikacioni", "Konfiguracioni", "Regulacija Temperature", "Regulacija Vlaznosti",
          "Izmerene vrednosti i statusi"}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TDeviceType> p(CreateDevicePanel(c.idTip, nullptr, 2, 3));
        auto* kv = dynamic_cast<TKVRegulator*>(p.get());
        ASSERT_NE(kv, nullptr) << c.idTip;
        EXPECT_EQ(kv->TypeId, c.typeId);
        EXPECT_EQ(kv->Display1->geometry(), QRect(56, 55, 129, 41));
        EXPECT_EQ(kv->Display2->geometry(), QRect(56, 110, 129, 41));
        EXPECT_EQ(kv->Display1->DigitCount(), 4);
        EXPECT_EQ(kv->Display1->BackgroundColor(), BgrColor(0x000080));
        EXPECT_EQ(kv->Display1->Text(), "5CAn");
        EXPECT_EQ(kv->Display2->Text(), "");
        ASSERT_EQ(kv->OutputLamps.size(), c.lampLefts.size());
        for (size_t i = 0; i < c.lampLefts.size(); ++i)
            EXPECT_EQ(kv->OutputLamps[i]->geometry(), QRect(c.lampLefts[i], 98, 10, 10)) << c.idTip << " lamp " << i;
        QStringList groups;
        for (QAction* a : kv->PrmTable->actions())
            groups << a->text();
        EXPECT_EQ(groups, c.groups);
        EXPECT_FALSE(kv->PrmTable->isEnabled());
        kv->ValueTexts[0] = c.ident;
        EXPECT_TRUE(kv->IsMyIdentity());
        kv->ValueTexts[0] = c.idTip == 1 ? ">7201" : ">7101";
        EXPECT_FALSE(kv->IsMyIdentity());
    }
    // KV710 alone has the hand switch of output 3, after the keyboard lock.
    const auto commands = kv710->PosebneFunkcije->actions();
    ASSERT_EQ(commands.size(), 2);
    EXPECT_EQ(commands[1], kv710->UkljucenIzlaz3);
    EXPECT_EQ(kv710->UkljucenIzlaz3->text(), "Ukljucen IZLAZ3");
    EXPECT_TRUE(kv710->UkljucenIzlaz3->isCheckable());
    EXPECT_EQ(kv720->PosebneFunkcije->actions().size(), 1);
}

TEST_F(KVTest, DisplaysShowTheCommunicationStateOutsideOnline)
{
    struct Case {
        uint8_t state;
        const char* upper;
        const char* lower;
    };
    const Case cases[] = {
        {DeviceCore::StateScan, "5CAn", "    "},
        {DeviceCore::StateInit, "init", "    "},
        {DeviceCore::StateOffline, "OFF ", "linE"},
        {DeviceCore::StateOnline, "23.4", "55.1"},
    };
    for (TKVRegulator* d : Both()) {
        Set(*d, "SW", ">E000");
        d->ShowValues();
        const std::string lamps = Lamps(*d);
        ASSERT_EQ(lamps.substr(0, 3), "111");
        for (const Case& c : cases) {
            d->State = c.state;
            Set(*d, "SW", ">00C0");  // lamps and breaks are not decoded outside Online
            if (c.state == DeviceCore::StateOnline)
                Set(*d, "SW", ">E000");
            d->ShowValues();
            EXPECT_EQ(d->Display1->Text(), c.upper) << d->TypeId << " state " << int(c.state);
            EXPECT_EQ(d->Display2->Text(), c.lower) << d->TypeId << " state " << int(c.state);
            EXPECT_EQ(Lamps(*d), lamps) << "lamps keep their last state";
        }
    }
}

TEST_F(KVTest, ParameterTableIsLeftToThePopup)
{
    for (TKVRegulator* d : Both()) {
        d->ShowValues();
        EXPECT_FALSE(d->PrmTable->isEnabled()) << "the display tick does not enable it";
        d->PopupMenuPopup();
        EXPECT_TRUE(d->PrmTable->isEnabled());
        d->State = DeviceCore::StateInit;
        d->PopupMenuPopup();
        EXPECT_FALSE(d->PrmTable->isEnabled());
    }
}

TEST_F(KVTest, SensorBreaksReplaceTheirValues)
{
    struct Case {
        const char* sw;
        const char* upper;
        const char* lower;
    };
    const Case cases[] = {
        {">0000", "23.4", "55.1"}, {">0080", "5nbr", "55.1"}, {">0040", "23.4", "5nbr"},
        {">00C0", "5nbr", "5nbr"}, {">0030", "23.4", "55.1"},  // bits 2 and 1 are no breaks
    };
    for (TKVRegulator* d : Both()) {
        for (const Case& c : cases) {
            Set(*d, "SW", c.sw);
            d->ShowValues();
            EXPECT_EQ(d->Display1->Text(), c.upper) << d->TypeId << " " << c.sw;
            EXPECT_EQ(d->Display2->Text(), c.lower) << d->TypeId << " " << c.sw;
        }
    }
    // Values are shown exactly as received.
    Set(*kv710, "SW", ">0000");
    Set(*kv710, "1PV", "-5.0", -5);
    Set(*kv710, "2PV", "100.0", 100);
    kv710->ShowValues();
    EXPECT_EQ(kv710->Display1->Text(), "-5.0");
    EXPECT_EQ(kv710->Display2->Text(), "100.0");
}

TEST_F(KVTest, OutputLampsFollowDigit1)
{
    struct Case {
        const char* sw;
        const char* kv710;
        const char* kv720;
    };
    const Case cases[] = {
        {">4000", "010", "0100"}, {">F000", "111", "1111"}, {">1000", "000", "0001"},
        {">A000", "101", "1010"}, {">0000", "000", "0000"},
    };
    for (const Case& c : cases) {
        Set(*kv710, "SW", c.sw);
        Set(*kv720, "SW", c.sw);
        kv710->ShowValues();
        kv720->ShowValues();
        EXPECT_EQ(Lamps(*kv710), c.kv710) << c.sw;
        EXPECT_EQ(Lamps(*kv720), c.kv720) << c.sw;
    }
}

TEST_F(KVTest, Output3IsSwitchedByHandOnlyWhileItServesNoLoop)
{
    TKV710& d = *kv710;
    const std::pair<float, bool> loops[] = {{0, false}, {1, false}, {2, true}, {2.7f, true}};
    for (const auto& [in, enabled] : loops) {
        Set(d, "IN", "", in);
        d.PopupMenuPopup();
        EXPECT_EQ(d.UkljucenIzlaz3->isEnabled(), enabled) << "IN " << in;
    }
    // The mark follows output 3's bit each time the menu opens.
    Set(d, "SW", ">2000");
    d.PopupMenuPopup();
    EXPECT_TRUE(d.UkljucenIzlaz3->isChecked());
    Set(d, "SW", ">D004");
    d.PopupMenuPopup();
    EXPECT_FALSE(d.UkljucenIzlaz3->isChecked());
    EXPECT_TRUE(d.ZakljucanaTastatura->isChecked());

    // Switching on: the next idle pass writes the status word with digit 1 bit 2 set.
    Set(d, "SW", ">0000");
    d.PopupMenuPopup();
    d.UkljucenIzlaz3->trigger();
    EXPECT_TRUE(d.UkljucenIzlaz3->isChecked());
    EXPECT_EQ(d.StatusSetMask[0], 2);
    EXPECT_TRUE(d.StatusWritePending);
    d.PollDevice();
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(1, 1, AddressOwn, "SW", ">2000"));
    ASSERT_FALSE(d.PendingWrites.empty());
    EXPECT_EQ(d.PendingWrites.back().back(), 1) << "tagged as the status word";

    // Switching off, once the controller reports it on.
    Bus().Clear();
    d.PendingWrites.clear();
    d.PendingReads.clear();
    Set(d, "SW", ">6000");
    d.PopupMenuPopup();
    d.UkljucenIzlaz3->trigger();
    EXPECT_FALSE(d.UkljucenIzlaz3->isChecked());
    EXPECT_EQ(d.StatusClearMask[0], 2);
    d.PollDevice();
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(1, 1, AddressOwn, "SW", ">4000"));
}

TEST_F(KVTest, EditorRangesAreWholeUnitsWithCoupledLimits)
{
    struct Case {
        TKVRegulator* d;
        const char* param;
        std::vector<std::pair<const char*, float>> values;
        int decimals;
        int lo, hi;  // allowed positions
    };
    const Case cases[] = {
        {kv710.get(), "1SP", {{"1HS", 80.5f}}, 1, -990, 800},   // maximum set point, whole degrees
        {kv710.get(), "1SP", {{"1HS", 23.4f}}, 1, -990, 230},
        {kv720.get(), "1SP", {{"1HS", 999.9f}}, 1, -990, 9990},
        {kv720.get(), "1SP", {{"1HS", -50.5f}}, 1, -990, -510},  // a fraction below: the whole unit under it
        {kv720.get(), "1SP", {{"1HS", -99.5f}}, 1, -1000, -1000}, // below the table's minimum: only the limit
        {kv710.get(), "1HY", {}, 1, 0, 1000},                    // 0.1 .. 100 truncated: 0.0 .. 100.0
        {kv710.get(), "2SP", {}, 1, -90, 990},
        {kv710.get(), "1IT", {}, 0, 0, 9999},                     // no decimals: unscaled
        {kv710.get(), "CD", {}, 0, -999, 9999},
        {kv710.get(), "1BH", {{"1BL", 5.5f}}, 1, 60, 1200},      // upper break at least 6 above a 5.5 lower
        {kv710.get(), "1BH", {{"1BL", -5.0f}}, 1, -50, 1200},
        {kv710.get(), "1BL", {{"1BH", 100.0f}}, 1, -90, 1000},
        {kv710.get(), "2BH", {{"2BL", 10.0f}}, 1, 100, 1200},
        {kv720.get(), "2BL", {{"2BH", 95.2f}}, 1, -990, 950},
        {kv720.get(), "2BL", {{"2BH", -150.0f}}, 1, -1500, -1500},
    };
    for (const Case& c : cases) {
        for (const auto& [mnemonic, value] : c.values)
            Set(*c.d, mnemonic, "", value);
        c.d->OpenParamEditor(c.d->IndexOf(c.param));
        const std::string what = std::to_string(c.d->TypeId) + " " + c.param;
        EXPECT_EQ(c.d->EditDecimals, c.decimals) << what;
        EXPECT_EQ(c.d->VrednostParametra->Minimum(), c.lo - 1) << what;
        EXPECT_EQ(c.d->VrednostParametra->Maximum(), c.hi + 1) << what;
    }
}

TEST_F(KVTest, SetPointEditorStopsAtTheMaximumSetPoint)
{
    TKV710& d = *kv710;
    Set(d, "1HS", "80.5", 80.5f);
    Set(d, "1SP", "79.8", 79.8f);
    d.OpenParamEditor(d.IndexOf("1SP"));
    EXPECT_TRUE(d.EditorShown());
    EXPECT_EQ(d.VrednostParametra->Position(), 798);
    for (int i = 0; i < 5; ++i)
        d.VrednostParametra->Step(1);
    EXPECT_FLOAT_EQ(d.EditValue, 80.0f);
    EXPECT_EQ(d.VrednostEdit->text(), "80.0");
    d.PostaviBtnClick();
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(1, 1, AddressOwn, "1SP", "80.0"));
}
