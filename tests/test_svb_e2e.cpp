// An SVB and an SVB16 panel against the simulated bus, through the real port and communication
// thread: live channel values, a broken sensor, and channels switched off and on again.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

#include <chrono>
#include <functional>
#include <memory>

#include "devices/Display.h"
#include "devices/SVB.h"
#include "link/Comm.h"
#include "link/Port.h"
#include "support/PanelPasses.h"
#include "support/ScriptedOperator.h"
#include "support/SimProcess.h"

using namespace tarvo;
using tarvo::test::PanelPass;
using tarvo::test::ScriptedOperator;
using tarvo::test::SimProcess;

namespace {

class SVBEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedDir = QDir::currentPath();
        QDir::setCurrent(dir.path());  // the thread's traffic log goes here
        Bus().Clear();
        op().Clear();
        sim = std::make_unique<SimProcess>(
            std::vector<std::string>{"--stdin", "--baud", "57600", "--seed", "5", "SVB@21", "SVB16@22"});
        PortName = sim->ReadLine();
        ASSERT_FALSE(PortName.empty());
        SpeedIndex = 7;
        ASSERT_EQ(OpenPort(), 0) << PortError();
        svb = std::make_unique<TSVB>(nullptr, 2, 1);
        svb16 = std::make_unique<TSVB16>(nullptr, 2, 2);
        ASSERT_TRUE(Until([&] { return Online(*svb) && Online(*svb16); }))
            << "labels " << svb->LabelText() << ", " << svb16->LabelText();
    }
    void TearDown() override
    {
        svb.reset();
        svb16.reset();  // the last panel stops the thread
        EXPECT_EQ(TheComm(), nullptr);
        PortHandle().Clear();
        sim.reset();
        QDir::setCurrent(savedDir);
    }
    static bool Online(const TChannelScanner& p) { return p.State == DeviceCore::StateOnline && !p.LabelVisible(); }
    static ScriptedOperator& op() { return ScriptedOperator::Instance(); }
    // Polling passes and display ticks of both panels until `done` holds (at most 10 s).
    bool Until(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            PanelPass(*svb);
            PanelPass(*svb16);
            if (done())
                return true;
        }
        return done();
    }
    void Command(const std::string& line) { ASSERT_EQ(sim->Command(line), "ok") << line; }
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

    QTemporaryDir dir;
    QString savedDir;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<TSVB> svb;
    std::unique_ptr<TSVB16> svb16;
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
    op().Script(Answer::Ok);
    svb16->ToggleChannel(12);
    op().Script(Answer::Ok);
    svb->ChannelButtons[0]->click();
    ASSERT_TRUE(Until([&] { return Off(*svb16, 12) && Off(*svb, 0); }));
    EXPECT_EQ(svb16->TextOf("SS"), ">1000");
    EXPECT_EQ(svb->TextOf("SS"), ">0001");
    EXPECT_TRUE(On(*svb16, 11) && On(*svb16, 13) && On(*svb, 1));
    EXPECT_EQ(sim->Command("get 22 SS"), "22 SS >1000");

    op().Script(Answer::Ok);
    svb16->ToggleChannel(12);
    ASSERT_TRUE(Until([&] { return On(*svb16, 12); }));
    EXPECT_EQ(svb16->TextOf("SS"), ">0000");

    int accepted = 0;
    for (const auto& box : op().boxes) {
        if (box.kind == "message") {
            EXPECT_EQ(box.text, "Parametar promenjen!!!");
            EXPECT_EQ(box.caption, "Dozvola ulaza");
            ++accepted;
        }
    }
    EXPECT_EQ(accepted, 3);
}
