// Device panels end to end: an FP320 and a KV710 panel polled through the real communication
// thread and serial port against the real tarvo-sim, with the simulator's faults, a controller
// that drops off the bus, writes and the controller's re-read request.
#include <gtest/gtest.h>

#include <QMenu>

#include <cmath>
#include <memory>
#include <set>

#include "devices/DeviceType.h"
#include "link/Bus.h"
#include "link/Comm.h"
#include "link/Port.h"
#include "support/BusFixture.h"
#include "support/PtyPeer.h"

using namespace tarvo;
using tarvo::test::WaitUntil;

namespace {

constexpr int IdFP320 = 3;
constexpr int IdKV710 = 1;

// Every request the panel waits for has its answer filed.
bool AllFiled(const DeviceCore& d)
{
    std::shared_lock lock(Bus().ReplyLock);
    for (const auto* queue : {&d.PendingWrites, &d.PendingReads})
        for (const Bytes& entry : *queue)
            if (!Bus().ReplyMap.count(Bytes(entry.begin(), entry.end() - 1)))
                return false;
    return true;
}

class DevicesE2E : public tarvo::test::BusFixture {
protected:
    // The simulator with an FP320 at 11 and a KV710 at 12 (plus `extra` options), the port
    // opened on its terminal, and the two panels.
    void Start(std::vector<std::string> extra = {})
    {
        std::vector<std::string> options{"--seed", "3"};
        options.insert(options.end(), extra.begin(), extra.end());
        ASSERT_NO_FATAL_FAILURE(StartBus({"FP320@11", "KV710@12"}, options));
        ASSERT_EQ(PortName.rfind("/dev/", 0), 0u) << PortName;
        fp = &Adopt(std::unique_ptr<TDeviceType>(CreateDevicePanel(IdFP320, nullptr, 1, 1)));
        kv = &Adopt(std::unique_ptr<TDeviceType>(CreateDevicePanel(IdKV710, nullptr, 1, 2)));
        ASSERT_NE(TheComm(), nullptr);
    }

    // The thread has answered what the panels asked: every answer they wait for is filed, or,
    // should one be missing for good (the panels' no-answer limit is there for that), the queue
    // is empty and the exchange that emptied it is over.
    bool Answered()
    {
        if (AllFiled(*fp) && AllFiled(*kv))
            return true;
        if (!Bus().QueueEmpty()) {
            emptySincePass = 0;
            return false;
        }
        const unsigned long passes = TheComm()->Passes();
        if (emptySincePass == 0) {
            emptySincePass = passes;
            return false;
        }
        return passes > emptySincePass;
    }
    // One polling tick on both panels, once the thread has answered.
    void Pass() override
    {
        emptySincePass = 0;
        ASSERT_TRUE(WaitUntil([&] { return Answered(); }, std::chrono::seconds(30)))
            << "the thread filed no answer in time";
        fp->PollDevice();
        kv->PollDevice();
        for (TDeviceType* d : {fp, kv})
            if (d->LabelVisible())
                labels.insert(d->LabelText());
    }
    // Passes until `done` holds (at most `limit` passes); whether it did.
    bool PassUntil(const std::function<bool()>& done, int limit)
    {
        for (int i = 0; i < limit && !done(); ++i) {
            Pass();
            if (HasFatalFailure())
                return false;
        }
        return done();
    }
    bool BothOnline() const
    {
        return fp->State == DeviceCore::StateOnline && kv->State == DeviceCore::StateOnline;
    }
    static float Value(TDeviceType& d, const std::string& mnemonic) { return d.ValueByMnemonic[mnemonic]; }

    TDeviceType* fp = nullptr;
    TDeviceType* kv = nullptr;
    std::set<std::string> labels;  // every status label shown
    unsigned long emptySincePass = 0;
};

bool Close(float v, float target, float tolerance) { return std::fabs(v - target) <= tolerance; }

}  // namespace

TEST_F(DevicesE2E, BothReachOnlineAndTheirValuesFollowTheControllers)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(PassUntil([&] { return BothOnline(); }, 10));
    EXPECT_EQ(fp->TextByMnemonic["II"], ">3201");
    EXPECT_EQ(kv->TextByMnemonic["II"], ">7101");
    EXPECT_EQ(kv->TextByMnemonic["1SP"], "25.0");  // not cyclic: read once in Init
    EXPECT_FALSE(fp->LabelVisible());
    EXPECT_FALSE(kv->LabelVisible());

    // Measured values changed at the controllers show up in the cyclic reads, in both stores.
    // (Measured values relax towards their set points: 40.0 stays near 40.0 for seconds.)
    Command("set 11 PV 40.0");
    Command("set 12 1SP 61.5");
    Command("set 12 1PV 61.5");
    ASSERT_TRUE(PassUntil([&] { return Close(Value(*fp, "PV"), 40, 1) && Close(Value(*kv, "1PV"), 61.5, 1); }, 4));
    EXPECT_EQ(kv->ValueTexts[static_cast<size_t>(kv->IndexOf("1PV"))], kv->TextByMnemonic["1PV"]);
    EXPECT_TRUE(Close(kv->Values[static_cast<size_t>(kv->IndexOf("1PV"))], 61.5, 1));
    EXPECT_TRUE(BothOnline());
    EXPECT_TRUE(labels.empty());
    EXPECT_TRUE(Op().boxes.empty());
    kv->PopupMenuPopup();
    EXPECT_TRUE(kv->PrmTable->isEnabled());  // an Online panel offers its parameter menu (KV710: from the popup)
}

