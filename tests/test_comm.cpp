// The communication thread's passes, driven by hand against an in-memory line: when it sends
// and when it listens, how it judges a reply byte by byte, what it files, and the traffic log.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

#include "link/Comm.h"
#include "support/FakeLine.h"
#include "support/PtyPeer.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using tarvo::test::FakeLine;

namespace {

// A thread object on its own bus and an in-memory line, never started: passes run by hand.
struct Rig {
    explicit Rig(std::string logPath = {}) : comm(bus, slot, std::move(logPath))
    {
        auto l = std::make_unique<FakeLine>();
        line = l.get();
        slot.Install(std::move(l));
    }
    // Runs one pass and returns the line calls it made.
    std::string Pass()
    {
        EXPECT_TRUE(comm.RunPass());
        return line->TakeTrace();
    }
    // The listening pass every start needs before anything may be sent.
    void Settle()
    {
        Pass();
        ASSERT_EQ(comm.LineBusy(), 0);
    }

    SharedBus bus;
    PortSlot slot;
    FakeLine* line = nullptr;
    Comm comm;
};

const Bytes ReadPV = BuildReadRequest(0, 1, "1PV");
const Bytes ReadSP = BuildReadRequest(0, 1, "1SP");
const Bytes Reply234 = BuildDataReply("1PV", "23.4");

Bytes B(std::initializer_list<int> v)
{
    Bytes b;
    for (int x : v)
        b.push_back(static_cast<uint8_t>(x));
    return b;
}

// The calls of an exchange that reads `replyBytes` single bytes.
std::string ExchangeTrace(size_t replyBytes)
{
    std::string s = "Ptr Pr W";
    for (size_t i = 0; i < replyBytes; ++i)
        s += " R1";
    return s;
}

const std::string ListenTrace = "Pr R100";

}  // namespace

TEST(CommPasses, SendsNothingUntilAListeningPassHeardNothingThenSendsBackToBack)
{
    Rig rig;
    rig.bus.PushBack(ReadPV);
    rig.bus.PushBack(ReadSP);
    rig.line->arriving = B({0x41, 0x42, 0x43});  // foreign traffic on the line at start

    EXPECT_EQ(rig.Pass(), ListenTrace);
    EXPECT_EQ(rig.comm.LineBusy(), 3);
    EXPECT_EQ(rig.Pass(), ListenTrace);  // heard something: one more listening pass
    EXPECT_EQ(rig.comm.LineBusy(), 0);
    EXPECT_TRUE(rig.line->written.empty());

    const Bytes replySP = BuildDataReply("1SP", "25.0");
    rig.line->answers = {Reply234, replySP};
    EXPECT_EQ(rig.Pass(), ExchangeTrace(Reply234.size()));
    EXPECT_EQ(rig.Pass(), ExchangeTrace(replySP.size()));  // no listening in between
    EXPECT_EQ(rig.Pass(), ListenTrace);                    // queue empty
    EXPECT_EQ(rig.line->written, (std::vector<Bytes>{ReadPV, ReadSP}));
    EXPECT_EQ(rig.bus.TakeReply(ReadPV), Reply234);
    EXPECT_EQ(rig.bus.TakeReply(ReadSP), replySP);
}

TEST(CommPasses, ExtraListeningPassesAfterTheFourthAndFifthSilentOne)
{
    // Silent listening passes run with an empty queue, then a request arrives: how many more
    // listening passes come before it is sent.
    const std::pair<int, int> cases[] = {{1, 0}, {2, 0}, {3, 0}, {4, 2}, {5, 1}, {6, 0}, {7, 0}, {9, 0}};
    for (auto [silent, extra] : cases) {
        Rig rig;
        for (int i = 0; i < silent; ++i)
            EXPECT_EQ(rig.Pass(), ListenTrace);
        EXPECT_EQ(rig.comm.SilentListens(), silent);
        rig.bus.PushBack(ReadPV);
        int listens = 0;
        while (rig.line->written.empty() && listens < 10) {
            if (rig.Pass() == ListenTrace)
                ++listens;
        }
        EXPECT_EQ(listens, extra) << "after " << silent << " silent passes";
    }
}

TEST(CommPasses, HeardTrafficRestartsTheSilentCount)
{
    Rig rig;
    for (int i = 0; i < 3; ++i)
        rig.Pass();
    rig.line->arriving = B({0x20});
    rig.Pass();
    EXPECT_EQ(rig.comm.SilentListens(), 0);
    EXPECT_EQ(rig.comm.LineBusy(), 1);
    rig.bus.PushBack(ReadPV);
    EXPECT_EQ(rig.Pass(), ListenTrace);
    EXPECT_EQ(rig.Pass(), "Ptr Pr W R1");
}

