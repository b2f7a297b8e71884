// tarvo-bus against tarvo-sim: the real diagnostic command on the real simulated bus, both as
// separate programs on a pseudo-terminal, with each of the simulator's faults switched on.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sstream>

#include "devices/TypeTable.h"
#include "link/Codec.h"
#include "support/RunTool.h"
#include "support/SimProcess.h"

using namespace tarvo;
using tarvo::test::RunTool;
using tarvo::test::SimProcess;
using tarvo::test::ToolResult;

namespace {

// One simulated bus for the whole suite: an FP320 at 11, a KV710 at 12 and an HW600 at 21,
// paced at 57600 baud, commands on standard input, every exchange traced to a file.
class BusSimTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        sim = new SimProcess({"FP320@11", "KV710@12", "HW600@21", "--stdin", "--trace", "--baud", "57600",
                              "--seed", "7"},
                             TracePath().toStdString());
        port = QString::fromStdString(sim->ReadLine());
    }
    static void TearDownTestSuite()
    {
        delete sim;
        delete dir;
        sim = nullptr;
        dir = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(port.startsWith("/dev/")) << port.toStdString(); }

    static QString TracePath() { return dir->filePath("trace.txt"); }
    static QString LogPath() { return dir->filePath("bus_log.txt"); }

    // tarvo-bus at 57600 baud on the simulator's terminal, logging into the temporary folder.
    static ToolResult Bus(const QStringList& args)
    {
        return RunTool("tarvo-bus", QStringList{"--port", port, "--baud-index", "7", "--log", LogPath()} + args,
                       dir->path());
    }
    // The value text the simulator itself holds for a parameter ("get GU MNEMONIC").
    static std::string SimValue(const std::string& gu, const std::string& mnemonic)
    {
        const std::string line = sim->Command("get " + gu + " " + mnemonic);
        const std::string prefix = gu + " " + mnemonic + " ";
        return line.rfind(prefix, 0) == 0 ? line.substr(prefix.size()) : "(" + line + ")";
    }
    static void Faults(const std::string& name, double p)
    {
        std::ostringstream line;
        line << "faults " << name << " " << p;
        ASSERT_EQ(sim->Command(line.str()), "ok") << line.str();
    }
    // The bytes of the last reply the simulator sent, from its trace.
    static Bytes LastTracedReply()
    {
        QFile f(TracePath());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        Bytes last;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const QList<QByteArray> words = line.simplified().split(' ');
            if (words.size() < 3 || words[1] != "reply")
                continue;
            last.clear();
            for (int i = 2; i < words.size(); ++i)
                last.push_back(static_cast<uint8_t>(words[i].toUInt(nullptr, 16)));
        }
        return last;
    }

    static QTemporaryDir* dir;
    static SimProcess* sim;
    static QString port;
};

QTemporaryDir* BusSimTest::dir = nullptr;
SimProcess* BusSimTest::sim = nullptr;
QString BusSimTest::port;

struct Case {
    QStringList args;
    int rc;
    std::string out;
};

void RunCases(const std::vector<Case>& cases, const std::function<ToolResult(const QStringList&)>& run)
{
    for (const Case& c : cases) {
        const ToolResult r = run(c.args);
        EXPECT_EQ(r.rc, c.rc) << c.args.join(' ').toStdString() << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.args.join(' ').toStdString();
    }
}

}  // namespace

TEST_F(BusSimTest, ReadsWritesAndScansTheSimulatedControllers)
{
    ASSERT_EQ(sim->Command("set 12 1SP 31.5"), "ok");
    RunCases(
        {
            {{"read", "11", "II"}, 0, ">3201\n"},
            {{"read", "12", "1SP"}, 0, "31.5\n"},
            {{"read", "21", "SW"}, 0, SimValue("21", "SW") + "\n"},
            {{"read", "11", "XX"}, 1, "EOT (nothing to report)\n"},  // no such parameter
            {{"read", "13", "PV"}, 1, "TIME_OUT\n"},                 // nobody at 13
            {{"write", "12", "1SP", "25.0"}, 0, "ACK\n"},
            {{"write", "12", "1SP", "1000.0"}, 1, "NAK\n"},  // above the limit 999.9
            {{"write", "12", "1FO", "2"}, 1, "NAK\n"},       // choices 0..1 only
            {{"write", "12", "VO", "5"}, 1, "NAK\n"},        // read-only
            {{"scan", "10", "22"}, 0, "11 >3201\n12 >7101\n21 >0606\n"},
        },
        Bus);
    EXPECT_EQ(SimValue("12", "1SP"), "25.0");  // the accepted write, not the refused ones
    EXPECT_EQ(SimValue("12", "1FO"), "0");
}

