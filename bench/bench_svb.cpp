// Cost of the SVB16 display tick: one ShowValues of an Online panel whose sixteen channel
// values change every tick, with a broken sensor and two channels switched off.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>
#include <string>

#include "devices/SVB.h"
#include "QtBenchMain.h"

using namespace tarvo;

namespace {

void ShowValuesSixteenChannels(benchmark::State& state)
{
    auto d = std::make_unique<TSVB16>(nullptr, 1, 1);
    d->State = DeviceCore::StateOnline;
    d->ValueTexts[static_cast<size_t>(d->IndexOf("SW"))] = ">0000";
    d->ValueTexts[static_cast<size_t>(d->IndexOf("SI"))] = ">0004";
    d->ValueTexts[static_cast<size_t>(d->IndexOf("SS"))] = ">0201";
    const std::string values[2][16] = {
        {"20.1", "21.1", "22.1", "23.1", "24.1", "25.1", "26.1", "27.1", "28.1", "29.1", "30.1", "31.1", "32.1", "33.1",
         "34.1", "35.1"},
        {"20.2", "21.2", "22.2", "23.2", "24.2", "25.2", "26.2", "27.2", "28.2", "29.2", "30.2", "31.2", "32.2", "33.2",
         "34.2", "35.2"}};
    int tick = 0;
    for (auto _ : state) {
        const auto& now = values[tick++ & 1];
        for (int c = 0; c < 16; ++c)
            d->ValueTexts[static_cast<size_t>(TChannelScanner::FirstValueRow + c)] = now[c];
        d->ShowValues();
    }
}
BENCHMARK(ShowValuesSixteenChannels)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return tarvo::bench::RunQtBenchmarks(argc, argv); }
