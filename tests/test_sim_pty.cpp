// The real tarvo-sim program: starts it, opens the pseudo-terminal it prints as a serial line
// and talks to it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
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

// The PC sends while a reply is still going out (as it does when the first byte already tells
// it the reply is no good): on a half-duplex line the two collide. The colliding request is
// garbled, so nobody answers it; of the reply only the characters after the collision arrive.
TEST(SimProgram, ARequestSentOverAReplyIsLost)
{
    SimProcess sim({"RMV_Disp@31", "HW600@05", "--stdin", "--baud", "1200"});
    const std::string path = sim.ReadLine();
    ASSERT_TRUE(sim.Send("set 31 TX \"HELLO 1234\"\n"));
    ASSERT_EQ(sim.ReadLine(), "ok");
    const int fd = OpenLine(path);
    ASSERT_GE(fd, 0) << path;

    const Bytes text = BuildDataReply("TX", "HELLO 1234");  // 15 characters, 125 ms at 1200 baud
    const Bytes first = Exchange(fd, BuildReadRequest(3, 1, "TX"));
    ASSERT_EQ(first, text);  // undisturbed, the whole reply arrives

    tcflush(fd, TCIOFLUSH);
    const Bytes read = BuildReadRequest(3, 1, "TX");
    ASSERT_EQ(write(fd, read.data(), read.size()), static_cast<ssize_t>(read.size()));
    uint8_t b = 0;
    ASSERT_TRUE(SimProcess::WaitReadable(fd, 2000) && ::read(fd, &b, 1) == 1);
    EXPECT_EQ(b, STX);
    const Bytes other = BuildReadRequest(0, 5, "II");  // 8 characters on the wire: 67 ms
    ASSERT_EQ(write(fd, other.data(), other.size()), static_cast<ssize_t>(other.size()));
    Bytes heard;
    while (SimProcess::WaitReadable(fd, 400) && ::read(fd, &b, 1) == 1)
        heard.push_back(b);
    // Only a tail of the first reply: no answer to the second request, nothing of it echoed.
    ASSERT_FALSE(heard.empty());
    ASSERT_LT(heard.size(), text.size() - 1);
    EXPECT_TRUE(std::equal(heard.rbegin(), heard.rend(), text.rbegin())) << HexDump(heard);

    // The next request on a quiet line is answered as usual.
    EXPECT_EQ(Exchange(fd, other), BuildDataReply("II", ">0606"));
    close(fd);
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
