// Photographs the main window's "Konfiguracija" tab, unlocked, on a fresh demo database: the
// group, device and value grids with their titles and lookup texts.
//   tarvo-configshot [--device NAME] OUTPUT.png
// Run under xvfb-run (or with QT_QPA_PLATFORM=offscreen).
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

#include "app/ConfigTab.h"
#include "app/Main.h"
#include "db/DataModule.h"
#include "db/DbInit.h"
#include "dialogs/Strings.h"

using namespace tarvo;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString device = QStringLiteral("Klima komora");
    QString output;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--device") && i + 1 < args.size())
            device = args[++i];
        else
            output = args[i];
    }
    if (output.isEmpty()) {
        std::fprintf(stderr, "usage: tarvo-configshot [--device NAME] OUTPUT.png\n");
        return 2;
    }
    output = QFileInfo(output).absoluteFilePath();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dudured.ido"));
    dbinit::CreateDatabase(path, true, false);
    QDir::setCurrent(dir.path());

    TDModule dm;
    dm.Connect(path);
    Settings settings = Settings::AtFile(dir.filePath(QStringLiteral("settings.ini")));
    settings.online = false;  // no bus: only the configuration is shown
    TForm1 form(dm, settings);
    form.resize(1000, 760);
    form.ConfigTab->Open();
    form.ConfigTab->SetEditable(true);
    TDeviceFrame* devices = form.ConfigTab->Devices;
    for (int row = 0; row < devices->Model()->rowCount(); ++row) {
        if (devices->Model()->Value(row, QStringLiteral("Naziv")).toString() == device)
            devices->SetCurrentRow(row);
    }
    form.show();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();

    if (!form.grab().save(output, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("%s\n", qPrintable(output));
    return 0;
}
