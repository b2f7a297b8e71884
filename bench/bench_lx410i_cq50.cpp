// Cost of the LX410i and CQ50 display ticks: one ShowValues of an Online panel with an alarm
// label taking turns; the CQ50 steps every tick over all eight inputs, two of them in alarm.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>
#include <string>

#include "devices/CQ50.h"
#include "devices/LX410i.h"
#include "QtBenchMain.h"

using namespace tarvo;

namespace {

void Set(DeviceCore& d, const std::string& mnemonic, const std::string& text, float value)
{
    const auto i = static_cast<size_t>(d.IndexOf(mnemonic));
    d.ValueTexts[i] = text;
    d.Values[i] = value;
}

void LX410iShowValues(benchmark::State& state)
{
    auto d = std::make_unique<TLX410i>(nullptr, 1, 1);
    d->State = DeviceCore::StateOnline;
    Set(*d, "SW", ">8200", 0);
    Set(*d, "PV", "23.4", 23.4f);
    for (auto _ : state)
        d->ShowValues();
}
BENCHMARK(LX410iShowValues)->Unit(benchmark::kMicrosecond);

void CQ50ShowValues(benchmark::State& state)
{
    auto d = std::make_unique<TCQ50>(nullptr, 1, 1);
    d->State = DeviceCore::StateOnline;
    Set(*d, "SW", ">4010", 0);
    Set(*d, "IN", "8", 8);
    Set(*d, "PP", "1", 1);
    for (int n = 1; n <= 8; ++n) {
        Set(*d, std::to_string(n) + "PV", std::to_string(20 + n) + ".5", 20.5f + n);
        Set(*d, std::to_string(n) + "AC", n == 3 ? ">0030" : n == 7 ? ">0010" : ">0000", 0);
    }
    for (auto _ : state)
        d->ShowValues();
}
BENCHMARK(CQ50ShowValues)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return tarvo::bench::RunQtBenchmarks(argc, argv); }