TEST(CommExchange, JudgesTheReplyByteByByte)
{
    const Bytes twelve = BuildDataReply("1PV", "123456789");   // 12 characters
    const Bytes thirteen = BuildDataReply("1PV", "1234567890");
    Bytes highStx = Reply234;
    highStx[0] = 0x82;
    Bytes badBcc = Reply234;
    badBcc.back() ^= 0x01;
    const Bytes cutShort(Reply234.begin(), Reply234.end() - 1);
    Bytes edgeChars = BuildDataReply("1PV", " z");

    struct Case {
        const char* what;
        Bytes answer;
        Bytes filed;
        size_t bytesRead;  // single-byte reads made
    };
    const Case cases[] = {
        {"data reply", Reply234, Reply234, Reply234.size()},
        {"first byte 0x82 is STX", highStx, Reply234, Reply234.size()},
        {"12 characters accepted", twelve, twelve, twelve.size()},
        {"space and z accepted", edgeChars, edgeChars, edgeChars.size()},
        {"EOT", B({EOT}), B({EOT}), 1},
        {"ACK", B({ACK}), B({ACK}), 1},
        {"NAK", B({NAK}), B({NAK}), 1},
        {"0x86 is ACK", B({0x86}), B({ACK}), 1},
        {"other first byte", B({'A'}), B({LinkProtocol}), 1},
        {"first byte 0x83 is not ETX", B({0x83}), B({LinkProtocol}), 1},
        {"no answer", B({}), B({LinkTimeout}), 1},
        {"block check missing", cutShort, B({LinkTimeout}), Reply234.size()},
        {"text cut before ETX", B({STX, '1', 'P'}), B({LinkTimeout}), 4},
        {"block check wrong", badBcc, B({LinkChecksum}), Reply234.size()},
        {"13th character", thirteen, B({LinkFormat}), 14},
        {"later 0x83 is a bad character", B({STX, '1', 'P', 'V', 0x83, ETX, 0x00}), B({LinkFormat}), 5},
        {"0x7B", B({STX, '1', 0x7B, ETX, 0x00}), B({LinkFormat}), 3},
        {"0x1F", B({STX, '1', 0x1F, ETX, 0x00}), B({LinkFormat}), 3},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.Settle();
        rig.bus.PushBack(ReadPV);
        rig.line->answers = {c.answer};
        std::string expected = ExchangeTrace(c.bytesRead);
        if (c.filed == B({LinkFormat}))
            expected += " " + ListenTrace;  // what is left of the reply is drained at once
        EXPECT_EQ(rig.Pass(), expected) << c.what;
        EXPECT_EQ(rig.bus.TakeReply(ReadPV), c.filed) << c.what;
    }
}

TEST(CommExchange, FailedSendFilesExactlyTheTimeoutByte)
{
    Rig rig;
    rig.Settle();
    rig.bus.PushBack(ReadPV);
    rig.bus.PushBack(ReadSP);
    rig.line->answers = {Reply234};
    rig.Pass();
    rig.line->failWrites = true;
    EXPECT_EQ(rig.Pass(), "Ptr Pr W");
    EXPECT_EQ(rig.bus.TakeReply(ReadPV), Reply234);
    EXPECT_EQ(rig.bus.TakeReply(ReadSP), B({LinkTimeout}));
    EXPECT_EQ(rig.comm.FailedSends(), 1u);
}

TEST(CommExchange, LaterReplyReplacesTheEarlierUnderTheSameRequest)
{
    Rig rig;
    rig.Settle();
    rig.bus.PushBack(ReadPV);
    rig.bus.PushBack(ReadPV);
    const Bytes later = BuildDataReply("1PV", "23.5");
    rig.line->answers = {Reply234, later};
    rig.Pass();
    rig.Pass();
    EXPECT_EQ(rig.line->written.size(), 2u);
    EXPECT_EQ(rig.bus.ReplyCount(), 1u);
    EXPECT_EQ(rig.bus.TakeReply(ReadPV), later);
    EXPECT_TRUE(rig.bus.TakeReply(ReadPV).empty());
}

TEST(CommExchange, GroupWriteGetsNoAnswerAndStaysFiledUntilReplaced)
{
    Rig rig;
    rig.Settle();
    const Bytes groupWrite = BuildWriteRequest(1, 0, AddressGroup, "1SP", "25.0");
    rig.bus.PushBack(groupWrite);
    rig.Pass();
    EXPECT_EQ(rig.bus.ReplyCount(), 1u);
    rig.bus.PushBack(groupWrite);
    rig.Pass();
    EXPECT_EQ(rig.bus.ReplyCount(), 1u);
    EXPECT_EQ(rig.bus.TakeReply(groupWrite), B({LinkTimeout}));
}

TEST(CommExchange, BytesAfterTheBlockCheckArePurgedBeforeTheNextRequest)
{
    Rig rig;
    rig.Settle();
    Bytes trailing = Reply234;
    trailing.push_back(ACK);
    rig.line->answers = {trailing, B({NAK})};
    rig.bus.PushBack(ReadPV);
    rig.bus.PushBack(ReadSP);
    rig.Pass();
    rig.Pass();
    EXPECT_EQ(rig.bus.TakeReply(ReadPV), Reply234);
    EXPECT_EQ(rig.bus.TakeReply(ReadSP), B({NAK}));
}

