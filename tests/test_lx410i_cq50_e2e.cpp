// An LX410i and a CQ50 panel against the simulated bus, through the real port and
// communication thread: live values, alarm labels, the output lamps, the alarm reset and a
// broken sensor.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <set>

#include "devices/CQ50.h"
#include "devices/Display.h"
#include "devices/LX410i.h"
#include "devices/ODioda.h"
#include "link/Comm.h"
#include "support/BusFixture.h"
#include "support/PanelPasses.h"

using namespace tarvo;
using tarvo::test::PanelPass;

namespace {

class IndicatorsEndToEnd : public tarvo::test::BusFixture {
protected:
    void SetUp() override
    {
        TCQ50::Labels() = {};
        ASSERT_NO_FATAL_FAILURE(StartBus({"LX410i@11", "CQ50@12"}, {"--time-scale", "60", "--seed", "5"}));
        lx = &AddPanel<TLX410i>(1, 1);
        cq = &AddPanel<TCQ50>(1, 2);
        ASSERT_NE(TheComm(), nullptr);
        ASSERT_TRUE(Until([&] { return AllOnline(); })) << States();
    }
    void TearDown() override
    {
        EXPECT_TRUE(Op().boxes.empty());
        BusFixture::TearDown();
    }
    // Waits until the last three read-outs of `display` were `a`, `b`, `a`.
    bool Alternates(const TDisplay& display, const std::function<std::string()>& a, const std::string& b)
    {
        std::vector<std::string> shown;
        return Until([&] {
            shown.push_back(display.Text());
            const size_t n = shown.size();
            return n >= 3 && shown[n - 3] == a() && shown[n - 2] == b && shown[n - 1] == a();
        });
    }
    std::string ChannelLabel() const { return "ch " + std::to_string(cq->Channel() + 1); }
    std::string ChannelValue() const { return cq->TextOf(std::to_string(cq->Channel() + 1) + "PV"); }

    TLX410i* lx = nullptr;
    TCQ50* cq = nullptr;
};

}  // namespace

TEST_F(IndicatorsEndToEnd, LX410iShowsItsValueAlarmAndSensorBreak)
{
    EXPECT_EQ(lx->ValueTexts[0], ">4101");
    ASSERT_TRUE(Until([&] { return !lx->TextOf("PV").empty() && lx->Display1->Text() == lx->TextOf("PV"); }))
        << lx->Display1->Text();
    EXPECT_FALSE(lx->RelayLamp->IsOn());
    EXPECT_FALSE(lx->ResetAlarma->isEnabled());
    EXPECT_TRUE(lx->PrmTable->isEnabled());

    Command("set 11 Ho 0");  // high alarm latched
    Command("alarm 11 hi");
    EXPECT_TRUE(Alternates(*lx->Display1, [&] { return lx->TextOf("PV"); }, "HiAL")) << lx->Display1->Text();
    EXPECT_TRUE(lx->RelayLamp->IsOn());

    // The cause goes, the latch holds the alarm until the operator resets it.
    Command("alarm 11 off");
    lx->PopupMenuPopup();
    ASSERT_TRUE(lx->ResetAlarma->isEnabled());
    lx->ResetAlarma->trigger();
    ASSERT_TRUE(Until([&] { return !lx->Bit(2, 2) && !lx->ResetAlarma->isEnabled(); }));
    EXPECT_TRUE(Until([&] { return !lx->RelayLamp->IsOn() && lx->Display1->Text() == lx->TextOf("PV"); }));

    Command("fault 11 sensor1 on");
    EXPECT_TRUE(Until([&] { return lx->Display1->Text() == "5nbr"; }));
}

TEST_F(IndicatorsEndToEnd, CQ50StepsThroughItsInputsAndJumpsToAnAlarm)
{
    EXPECT_EQ(cq->ValueTexts[0], ">5301");
    ASSERT_EQ(cq->ValueOf("IN"), 8) << "the simulated unit has all eight inputs in use";
    // Every input comes round, each named on the upper read-out with its value below.
    std::set<int> seen;
    ASSERT_TRUE(Until([&] {
        if (cq->UpperDisplay->Text() == ChannelLabel() && cq->LowerDisplay->Text() == ChannelValue() &&
            !ChannelValue().empty())
            seen.insert(cq->Channel());
        return seen.size() == 8;
    })) << seen.size() << " inputs seen";

    // A high alarm on input 3, routed to output 1: the panel stays on input 3 and blinks its label.
    Command("set 12 3HT 1");  // latched
    Command("alarm 12 hi 3");
    EXPECT_TRUE(Alternates(*cq->UpperDisplay, [] { return std::string("ch 3"); }, "HiAL"))
        << cq->UpperDisplay->Text();
    EXPECT_TRUE(Until([&] { return cq->OutputLamps[0]->IsOn(); })) << "output 1 after its delay";
    for (int i = 0; i < 10; ++i) {
        PanelPass(*cq);
        EXPECT_EQ(cq->Channel(), 2);
    }

    // Cause gone, latch reset: the outputs drop and the stepping goes on.
    Command("alarm 12 off 3");
    cq->PopupMenuPopup();
    ASSERT_TRUE(cq->ResetAlarma->isEnabled());
    cq->ResetAlarma->trigger();
    EXPECT_TRUE(Until([&] { return !cq->OutputLamps[0]->IsOn() && cq->Channel() != 2; }));

    // A broken sensor on input 5 (digit 2, bit 1).
    Command("fault 12 sensor5 on");
    EXPECT_TRUE(Until([&] { return cq->Channel() == 4 && cq->LowerDisplay->Text() == "5nbr"; }));
    EXPECT_TRUE(Until([&] { return cq->Channel() == 5 && cq->LowerDisplay->Text() == ChannelValue(); }));
}
