// The serial port: names and speeds, the line format, exclusive opening, and real exchanges
// through the communication thread on a pseudo-terminal, including a port that vanishes and
// comes back.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <QTemporaryDir>

#include <chrono>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>

#include "link/Comm.h"
#include "link/SerialPort.h"
#include "link/TtyBaud.h"
#include "support/PtyPeer.h"

using namespace tarvo;
using tarvo::test::PtyPeer;
using tarvo::test::WaitUntil;
using namespace std::chrono_literals;

namespace {

const Bytes ReadPV = BuildReadRequest(0, 1, "1PV");
const Bytes Reply234 = BuildDataReply("1PV", "23.4");

// A controller at address 01 that knows one value.
Bytes AnswerPV(const Bytes& request) { return request == ReadPV ? Reply234 : Bytes{}; }

// Asks `request` again and again (one at a time) until a reply that satisfies `good` comes
// back; the last reply seen.
Bytes AskUntil(SharedBus& bus, const Bytes& request, const std::function<bool(const Bytes&)>& good,
               std::chrono::milliseconds timeout = 10s)
{
    Bytes last;
    bool asked = false;
    WaitUntil(
        [&] {
            if (!asked)
                bus.PushBack(request);
            asked = true;
            Bytes r = bus.TakeReply(request);
            if (r.empty())
                return false;
            last = r;
            asked = false;
            return good(last);
        },
        timeout);
    return last;
}

Bytes Ask(SharedBus& bus, const Bytes& request)
{
    bus.PushBack(request);
    Bytes reply;
    WaitUntil([&] { return !(reply = bus.TakeReply(request)).empty(); });
    return reply;
}

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// A thread on its own bus and slot.
struct Link {
    explicit Link(std::string logPath = {}) : comm(bus, slot, std::move(logPath)) {}
    ~Link()
    {
        comm.Terminate();
        while (comm.Suspended())
            comm.Resume();
        comm.WaitFor();
    }
    SharedBus bus;
    PortSlot slot;
    Comm comm;
};

}  // namespace

TEST(PortSettings, SpeedTableAndOutOfRangeIndex)
{
    const int expected[8] = {1200, 2400, 4800, 9600, 14400, 19200, 28800, 57600};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(BaudForIndex(i), expected[i]);
    for (int bad : {-1, 8, 100})
        EXPECT_EQ(BaudForIndex(bad), 9600) << bad;
}

