// The live chart's minute refresh: 20 channels reloaded for the last day, each with a day of
// one-minute rows (1,440 points), from a live store that holds a week of them per value.
// Also the repaint that follows, and the first build of the channels.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QImage>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/Kanal.h"
#include "app/PointSeries.h"
#include "app/LiveChart.h"
#include "db/DataModule.h"
#include "db/DayTime.h"
#include "db/DbError.h"
#include "db/DbInit.h"
#include "db/Schema.h"
#include "QtBenchMain.h"

using namespace tarvo;

namespace {

constexpr int kChannels = 20;
constexpr int kDayMinutes = 1440;

QString WeekDatabase()
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    path = dir.filePath(QStringLiteral("Dudured.ido"));
    dbinit::CreateDatabase(path, true, true);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(schema::Driver, QStringLiteral("bench-build"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("BEGIN"));
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral(
            "INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) VALUES (?, ?, ?, 0, 0)"));
        const double now = DaysNow();
        for (int v = 1; v <= kChannels; ++v) {
            for (int k = schema::LiveDays * kDayMinutes - 1; k >= 0; --k) {
                insert.addBindValue(v);
                insert.addBindValue(now - k / double(kDayMinutes));
                insert.addBindValue(20.0 + v + (k % 600) / 10.0);
                if (!insert.exec())
                    throw DbError(insert.lastError().text());
            }
        }
        q.exec(QStringLiteral("COMMIT"));
        insert = QSqlQuery();
        q = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-build"));
    return path;
}

// The "Dijagram" tab with its channels, as the network build leaves it.
struct LiveTab {
    TDModule db;
    QObject owner;
    TLiveChart chart;
    std::vector<std::unique_ptr<TKanal>> channels;

    LiveTab()
    {
        db.Connect(WeekDatabase());
        chart.resize(1200, 700);
        chart.show();
        QApplication::processEvents();
    }
    void Build()
    {
        const QDateTime now = QDateTime::currentDateTime();
        for (int v = 1; v <= kChannels; ++v)
            channels.push_back(std::make_unique<TKanal>(&owner, QStringLiteral("Dnevni"), ChartColor(0x3060C0),
                                                        QStringLiteral("Value %1").arg(v), now.addDays(-1), now, v,
                                                        chart.Chart(), QStringLiteral("SelectMerenja"),
                                                        db.ADOConnection1));
        chart.ShowWindow(now.addDays(-1), now);
    }
    std::vector<TKanal*> All() const
    {
        std::vector<TKanal*> all;
        for (const auto& k : channels)
            all.push_back(k.get());
        return all;
    }
    int Points() const
    {
        int n = 0;
        for (const auto& k : channels)
            n += int(k->Series()->Points().size());
        return n;
    }
};

// The minute refresh: every channel reloaded for [now - 1 day, now], axes fitted.
void BM_ReloadLiveChannels(benchmark::State& state)
{
    LiveTab tab;
    tab.Build();
    const std::vector<TKanal*> all = tab.All();
    for (auto _ : state)
        tab.chart.ReloadChannels(all);
    state.counters["points"] = tab.Points();
    if (tab.Points() < kChannels * (kDayMinutes - 1))
        state.SkipWithError("points are missing");
}
BENCHMARK(BM_ReloadLiveChannels)->Unit(benchmark::kMillisecond);

// The refresh with what the chart does after it: the next pass of the event loop and one
// repaint.
void BM_ReloadAndPaint(benchmark::State& state)
{
    LiveTab tab;
    tab.Build();
    const std::vector<TKanal*> all = tab.All();
    QImage image(tab.chart.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        tab.chart.ReloadChannels(all);
        QApplication::processEvents();
        QPainter painter(&image);
        tab.chart.render(&painter);
    }
}
BENCHMARK(BM_ReloadAndPaint)->Unit(benchmark::kMillisecond);

// One repaint of the 28,800 points alone.
void BM_Paint(benchmark::State& state)
{
    LiveTab tab;
    tab.Build();
    QApplication::processEvents();
    QImage image(tab.chart.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        tab.chart.render(&painter);
    }
}
BENCHMARK(BM_Paint)->Unit(benchmark::kMillisecond);

// The network build's part: creating the 20 channels, until the chart has placed their points.
void BM_BuildLiveChannels(benchmark::State& state)
{
    LiveTab tab;
    for (auto _ : state) {
        tab.Build();
        QApplication::processEvents();
        state.PauseTiming();
        tab.channels.clear();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildLiveChannels)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return tarvo::bench::RunQtBenchmarks(argc, argv); }
