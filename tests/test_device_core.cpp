// The protocol life of a device: identification, the polling states, read and write
// transactions with their retry budgets, status-word writes and the operator's messages.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "device/DeviceCore.h"
#include "support/PanelKit.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

const char* const OnOff[] = {"GREJANJE", "HLADJENJE", nullptr};

// II, SW, VO, a writable set point, a choice, and a cyclic measured value.
const ParamDesc TestParams[] = {
    {0, "II", 0, 0, KindHexWord, 0, 0, 0, "", "Tip uredjaja", nullptr},
    {1, "SW", 0, 1, KindHexWord, 0, 0, 0, "", "Status uredjaja", nullptr},
    {0, "VO", 0, 0, KindNumber, 0, 0, 0, "", "Verzija softvera", nullptr},
    {0, "1SP", 1, 1, KindNumber, 999.9f, -99.9f, 1, "", "Zadata temperatura", nullptr},
    {0, "1FO", 1, 1, KindNumber, 1, 0, 0, "", "Funkcija izlaza", OnOff},
    {1, "1PV", 0, 1, KindNumber, 0, 0, 1, "", "Izmerena temperatura", nullptr},
};
constexpr int TestCount = 6;

class TestDevice : public DeviceCore {
public:
    TestDevice(uint8_t g, uint8_t u) : DeviceCore(g, u, TestParams, TestCount) {}
    bool IsMyIdentity() const override { return ValueTexts[0] == ">7101"; }
};

// Stands in for the communication thread and the controller: takes every queued request and
// files the answer `respond` gives (an empty answer files nothing).
struct Line {
    std::function<Bytes(const Bytes&)> respond;
    std::vector<Bytes> sent;

    void Serve()
    {
        Bytes request;
        while (Bus().PopFront(request)) {
            sent.push_back(request);
            Bytes answer = respond(request);
            if (!answer.empty())
                Bus().File(request, answer);
        }
    }
};

std::string MnemonicOfRead(const Bytes& r) { return std::string(r.begin() + 5, r.end() - 1); }

bool IsWrite(const Bytes& r) { return r.size() > 5 && r[5] == STX; }

// A controller with the values given; writes are acknowledged.
Bytes Controller(const Bytes& r, std::map<std::string, std::string>& values)
{
    if (IsWrite(r)) {
        // mnemonic and value: the program's writes here are "SW" + ">xxxx" or "1SP" + number
        const std::string text(r.begin() + 6, r.end() - 2);
        const std::string m = text.rfind("SW", 0) == 0 ? "SW" : text.substr(0, 3);
        values[m] = text.substr(m.size());
        return {ACK};
    }
    const std::string m = MnemonicOfRead(r);
    auto it = values.find(m);
    return it == values.end() ? Bytes{EOT} : BuildDataReply(m, it->second);
}

class DeviceCoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBusAndOperator();
        values = {{"II", ">7101"}, {"SW", ">0000"}, {"VO", "12"}, {"1SP", "25.0"}, {"1FO", "1"}, {"1PV", "23.4"}};
        line.respond = [this](const Bytes& r) { return Controller(r, values); };
    }
    ScriptedOperator& op() { return ScriptedOperator::Instance(); }

    // Alternates the line and polling passes until the device is Online.
    void BringOnline(DeviceCore& d)
    {
        for (int i = 0; i < 10 && d.State != DeviceCore::StateOnline; ++i) {
            line.Serve();
            d.PollDevice();
        }
        ASSERT_EQ(d.State, DeviceCore::StateOnline);
        line.Serve();
        d.PollDevice();  // collect the first cyclic reads: nothing outstanding afterwards
        ASSERT_TRUE(d.PendingReads.empty());
        ASSERT_TRUE(d.PendingWrites.empty());
        line.sent.clear();
    }

    std::vector<std::string> SentMnemonics() const
    {
        std::vector<std::string> out;
        for (const auto& r : line.sent)
            out.push_back(IsWrite(r) ? "W" + std::string(r.begin() + 6, r.end() - 2) : MnemonicOfRead(r));
        return out;
    }

    std::map<std::string, std::string> values;
    Line line;
};

}  // namespace

