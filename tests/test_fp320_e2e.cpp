// An FP320 panel against the simulated bus, through the real port and communication thread:
// identification and initial reads, the read-outs by display mode, a program selected, run and
// stopped, alarm labels and the alarm reset, and the controller leaving the bus and returning.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

#include "devices/Display.h"
#include "devices/FP320.h"
#include "devices/ODioda.h"
#include "link/Comm.h"
#include "support/BusFixture.h"

using namespace tarvo;

namespace {

class FP320EndToEnd : public tarvo::test::BusFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartBus({"FP320@11"}, {"--time-scale", "60", "--link", InDir("bus")}));
        panel = &AddPanel<TFP320>(1, 1);
        ASSERT_NE(TheComm(), nullptr);
        EXPECT_EQ(panel->Display1->Text(), "init");
        ASSERT_TRUE(Until([&] { return AllOnline(); })) << States();
    }
    void TearDown() override
    {
        for (const auto& box : Op().boxes)
            EXPECT_NE(box.caption, "PRIKAZ 3201") << box.text;
        BusFixture::TearDown();
    }
    void ClickDisplay1()
    {
        const QPointF at(10, 10);
        QMouseEvent e(QEvent::MouseButtonRelease, at, panel->Display1->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(panel->Display1, &e);
    }
    std::string Lamps()
    {
        std::string s;
        for (TOutDioda* l : panel->ProfileLamps)
            s += l->IsOn() ? '1' : '0';
        return s;
    }
    std::string D2() const { return panel->Display2->Text(); }
    std::string Minutes() const { return std::to_string(static_cast<int>(panel->ValueOf("TE"))); }

    TFP320* panel = nullptr;
};

}  // namespace

TEST_F(FP320EndToEnd, ShowsSetPointAndBothInputsByDisplayMode)
{
    EXPECT_EQ(panel->ValueTexts[0], ">3201");
    ASSERT_NE(panel->ValueOf("S2"), 0) << "the simulated controller has its second input on";
    const char* order[] = {"SP", "PV", "2PV", "SP"};
    for (const char* mnemonic : order) {
        EXPECT_TRUE(Until([&] { return panel->Display1->Text() == panel->TextOf(mnemonic); }))
            << mnemonic << ": shows " << panel->Display1->Text() << ", value " << panel->TextOf(mnemonic);
        EXPECT_FALSE(panel->Display1->Text().empty());
        ClickDisplay1();
    }
    EXPECT_EQ(panel->Display2->Text(), "idLE");
    EXPECT_EQ(panel->Display3->Text(), "1");
    EXPECT_TRUE(panel->PrmTable->isEnabled());
}

TEST_F(FP320EndToEnd, SelectsRunsAndStopsAProgram)
{
    const int processBefore = panel->ProcessNumber;
    panel->SelectProgram(3);
    ASSERT_TRUE(Until([&] { return panel->Display3->Text() == "3" && D2() == "idLE"; }));
    EXPECT_TRUE(Op().Saw("Parametar promenjen!!!", "Broj Programa"));
    // A short first ramp (3 degrees above the room at 2 degrees a minute, sixty minutes a
    // second) so that the hold segment follows within seconds.
    Command("set 11 l1 " + std::to_string(std::lround(panel->ValueOf("PV")) + 3));

    panel->StartProgram();
    // The values of one read cycle arrive one by one: wait for the whole cycle of the start.
    ASSERT_TRUE(Until([&] {
        return panel->ProgramRunning == 1 && panel->ProcessNumber == processBefore + 1 && Lamps() == "01000" &&
               D2() == Minutes() && panel->ValueOf("TE") > 0;
    })) << "lamps " << Lamps() << " display 2 " << D2();
    EXPECT_TRUE(Op().Saw("Parametar promenjen!!!", "Status programatora"));
    EXPECT_EQ(panel->Display3->Text(), "3");
    EXPECT_EQ(panel->ActiveProgram, 3);
    EXPECT_EQ(panel->Display2->toolTip(), "Vreme do kraja segmenta");

    // The hold segment: lamps 2 and 3, its minutes counting down.
    int most = 0;
    EXPECT_TRUE(Until([&] {
        if (Lamps() != "01100" || D2() != Minutes())
            return false;
        const int minutes = std::stoi(D2());
        most = std::max(most, minutes);
        return minutes < most;
    })) << "lamps " << Lamps() << " display 2 " << D2();

    panel->StopProgram();
    ASSERT_TRUE(Until([&] { return panel->ProgramRunning == 0 && D2() == "idLE"; }));
    EXPECT_EQ(Lamps(), "00000");
    EXPECT_EQ(panel->Display3->Text(), "3");
    EXPECT_EQ(panel->Display2->toolTip(), "Status programa");
    EXPECT_EQ(panel->ActiveProgram, 3);
}

TEST_F(FP320EndToEnd, AlarmLabelsTakeTurnsAndTheLatchIsReset)
{
    Command("set 11 Ho 1");  // high alarm latched
    Command("alarm 11 hi");
    std::vector<std::string> shown;
    ASSERT_TRUE(Until([&] {
        shown.push_back(D2());
        const size_t n = shown.size();
        return n >= 3 && shown[n - 3] == "HiAL" && shown[n - 2] == "idLE" && shown[n - 1] == "HiAL";
    })) << "display 2 showed " << (shown.empty() ? "" : shown.back());
    EXPECT_TRUE(panel->OutputLamps[2]->IsOn()) << "output 3 is the alarm output";

    // The alarm's cause goes; its latch keeps the label until the operator resets it.
    Command("alarm 11 off");
    panel->PopupMenuPopup();
    EXPECT_TRUE(panel->ResetAlarma->isEnabled());
    panel->ResetAlarma->trigger();
    ASSERT_TRUE(Until([&] { return !panel->Bit(2, 8) && !panel->Bit(2, 4); }));
    panel->PopupMenuPopup();
    EXPECT_FALSE(panel->ResetAlarma->isEnabled());
    shown.clear();
    EXPECT_TRUE(Until([&] {
        shown.push_back(D2());
        return shown.size() >= 4;
    }));
    EXPECT_EQ(shown, (std::vector<std::string>{"idLE", "idLE", "idLE", "idLE"}));

    // A broken first sensor: "5nbr" for input 1 and its label on display 2.
    Command("fault 11 sensor1 on");
    ClickDisplay1();
    EXPECT_TRUE(Until([&] { return panel->Display1->Text() == "5nbr" && D2() == "5nb.1"; }));
}

TEST_F(FP320EndToEnd, SurvivesTheControllerLeavingTheBus)
{
    Command("off 11");
    ASSERT_TRUE(Until([&] { return panel->LabelVisible() && panel->LabelText() == "TIME_OUT"; }))
        << "label " << panel->LabelText();
    EXPECT_EQ(panel->GreskaLb->text(), "TIME_OUT");
    Command("on 11");
    ASSERT_TRUE(Until([&] { return !panel->LabelVisible() && panel->State == DeviceCore::StateOnline; }))
        << "label " << panel->LabelText();
    // Values flow again.
    Command("set 11 SP 47.5");
    EXPECT_TRUE(Until([&] { return panel->Display1->Text() == "47.5"; })) << panel->Display1->Text();
}
