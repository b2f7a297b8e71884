// Cost of the display tick on the front-plate widgets: setting unchanged and changed texts,
// switching lamps, and painting one read-out.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <memory>
#include <string>
#include <vector>

#include "devices/Display.h"
#include "devices/ODioda.h"
#include "QtBenchMain.h"

using namespace tarvo;

namespace {

// 100 panels of two read-outs and three lamps, as a large network has.
struct Network {
    QWidget host;
    std::vector<TDisplay*> displays;
    std::vector<TOutDioda*> lamps;
    Network()
    {
        for (int i = 0; i < 200; ++i)
            displays.push_back(new TDisplay(&host));
        for (int i = 0; i < 300; ++i)
            lamps.push_back(new TOutDioda(&host));
    }
};

void TickUnchanged(benchmark::State& state)
{
    Network net;
    for (auto _ : state) {
        for (TDisplay* d : net.displays)
            d->SetText("23.4");
        for (TOutDioda* l : net.lamps)
            l->SwitchOn();
    }
}
BENCHMARK(TickUnchanged)->Unit(benchmark::kMicrosecond);

void TickChanged(benchmark::State& state)
{
    Network net;
    const std::string texts[2] = {"23.4", "5nbr"};
    int k = 0;
    for (auto _ : state) {
        k ^= 1;
        for (TDisplay* d : net.displays)
            d->SetText(texts[k]);
        for (TOutDioda* l : net.lamps)
            l->Switch(k);
    }
}
BENCHMARK(TickChanged)->Unit(benchmark::kMicrosecond);

void PaintOne(benchmark::State& state)
{
    TDisplay d(nullptr);
    d.SetKind(state.range(0) ? IndicatorKind::DotMatrix : IndicatorKind::SevenSegment);
    d.SetText("8.8.8.8.");
    QImage target(d.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        d.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(PaintOne)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return tarvo::bench::RunQtBenchmarks(argc, argv); }
