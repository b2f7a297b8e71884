// KV710 and KV720 panels against the simulated bus, through the real port and communication
// thread: the communication state on the displays until Online, the live values, KV710's hand
// switch of output 3, sensor breaks, and a panel whose address holds another model.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <memory>

#include "devices/Display.h"
#include "devices/KV.h"
#include "devices/ODioda.h"
#include "link/Comm.h"
#include "link/Port.h"
#include "support/PanelPasses.h"
#include "support/ScriptedOperator.h"
#include "support/SimProcess.h"

using namespace tarvo;
using tarvo::test::RunPassesUntil;
using tarvo::test::ScriptedOperator;
using tarvo::test::SimProcess;

namespace {

class KVEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedDir = QDir::currentPath();
        QDir::setCurrent(dir.path());  // the thread's traffic log goes here
        Bus().Clear();
        ScriptedOperator::Instance().Clear();
        sim = std::make_unique<SimProcess>(std::vector<std::string>{
            "--stdin", "--baud", "57600", "--link", dir.filePath("bus").toStdString(), "KV710@11", "KV720@12"});
        PortName = sim->ReadLine();
        ASSERT_FALSE(PortName.empty());
        SpeedIndex = 7;
        ASSERT_EQ(OpenPort(), 0) << PortError();
    }
    void TearDown() override
    {
        panel.reset();  // the last panel stops the thread
        EXPECT_EQ(TheComm(), nullptr);
        PortHandle().Clear();
        sim.reset();
        QDir::setCurrent(savedDir);
    }
    template <class T>
    void Build(uint8_t group, uint8_t unit)
    {
        panel.reset();
        panel = std::make_unique<T>(nullptr, group, unit);
        ASSERT_NE(TheComm(), nullptr);
        shown = {panel->Display1->Text()};
    }
    // Runs passes until `done`, recording each new text of display 1.
    bool Until(const std::function<bool()>& done)
    {
        return RunPassesUntil(*panel, [&] {
            if (panel->Display1->Text() != shown.back())
                shown.push_back(panel->Display1->Text());
            return done();
        });
    }
    bool Online() { return panel->State == DeviceCore::StateOnline && !panel->LabelVisible(); }
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
    void Command(const std::string& line) { ASSERT_EQ(sim->Command(line), "ok") << line; }

    QTemporaryDir dir;
    QString savedDir;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<TKVRegulator> panel;
    std::vector<std::string> shown;
};

}  // namespace

TEST_F(KVEndToEnd, KV710ShowsItsStateThenLiveValuesAndSwitchesOutput3)
{
    Build<TKV710>(1, 1);
    ASSERT_TRUE(Until([&] { return Online() && ShowsLiveValues(); }))
        << "state " << int(panel->State) << " label " << panel->LabelText();
    EXPECT_EQ(shown.front(), "5CAn");
    EXPECT_NE(std::find(shown.begin(), shown.end(), "init"), shown.end()) << "the initial reads show init";
    EXPECT_FALSE(panel->PrmTable->isEnabled());
    EXPECT_TRUE(LampsFollowDigit1());

    // Output 3 serves no loop in the simulated chamber: the program switches it.
    auto* kv = static_cast<TKV710*>(panel.get());
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
    EXPECT_TRUE(ScriptedOperator::Instance().boxes.empty()) << "status writes raise no message";

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
    EXPECT_FALSE(ScriptedOperator::Instance().boxes.empty());
    EXPECT_EQ(panel->Display1->Text(), "OFF ");
    EXPECT_EQ(panel->Display2->Text(), "linE");

    Build<TKV720>(1, 2);
    ASSERT_TRUE(Until([&] { return Online() && ShowsLiveValues(); }))
        << "state " << int(panel->State) << " label " << panel->LabelText();
    EXPECT_EQ(panel->ValueTexts[0], ">7201");
    EXPECT_EQ(panel->OutputLamps.size(), 4u);
    // Each pass reads the status word again; the lamps follow it.
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Until([&] { return LampsFollowDigit1() && ShowsLiveValues(); }));
    Command("set 12 2PV 71.3");
    EXPECT_TRUE(Until([&] { return ShowsLiveValues() && std::fabs(panel->ValueOf("2PV") - 71.3) < 1.5; }))
        << panel->Display2->Text();
}