TEST_F(DeviceCoreTest, ScanInitOnlineReadsAllThenOnlyCyclic)
{
    TestDevice d(1, 2);
    EXPECT_EQ(d.State, DeviceCore::StateScan);
    EXPECT_EQ(d.LabelText(), "SCAN");
    ASSERT_EQ(Bus().QueueSize(), 1u);
    EXPECT_EQ(Bus().QueueAt(0), BuildReadRequest(1, 2, "II"));

    line.Serve();
    d.PollDevice();  // identification answered with this type's code
    EXPECT_EQ(d.State, DeviceCore::StateInit);
    EXPECT_TRUE(op().boxes.empty());
    ASSERT_EQ(Bus().QueueSize(), static_cast<size_t>(TestCount));
    for (int i = 0; i < TestCount; ++i)
        EXPECT_EQ(Bus().QueueAt(static_cast<size_t>(i)), BuildReadRequest(1, 2, TestParams[i].Mnemonic));

    line.Serve();
    d.PollDevice();  // all initial reads collected
    EXPECT_EQ(d.State, DeviceCore::StateInit);
    EXPECT_EQ(d.TextOf("1PV"), "23.4");
    EXPECT_FLOAT_EQ(d.ValueByMnemonic["1SP"], 25.0f);
    EXPECT_EQ(d.TextByMnemonic["SW"], ">0000");
    EXPECT_EQ(d.ValueByMnemonic.count("SW"), 0u);  // hex words are text only
    EXPECT_TRUE(d.CommLedOn());

    d.PollDevice();  // idle pass: Online, cyclic reads only
    EXPECT_EQ(d.State, DeviceCore::StateOnline);
    line.sent.clear();
    line.Serve();
    EXPECT_EQ(SentMnemonics(), (std::vector<std::string>{"SW", "1PV"}));
    EXPECT_FALSE(d.LabelVisible());
}

TEST_F(DeviceCoreTest, ForeignIdentificationAsksAndCancelGoesOffline)
{
    values["II"] = ">4101";
    TestDevice d(1, 2);
    line.Serve();
    op().Script(Answer::Ok);
    d.PollDevice();
    ASSERT_EQ(op().boxes.size(), 1u);
    EXPECT_EQ(op().boxes[0].kind, "okcancel");
    EXPECT_EQ(op().boxes[0].text,
              "Identifikacija uredjaja sa adresom 1.2 nije odgovarajuca:>4101; Zelite li da pokusate ponovo ???");
    EXPECT_EQ(d.State, DeviceCore::StateScan);  // OK: asked again, at the back
    EXPECT_EQ(Bus().QueueAt(Bus().QueueSize() - 1), BuildReadRequest(1, 2, "II"));

    line.Serve();
    d.PollDevice();  // Cancel (the default answer)
    EXPECT_EQ(d.State, DeviceCore::StateOffline);
    EXPECT_EQ(d.LabelText(), "OFFLINE");
    EXPECT_TRUE(d.LabelVisible());
    EXPECT_TRUE(d.ScanEnabled());

    // Offline: no traffic at all.
    for (int i = 0; i < 3; ++i)
        d.PollDevice();
    EXPECT_TRUE(Bus().QueueEmpty());

    // Scan puts the identification at the head of the queue, ahead of other traffic.
    Bus().PushBack(BuildReadRequest(5, 5, "SW"));
    d.Scan1();
    EXPECT_EQ(d.State, DeviceCore::StateScan);
    EXPECT_FALSE(d.ScanEnabled());
    EXPECT_EQ(Bus().QueueAt(0), BuildReadRequest(1, 2, "II"));
}

TEST_F(DeviceCoreTest, IdentificationFailuresRepeatWithoutBudget)
{
    TestDevice d(0, 1);
    line.respond = [](const Bytes&) { return Bytes{LinkTimeout}; };
    for (int i = 0; i < 60; ++i) {
        line.Serve();
        d.PollDevice();
        ASSERT_EQ(d.State, DeviceCore::StateScan);
    }
    EXPECT_EQ(d.LabelText(), "TIME_OUT");
    EXPECT_EQ(d.ErrorCount, 0);
    EXPECT_EQ(d.PendingReads.size(), 1u);
    // A four-character code is a format failure and is asked again.
    line.respond = [](const Bytes&) { return BuildDataReply("II", ">710"); };
    line.Serve();
    d.PollDevice();
    EXPECT_EQ(d.LabelText(), "FORMAT");
    EXPECT_EQ(d.PendingReads.size(), 1u);
}

