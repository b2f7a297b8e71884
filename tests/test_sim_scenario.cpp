// Scenario lines, timed events under a hand-driven clock, and the command line of tarvo-sim.
#include <gtest/gtest.h>

#include "Scenario.h"
#include "SimBus.h"
#include "SimHelpers.h"
#include "SimOptions.h"

using namespace tarvo;
using namespace tarvo::sim;
using namespace tarvo::sim::test;

namespace {

struct ScenarioFixture : ::testing::Test {
    SimBus bus;
    void SetUp() override
    {
        bus.Add(*TypeByModel("FP320"), 1, 1);
        bus.Add(*TypeByModel("KV710"), 1, 2);
    }
    std::string Error(const std::string& line)
    {
        try {
            CheckCommand(bus, ParseCommand(line, 7));
        } catch (const ScenarioError& e) {
            return e.what();
        }
        return "";
    }
};

TEST_F(ScenarioFixture, LinesParse)
{
    Command c = ParseCommand("at 1.5m set 11 SP 80.0");
    EXPECT_DOUBLE_EQ(c.at, 90);
    EXPECT_EQ(c.words, (std::vector<std::string>{"set", "11", "SP", "80.0"}));
    c = ParseCommand("  set 12 SW >0008\r\n");
    EXPECT_LT(c.at, 0);
    EXPECT_EQ(c.words.size(), 4u);
    EXPECT_DOUBLE_EQ(ParseCommand("at 2h off 12").at, 7200);
    EXPECT_EQ(ParseCommand("set 11 CD \"1 2\"").words[3], "1 2");
    EXPECT_TRUE(ParseCommand("# a comment").words.empty());
    EXPECT_TRUE(ParseCommand("   ").words.empty());
    for (const char* ok : {"get 11 PR", "fault 11 sensor2", "fault 12 sensor1 off", "alarm 11 hi", "alarm 11 off 1",
                           "reread 11", "keys 12", "on 12", "faults bcc 0.25", "list", "at 0 reread 12"})
        EXPECT_EQ(Error(ok), "") << ok;
}

TEST_F(ScenarioFixture, BadLinesSayWhatIsWrong)
{
    struct Case {
        const char* line;
        const char* message;
    } cases[] = {
        {"jump 11", "line 7: unknown command 'jump'"},
        {"at soon reread 11", "'soon' is not a time"},
        {"at 5", "'at' needs a time and a command"},
        {"at -3 reread 11", "is not a time"},
        {"set 11 SP", "'set' takes 3 argument(s)"},
        {"set 11 SP 1 2", "'set' takes 3 argument(s)"},
        {"set 1 SP 20.0", "'1' is not an address"},
        {"set 99 SP 20.0", "no simulated controller at address 99"},
        {"set 11 1SP 20.0", "FP320 has no parameter 1SP"},
        {"set 11 SP hot", "'hot' is not a number for SP"},
        {"set 11 SW 0008", "SW takes '>' and four characters"},
        {"set 11 CD \"open", "missing closing quote"},
        {"fault 11 sensor3", "FP320 has 2 sensor input(s)"},
        {"fault 11 probe1", "expected sensorN"},
        {"fault 11 sensor1 maybe", "expected on or off"},
        {"alarm 12 hi", "KV710 has no alarms"},
        {"alarm 11 loud", "expected hi, lo, dev or off"},
        {"alarm 11 hi 2", "alarms on input(s) 1..1"},
        {"faults smoke 0.5", "unknown fault 'smoke'"},
        {"faults bcc 2", "not a probability"},
    };
    for (const Case& c : cases)
        EXPECT_NE(Error(c.line).find(c.message), std::string::npos) << c.line << " -> " << Error(c.line);
}

TEST_F(ScenarioFixture, TimedEventsRunAtTheirTime)
{
    Scenario s;
    s.LoadText("# demo\n"
               "at 5 set 12 1PV 80.0\n"
               "at 10 fault 11 sensor1\n"
               "at 12 off 12\n"
               "at 20 on 12\n"
               "at 3 reread 11\n"
               "faults garbage 0.5\n"
               "at 30 get 11 PN\n",
               bus);
    EXPECT_DOUBLE_EQ(s.NextTime(), 0);
    EXPECT_TRUE(s.RunDue(bus, 0).empty());
    EXPECT_DOUBLE_EQ(bus.Faults().garbage, 0.5);
    bus.Faults().garbage = 0;
    EXPECT_DOUBLE_EQ(s.NextTime(), 3);

    s.RunDue(bus, 4);
    EXPECT_EQ(StatusDigit(bus, 1, 1, 4, 4), 8);
    EXPECT_EQ(StatusDigit(bus, 1, 1, 3, 4), 0);
    s.RunDue(bus, 6);
    EXPECT_NEAR(ReadNumber(bus, 1, 2, "1PV", 6), 80.0, 1.0);  // set at 5, a second of lag since
    s.RunDue(bus, 12);
    EXPECT_EQ(StatusDigit(bus, 1, 1, 3, 12), 8);
    EXPECT_TRUE(ReadReq(bus, 1, 2, "1PV", 12).empty());
    s.RunDue(bus, 19.9);
    EXPECT_TRUE(ReadReq(bus, 1, 2, "1PV", 19.9).empty());
    s.RunDue(bus, 20);
    EXPECT_FALSE(ReadReq(bus, 1, 2, "1PV", 20).empty());
    EXPECT_EQ(s.RunDue(bus, 100), std::vector<std::string>{"11 PN 1"});
    EXPECT_TRUE(s.Empty());
}

TEST_F(ScenarioFixture, EventTakesEffectAtItsOwnTimeWithinALongStep)
{
    // The bus is brought to the event's time before the event, so a value set at 5 s has
    // relaxed for 95 s when read at 100 s, not for 0 s.
    Scenario s;
    s.LoadText("at 5 set 12 1PV 80.0\n", bus);
    s.RunDue(bus, 100);
    const double pv = ReadNumber(bus, 1, 2, "1PV", 100);
    EXPECT_LT(pv, 60.0);
    EXPECT_GT(pv, 30.0);
}

TEST_F(ScenarioFixture, LoadingStopsAtTheFirstBadLine)
{
    Scenario s;
    try {
        s.LoadText("at 1 reread 11\nat 2 reread 42\n", bus, "demo.txt");
        FAIL() << "no error";
    } catch (const ScenarioError& e) {
        EXPECT_STREQ(e.what(), "demo.txt: line 2: no simulated controller at address 42");
    }
    EXPECT_TRUE(s.Empty());  // nothing of a bad file is kept
    EXPECT_THROW(s.LoadFile("/nonexistent/scenario.txt", bus), ScenarioError);
}

TEST_F(ScenarioFixture, CommandsRunAtOnce)
{
    EXPECT_EQ(RunCommand(bus, ParseCommand("set 12 SW >0008")), "");
    EXPECT_EQ(StatusDigit(bus, 1, 2, 4), 8);
    EXPECT_EQ(RunCommand(bus, ParseCommand("get 12 II")), "12 II >7101");
    EXPECT_EQ(RunCommand(bus, ParseCommand("alarm 11 lo")), "");
    EXPECT_EQ(StatusDigit(bus, 1, 1, 2), 2);
    EXPECT_EQ(RunCommand(bus, ParseCommand("off 12")), "");
    EXPECT_EQ(RunCommand(bus, ParseCommand("list")),
              "11 FP320 on " + bus.Find(1, 1)->StatusText() + "\n12 KV710 off " + bus.Find(1, 2)->StatusText());
    EXPECT_EQ(RunCommand(bus, ParseCommand("set 11 PC 1")), "");  // started at the front keys
    EXPECT_EQ(ReadValue(bus, 1, 1, "PI"), "101");
    EXPECT_THROW(RunCommand(bus, ParseCommand("set 11 SW >00")), ScenarioError);
}

TEST(SimOptions, CommandLine)
{
    const SimOptions o = ParseOptions({"fp320@11", "KV710@12", "--link", "/tmp/bus", "--baud=0", "--seed", "9",
                                       "--time-scale", "60", "--fault-bcc", "0.1", "--fault-noanswer=1", "--stdin",
                                       "--front-keys", "0.01", "--process-number", "500"});
    ASSERT_EQ(o.devices.size(), 2u);
    EXPECT_STREQ(o.devices[0].type->Model, "FP320");
    EXPECT_EQ(o.devices[0].group, 1);
    EXPECT_EQ(o.devices[1].unit, 2);
    EXPECT_EQ(o.link, "/tmp/bus");
    EXPECT_EQ(o.baud, 0);
    EXPECT_EQ(o.seed, 9u);
    EXPECT_DOUBLE_EQ(o.timeScale, 60);
    EXPECT_DOUBLE_EQ(o.faults.badBcc, 0.1);
    EXPECT_DOUBLE_EQ(o.faults.noAnswer, 1);
    EXPECT_DOUBLE_EQ(o.faults.frontKeys, 0.01);
    EXPECT_TRUE(o.commandsOnStdin);
    EXPECT_EQ(o.processNumber, 500);
    EXPECT_TRUE(ParseOptions({"--help"}).help);

    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{}, "no controllers given"},
        {{"FP320"}, "is not TYPE@GU"},
        {{"XY100@11"}, "unknown controller type 'XY100'"},
        {{"FP320@1"}, "is not an address of two digits"},
        {{"FP320@11", "KV710@11"}, "two controllers at address 11"},
        {{"FP320@11", "--baud"}, "--baud needs a value"},
        {{"FP320@11", "--baud", "fast"}, "--baud needs a number"},
        {{"FP320@11", "--fault-bcc", "1.5"}, "probability between 0 and 1"},
        {{"FP320@11", "--time-scale", "0"}, "must be above 0"},
        {{"FP320@11", "--colour"}, "unknown option --colour"},
        {{"FP320@11", "--stdin=yes"}, "takes no value"},
    };
    for (const Case& c : cases) {
        try {
            ParseOptions(c.args);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

}  // namespace
