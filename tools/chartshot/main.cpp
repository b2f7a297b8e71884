// Photographs the main window's "Dijagram" tab on the demo database after giving every recorded
// value a day of rows, one every N minutes (default 1), with values wandering around a level of
// its own; optionally prints the chart into a PDF file as the print menu does. Prints the
// resident memory when done.
//   tarvo-chartshot [--every N] [--pdf FILE.pdf] OUTPUT.png
// Run under xvfb-run (or with QT_QPA_PLATFORM=offscreen).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/LiveChart.h"
#include "app/Main.h"
#include "db/DataModule.h"
#include "db/DayTime.h"
#include "db/DbError.h"
#include "db/DbInit.h"
#include "db/Schema.h"

using namespace tarvo;

namespace {

void Exec(QSqlQuery& q)
{
    if (!q.exec())
        throw DbError(q.lastError().text());
}

// A day of rows `every` minutes apart, up to now, for every recorded value.
void FillDay(const QString& path, int every)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(schema::Driver, QStringLiteral("chartshot"));
        db.setDatabaseName(path);
        if (!db.open())
            throw DbError(db.lastError().text());
        QSqlQuery values(db);
        values.prepare(QStringLiteral("SELECT ID_Value FROM Vrednosti_Test ORDER BY ID_Value"));
        Exec(values);
        QList<int> ids;
        while (values.next())
            ids << values.value(0).toInt();
        QSqlQuery q(db);
        q.exec(QStringLiteral("BEGIN"));
        q.prepare(QStringLiteral("INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) "
                                 "VALUES (?, ?, ?, 0, 0)"));
        const double now = DaysNow();
        for (int i = 0; i < ids.size(); ++i) {
            for (int k = 1440; k >= 1; k -= every) {
                q.addBindValue(ids[i]);
                q.addBindValue(now - k / 1440.0);
                q.addBindValue(20.0 + 6.0 * i + 3.0 * std::sin(k / 180.0 + i));
                Exec(q);
            }
        }
        q.exec(QStringLiteral("COMMIT"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("chartshot"));
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

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString output;
    QString pdf;
    int every = 1;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--every") && i + 1 < args.size())
            every = std::max(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--pdf") && i + 1 < args.size())
            pdf = QFileInfo(args[++i]).absoluteFilePath();
        else
            output = QFileInfo(args[i]).absoluteFilePath();
    }
    if (output.isEmpty()) {
        std::fprintf(stderr, "usage: tarvo-chartshot [--every N] [--pdf FILE.pdf] OUTPUT.png\n");
        return 2;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dudured.ido"));
    try {
        dbinit::CreateDatabase(path, true, false);
        FillDay(path, every);
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Text()));
        return 1;
    }
    QDir::setCurrent(dir.path());

    TDModule dm;
    dm.Connect(path);
    Settings settings = Settings::AtFile(dir.filePath(QStringLiteral("settings.ini")));
    TForm1 form(dm, settings);  // not started: no serial port, the panels stay off line
    form.resize(1000, 700);
    form.PageControl->setCurrentWidget(form.TabSheetDijagram);
    form.show();  // the first show builds the network with its live channels
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();

    if (!form.grab().save(output, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    if (!pdf.isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageOrientation(QPageLayout::Landscape);
        form.LiveChart->Print(printer);
    }
    std::printf("%zu channels, resident %ld MB\n", form.LiveChannels.size(), ResidentKb() / 1024);
    return 0;
}