TEST_F(DevicesE2E, WritesAreAnsweredAndTheReReadRequestIsServed)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(PassUntil([&] { return BothOnline(); }, 10));

    const int sp = kv->IndexOf("1SP");
    kv->WriteParam(sp, "30.0");
    Pass();
    kv->WriteParam(sp, "1000.0");  // above the limit: refused
    Pass();
    ASSERT_EQ(Op().boxes.size(), 2u);
    EXPECT_EQ(Op().boxes[0].text, "Parametar promenjen!!!");
    EXPECT_EQ(Op().boxes[1].text, "Vrednost parametra nije u redu");
    EXPECT_EQ(sim->Command("get 12 1SP"), "12 1SP 30.0");

    // The controller asks to be read again: the panel clears the request with a status-word
    // write, reads every parameter and comes back Online.
    Command("reread 12");
    ASSERT_TRUE(PassUntil([&] { return kv->State == DeviceCore::StateInit; }, 4));
    ASSERT_TRUE(PassUntil([&] { return kv->State == DeviceCore::StateOnline; }, 10));
    EXPECT_EQ(StatusWord::Digit(kv->StatusText(), 4) & 8, 0);
    EXPECT_EQ(StatusWord::Digit(sim->Command("get 12 SW").substr(7), 4) & 8, 0);
    EXPECT_EQ(kv->TextByMnemonic["1SP"], "30.0");
    EXPECT_EQ(Op().boxes.size(), 2u);  // the status-word write raises no box
}

TEST_F(DevicesE2E, WithFaultsOnTheyKeepRecoveringAndStayCurrent)
{
    ASSERT_NO_FATAL_FAILURE(Start({"--fault-noanswer", "0.2", "--fault-bcc", "0.1", "--fault-garbage", "0.05"}));
    ASSERT_TRUE(PassUntil([&] { return BothOnline(); }, 40));
    // Far apart, so that a reply filed under the other controller's request would show.
    Command("set 11 2PV 300.0");
    Command("set 12 2PV 50.0");
    ASSERT_TRUE(PassUntil([&] { return Value(*fp, "2PV") > 150 && Close(Value(*kv, "2PV"), 50, 5); }, 20));
    for (const float target : {50.0f, 70.0f}) {
        // The set point too, so that the regulated value stays where it is put.
        Command("set 12 1SP " + std::to_string(target));
        Command("set 12 1PV " + std::to_string(target));
        EXPECT_TRUE(PassUntil([&] { return BothOnline() && Close(Value(*kv, "1PV"), target, 1); }, 20)) << target;
        for (int i = 0; i < 4; ++i) {
            Pass();
            EXPECT_GT(Value(*fp, "2PV"), 150);
            EXPECT_LT(Value(*kv, "2PV"), 150);
        }
    }
    EXPECT_TRUE(PassUntil([&] { return BothOnline(); }, 20));
    // The faults did happen and were shown; nothing else was (a reply filed under another
    // request would show as MNEMONIK, an answer never filed as "Comm. thread error"); and
    // nobody was asked anything.
    EXPECT_TRUE(labels.count("TIME_OUT"));
    for (const std::string& label : labels)
        EXPECT_TRUE(label == "TIME_OUT" || label == "CHESK_SUM" || label == "PROTOKOL" || label == "FORMAT") << label;
    EXPECT_TRUE(Op().boxes.empty());
}

TEST_F(DevicesE2E, AControllerOffTheBusTimesOutFallsBackAndReturns)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(PassUntil([&] { return BothOnline(); }, 10));
    Command("off 12");
    ASSERT_TRUE(PassUntil([&] { return kv->LabelText() == "TIME_OUT" && kv->LabelVisible(); }, 3));
    // After the retry budget the panel falls back to reading everything again.
    ASSERT_TRUE(PassUntil([&] { return kv->State == DeviceCore::StateInit; }, 40));
    EXPECT_EQ(fp->State, DeviceCore::StateOnline);  // the other controller goes on as before
    EXPECT_FALSE(fp->LabelVisible());

    Command("on 12");
    ASSERT_TRUE(PassUntil([&] { return kv->State == DeviceCore::StateOnline; }, 20));
    Pass();
    EXPECT_FALSE(kv->LabelVisible());
    // Every request was answered in its turn: no entry waited for an answer that never came.
    EXPECT_EQ(labels, std::set<std::string>{"TIME_OUT"});
    EXPECT_TRUE(Op().boxes.empty());
}
