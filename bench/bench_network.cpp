// The main window's network at size: BuildNetwork of 100 devices (ten groups of ten, every
// type, four recorded values each); one polling tick and one display tick over the 100 panels
// with every reply on hand; one temporary write pass of the 400 recorded values; the minute
// refresh of 20 live channels of a day's 1,440 points each, through the main window; and the
// resident memory of the process with the 100 panels built (live channels empty, or each with a
// day of points, the chart hidden or shown).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

#include "app/Main.h"
#include "db/DataModule.h"
#include "db/DayTime.h"
#include "db/DbError.h"
#include "db/DbInit.h"
#include "db/Schema.h"
#include "devices/DeviceType.h"
#include "link/Bus.h"
#include "QtBenchMain.h"

using namespace tarvo;

namespace {

class BenchForm : public TForm1 {
public:
    using TForm1::TForm1;
    using TForm1::TimerObradeTimer;
    using TForm1::TimerPrikazaTimer;
    using TForm1::TimerRefreshTimer;
    void StopTimers()
    {
        for (QTimer* t : {TimerObrade, TimerPrikaza, TimerUpisa, TimerRefresh})
            t->stop();
    }
};

void Exec(QSqlQuery& q)
{
    if (!q.exec())
        throw DbError(q.lastError().text());
}

// A database of `devices` devices in groups of ten, types in turn, each with four recorded
// values; with `dayRows`, a day of one-minute rows for every value.
QString MakeDatabase(const QString& dir, int devices, bool dayRows)
{
    const QString path = dir + QStringLiteral("/Dudured.ido");
    dbinit::CreateDatabase(path, false, true);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(schema::Driver, QStringLiteral("bench-network"));
        db.setDatabaseName(path);
        if (!db.open())
            throw DbError(db.lastError().text());
        QSqlQuery q(db);
        q.exec(QStringLiteral("BEGIN"));
        for (int g = 0; g < (devices + 9) / 10; ++g) {
            q.prepare(QStringLiteral("INSERT INTO Grupe (ID_Grupe, Naziv, Adresa, Top, \"Left\") VALUES (?, ?, ?, 0, 0)"));
            q.addBindValue(g + 1);
            q.addBindValue(QStringLiteral("Grupa %1").arg(g + 1));
            q.addBindValue(g);
            Exec(q);
        }
        const double now = DaysNow();
        int value = 0;
        for (int d = 0; d < devices; ++d) {
            const int type = d % 13;
            q.prepare(QStringLiteral("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (?, ?, ?, ?)"));
            q.addBindValue(type);
            q.addBindValue(d / 10 + 1);
            q.addBindValue(d % 10);
            q.addBindValue(QStringLiteral("Uredjaj %1").arg(d + 1));
            Exec(q);
            // Four parameters of the type other than "II", the status word only when too few.
            q.prepare(QStringLiteral("SELECT d.ParamID FROM DeviceParameters d JOIN Parametri p ON p.ID_Parametra = "
                                     "d.ParamID WHERE d.DeviceID = ? AND p.Mnemonik <> 'II' "
                                     "ORDER BY p.Mnemonik = 'SW', d.DevicePrm_ID LIMIT 4"));
            q.addBindValue(type);
            Exec(q);
            QList<int> params;
            while (q.next())
                params << q.value(0).toInt();
            for (int p : params) {
                QSqlQuery v(db);
                v.prepare(QStringLiteral("INSERT INTO Vrednosti_Test (ID_Uredjaja, ID_Parametra, Triger, Naziv, Boja) "
                                         "VALUES (?, ?, 0, ?, ?)"));
                v.addBindValue(d + 1);
                v.addBindValue(p);
                v.addBindValue(QStringLiteral("Vrednost %1").arg(++value));
                v.addBindValue(value % 16 + 1);
                Exec(v);
                if (!dayRows)
                    continue;
                QSqlQuery row(db);
                row.prepare(QStringLiteral("INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) "
                                           "VALUES (?, ?, ?, 0, 0)"));
                for (int k = 1440; k >= 1; --k) {
                    row.addBindValue(value);
                    row.addBindValue(now - k / 1440.0);
                    row.addBindValue(20.0 + value + (k % 300) / 10.0);
                    Exec(row);
                }
            }
        }
        q.exec(QStringLiteral("COMMIT"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-network"));
    return path;
}

// The main window on a database, timers stopped.
struct Fixture {
    explicit Fixture(int devices, bool dayRows = false)
        : settings(Settings::AtFile(dir.path() + QStringLiteral("/settings.ini")))
    {
        path = MakeDatabase(dir.path(), devices, dayRows);
        dm.Connect(path);
        form = std::make_unique<BenchForm>(dm, settings);
        form->StopTimers();
    }
    ~Fixture()
    {
        form.reset();
        dm.Disconnect();
    }
    // Every panel Online with a status word and a value for each of its parameters.
    void AllOnline()
    {
        for (TDeviceType* d : form->DeviceList) {
            d->State = DeviceCore::StateOnline;
            d->PendingReads.clear();
            d->ValueTexts[1] = ">0000";
            for (int i = 2; i < d->ParamCount(); ++i)
                d->ValueByMnemonic[d->GetParamDesc(i).Mnemonic] = 21.5f;
        }
        Bus().Clear();
    }

    QTemporaryDir dir;
    QString path;
    Settings settings;
    TDModule dm;
    std::unique_ptr<BenchForm> form;
};

// A believable reply to every read a panel waits for, filed as the communication thread would.
void FileReplies(const std::vector<TDeviceType*>& panels)
{
    for (TDeviceType* d : panels) {
        for (const Bytes& entry : d->PendingReads) {
            const Bytes request(entry.begin(), entry.end() - 1);
            const ParamDesc& desc = d->GetParamDesc(entry.back());
            const char* text = desc.ValueKind == KindHexWord ? ">0000" : desc.HasChoices() ? "0" : "21.5";
            Bus().File(request, BuildDataReply(desc.Mnemonic, text));
        }
    }
}

long ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return 0;
}

void BM_BuildNetwork100(benchmark::State& state)
{
    Fixture f(100);
    size_t panels = 0, channels = 0;
    for (auto _ : state) {
        f.form->BuildNetwork();
        state.PauseTiming();
        panels = f.form->DeviceList.size();
        channels = f.form->LiveChannels.size();
        f.form->DestroyNetwork();
        state.ResumeTiming();
    }
    state.counters["panels"] = static_cast<double>(panels);
    state.counters["channels"] = static_cast<double>(channels);
}
BENCHMARK(BM_BuildNetwork100)->Unit(benchmark::kMillisecond)->Iterations(10);

// Ticks alternate between a pass that takes every reply and one that queues the next reads.
void BM_PollingTick100(benchmark::State& state)
{
    Fixture f(100);
    f.form->BuildNetwork();
    f.AllOnline();
    for (auto _ : state) {
        state.PauseTiming();
        FileReplies(f.form->DeviceList);
        state.ResumeTiming();
        f.form->TimerObradeTimer();
        state.PauseTiming();
        Bus().Clear();  // nobody sends the requests here
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PollingTick100)->Unit(benchmark::kMillisecond);

void BM_DisplayTick100(benchmark::State& state)
{
    Fixture f(100);
    f.form->BuildNetwork();
    f.AllOnline();
    for (auto _ : state)
        f.form->TimerPrikazaTimer();
}
BENCHMARK(BM_DisplayTick100)->Unit(benchmark::kMillisecond);

// The write pass alone: the live channels are set aside so the tick reloads none.
void BM_TemporaryWritePass100x4(benchmark::State& state)
{
    Fixture f(100);
    f.form->BuildNetwork();
    f.AllOnline();
    std::vector<TKanal*> channels;
    channels.swap(f.form->LiveChannels);
    for (auto _ : state)
        f.form->TimerRefreshTimer();
    state.counters["rows"] = static_cast<double>(channels.size());
    channels.swap(f.form->LiveChannels);
}
BENCHMARK(BM_TemporaryWritePass100x4)->Unit(benchmark::kMillisecond);

// The minute refresh in off-line mode: only the reload of the channels.
void BM_RefreshLiveChannels20x1440(benchmark::State& state)
{
    Fixture f(5, true);
    f.form->BuildNetwork();
    f.settings.online = false;
    for (auto _ : state)
        f.form->TimerRefreshTimer();
    state.counters["channels"] = static_cast<double>(f.form->LiveChannels.size());
}
BENCHMARK(BM_RefreshLiveChannels20x1440)->Unit(benchmark::kMillisecond);

// Arg 1: every channel holds a day of one-minute rows (400 x 1,440 points on the chart); arg 2:
// the same with the "Dijagram" tab in front, so that the chart is painted.
void BM_ResidentMemory100(benchmark::State& state)
{
    Fixture f(100, state.range(0) != 0);
    if (state.range(0) == 2)
        f.form->PageControl->setCurrentWidget(f.form->TabSheetDijagram);
    f.form->show();  // the first show builds the network
    f.AllOnline();
    for (auto _ : state) {
        f.form->TimerPrikazaTimer();
        QCoreApplication::processEvents();
    }
    state.counters["RSS_MB"] = static_cast<double>(ResidentKb()) / 1024.0;
}
BENCHMARK(BM_ResidentMemory100)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) { return tarvo::bench::RunQtBenchmarks(argc, argv); }
