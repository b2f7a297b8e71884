// The real tarvo-sim program: starts it, opens the pseudo-terminal it prints as a serial line
// and talks to it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "link/Codec.h"
#include "support/SimProcess.h"

using namespace tarvo;
using tarvo::test::SimProcess;

namespace {

// Opens a terminal as the program opens its port: raw, 7 data bits, even parity, 1 stop bit.
int OpenLine(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return fd;
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB);
    t.c_cflag |= CS7 | PARENB | CREAD | CLOCAL;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    tcsetattr(fd, TCSANOW, &t);
    return fd;
}

// Sends a request and collects the reply: a data reply up to its block check, or one byte.
// `waitMs` bounds the wait for each byte (a silent controller costs that much).
Bytes Exchange(int fd, const Bytes& request, int waitMs = 2000)
{
    tcflush(fd, TCIOFLUSH);
    if (write(fd, request.data(), request.size()) != static_cast<ssize_t>(request.size()))
        return {};
    Bytes reply;
    uint8_t b;
    while (SimProcess::WaitReadable(fd, waitMs) && read(fd, &b, 1) == 1) {
        reply.push_back(b);
        if (reply[0] != STX)
            break;
        if (reply.size() >= 2 && reply[reply.size() - 2] == ETX)
            break;
    }
    return reply;
}

TEST(SimProgram, AnswersOnItsTerminalAcrossReopening)
{
    SimProcess sim({"FP320@11", "kv710@12", "--stdin", "--baud", "9600"});
    const std::string path = sim.ReadLine();
    ASSERT_EQ(path.compare(0, 5, "/dev/"), 0) << path;

    int fd = OpenLine(path);
    ASSERT_GE(fd, 0) << path;
    EXPECT_EQ(Exchange(fd, BuildReadRequest(1, 1, "II")), BuildDataReply("II", ">3201"));
    EXPECT_EQ(Exchange(fd, BuildReadRequest(1, 2, "II")), BuildDataReply("II", ">7101"));
    EXPECT_EQ(Exchange(fd, BuildReadRequest(1, 1, "XX")), Bytes{EOT});
    EXPECT_EQ(Exchange(fd, BuildWriteRequest(1, 1, AddressOwn, "PN", "4.0")), Bytes{ACK});
    EXPECT_TRUE(Exchange(fd, BuildReadRequest(1, 3, "II"), 300).empty());  // nobody at 13
    close(fd);

    // The port closed and opened again: the bus still answers, with what was written before.
    fd = OpenLine(path);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Exchange(fd, BuildReadRequest(1, 1, "PN")), BuildDataReply("PN", "4"));

    // Commands on standard input act at once and answer one line each.
    ASSERT_TRUE(sim.Send("off 12\nget 11 PN\nnonsense\n"));
    EXPECT_EQ(sim.ReadLine(), "ok");
    EXPECT_EQ(sim.ReadLine(), "11 PN 4");
    EXPECT_EQ(sim.ReadLine(), "error: unknown command 'nonsense'");
    EXPECT_TRUE(Exchange(fd, BuildReadRequest(1, 2, "II"), 300).empty());
    close(fd);

    sim.CloseStdin();
    EXPECT_EQ(sim.WaitExit(), 0);
}

TEST(SimProgram, LinkIsMadeAndRemovedAndStopSignalEndsIt)
{
    char dir[] = "/tmp/tarvo-sim-test-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string link = std::string(dir) + "/bus";
    ASSERT_EQ(symlink("/nonexistent/stale", link.c_str()), 0);  // a stale link is replaced

    SimProcess sim({"HW600@05", "--link", link, "--baud", "0"});
    EXPECT_EQ(sim.ReadLine(), link);
    const int fd = OpenLine(link);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Exchange(fd, BuildReadRequest(0, 5, "II")), BuildDataReply("II", ">0606"));
    close(fd);

    sim.Signal(SIGTERM);
    EXPECT_EQ(sim.WaitExit(), 0);
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0);  // removed on exit
    rmdir(dir);
}

TEST(SimProgram, BadCommandLineExitsWithAMessage)
{
    SimProcess sim({"FP320@11", "--fault-bcc", "2"});
    EXPECT_EQ(sim.ReadLine(), "");  // nothing on standard output
    EXPECT_EQ(sim.WaitExit(), 2);
}

}  // namespace
