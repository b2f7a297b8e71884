// An SVB and an SVB16 panel against the simulated bus, through the real port and communication
// thread: live channel values, a broken sensor, and channels switched off and on again.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "devices/Display.h"
#include "devices/SVB.h"
#include "support/BusFixture.h"

using namespace tarvo;

namespace {

class SVBEndToEnd : public tarvo::test::BusFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartBus({"SVB@21", "SVB16@22"}, {"--seed", "5"}));
        svb = &AddPanel<TSVB>(2, 1);
        svb16 = &AddPanel<TSVB16>(2, 2);
        ASSERT_TRUE(Until([&] { return AllOnline(); })) << States();
    }
    // Every channel display shows its live value (or "5nbr" where `broken` says so).
    static bool ShowsLiveValues(const TChannelScanner& p, unsigned broken = 0)
    {
        for (int c = 0; c < p.ChannelCount(); ++c) {
            const std::string& text = p.ChannelDisplays[static_cast<size_t>(c)]->Text();
            const std::string& value = p.ValueTexts[static_cast<size_t>(TChannelScanner::FirstValueRow + c)];
            if (value.empty() || text != ((broken >> c) & 1 ? "5nbr" : value))
                return false;
        }
        return true;
    }
    static bool Off(const TChannelScanner& p, int c)
    {
        const auto i = static_cast<size_t>(c);
        return p.ChannelDisplays[i]->isHidden() && p.ChannelButtons[i]->text() == "on" &&
               !p.ChannelItems[i]->isChecked() && p.ChannelButtons[i]->isEnabled();
    }
    static bool On(const TChannelScanner& p, int c)
    {
        const auto i = static_cast<size_t>(c);
        return !p.ChannelDisplays[i]->isHidden() && p.ChannelButtons[i]->text() == "off" &&
               p.ChannelItems[i]->isChecked() && p.ChannelButtons[i]->isEnabled();
    }

    TSVB* svb = nullptr;
    TSVB16* svb16 = nullptr;
};

}  // namespace

TEST_F(SVBEndToEnd, LiveChannelsSensorBreakAndChannelSwitching)
{
    EXPECT_EQ(svb->ValueTexts[0], ">0601");
    EXPECT_EQ(svb16->ValueTexts[0], ">1601");
    ASSERT_TRUE(Until([&] { return ShowsLiveValues(*svb) && ShowsLiveValues(*svb16); }));
    EXPECT_TRUE(On(*svb, 0));
    EXPECT_TRUE(On(*svb16, 15));
    EXPECT_TRUE(svb->PrmTable->isEnabled());

    Command("fault 21 sensor3 on");
    Command("fault 22 sensor16 on");
    EXPECT_TRUE(Until([&] { return ShowsLiveValues(*svb, 1u << 2) && ShowsLiveValues(*svb16, 1u << 15); }));

    // Channel 13 of the SVB16 off and on again; channel 1 of the SVB off by its button.
    Op().Script(Answer::Ok);
    svb16->ToggleChannel(12);
    Op().Script(Answer::Ok);
    svb->ChannelButtons[0]->click();
    ASSERT_TRUE(Until([&] { return Off(*svb16, 12) && Off(*svb, 0); }));
    EXPECT_EQ(svb16->TextOf("SS"), ">1000");
    EXPECT_EQ(svb->TextOf("SS"), ">0001");
    EXPECT_TRUE(On(*svb16, 11) && On(*svb16, 13) && On(*svb, 1));
    EXPECT_EQ(sim->Command("get 22 SS"), "22 SS >1000");

    Op().Script(Answer::Ok);
    svb16->ToggleChannel(12);
    ASSERT_TRUE(Until([&] { return On(*svb16, 12); }));
    EXPECT_EQ(svb16->TextOf("SS"), ">0000");

    int accepted = 0;
    for (const auto& box : Op().boxes) {
        if (box.kind == "message") {
            EXPECT_EQ(box.text, "Parametar promenjen!!!");
            EXPECT_EQ(box.caption, "Dozvola ulaza");
            ++accepted;
        }
    }
    EXPECT_EQ(accepted, 3);
}
