// KV710 and KV720 panels against the simulated bus, through the real port and communication
// thread: the communication state on the displays until Online, the live values, KV710's hand
// switch of output 3, sensor breaks, and a panel whose address holds another model.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <cmath>

#include "devices/Display.h"
#include "devices/KV.h"
#include "devices/ODioda.h"
#include "link/Comm.h"
#include "support/BusFixture.h"

using namespace tarvo;

namespace {

class KVEndToEnd : public tarvo::test::BusFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartBus({"KV710@11", "KV720@12"}, {"--link", InDir("bus")}));
    }
    // A panel at `group`/`unit` in place of the one before.
    template <class T>
    void Build(uint8_t group, uint8_t unit)
    {
        RemovePanels();
        panel = &AddPanel<T>(group, unit);
        ASSERT_NE(TheComm(), nullptr);
        shown = {panel->Display1->Text()};
    }
    // Each pass records each new text of display 1.
    void Pass() override
    {
        BusFixture::Pass();
        if (panel->Display1->Text() != shown.back())
            shown.push_back(panel->Display1->Text());
    }
    bool ShowsLiveValues()
    {
        return !panel->TextOf("1PV").empty() && panel->Display1->Text() == panel->TextOf("1PV") &&
               panel->Display2->Text() == panel->TextOf("2PV");
    }
    bool LampsFollowDigit1()
    {
        const int bits[] = {8, 4, 2, 1};
        for (size_t i = 0; i < panel->OutputLamps.size(); ++i)
            if (panel->OutputLamps[i]->IsOn() != panel->Bit(1, bits[i]))
                return false;
        return true;
    }

    TKVRegulator* panel = nullptr;
    std::vector<std::string> shown;
};

}  // namespace

TEST_F(KVEndToEnd, KV710ShowsItsStateThenLiveValuesAndSwitchesOutput3)
{
    Build<TKV710>(1, 1);
    ASSERT_TRUE(Until([&] { return AllOnline() && ShowsLiveValues(); })) << States();
    EXPECT_EQ(shown.front(), "5CAn");
    EXPECT_NE(std::find(shown.begin(), shown.end(), "init"), shown.end()) << "the initial reads show init";
    EXPECT_FALSE(panel->PrmTable->isEnabled());
    EXPECT_TRUE(LampsFollowDigit1());

    // Output 3 serves no loop in the simulated chamber: the program switches it.
    auto* kv = static_cast<TKV710*>(panel);
    kv->PopupMenuPopup();
    ASSERT_TRUE(kv->UkljucenIzlaz3->isEnabled());
    EXPECT_TRUE(kv->PrmTable->isEnabled());
    const bool wasOn = kv->OutputLamps[2]->IsOn();
    kv->UkljucenIzlaz3->trigger();
    ASSERT_TRUE(Until([&] { return kv->OutputLamps[2]->IsOn() != wasOn; }));
    kv->PopupMenuPopup();
    EXPECT_EQ(kv->UkljucenIzlaz3->isChecked(), !wasOn);
    kv->UkljucenIzlaz3->trigger();
    ASSERT_TRUE(Until([&] { return kv->OutputLamps[2]->IsOn() == wasOn; }));
    EXPECT_TRUE(Op().boxes.empty()) << "status writes raise no message";

    // Broken probes replace their values.
    Command("fault 11 sensor2 on");
    EXPECT_TRUE(Until([&] { return panel->Display2->Text() == "5nbr" && panel->Display1->Text() != "5nbr"; }));
    Command("fault 11 sensor1 on");
    EXPECT_TRUE(Until([&] { return panel->Display1->Text() == "5nbr"; }));
    Command("fault 11 sensor1 off");
    Command("fault 11 sensor2 off");
    EXPECT_TRUE(Until([&] { return ShowsLiveValues(); }));
}

TEST_F(KVEndToEnd, KV720GoesOfflineOnAnotherModelAndOnlineOnItsOwn)
{
    // A KV710 answers at 11: the operator gives up on it (the scripted answer is Cancel).
    Build<TKV720>(1, 1);
    ASSERT_TRUE(Until([&] { return panel->State == DeviceCore::StateOffline; }));
    EXPECT_FALSE(Op().boxes.empty());
    EXPECT_EQ(panel->Display1->Text(), "OFF ");
    EXPECT_EQ(panel->Display2->Text(), "linE");

    Build<TKV720>(1, 2);
    ASSERT_TRUE(Until([&] { return AllOnline() && ShowsLiveValues(); })) << States();
    EXPECT_EQ(panel->ValueTexts[0], ">7201");
    EXPECT_EQ(panel->OutputLamps.size(), 4u);
    // Each pass reads the status word again; the lamps follow it.
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Until([&] { return LampsFollowDigit1() && ShowsLiveValues(); }));
    Command("set 12 2PV 71.3");
    EXPECT_TRUE(Until([&] { return ShowsLiveValues() && std::fabs(panel->ValueOf("2PV") - 71.3) < 1.5; }))
        << panel->Display2->Text();
}