TEST_F(BusSimTest, GroupAndNetworkWritesAreAppliedWithoutAnAnswer)
{
    RunCases({{{"write", "12", "1SP", "40.0", "--group"}, 0, "sent (no answer expected)\n"},
              {{"write", "21", "2SP", "45.0", "--network"}, 0, "sent (no answer expected)\n"}},
             Bus);
    EXPECT_EQ(SimValue("12", "1SP"), "40.0");
    EXPECT_EQ(SimValue("12", "2SP"), "45.0");  // the network write reached group 1 as well
    // The group write went out with the group's wildcard address, the network write with all four.
    QFile log(LogPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains(QByteArray::fromStdString(
        HexDump(BuildWriteRequest(2, 1, AddressNetwork, "2SP", "45.0")))));
}

// Each fault switched on for every exchange, and the label tarvo-bus reports for it.
TEST_F(BusSimTest, EachFaultIsReportedByItsLabel)
{
    struct FaultCase {
        const char* fault;
        QStringList args;
        int rc;
        std::string out;
    };
    const FaultCase cases[] = {
        {"noanswer", {"read", "11", "PV"}, 1, "TIME_OUT\n"},
        {"noanswer", {"write", "12", "1SP", "26.0"}, 1, "TIME_OUT\n"},
        {"bcc", {"read", "11", "PV"}, 1, "CHESK_SUM\n"},
        {"mnemonic", {"read", "12", "1PV"}, 1, "MNEMONIK\n"},
        // A stray byte before a one-byte answer: the first byte is no reply at all.
        {"garbage", {"write", "12", "1SP", "27.0"}, 1, "PROTOKOL\n"},
    };
    for (const FaultCase& c : cases) {
        Faults(c.fault, 1);
        RunCases({{c.args, c.rc, c.out}}, Bus);
        Faults(c.fault, 0);
    }
    EXPECT_EQ(SimValue("12", "1SP"), "27.0");  // writes are applied even when the answer is lost or garbled
}

// Garbage in a data reply is either a stray byte before it (PROTOKOL) or a character outside
// 0x20..0x7A inside it (FORMAT); the trace says which the simulator sent.
TEST_F(BusSimTest, GarbageIsReportedAsWhatItBreaks)
{
    Faults("garbage", 1);
    for (int i = 0; i < 4; ++i) {
        const ToolResult r = Bus({"read", "11", "PV"});
        const Bytes sent = LastTracedReply();
        ASSERT_FALSE(sent.empty());
        const bool strayFirst = (sent[0] & 0x7F) != STX;
        EXPECT_EQ(r.out, strayFirst ? "PROTOKOL\n" : "FORMAT\n") << HexDump(sent);
        EXPECT_EQ(r.rc, 1);
    }
    Faults("garbage", 0);
}

TEST_F(BusSimTest, ForeignTrafficIsHeardAndTheReadStillSucceeds)
{
    Faults("foreign", 1);
    const ToolResult r = Bus({"read", "11", "II"});
    Faults("foreign", 0);
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out, ">3201\n");
    // The other station's request (to 99, the address nobody simulated holds) was heard by the
    // listening pass after the exchange and logged on a line of its own.
    QFile log(LogPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains(" > " + QByteArray::fromStdString(HexDump(BuildReadRequest(9, 9, "PV")))))
        << text.toStdString();
}

TEST_F(BusSimTest, ScanShowsAForeignIdentificationCode)
{
    Faults("ident", 1);
    const ToolResult r = Bus({"scan", "11", "12"});
    Faults("ident", 0);
    EXPECT_EQ(r.rc, 0) << r.err;
    std::istringstream lines(r.out);
    const struct {
        const char* address;
        const DeviceTypeInfo* type;
    } expected[] = {{"11", TypeByModel("FP320")}, {"12", TypeByModel("KV710")}};
    for (const auto& e : expected) {
        std::string address, code;
        ASSERT_TRUE(lines >> address >> code) << r.out;
        EXPECT_EQ(address, e.address);
        EXPECT_FALSE(e.type->IsIdentity(code)) << code;
        bool known = false;
        for (const DeviceTypeInfo* t : AllTypes())
            known = known || t->IsIdentity(code);
        EXPECT_TRUE(known) << code;
    }
    std::string more;
    EXPECT_FALSE(lines >> more) << r.out;
}
