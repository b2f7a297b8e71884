// Cost of the main window's two device ticks over the bus's whole address space: 100 panels
// (00..99, the thirteen types in turn), all Online with their values.
//   PollingTickCollect  PollDevice on every panel when every panel's cyclic reads have been
//                       answered: take each reply, judge it, store the value
//   PollingTickQueue    PollDevice on every panel with nothing outstanding: the idle pass that
//                       reads the status word and queues the next cyclic reads
//   DisplayTick         ShowValues on every panel
// The communication thread runs, on a line where another station is always talking, so it
// listens and never takes a request: the benchmark answers the requests itself, as the thread
// would have, outside the timed part.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "devices/DeviceType.h"
#include "link/Comm.h"
#include "link/Port.h"
#include "QtBenchMain.h"

using namespace tarvo;

namespace {

constexpr int Panels = 100;

// A line on which someone else is always transmitting: every listening pass hears bytes, so
// the thread keeps listening.
class BusyLine : public ByteLine {
public:
    void Purge(bool, bool) override {}
    bool Write(const uint8_t*, size_t) override { return true; }
    size_t Read(uint8_t* buf, size_t n) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        std::fill(buf, buf + n, uint8_t{0x55});
        return n;
    }
};

class Network {
public:
    Network()
    {
        PortHandle().Install(std::make_unique<BusyLine>());
        Bus().Clear();
        for (int a = 0; a < Panels; ++a)
            panels_.emplace_back(CreateDevicePanel(a % static_cast<int>(AllTypes().size()), &host_,
                                                   static_cast<uint8_t>(a / 10), static_cast<uint8_t>(a % 10)));
        // Identification, the reads of every parameter, the idle pass, the first cyclic reads.
        for (int pass = 0; pass < 6; ++pass) {
            Serve();
            Tick();
        }
        for (auto& p : panels_)
            if (p->State != DeviceCore::StateOnline || !p->PendingReads.empty())
                ok_ = false;
    }
    ~Network()
    {
        panels_.clear();  // the last panel stops the thread
        PortHandle().Clear();
        Bus().Clear();
    }
    bool Ok() const { return ok_; }

    void Tick()
    {
        for (auto& p : panels_)
            p->PollDevice();
    }
    void Show()
    {
        for (auto& p : panels_)
            p->ShowValues();
    }
    // Answers every queued request as the controllers would; measured values change a little
    // on every round so that the stores take new texts.
    // Returns how many were answered.
    int Serve()
    {
        ++round_;
        int n = 0;
        Bytes request;
        for (; Bus().PopFront(request); ++n)
            Bus().File(request, Answer(request));
        return n;
    }

private:
    Bytes Answer(const Bytes& request)
    {
        if (request[5] == STX)
            return Bytes{ACK};
        const TDeviceType& panel = *panels_[static_cast<size_t>((request[1] - '0') * 10 + (request[3] - '0'))];
        const std::string mnemonic(request.begin() + 5, request.end() - 1);
        const ParamDesc& desc = panel.GetParamDesc(panel.IndexOf(mnemonic));
        std::string value;
        if (mnemonic == "II")
            value = panel.Info().IdentCodes[0];
        else if (desc.ValueKind == KindHexWord)
            value = ">0000";
        else if (desc.ValueKind == KindText)
            value = "TEXT";
        else if (desc.HasChoices())
            value = std::to_string(static_cast<int>(desc.MinValue));
        else
            value = round_ % 2 ? "23.4" : "23.5";
        return BuildDataReply(mnemonic, value);
    }

    QWidget host_;
    std::vector<std::unique_ptr<TDeviceType>> panels_;
    int round_ = 0;
    bool ok_ = true;
};

void PollingTickCollect(benchmark::State& state)
{
    Network net;
    if (!net.Ok()) {
        state.SkipWithError("the panels did not come Online");
        return;
    }
    int replies = 0;
    for (auto _ : state) {
        state.PauseTiming();
        net.Tick();  // idle pass: the next cyclic reads
        replies = net.Serve();
        state.ResumeTiming();
        net.Tick();
    }
    state.counters["replies_per_tick"] = replies;
}
BENCHMARK(PollingTickCollect)->Unit(benchmark::kMicrosecond);

void PollingTickQueue(benchmark::State& state)
{
    Network net;
    if (!net.Ok()) {
        state.SkipWithError("the panels did not come Online");
        return;
    }
    int requests = 0;
    for (auto _ : state) {
        net.Tick();
        state.PauseTiming();
        requests = net.Serve();
        net.Tick();  // collect
        state.ResumeTiming();
    }
    state.counters["requests_per_tick"] = requests;
}
BENCHMARK(PollingTickQueue)->Unit(benchmark::kMicrosecond);

void DisplayTick(benchmark::State& state)
{
    Network net;
    if (!net.Ok()) {
        state.SkipWithError("the panels did not come Online");
        return;
    }
    for (auto _ : state)
        net.Show();
}
BENCHMARK(DisplayTick)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    // The communication thread's traffic log goes to a folder of its own.
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    return tarvo::bench::RunQtBenchmarks(argc, argv);
}