TEST(PortSettings, DevicePaths)
{
    const std::pair<const char*, const char*> cases[] = {
        {"COM1", "/dev/ttyS0"},     {"COM12", "/dev/ttyS11"},          {"com3", "/dev/ttyS2"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"}, {"/tmp/bus", "/tmp/bus"}, {"ttyUSB1", "/dev/ttyUSB1"},
        {"COM0", "/dev/COM0"},
    };
    for (auto [name, path] : cases)
        EXPECT_EQ(DevicePathForPortName(name), path) << name;
}

TEST(PortSettings, LineFormatIsSevenEvenOneRaw)
{
    termios t;
    std::memset(&t, 0, sizeof t);
    t.c_iflag = ICRNL | IXON | IXOFF | ISTRIP | IGNPAR | PARMRK;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    t.c_cflag = CS8 | PARODD | CSTOPB | CRTSCTS;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 5;
    ApplyBusLineFormat(t);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_TRUE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & (PARODD | CSTOPB | CRTSCTS));
    EXPECT_TRUE((t.c_cflag & (CREAD | CLOCAL)) == (CREAD | CLOCAL));
    EXPECT_TRUE(t.c_iflag & INPCK);
    EXPECT_FALSE(t.c_iflag & (ICRNL | IXON | IXOFF | ISTRIP | IGNPAR | PARMRK));
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

TEST(OpenPort, OpensAtTheIndexedSpeedRaw)
{
    PtyPeer peer;
    PortName = peer.Path();
    // 14400 and 28800 have no termios constant: they must still come out at their real rates.
    const std::pair<int, int> cases[] = {{0, 1200}, {3, 9600}, {4, 14400}, {6, 28800}, {7, 57600}, {9, 9600}, {-2, 9600}};
    for (auto [index, baud] : cases) {
        SpeedIndex = index;
        ASSERT_EQ(OpenPort(), 0) << PortError();
        EXPECT_EQ(PortError(), "");
        EXPECT_EQ(TtyBaud(peer.Slave()), baud) << "index " << index;
    }
    // A pseudo-terminal keeps 8 bits without parity whatever is asked; what it keeps is raw.
    termios t;
    ASSERT_EQ(tcgetattr(peer.Slave(), &t), 0);
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_FALSE(t.c_iflag & (IXON | ICRNL));
    PortHandle().Clear();
    SpeedIndex = 3;
}

TEST(OpenPort, FailuresSayWhy)
{
    QTemporaryDir dir;
    const std::string plain = dir.filePath("plain").toStdString();
    std::ofstream(plain) << "x";
    const std::pair<std::string, std::string> cases[] = {
        {dir.filePath("missing").toStdString(), "No such file or directory"},
        {plain, "not a serial port"},
    };
    for (const auto& [path, why] : cases) {
        PortName = path;
        EXPECT_EQ(OpenPort(), 1);
        EXPECT_NE(PortError().find(path), std::string::npos) << PortError();
        EXPECT_NE(PortError().find(why), std::string::npos) << PortError();
        EXPECT_TRUE(PortHandle().Installed());  // a failed line, not "no bus"
    }
    PortHandle().Clear();
}

TEST(SerialLine, PortIsNotShared)
{
    PtyPeer peer;
    {
        SerialLine first(peer.Path(), 9600);
        ASSERT_TRUE(first.IsOpen()) << first.Error();
        SerialLine second(peer.Path(), 9600);
        EXPECT_FALSE(second.IsOpen());
        EXPECT_EQ(second.Error(), "the port is in use");
    }
    SerialLine again(peer.Path(), 9600);
    EXPECT_TRUE(again.IsOpen()) << again.Error();
}

TEST(SerialLine, ReadsWritesAndTimesOut)
{
    PtyPeer peer;
    SerialLine line(peer.Path(), 57600);
    ASSERT_TRUE(line.IsOpen());
    ASSERT_TRUE(line.Write(ReadPV.data(), ReadPV.size()));
    ASSERT_TRUE(WaitUntil([&] { return peer.Requests().size() == 1; }));
    EXPECT_EQ(peer.Requests()[0], ReadPV);

    peer.Send(Reply234);
    uint8_t buf[32];
    EXPECT_EQ(line.Read(buf, Reply234.size()), Reply234.size());
    EXPECT_EQ(Bytes(buf, buf + Reply234.size()), Reply234);

    // Nothing on the line: the read returns empty only after its time-out (1 ms + 200 ms).
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(line.Read(buf, 1), 0u);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
}

TEST(CommOnPty, RealExchangeThroughTheThread)
{
    QTemporaryDir dir;
    const std::string logPath = dir.filePath("serial_log.txt").toStdString();
    PtyPeer peer(AnswerPV);
    Link link(logPath);
    link.slot.Install(std::make_unique<SerialLine>(peer.Path(), 57600));
    link.comm.Start();
    EXPECT_EQ(Ask(link.bus, ReadPV), Reply234);
    EXPECT_EQ(Ask(link.bus, BuildReadRequest(0, 2, "1PV")), Bytes{LinkTimeout});  // nobody at 02
    link.comm.Terminate();
    link.comm.WaitFor();

    std::ifstream in(logPath, std::ios::binary);
    std::stringstream log;
    log << in.rdbuf();
    EXPECT_NE(log.str().find("04 30 30 31 31 31 50 56 05  > 02 31 50 56 32 33 2E 34 03 2F\r"), std::string::npos)
        << log.str();
}

TEST(CommOnPty, VanishedPortAnswersTimeoutWithoutSpinningAndComesBackByItself)
{
    QTemporaryDir dir;
    const std::string port = dir.filePath("bus").toStdString();  // stands for /dev/ttyUSB0
    auto peer = std::make_unique<PtyPeer>(AnswerPV);
    ASSERT_EQ(symlink(peer->Path().c_str(), port.c_str()), 0);

    Link link;
    link.slot.Install(std::make_unique<SerialLine>(port, 57600));
    link.comm.Start();
    ASSERT_EQ(Ask(link.bus, ReadPV), Reply234);

    // Pulled out.
    peer->Destroy();
    unlink(port.c_str());
    EXPECT_EQ(Ask(link.bus, ReadPV), Bytes{LinkTimeout});
    EXPECT_EQ(Ask(link.bus, ReadPV), Bytes{LinkTimeout});

    // Left alone, the thread listens at the pace of the read time-out instead of spinning.
    const double cpu0 = CpuSeconds();
    const auto wall0 = std::chrono::steady_clock::now();
    const unsigned long passes0 = link.comm.Passes();
    ASSERT_TRUE(WaitUntil([&] { return link.comm.Passes() >= passes0 + 4; }));
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    const double cpu = CpuSeconds() - cpu0;
    const unsigned long passes = link.comm.Passes() - passes0;
    std::cout << "vanished port: " << passes << " passes in " << wall << " s, CPU " << cpu << " s ("
              << 100.0 * cpu / wall << "% of one core)\n";
    EXPECT_GE(wall, 0.3 * static_cast<double>(passes - 1));
    EXPECT_LT(cpu, 0.2 * wall);

    // Plugged back in (a new device under the same name): polling goes on by itself.
    peer = std::make_unique<PtyPeer>(AnswerPV);
    ASSERT_EQ(symlink(peer->Path().c_str(), port.c_str()), 0);
    const auto back = std::chrono::steady_clock::now();
    EXPECT_EQ(AskUntil(link.bus, ReadPV, [](const Bytes& r) { return r == Reply234; }), Reply234);
    std::cout << "answered again " << std::chrono::duration<double>(std::chrono::steady_clock::now() - back).count()
              << " s after the port came back\n";
}

TEST(CommOnPty, FailedOpenAnswersTimeoutAndReopenRecovers)
{
    PortName = "/nonexistent/tty";
    SpeedIndex = 7;
    ASSERT_EQ(OpenPort(), 1);
    Link link;
    // The thread runs on the process-wide handle, as in the program.
    Comm comm(link.bus, PortHandle(), "");
    comm.Start();
    EXPECT_EQ(Ask(link.bus, ReadPV), Bytes{LinkTimeout});
    EXPECT_GE(comm.FailedSends(), 1u);

    // The operator fixes the port name in the options dialog. The port is reached through a
    // name of its own: a pseudo-terminal's number may be taken by another program as soon as
    // it is freed, and the line would then reopen that one.
    QTemporaryDir dir;
    const std::string port = dir.filePath("ttyUSB0").toStdString();
    PtyPeer first(AnswerPV);
    ASSERT_EQ(symlink(first.Path().c_str(), port.c_str()), 0);
    PortName = port;
    ASSERT_EQ(ReopenPort(), 0) << PortError();
    EXPECT_EQ(Ask(link.bus, ReadPV), Reply234);

    // The port vanishes and another one is chosen: the reopen takes over at once.
    first.Destroy();
    unlink(port.c_str());
    EXPECT_EQ(Ask(link.bus, ReadPV), Bytes{LinkTimeout});
    PtyPeer second(AnswerPV);
    PortName = second.Path();
    ASSERT_EQ(ReopenPort(), 0) << PortError();
    EXPECT_EQ(Ask(link.bus, ReadPV), Reply234);

    comm.Terminate();
    comm.WaitFor();
    PortHandle().Clear();
    SpeedIndex = 3;
}
