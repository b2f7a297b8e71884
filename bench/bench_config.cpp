// The configuration tab and the network update at size (100 devices in ten groups, one
// recorded value each): opening the three grids, moving the device grid's cursor (the value
// grid follows with the device's parameters), checking and writing one device row, and the
// network update through the main window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

#include "app/ConfigTab.h"
#include "app/Main.h"
#include "db/DataModule.h"
#include "db/DbError.h"
#include "db/DbInit.h"
#include "db/Schema.h"
#include "QtBenchMain.h"

using namespace tarvo;

namespace {

void Run(QSqlQuery& q, const QString& sql, const QVariantList& values = {})
{
    if (!q.prepare(sql))
        throw DbError(q.lastError().text());
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw DbError(q.lastError().text());
}

// Groups of ten devices, types in turn, each recording its type's first parameter after "II".
QString MakeDatabase(const QString& dir, int devices)
{
    const QString path = dir + QStringLiteral("/Dudured.ido");
    dbinit::CreateDatabase(path, false, true);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(schema::Driver, QStringLiteral("bench-config"));
        db.setDatabaseName(path);
        if (!db.open())
            throw DbError(db.lastError().text());
        QSqlQuery q(db);
        Run(q, QStringLiteral("BEGIN"));
        for (int g = 0; g < (devices + 9) / 10; ++g)
            Run(q, QStringLiteral("INSERT INTO Grupe (ID_Grupe, Naziv, Adresa) VALUES (?, ?, ?)"),
                {g + 1, QStringLiteral("Grupa %1").arg(g + 1), g});
        for (int d = 0; d < devices; ++d) {
            Run(q, QStringLiteral("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (?, ?, ?, ?)"),
                {d % 13, d / 10 + 1, d % 10, QStringLiteral("Uredjaj %1").arg(d + 1)});
            Run(q, QStringLiteral("INSERT INTO Vrednosti_Test (ID_Uredjaja, ID_Parametra, Triger, Naziv, Boja) "
                                  "SELECT ?, d.ParamID, 0, ?, ? FROM DeviceParameters d JOIN Parametri p "
                                  "ON p.ID_Parametra = d.ParamID WHERE d.DeviceID = ? AND p.Mnemonik <> 'II' "
                                  "ORDER BY d.DevicePrm_ID LIMIT 1"),
                {d + 1, QStringLiteral("Vrednost %1").arg(d + 1), d % 16 + 1, d % 13});
        }
        Run(q, QStringLiteral("COMMIT"));
        q = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-config"));
    return path;
}

struct Fixture {
    explicit Fixture(int devices) : settings(Settings::AtFile(dir.path() + QStringLiteral("/settings.ini")))
    {
        dm.Connect(MakeDatabase(dir.path(), devices));
    }
    ~Fixture()
    {
        form.reset();
        dm.Disconnect();
    }
    TForm1& Form()
    {
        form = std::make_unique<TForm1>(dm, settings);
        for (QTimer* t : {form->TimerObrade, form->TimerPrikaza, form->TimerUpisa, form->TimerRefresh})
            t->stop();
        form->ConfigTab->Open();
        form->ConfigTab->SetEditable(true);
        return *form;
    }

    QTemporaryDir dir;
    Settings settings;
    TDModule dm;
    std::unique_ptr<TForm1> form;
};

void BM_ConfigTabOpen100(benchmark::State& state)
{
    Fixture f(100);
    for (auto _ : state) {
        TConfigTab tab(f.dm);
        tab.Open();
        benchmark::DoNotOptimize(tab.Devices->Model()->rowCount());
    }
}
BENCHMARK(BM_ConfigTabOpen100)->Unit(benchmark::kMillisecond);

// The cursor goes to another device: the value grid shows its values and its type's parameters.
void BM_DeviceRowChange100(benchmark::State& state)
{
    Fixture f(100);
    TConfigTab& tab = *f.Form().ConfigTab;
    int row = 0;
    for (auto _ : state) {
        row = (row + 37) % 100;
        tab.Devices->SetCurrentRow(row);
    }
    state.counters["parameters"] = static_cast<double>(tab.Values->Parameters().size());
}
BENCHMARK(BM_DeviceRowChange100)->Unit(benchmark::kMillisecond);

// One device row checked (group, type, bus address) and written.
void BM_PostDeviceRow100(benchmark::State& state)
{
    Fixture f(100);
    TGridFrame& devices = *f.Form().ConfigTab->Devices;
    devices.SetCurrentRow(50);
    const QModelIndex name = devices.Model()->index(50, devices.Model()->Column(QStringLiteral("Naziv")));
    int n = 0;
    for (auto _ : state) {
        devices.Model()->setData(name, QStringLiteral("Uredjaj %1").arg(++n));
        if (!devices.Post())
            state.SkipWithError("refused");
    }
}
BENCHMARK(BM_PostDeviceRow100)->Unit(benchmark::kMillisecond);

// "Azuriraj mrezu": every channel, panel and page destroyed and built again.
void BM_NetworkUpdate100(benchmark::State& state)
{
    Fixture f(100);
    TForm1& form = f.Form();
    form.BuildNetwork();
    for (auto _ : state)
        form.Azurirajmrezu1Click();
    state.counters["panels"] = static_cast<double>(form.DeviceList.size());
    state.counters["channels"] = static_cast<double>(form.LiveChannels.size());
}
BENCHMARK(BM_NetworkUpdate100)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) { return tarvo::bench::RunQtBenchmarks(argc, argv); }
