// Boxes raised inside a timer tick wait until the tick has finished, so that the timers go on
// while the operator has not answered yet.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "device/Operator.h"
#include "device/TickGuard.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;

namespace {

// Keeps every box open long enough to run `whileOpen` (the timers firing in its event loop).
class SlowOperator : public Operator {
public:
    void Message(const std::string& text, const std::string&, BoxIcon) override
    {
        log.push_back((TickGuard::Busy() ? "in tick: " : "") + text);
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (whileOpen) {
            const std::function<void()> fn = std::move(whileOpen);
            whileOpen = nullptr;
            fn();
        }
        --depth;
    }
    Answer AskOkCancel(const std::string& text, const std::string&, BoxIcon) override
    {
        log.push_back((TickGuard::Busy() ? "in tick: " : "") + text + "?");
        return Answer::Ok;
    }
    Answer AskYesNoCancel(const std::string&, const std::string&, BoxIcon) override { return Answer::Cancel; }

    std::vector<std::string> log;
    std::function<void()> whileOpen;
    int depth = 0;
    int maxDepth = 0;
};

class OperatorTest : public ::testing::Test {
protected:
    void SetUp() override { SetOperator(&op); }
    void TearDown() override { SetOperator(&test::ScriptedOperator::Instance()); }
    SlowOperator op;
};

TEST_F(OperatorTest, MessagesOutsideTicksAndQuestionsAreShownAtOnce)
{
    Op().Message("a");
    TickGuard::RunTick([] { EXPECT_EQ(Op().AskOkCancel("q"), Answer::Ok); });
    EXPECT_EQ(op.log, (std::vector<std::string>{"a", "in tick: q?"}));
}

TEST_F(OperatorTest, TickMessagesWaitForTheTickAndComeOneAfterTheOther)
{
    int ticksRun = 0;
    const auto failingTick = [&](const std::string& text) {
        EXPECT_TRUE(TickGuard::RunTick([&] {
            ++ticksRun;
            Op().Message(text);
        }));
    };
    // The first box stays open while the timers fire: their ticks run, a repeat of the open
    // box's failure is dropped, a new one waits its turn, and none is stacked on another.
    op.whileOpen = [&] {
        failingTick("disk full");
        failingTick("disk full");
        failingTick("device 1.2 silent");
        failingTick("device 1.2 silent");
        EXPECT_EQ(op.log.size(), 1u);
    };
    EXPECT_TRUE(TickGuard::RunTick([&] {
        ++ticksRun;
        Op().Message("disk full");
        Op().Message("disk full");  // the same failure twice in one tick: one box
        EXPECT_TRUE(op.log.empty());
    }));
    EXPECT_EQ(ticksRun, 5);
    EXPECT_EQ(op.log, (std::vector<std::string>{"disk full", "device 1.2 silent"}));
    EXPECT_EQ(op.maxDepth, 1);

    // Once answered, the same failure raises its box again.
    failingTick("disk full");
    EXPECT_EQ(op.log.back(), "disk full");
    EXPECT_EQ(op.log.size(), 3u);
}

}  // namespace
