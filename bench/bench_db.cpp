// Measurement database figures: one write pass of 1,000 rows; a year of one value from the
// archive of ten such values; Arhiviraj with a year of history against an empty database.
//
// The year database (10 values x 525,600 one-minute rows in the archive, the last week of
// them still in the live store) is built once per run in a temporary folder.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "db/DataModule.h"
#include "db/DayTime.h"
#include "db/DbError.h"
#include "db/DbInit.h"
#include "db/Schema.h"

using namespace tarvo;

namespace {

constexpr int kValues = 10;
constexpr int kYearMinutes = 525600;
constexpr int kLiveMinutes = 7 * 1440;

QTemporaryDir& Dir()
{
    static QTemporaryDir dir;
    return dir;
}

QString NewDatabase(const QString& name)
{
    const QString path = Dir().filePath(name);
    dbinit::CreateDatabase(path, true, true);
    return path;
}

void Check(QSqlQuery& q, bool ok)
{
    if (!ok)
        throw DbError(q.lastError().text());
}

// Fills the archive with a year of one-minute rows for values 1-10 up to now, and the live
// store with the last week of them, as a year of running leaves it.
QString YearDatabase()
{
    static QString path;
    if (!path.isEmpty())
        return path;
    path = NewDatabase(QStringLiteral("year.ido"));
    std::fprintf(stderr, "building a year of history...\n");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(schema::Driver, QStringLiteral("bench-build"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        Check(q, q.exec(QStringLiteral("BEGIN")));
        QSqlQuery archive(db), live(db);
        Check(archive, archive.prepare(QStringLiteral(
            "INSERT INTO ArhivaMerenja (ID_Value, Vreme, ID, Vrednost, Status) VALUES (?, ?, ?, ?, 0)")));
        Check(live, live.prepare(QStringLiteral(
            "INSERT INTO Merenja (ID, ID_Value, Vreme, Vrednost, Status, Privremen) VALUES (?, ?, ?, ?, 0, 0)")));
        const double now = DaysNow();
        for (int v = 1; v <= kValues; ++v) {
            for (int k = kYearMinutes - 1; k >= 0; --k) {
                const qint64 id = qint64(kYearMinutes - k) * kValues + v;
                const double when = now - k / 1440.0;
                const double value = 20.0 + (k % 600) / 10.0;
                archive.addBindValue(v);
                archive.addBindValue(when);
                archive.addBindValue(id);
                archive.addBindValue(value);
                Check(archive, archive.exec());
                if (k < kLiveMinutes) {
                    live.addBindValue(id);
                    live.addBindValue(v);
                    live.addBindValue(when);
                    live.addBindValue(value);
                    Check(live, live.exec());
                }
            }
        }
        Check(q, q.exec(QStringLiteral("UPDATE ArhivaStanje SET Poslednji = (SELECT MAX(ID) FROM Merenja)")));
        Check(q, q.exec(QStringLiteral("COMMIT")));
        archive = QSqlQuery();
        live = QSqlQuery();
        q = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-build"));
    return path;
}

void Insert(TDModule& db, int idValue, double value, bool temporary)
{
    TStoredQuery& q = db.ADOStoredProc_InsertMerenje;
    q.SetParam(QStringLiteral("id_value"), idValue);
    q.SetParam(QStringLiteral("value"), value);
    q.SetParam(QStringLiteral("status"), 0);
    q.SetParam(QStringLiteral("privremen"), temporary);
    q.ExecSQL();
}

void WritePass(TDModule& db, bool permanent)
{
    TWritePass pass(db);
    if (permanent) {
        db.ADOArhiviraj.ExecSQL();
        db.ADODeletePrivremene.ExecSQL();
    }
    for (int i = 0; i < 1000; ++i)
        Insert(db, 1 + i % kValues, i * 0.1, !permanent);
    pass.Commit();
}

// One write pass of 1,000 recorded values (temporary rows, as every minute).
void BM_WritePass1000(benchmark::State& state)
{
    TDModule db;
    db.Connect(NewDatabase(QStringLiteral("pass.ido")));
    for (auto _ : state)
        WritePass(db, false);
}
BENCHMARK(BM_WritePass1000)->Unit(benchmark::kMillisecond);

// SelectArhivaMerenja of one value over one year (525,600 rows) among ten such values.
void BM_SelectArhivaYear(benchmark::State& state)
{
    TDModule db;
    db.Connect(YearDatabase());
    TStoredQuery q(db.ADOConnection1, QStringLiteral("report"), QStringLiteral("SelectArhivaMerenja"));
    const double now = DaysNow();
    for (auto _ : state) {
        q.Close();
        q.SetParam(QStringLiteral("id_value"), 5);
        q.SetParam(QStringLiteral("start"), now - 366);
        q.SetParam(QStringLiteral("end"), now + 1);
        q.Open();
        if (q.RecordCount() < kYearMinutes)
            state.SkipWithError("rows are missing");
    }
    state.counters["rows"] = q.RecordCount();
}
BENCHMARK(BM_SelectArhivaYear)->Unit(benchmark::kMillisecond);

// The permanent pass: Arhiviraj, DeletePrivremene and 1,000 rows, on a year of history.
void BM_PermanentPassYear(benchmark::State& state)
{
    TDModule db;
    db.Connect(YearDatabase());
    for (auto _ : state)
        WritePass(db, true);
}
BENCHMARK(BM_PermanentPassYear)->Unit(benchmark::kMillisecond);

// Arhiviraj after one pass of ten permanent rows: on an empty database (0) and on a year of
// history (1).
void BM_Arhiviraj(benchmark::State& state)
{
    TDModule db;
    db.Connect(state.range(0) ? YearDatabase() : NewDatabase(QStringLiteral("empty.ido")));
    for (auto _ : state) {
        state.PauseTiming();
        {
            TWritePass pass(db);
            for (int v = 1; v <= kValues; ++v)
                Insert(db, v, v, false);
            pass.Commit();
        }
        state.ResumeTiming();
        db.ADOArhiviraj.ExecSQL();
    }
}
BENCHMARK(BM_Arhiviraj)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    try {
        benchmark::RunSpecifiedBenchmarks();
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