TEST_F(DeviceCoreTest, LostIdentificationIsQueuedAgain)
{
    TestDevice d(0, 1);
    Bus().Clear();  // the request never reaches the line, so no answer is ever filed
    for (int pass = 1; pass <= 10; ++pass)
        d.PollDevice();
    EXPECT_EQ(d.PendingReads.size(), 1u);
    d.PollDevice();  // eleventh pass without an answer: dropped, and identification asked again
    EXPECT_EQ(d.LabelText(), "Comm. thread error");
    ASSERT_EQ(d.PendingReads.size(), 1u);
    EXPECT_EQ(Bus().QueueAt(0), BuildReadRequest(0, 1, "II"));
    line.Serve();
    d.PollDevice();
    EXPECT_EQ(d.State, DeviceCore::StateInit);
}

TEST_F(DeviceCoreTest, MissingAnswerDropsEntryAfterElevenPasses)
{
    TestDevice d(0, 1);
    BringOnline(d);
    d.PollDevice();  // queue cyclic reads; the line never serves them
    const size_t pending = d.PendingReads.size();
    for (int i = 0; i < 10; ++i)
        d.PollDevice();
    EXPECT_EQ(d.NoReplyCount, 10);
    EXPECT_EQ(d.PendingReads.size(), pending);
    d.PollDevice();
    EXPECT_EQ(d.NoReplyCount, 0);
    EXPECT_EQ(d.PendingReads.size(), pending - 1);
    EXPECT_EQ(d.LabelText(), "Comm. thread error");
    EXPECT_TRUE(d.LabelVisible());
}

TEST_F(DeviceCoreTest, FailedReadsRetryFiftyTimesThenFallBackToInit)
{
    TestDevice d(0, 1);
    BringOnline(d);
    values.erase("1PV");
    line.respond = [this](const Bytes& r) {
        return MnemonicOfRead(r) == "1PV" ? Bytes{LinkChecksum} : Controller(r, values);
    };
    d.PollDevice();  // queues SW and 1PV
    int passes = 0;
    while (d.State == DeviceCore::StateOnline && passes < 200) {
        line.Serve();
        d.PollDevice();
        ++passes;
        if (d.State == DeviceCore::StateOnline && d.ErrorCount > 0) {
            EXPECT_EQ(d.LabelText(), "CHESK_SUM");
        }
    }
    EXPECT_EQ(d.State, DeviceCore::StateInit);
    EXPECT_EQ(d.ErrorCount, 0);
    // The 51st consecutive failure queued every parameter again, in table order.
    std::vector<std::string> queued;
    for (size_t i = 0; i < Bus().QueueSize(); ++i)
        queued.push_back(MnemonicOfRead(Bus().QueueAt(i)));
    EXPECT_EQ(queued, (std::vector<std::string>{"II", "SW", "VO", "1SP", "1FO", "1PV"}));
    // A success resets the count.
    EXPECT_FLOAT_EQ(d.ValueOf("1PV"), 23.4f);  // value kept from before the failures
}

// A controller that stops answering altogether: the fall-back to Init comes while retries of
// other cyclic reads are still outstanding. Those are not queued a second time (two requests
// with one key get one answer between them), so when the controller answers again the device
// is back Online at once, with no entry left waiting for an answer that never comes.
TEST_F(DeviceCoreTest, FallBackWithRetriesOutstandingQueuesNoReadTwice)
{
    TestDevice d(0, 1);
    BringOnline(d);
    line.respond = [](const Bytes&) { return Bytes{LinkTimeout}; };
    d.PollDevice();  // queues SW and 1PV
    for (int passes = 0; d.State == DeviceCore::StateOnline && passes < 100; ++passes) {
        line.Serve();
        d.PollDevice();
    }
    ASSERT_EQ(d.State, DeviceCore::StateInit);
    std::set<Bytes> pending;
    for (const Bytes& entry : d.PendingReads)
        EXPECT_TRUE(pending.insert(entry).second) << HexDump(entry);
    EXPECT_EQ(pending.size(), static_cast<size_t>(TestCount));
    EXPECT_EQ(Bus().QueueSize(), d.PendingReads.size());

    line.respond = [this](const Bytes& r) { return Controller(r, values); };
    for (int i = 0; i < 3 && d.State != DeviceCore::StateOnline; ++i) {
        line.Serve();
        d.PollDevice();
    }
    EXPECT_EQ(d.State, DeviceCore::StateOnline);
    EXPECT_FALSE(d.LabelVisible()) << d.LabelText();
}

