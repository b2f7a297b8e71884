// Exchanges per second through the real communication thread and serial port against the real
// tarvo-sim, with a full queue, beside the wire-time limit of the same frames (10 bits a
// character: request bytes plus reply bytes per exchange).
//
// Each iteration queues 200 reads at once ("II" and "SW" of 100 controllers: 8-byte requests,
// 10-byte replies) while the thread idles in its listening passes. The time measured runs from
// the first reply filed to the last (199 exchanges back to back); the wait for the listening
// pass in progress when the requests arrive (at most 300 ms, the protocol's own) is reported
// apart as start_ms.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "devices/TypeTable.h"
#include "link/Comm.h"
#include "link/Port.h"
#include "support/SimProcess.h"

using namespace tarvo;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Controllers = 100;

std::vector<Bytes> Requests()
{
    std::vector<Bytes> out;
    for (const char* mnemonic : {"II", "SW"})
        for (int a = 0; a < Controllers; ++a)
            out.push_back(BuildReadRequest(static_cast<uint8_t>(a / 10), static_cast<uint8_t>(a % 10), mnemonic));
    return out;
}

// Every address 00..99 holds a controller, the thirteen types in turn.
std::vector<std::string> SimArgs(int baud)
{
    std::vector<std::string> args{"--baud", std::to_string(baud)};
    for (int a = 0; a < Controllers; ++a) {
        char spec[32];
        std::snprintf(spec, sizeof spec, "%s@%02d", AllTypes()[static_cast<size_t>(a) % AllTypes().size()]->Model, a);
        args.push_back(spec);
    }
    return args;
}

void LinkThroughput(benchmark::State& state)
{
    const int speedIndex = static_cast<int>(state.range(0));
    const int baud = BaudForIndex(speedIndex);
    test::SimProcess sim(SimArgs(baud));
    PortName = sim.ReadLine();
    SpeedIndex = speedIndex;
    if (OpenPort() != 0) {
        state.SkipWithError(("cannot open the simulator's terminal: " + PortError()).c_str());
        return;
    }
    Bus().Clear();
    const std::string log = "/tmp/tarvo-bench-serial_log.txt";
    Comm comm(Bus(), PortHandle(), log);
    comm.Start();
    const std::vector<Bytes> requests = Requests();
    const size_t n = requests.size();

    double exchanges = 0, measuredSeconds = 0, wireSeconds = 0, startSeconds = 0;
    for (auto _ : state) {
        const auto queued = Clock::now();
        for (const Bytes& r : requests)
            Bus().PushBack(r);
        Clock::time_point first{}, last{};
        const auto deadline = queued + std::chrono::seconds(60);
        for (size_t filed = 0; filed < n && Clock::now() < deadline;) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            filed = Bus().ReplyCount();
            if (filed >= 1 && first == Clock::time_point{})
                first = Clock::now();
            if (filed == n)
                last = Clock::now();
        }
        if (last == Clock::time_point{}) {
            state.SkipWithError("the thread did not answer every request within a minute");
            break;
        }
        // The frames that went over the wire after the first reply was filed.
        size_t bytes = 0;
        bool allData = true;
        for (size_t i = 1; i < n; ++i) {
            const Bytes reply = Bus().TakeReply(requests[i]);
            allData = allData && reply.size() > 1;
            bytes += requests[i].size() + reply.size();
        }
        Bus().Clear();
        if (!allData) {
            state.SkipWithError("a request was not answered by a data reply");
            break;
        }
        const double seconds = std::chrono::duration<double>(last - first).count();
        state.SetIterationTime(seconds);
        measuredSeconds += seconds;
        exchanges += static_cast<double>(n - 1);
        wireSeconds += static_cast<double>(bytes) * 10.0 / baud;
        startSeconds += std::chrono::duration<double>(first - queued).count();
    }
    comm.Terminate();
    comm.WaitFor();
    PortHandle().Clear();

    if (measuredSeconds <= 0 || wireSeconds <= 0)
        return;
    const double rate = exchanges / measuredSeconds;
    const double limit = exchanges / wireSeconds;
    state.counters["baud"] = baud;
    state.counters["exchanges_per_s"] = rate;
    state.counters["wire_limit_per_s"] = limit;
    state.counters["ratio_pct"] = 100.0 * rate / limit;
    state.counters["start_ms"] = 1000.0 * startSeconds / static_cast<double>(state.iterations());
}
BENCHMARK(LinkThroughput)
    ->ArgName("speed_index")
    ->Arg(3)   // 9600 baud
    ->Arg(7)   // 57600 baud
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
