// Cost of the FP320 display tick: one ShowValues of an Online panel with a program running,
// while an alarm label takes turns with the segment time.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

#include "devices/FP320.h"
#include "QtBenchMain.h"

using namespace tarvo;

namespace {

void Set(TFP320& d, const char* mnemonic, const char* text, float value)
{
    const auto i = static_cast<size_t>(d.IndexOf(mnemonic));
    d.ValueTexts[i] = text;
    d.Values[i] = value;
}

void ShowValuesRunning(benchmark::State& state)
{
    auto d = std::make_unique<TFP320>(nullptr, 1, 1);
    d->State = DeviceCore::StateOnline;
    Set(*d, "SW", ">C400", 0);
    Set(*d, "PR", ">0131", 0);
    Set(*d, "PC", "1", 1);
    Set(*d, "TE", "20", 20);
    Set(*d, "SP", "26.0", 26);
    Set(*d, "PI", "101", 101);
    for (auto _ : state)
        d->ShowValues();
}
BENCHMARK(ShowValuesRunning)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return tarvo::bench::RunQtBenchmarks(argc, argv); }