TEST_F(DeviceCoreTest, WriteAcknowledgementsAndMessages)
{
    TestDevice d(0, 1);
    BringOnline(d);
    struct Case {
        Bytes answer;
        std::string message;
    };
    const std::vector<Case> cases = {{{ACK}, "Parametar promenjen!!!"}, {{NAK}, "Vrednost parametra nije u redu"}};
    for (const auto& c : cases) {
        op().Clear();
        d.EditIndex = 3;
        d.EditValue = 25;
        d.WriteEditedValue(AddressOwn, "");
        const Bytes req = Bus().QueueAt(0);
        EXPECT_EQ(req, BuildWriteRequest(0, 1, AddressOwn, "1SP", "25.0"));
        Bus().Clear();
        Bus().File(req, c.answer);
        d.PollDevice();
        ASSERT_EQ(op().boxes.size(), 1u);
        EXPECT_EQ(op().boxes[0].text, c.message);
        EXPECT_EQ(op().boxes[0].caption, "Zadata temperatura");
        EXPECT_FALSE(d.LabelVisible());
        EXPECT_EQ(d.ErrorCount, 0);
        EXPECT_TRUE(d.PendingWrites.empty());
    }
}

TEST_F(DeviceCoreTest, UnansweredWriteIsRepeatedFirstThenGivenUp)
{
    TestDevice d(0, 1);
    BringOnline(d);
    d.EditIndex = 3;
    d.EditValue = 30;
    d.WriteEditedValue(AddressOwn, "");
    const Bytes req = BuildWriteRequest(0, 1, AddressOwn, "1SP", "30.0");
    for (int failure = 1; failure <= 50; ++failure) {
        Bus().Clear();
        Bus().File(req, {LinkTimeout});
        d.PollDevice();
        ASSERT_EQ(Bus().QueueAt(0), req) << "repeated at the front";
        ASSERT_EQ(d.PendingWrites.size(), 1u);
        EXPECT_EQ(d.LabelText(), "TIME_OUT");
    }
    EXPECT_TRUE(op().boxes.empty());
    Bus().Clear();
    Bus().File(req, {LinkTimeout});
    d.PollDevice();
    EXPECT_TRUE(d.PendingWrites.empty());
    EXPECT_EQ(d.State, DeviceCore::StateInit);
    ASSERT_EQ(op().boxes.size(), 1u);
    EXPECT_EQ(op().boxes[0].text, "Parametar nije promenjen, uredjaj se ne odaziva!!!");
    EXPECT_EQ(op().boxes[0].caption, "Zadata temperatura");
}

TEST_F(DeviceCoreTest, ReadsWaitWhileAWriteIsPending)
{
    TestDevice d(0, 1);
    BringOnline(d);
    d.PollDevice();  // cyclic reads queued
    line.Serve();    // and answered
    d.EditIndex = 3;
    d.EditValue = 20;
    d.WriteEditedValue(AddressOwn, "");
    values["1PV"] = "50.0";
    d.PollDevice();  // the write's answer is not there yet: nothing collected
    EXPECT_EQ(d.PendingWrites.size(), 1u);
    EXPECT_FALSE(d.PendingReads.empty());
    line.Serve();
    d.PollDevice();  // write completed; the reads wait for a pass that finds no write
    EXPECT_TRUE(d.PendingWrites.empty());
    EXPECT_FALSE(d.PendingReads.empty());
    d.PollDevice();
    EXPECT_TRUE(d.PendingReads.empty());
}

TEST_F(DeviceCoreTest, ReadParamBringsAWrittenValueBackAfterTheWrite)
{
    TestDevice d(0, 1);
    BringOnline(d);
    d.WriteParam(3, "30.0");
    d.ReadParam(3);
    d.ReadParam(3);  // one outstanding read is enough
    ASSERT_EQ(d.PendingReads.size(), 1u);
    line.Serve();
    EXPECT_EQ(SentMnemonics(), (std::vector<std::string>{"W1SP30.0", "1SP"})) << "the write goes out first";
    d.PollDevice();  // the write
    d.PollDevice();  // the read
    EXPECT_TRUE(d.PendingReads.empty());
    EXPECT_EQ(d.TextOf("1SP"), "30.0");
    EXPECT_FLOAT_EQ(d.ValueOf("1SP"), 30.0f);
}

