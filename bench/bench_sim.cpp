// Cost of the simulated bus: one read exchange on a bus with all thirteen types, and one
// simulated second of plant for all of them. The simulator must keep far ahead of the line
// (one exchange takes about 20 ms of wire time at 9600 baud).
#include <benchmark/benchmark.h>

#include "SimBus.h"

using namespace tarvo;
using namespace tarvo::sim;

namespace {

void AddAllTypes(SimBus& bus)
{
    int unit = 0;
    for (const DeviceTypeInfo* t : AllTypes()) {
        bus.Add(*t, 1 + unit / 10, unit % 10);
        ++unit;
    }
}

void BM_ReadExchange(benchmark::State& state)
{
    SimBus bus;
    AddAllTypes(bus);
    const Bytes request = BuildReadRequest(1, 4, "1PV");  // CQ50, the largest table
    double now = 0;
    for (auto _ : state) {
        now += 0.02;
        benchmark::DoNotOptimize(bus.Transact(request, now));
    }
}
BENCHMARK(BM_ReadExchange);

void BM_PlantSecondAllTypes(benchmark::State& state)
{
    SimBus bus;
    AddAllTypes(bus);
    double now = 0;
    for (auto _ : state) {
        now += 1.0;
        bus.Advance(now);
    }
}
BENCHMARK(BM_PlantSecondAllTypes);

}  // namespace

BENCHMARK_MAIN();
