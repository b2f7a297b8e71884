// GR310, GR310S and GR210 panels against the simulated bus, through the real port and
// communication thread: identification, live values, alarm labels with the alarm reset, manual
// mode and the second output switched from the panel.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "devices/Display.h"
#include "devices/GR310.h"
#include "devices/ODioda.h"
#include "link/Comm.h"
#include "support/BusFixture.h"
#include "support/PanelPasses.h"

using namespace tarvo;

namespace {

class GREndToEnd : public tarvo::test::BusFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartBus({"GR310@21", "GR310S@22", "GR210@23"}, {"--time-scale", "60"}));
        gr310 = &AddPanel<TGR310>(2, 1);
        gr310s = &AddPanel<TGR310S>(2, 2);
        gr210 = &AddPanel<TGR210>(2, 3);
        ASSERT_NE(TheComm(), nullptr);
        ASSERT_TRUE(Until([&] { return AllOnline(); })) << States();
    }
    std::vector<TGRRegulator*> Regulators() { return {gr310, gr310s, gr210}; }
    // One polling pass and display tick of every panel, then one wait for all their answers.
    void Pass() override { tarvo::test::JointPass(Panels()); }
    // Display 2 over the passes until it has shown `label`, the set point and `label` again.
    bool Alternates(TGRRegulator& p, const std::string& label)
    {
        std::vector<std::string> shown;
        return Until([&] {
            shown.push_back(p.Display2->Text());
            const size_t n = shown.size();
            return n >= 3 && shown[n - 3] == label && shown[n - 2] == p.TextOf("SP") && shown[n - 1] == label;
        });
    }

    TGR310* gr310 = nullptr;
    TGR310S* gr310s = nullptr;
    TGR210* gr210 = nullptr;
};

}  // namespace

TEST_F(GREndToEnd, ShowLiveValuesAndAlarmLabels)
{
    EXPECT_EQ(gr310->ValueTexts[0], ">3101");
    EXPECT_EQ(gr310s->ValueTexts[0], ">3102");
    EXPECT_EQ(gr210->ValueTexts[0], ">2101");
    for (TGRRegulator* p : Regulators()) {
        EXPECT_TRUE(Until([&] {
            return !p->TextOf("PV").empty() && p->Display1->Text() == p->TextOf("PV") &&
                   p->Display2->Text() == p->TextOf("SP");
        })) << p->Info().Model << ": " << p->Display1->Text() << " / " << p->Display2->Text();
        EXPECT_TRUE(p->PrmTable->isEnabled());
    }

    // Each model's alarm label takes turns with its set point.
    Command("alarm 21 hi");
    Command("alarm 22 lo");
    Command("alarm 23 dev");
    EXPECT_TRUE(Alternates(*gr310, "HiAL"));
    EXPECT_TRUE(Alternates(*gr310s, "LoAL"));
    EXPECT_TRUE(Alternates(*gr210, "d_AL"));
    EXPECT_TRUE(gr310->OutputLamps[2]->IsOn()) << "relay 3 is the alarm relay";

    // A latched alarm stays after its cause until the operator resets it.
    Command("set 21 Ho 1");
    Command("alarm 21 off");
    gr310->PopupMenuPopup();
    ASSERT_TRUE(gr310->ResetAlarma->isEnabled());
    gr310->ResetAlarma->trigger();
    ASSERT_TRUE(Until([&] { return !gr310->Bit(2, 8); }));
    std::vector<std::string> shown;
    EXPECT_TRUE(Until([&] {
        shown.push_back(gr310->Display2->Text());
        return shown.size() >= 3;
    }));
    EXPECT_EQ(shown, std::vector<std::string>(3, gr310->TextOf("SP")));

    Command("fault 23 sensor1 on");
    EXPECT_TRUE(Until([&] { return gr210->Display1->Text() == "5nbr"; }));
}

TEST_F(GREndToEnd, ManualModeAndTheSecondOutputFromThePanel)
{
    // Manual mode: the lamp lights and display 2 shows the output level.
    gr310->PopupMenuPopup();
    ASSERT_TRUE(gr310->RucniRezim->isEnabled()) << "the simulated controller allows manual mode";
    ASSERT_FALSE(gr310->RucniRezim->isChecked());
    gr310->RucniRezim->trigger();
    ASSERT_TRUE(Until([&] {
        return gr310->ManualLamp->IsOn() && gr310->Display2->Text() == gr310->TextOf("OP") &&
               gr310->Display2->toolTip() == "Trenutni nivo izlaza";
    })) << gr310->Display2->Text();
    gr310->PopupMenuPopup();
    EXPECT_TRUE(gr310->RucniRezim->isChecked());
    gr310->RucniRezim->trigger();
    EXPECT_TRUE(Until([&] { return !gr310->ManualLamp->IsOn() && gr310->Display2->Text() == gr310->TextOf("SP"); }));

    // Manual mode no longer allowed: the item goes grey once the panel has read the whole
    // table again, as the controller asks for.
    Command("set 22 MA 0");
    Command("reread 22");
    ASSERT_TRUE(Until([&] { return gr310s->State == DeviceCore::StateOnline && gr310s->ValueOf("MA") == 0; }));
    gr310s->PopupMenuPopup();
    EXPECT_FALSE(gr310s->RucniRezim->isEnabled());

    // The second output switched from the program once "O2" says so.
    Command("set 21 O2 8");
    Command("reread 21");
    ASSERT_TRUE(Until([&] { return gr310->State == DeviceCore::StateOnline && gr310->ValueOf("O2") == 8; }));
    gr310->PopupMenuPopup();
    ASSERT_TRUE(gr310->UkljucenIzlaz2->isEnabled());
    const bool wasOn = gr310->OutputLamps[1]->IsOn();
    gr310->UkljucenIzlaz2->trigger();
    EXPECT_TRUE(Until([&] { return gr310->OutputLamps[1]->IsOn() != wasOn; }));
    gr310->PopupMenuPopup();
    EXPECT_NE(gr310->UkljucenIzlaz2->isChecked(), wasOn);
    EXPECT_TRUE(Op().boxes.empty());
}