TEST_F(DeviceCoreTest, GroupAndNetworkWritesLeaveNoEntry)
{
    TestDevice d(3, 4);
    BringOnline(d);
    d.EditIndex = 3;
    d.EditValue = 21.5f;
    d.WriteEditedValue(AddressGroup, "");
    d.WriteEditedValue(AddressNetwork, "");
    EXPECT_TRUE(d.PendingWrites.empty());
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(3, 4, AddressNetwork, "1SP", "21.5"));
    EXPECT_EQ(Bus().QueueAt(1), BuildWriteRequest(3, 4, AddressGroup, "1SP", "21.5"));
}

TEST_F(DeviceCoreTest, StatusWordWrites)
{
    TestDevice d(0, 1);
    BringOnline(d);
    // The controller asks to be read again: >0008 is answered by >0000 and a full read.
    values["SW"] = ">0008";
    d.PollDevice();
    line.Serve();
    d.PollDevice();  // collect SW, 1PV
    d.PollDevice();  // idle pass sees bit 8
    EXPECT_EQ(d.State, DeviceCore::StateInit);
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(0, 1, AddressOwn, "SW", ">0000"));
    EXPECT_EQ(Bus().QueueSize(), 1u + TestCount);
    line.Serve();
    d.PollDevice();  // the acknowledged status write shows no message
    EXPECT_TRUE(op().boxes.empty());
    EXPECT_EQ(values["SW"], ">0000");

    // Keyboard lock on a device reporting >0000 writes >0004.
    BringOnline(d);
    d.SetStatusBits(4, 4);
    d.PollDevice();
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(0, 1, AddressOwn, "SW", ">0004"));
    EXPECT_EQ(d.StatusSetMask[3], 0);

    // Ticked twice before the pass: clearing wins; other digits are kept, letters stay hex.
    Bus().Clear();
    d.PendingWrites.clear();
    d.PendingReads.clear();
    d.ValueTexts[1] = ">A0C4";
    d.SetStatusBits(4, 4);
    d.ClearStatusBits(4, 4);
    d.SetStatusBits(1, 1);
    d.PollDevice();
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(0, 1, AddressOwn, "SW", ">B0C0"));
}

TEST_F(DeviceCoreTest, ShortStatusWordKeepsPolling)
{
    TestDevice d(0, 1);
    BringOnline(d);
    d.ValueTexts[1] = ">00";  // never read completely
    d.SetStatusBits(4, 4);
    d.PollDevice();
    EXPECT_TRUE(op().boxes.empty());
    EXPECT_EQ(d.State, DeviceCore::StateOnline);
    // Reads go on; the status write waits for a complete word instead of inventing digits.
    EXPECT_EQ(SentMnemonics().size(), 0u);
    line.Serve();
    EXPECT_EQ(SentMnemonics(), (std::vector<std::string>{"SW", "1PV"}));
    EXPECT_TRUE(d.StatusWritePending);
    d.PollDevice();  // SW read repairs the word
    d.PollDevice();
    EXPECT_EQ(Bus().QueueAt(0), BuildWriteRequest(0, 1, AddressOwn, "SW", ">0004"));
}

TEST_F(DeviceCoreTest, AddressDigitsAndWriteFormat)
{
    TestDevice d(1, 2);
    EXPECT_EQ(Bus().QueueAt(0), BuildReadRequest(1, 2, "II"));
    TestDevice big(12, 7);  // a digit above 9 leaves the field at 0
    EXPECT_EQ(big.AddrGroup, 0);
    EXPECT_EQ(big.AddrUnit, 7);
    EXPECT_EQ(FormatWriteValue(25), "25.0");
    EXPECT_EQ(FormatWriteValue(-99.9f), "-99.9");
    EXPECT_EQ(FormatWriteValue(0.1f), "0.1");
    EXPECT_EQ(FormatWriteValue(-0.01), "0.0");
    EXPECT_EQ(FormatWriteValue(1234.56), "1234.6");
}

// A value with two decimals goes out with one, a half rounded away from zero as the
// controllers' own keys do, never to even.
TEST(WriteValueFormat, HalvesRoundAwayFromZero)
{
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {12.25f, "12.3"}, {12.75f, "12.8"}, {0.25f, "0.3"}, {-0.25f, "-0.3"}, {-12.75f, "-12.8"},
        {0.35f, "0.3"},  // 0.3499999... in single precision: not a tie
        {0.45f, "0.4"},  // 0.4499999880...
        {99.99f, "100.0"}, {0.125f, "0.1"}, {-0.05f, "-0.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatWriteValue(c.value), c.text) << c.value;
}
