// tarvo-setport: points an installation's port settings at a port, as the options dialog
// would. An installation is named by the folder that holds its program file.
//
//   tarvo-setport FOLDER PORT BAUD-INDEX
//
// FOLDER: the installation folder (its last component names the settings); PORT: "COMn", a
// device name or a path (such as the pseudo-terminal of tarvo-sim); BAUD-INDEX: 0..7.
// The other settings of the installation are kept.
#include <QCoreApplication>
#include <cstdio>

#include "app/Settings.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool ok = false;
    const int baud = args.size() == 3 ? args[2].toInt(&ok) : -1;
    if (!ok || baud < 0 || baud > 7 || args[1].isEmpty()) {
        std::fprintf(stderr, "usage: tarvo-setport FOLDER PORT BAUD-INDEX (0..7)\n");
        return 2;
    }
    try {
        tarvo::Settings settings(tarvo::Settings::kOrganisation, tarvo::InstallFolderName(args[0]));
        settings.ReadOnline();
        settings.ReadLink();
        settings.commPort = args[1];
        settings.baudRate = baud;
        if (!settings.SaveOptions()) {
            std::fprintf(stderr, "tarvo-setport: %s\n", settings.ErrorText().toLocal8Bit().constData());
            return 1;
        }
        std::printf("%s: CommPort=%s BaudRate=%d\n", settings.FileName().toLocal8Bit().constData(),
                    args[1].toLocal8Bit().constData(), baud);
    } catch (const tarvo::SettingsError& e) {
        std::fprintf(stderr, "tarvo-setport: %s\n", e.what());
        return 1;
    }
    return 0;
}
