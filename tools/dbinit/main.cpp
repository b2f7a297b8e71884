// tarvo-dbinit: makes a new measurement database, or prints the simulated bus arguments of one.
//
//   tarvo-dbinit FILE [--demo] [--force]   new database (with the demo network); an existing
//                                          FILE is replaced only with --force
//   tarvo-dbinit FILE --sim-args           "FP320@11 KV710@12 ..." for tarvo-sim
//   tarvo-dbinit FILE --seed-hours N       a plausible history of every recorded value: one
//                                          row a minute over the last N hours (for demos)
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "db/DbError.h"
#include "db/DbInit.h"

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: tarvo-dbinit FILE [--demo] [--force]\n"
                 "       tarvo-dbinit FILE --sim-args\n"
                 "       tarvo-dbinit FILE --seed-hours N\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString file;
    bool demo = false, force = false, simArgs = false;
    int seedHours = 0;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--seed-hours")) {
            bool ok = false;
            seedHours = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
            if (!ok || seedHours < 1 || seedHours > 24 * 366)
                return Usage();
        } else if (a == QLatin1String("--demo"))
            demo = true;
        else if (a == QLatin1String("--force"))
            force = true;
        else if (a == QLatin1String("--sim-args"))
            simArgs = true;
        else if (a.startsWith(QLatin1String("-")) || !file.isEmpty())
            return Usage();
        else
            file = a;
    }
    if (file.isEmpty() || (simArgs && (demo || force)) || (seedHours && (simArgs || demo || force)))
        return Usage();

    try {
        if (seedHours) {
            const int rows = tarvo::dbinit::SeedHistory(file, seedHours);
            std::printf("%s: %d history rows\n", file.toLocal8Bit().constData(), rows);
        } else if (simArgs) {
            std::printf("%s\n", tarvo::dbinit::SimArgs(file).toLocal8Bit().constData());
        } else {
            tarvo::dbinit::CreateDatabase(file, demo, force);
            std::printf("%s: new database%s\n", file.toLocal8Bit().constData(), demo ? " with the demo network" : "");
        }
    } catch (const tarvo::DbError& e) {
        std::fprintf(stderr, "tarvo-dbinit: %s\n", e.what());
        return 1;
    }
    return 0;
}
