// tarvo-bus run as a technician would: its argument checking, and reads, writes and a scan
// against a pseudo-terminal that the test answers as controllers would.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "link/Codec.h"
#include "support/PtyPeer.h"
#include "support/RunTool.h"

using namespace tarvo;
using tarvo::test::PtyPeer;

namespace {

tarvo::test::ToolResult RunBus(const QStringList& args, const QString& folder = QString())
{
    return tarvo::test::RunTool("tarvo-bus", args, folder);
}

// Controllers at 11 (code >3201) and 12 (answers reads with EOT): 1PV reads 23.4, 1SP accepts
// 0..100, everything else is refused.
Bytes Controllers(const Bytes& request)
{
    const std::string r(request.begin(), request.end());
    const std::string address = r.substr(1, 4);
    const bool write = request[5] == STX;
    if (address == "1111") {
        if (!write && r.substr(5, 2) == "II")
            return BuildDataReply("II", ">3201");
        if (!write && r.substr(5, 3) == "1PV")
            return BuildDataReply("1PV", "23.4");
        if (write && r.substr(6, 3) == "1SP") {
            const double v = std::stod(r.substr(9, r.size() - 11));
            return Bytes{v >= 0 && v <= 100 ? ACK : NAK};
        }
    }
    if (address == "1122")
        return Bytes{EOT};
    return {};
}

}  // namespace

TEST(BusTool, UsageErrors)
{
    const std::pair<QStringList, const char*> cases[] = {
        {{}, "Usage"},
        {{"scan"}, "--port is missing"},
        {{"--port", "/dev/null"}, "a command is missing"},
        {{"--port", "/dev/null", "frob"}, "unknown command"},
        {{"--port", "/dev/null", "--speed", "3", "scan"}, "unknown option --speed"},
        {{"--port"}, "--port needs a value"},
        {{"--port", "/dev/null", "--baud-index", "9", "scan"}, "bad baud index"},
        {{"--port", "/dev/null", "read", "7", "1PV"}, "bad address '7'"},
        {{"--port", "/dev/null", "read", "100", "1PV"}, "bad address '100'"},
        {{"--port", "/dev/null", "read", "11"}, "missing arguments"},
        {{"--port", "/dev/null", "write", "11", "1SP"}, "missing arguments"},
        {{"--port", "/dev/null", "write", "11", "1SP", "1", "2"}, "too many arguments"},
        {{"--port", "/dev/null", "write", "11", "1SP", "1", "--group", "--network"}, "exclude each other"},
        {{"--port", "/dev/null", "read", "11", "1PV", "--network"}, "write only"},
        {{"--port", "/dev/null", "write", "11", "1SP", QString("2\x03")}, "bad character in value"},
        {{"--port", "/dev/null", "scan", "30"}, "missing arguments"},
    };
    for (const auto& [args, text] : cases) {
        const auto r = RunBus(args);
        EXPECT_EQ(r.rc, 2) << args.join(' ').toStdString();
        EXPECT_NE(r.err.find(text), std::string::npos) << args.join(' ').toStdString() << ": " << r.err;
        EXPECT_EQ(r.out, "");
    }
    const auto help = RunBus({"--help"});
    EXPECT_EQ(help.rc, 0);
    EXPECT_NE(help.out.find("write GU MNEMONIC VALUE [--group | --network]"), std::string::npos);
}

TEST(BusTool, UnopenablePort)
{
    QTemporaryDir dir;
    const auto r = RunBus({"--port", dir.filePath("ttyUSB7"), "read", "11", "1PV"}, dir.path());
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.err.find("cannot open port " + dir.filePath("ttyUSB7").toStdString() + ": No such file"),
              std::string::npos)
        << r.err;
}

TEST(BusTool, ReadsWritesAndScansOnALine)
{
    QTemporaryDir dir;
    PtyPeer peer(Controllers);
    const QStringList port = {"--port", QString::fromStdString(peer.Path()), "--baud-index", "7"};
    struct Case {
        QStringList args;
        int rc;
        std::string out;
    };
    const Case cases[] = {
        {{"read", "11", "1PV"}, 0, "23.4\n"},
        {{"read", "11", "II"}, 0, ">3201\n"},
        {{"read", "12", "1PV"}, 1, "EOT (nothing to report)\n"},
        {{"read", "13", "1PV"}, 1, "TIME_OUT\n"},
        {{"write", "11", "1SP", "25.0"}, 0, "ACK\n"},
        {{"write", "11", "1SP", "250"}, 1, "NAK\n"},
        {{"write", "11", "1SP", "25.0", "--group"}, 0, "sent (no answer expected)\n"},
        {{"scan", "10", "12"}, 0, "11 >3201\n12 EOT (nothing to report)\n"},
        {{"scan", "13", "14"}, 1, ""},
    };
    for (const Case& c : cases) {
        const auto r = RunBus(port + c.args, dir.path());
        EXPECT_EQ(r.rc, c.rc) << c.args.join(' ').toStdString() << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.args.join(' ').toStdString();
    }
    // The group write went out with the group's wildcard address.
    const Bytes groupWrite = BuildWriteRequest(1, 1, AddressGroup, "1SP", "25.0");
    const auto requests = peer.Requests();
    EXPECT_NE(std::find(requests.begin(), requests.end(), groupWrite), requests.end());
    // The traffic log of the last run is in the working folder.
    QFile log(dir.filePath("serial_log.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().startsWith("LogFile > "));
}