TEST(CommPasses, NothingHappensWithoutALine)
{
    SharedBus bus;
    PortSlot slot;
    Comm comm(bus, slot, "");
    bus.PushBack(ReadPV);
    EXPECT_FALSE(comm.RunPass());
    EXPECT_EQ(bus.QueueSize(), 1u);
    EXPECT_EQ(comm.Passes(), 0u);
}

TEST(CommPasses, FailureInsideAPassShowsTheThreadErrorAndGoesOn)
{
    auto& op = test::ScriptedOperator::Instance();
    op.Clear();
    Rig rig;
    rig.Settle();
    rig.bus.PushBack(ReadPV);
    rig.line->throwOnRead = true;
    rig.Pass();
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, "THREAD");
    EXPECT_EQ(op.boxes[0].caption, "ERROR");
    rig.line->throwOnRead = false;
    rig.bus.PushBack(ReadSP);
    rig.line->answers = {B({EOT})};
    rig.Pass();
    EXPECT_EQ(rig.bus.TakeReply(ReadSP), B({EOT}));
    op.Clear();
}

TEST(CommLog, LayoutIsByteExact)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("serial_log.txt").toStdString();
    {
        std::ofstream old(path);
        old << "left from the last run";
    }
    Rig rig(path);
    rig.comm.SetClock([] {
        std::tm t{};
        t.tm_year = 2024 - 1900;
        t.tm_mon = 2;
        t.tm_mday = 5;
        t.tm_hour = 9;
        t.tm_min = 5;
        t.tm_sec = 7;
        return t;
    });
    rig.comm.OpenLog();
    rig.line->arriving = B({0x41, 0x0D});
    rig.Pass();                                   // heard two bytes
    rig.Pass();                                   // silent: nothing logged
    const Bytes write = BuildWriteRequest(0, 1, AddressOwn, "1SP", "25.0");
    const Bytes readSW = BuildReadRequest(0, 1, "SW");
    for (const Bytes& r : {ReadPV, write, readSW, ReadSP})
        rig.bus.PushBack(r);
    rig.line->answers = {Reply234, B({}), B({EOT}), B({STX, '1', 0x83, ETX})};
    for (int i = 0; i < 4; ++i)
        rig.Pass();
    rig.bus.PushBack(ReadPV);
    rig.line->failWrites = true;                 // a request that never went out is not logged
    rig.Pass();
    rig.comm.CloseLog();

    std::ifstream in(path, std::ios::binary);
    std::stringstream got;
    got << in.rdbuf();
    const std::string expected =
        "LogFile > 2024-03-05:"
        "\r09:05:07 > 41 0D \r"
        "\r09:05:07 > 04 30 30 31 31 31 50 56 05  > 02 31 50 56 32 33 2E 34 03 2F\r"
        "\r09:05:07 > 04 30 30 31 31 02 31 53 50 32 35 2E 30 03 28  > "
        "\r09:05:07 > 04 30 30 31 31 53 57 05  > 04 "
        "\r09:05:07 > 04 30 30 31 31 31 53 50 05  > 02 31 83 ";
    EXPECT_EQ(got.str(), expected);
}

TEST(CommLog, UnwritableLogChangesNothingElse)
{
    Rig rig("/nonexistent-folder/serial_log.txt");
    rig.comm.OpenLog();
    rig.Settle();
    rig.bus.PushBack(ReadPV);
    rig.line->answers = {Reply234};
    rig.Pass();
    EXPECT_EQ(rig.bus.TakeReply(ReadPV), Reply234);
}

TEST(CommThread, SuspendsItselfWithoutALineAndStopsWhenAsked)
{
    SharedBus bus;
    PortSlot slot;
    Comm comm(bus, slot, "");
    comm.Start();
    ASSERT_TRUE(test::WaitUntil([&] { return comm.Suspended(); }));
    comm.Resume();  // still no line: suspends again
    ASSERT_TRUE(test::WaitUntil([&] { return comm.Suspended(); }));
    EXPECT_EQ(comm.Passes(), 0u);
    comm.Terminate();
    while (comm.Suspended())
        comm.Resume();
    comm.WaitFor();
}

TEST(CommThread, FirstPanelStartsItAndTheLastStopsIt)
{
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());  // the thread writes serial_log.txt into the working folder
    ASSERT_FALSE(PortHandle().Installed());
    EXPECT_FALSE(CommResumeIfSuspended());
    CommAttach();
    Comm* first = TheComm();
    ASSERT_NE(first, nullptr);
    CommAttach();
    EXPECT_EQ(TheComm(), first);
    ASSERT_TRUE(test::WaitUntil([&] { return first->Suspended(); }));  // on-line switch off
    EXPECT_TRUE(CommResumeIfSuspended());
    CommDetach();
    EXPECT_EQ(TheComm(), first);
    CommDetach();
    EXPECT_EQ(TheComm(), nullptr);
    CommDetach();  // one too many does no harm
    EXPECT_TRUE(QFile::exists(dir.filePath("serial_log.txt")));
    QDir::setCurrent(old);
}
