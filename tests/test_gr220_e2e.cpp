// A GR220 panel against the simulated bus, through the real port and communication thread:
// both inputs live, the end of a cycle alternating with input 2 and a new cycle started from
// the panel, the status lamps and a broken second probe.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "devices/Display.h"
#include "devices/GR220.h"
#include "devices/ODioda.h"
#include "link/Comm.h"
#include "support/BusFixture.h"

using namespace tarvo;

namespace {

class GR220EndToEnd : public tarvo::test::BusFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartBus({"GR220@21"}, {"--link", InDir("bus")}));
        panel = &AddPanel<TGR220>(2, 1);
        ASSERT_NE(TheComm(), nullptr);
        ASSERT_TRUE(Until([&] { return AllOnline(); })) << States();
    }
    std::string D2() const { return panel->Display2->Text(); }
    // Display 2 has shown `label` and input 2 on consecutive ticks.
    bool Alternates(const char* label)
    {
        std::vector<std::string> seen;
        return Until([&] {
            seen.push_back(D2());
            const size_t n = seen.size();
            return n >= 2 && ((seen[n - 2] == label && seen[n - 1] == panel->TextOf("2PV")) ||
                              (seen[n - 1] == label && seen[n - 2] == panel->TextOf("2PV")));
        });
    }

    TGR220* panel = nullptr;
};

}  // namespace

TEST_F(GR220EndToEnd, ShowsBothInputsAndStartsANewCycle)
{
    EXPECT_EQ(panel->ValueTexts[0], ">2201");
    ASSERT_TRUE(Until([&] {
        return !panel->TextOf("1PV").empty() && panel->Display1->Text() == panel->TextOf("1PV") &&
               D2() == panel->TextOf("2PV");
    })) << panel->Display1->Text() << " / " << D2();
    EXPECT_TRUE(panel->PrmTable->isEnabled());
    panel->PopupMenuPopup();
    EXPECT_FALSE(panel->StartNovogCiklusa->isEnabled());

    // The cycle time runs out; the controller also reports both status conditions.
    Command("set 21 1TE 0");
    Command("set 21 SW >0310");
    ASSERT_TRUE(Alternates("t.OFF")) << "display 2 shows " << D2();
    EXPECT_TRUE(panel->StatusLampA->IsOn());
    EXPECT_TRUE(panel->StatusLampB->IsOn());
    panel->PopupMenuPopup();
    ASSERT_TRUE(panel->StartNovogCiklusa->isEnabled());

    // A new cycle: the flag goes, the cycle time starts again from its full length.
    panel->StartNovogCiklusa->trigger();
    ASSERT_TRUE(Until([&] { return !panel->Bit(3, 1) && panel->ValueOf("1TE") > 29; }))
        << "status " << panel->StatusText() << " 1TE " << panel->ValueOf("1TE");
    std::vector<std::string> seen;
    EXPECT_TRUE(Until([&] {
        seen.push_back(D2());
        return seen.size() >= 3;
    }));
    for (const std::string& s : seen)
        EXPECT_NE(s, "t.OFF");
    panel->PopupMenuPopup();
    EXPECT_FALSE(panel->StartNovogCiklusa->isEnabled());
    EXPECT_TRUE(Op().boxes.empty()) << "status writes raise no message";

    // A broken second probe: its display shows the break.
    Command("fault 21 sensor2 on");
    EXPECT_TRUE(Until([&] { return D2() == "5nbr" && panel->Display1->Text() != "5nbr"; }));
}
