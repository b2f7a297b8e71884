// Photographs live device panels: starts the simulated bus with the given controllers, builds
// one panel per controller (side by side, as on a group page), drives them through the real
// port and communication thread until every one is Online, sends the given simulator commands,
// lets the panels run a few more seconds and saves the whole row as one PNG. A panel given with
// --unserved stands at an address nobody holds on the bus (it stays in Scan) and is not waited for.
//   tarvo-panelshot [--seconds N] [--command "LINE"]... [--unserved TYPE@GU]... OUTPUT.png TYPE@GU...
// N may be fractional (5.5): a half second more catches blinking labels in their other phase.
// Run under xvfb-run (or with QT_QPA_PLATFORM=offscreen).
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devices/DeviceType.h"
#include "devices/TypeTable.h"
#include "link/Port.h"

using namespace tarvo;

namespace {

constexpr int kTimeoutMs = 60000;

class Simulator {
public:
    bool Start(const QStringList& devices)
    {
        process_.start(QCoreApplication::applicationDirPath() + "/tarvo-sim",
                       QStringList{"--baud", "57600", "--time-scale", "60", "--stdin"} + devices);
        if (!process_.waitForStarted(10000))
            return false;
        path_ = ReadLine();
        return !path_.empty();
    }
    ~Simulator()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(10000))
            process_.kill();
    }
    const std::string& Path() const { return path_; }
    std::string Command(const std::string& line)
    {
        process_.write((line + "\n").c_str());
        return ReadLine();
    }

private:
    std::string ReadLine()
    {
        QElapsedTimer t;
        t.start();
        while (!process_.canReadLine() && t.elapsed() < 10000 && process_.state() == QProcess::Running)
            process_.waitForReadyRead(100);
        return process_.canReadLine() ? process_.readLine().trimmed().toStdString() : std::string();
    }

    QProcess process_;
    std::string path_;
};

// Polls and redraws the panels on fast timers until `done` holds; false on time-out.
bool RunUntil(const std::vector<TDeviceType*>& panels, const std::function<bool()>& done, int limitMs = kTimeoutMs)
{
    QEventLoop loop;
    QTimer poll, show, limit;
    bool ok = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (TDeviceType* p : panels)
            p->PollDevice();
    });
    QObject::connect(&show, &QTimer::timeout, [&] {
        for (TDeviceType* p : panels)
            p->ShowValues();
        if (done()) {
            ok = true;
            loop.quit();
        }
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(200);
    show.start(500);
    limit.setSingleShot(true);
    limit.start(limitMs);
    loop.exec();
    return ok;
}

int Fail(const std::string& what)
{
    std::fprintf(stderr, "tarvo-panelshot: %s\n", what.c_str());
    return 1;
}

int Usage()
{
    std::fputs("Usage: tarvo-panelshot [--seconds N] [--command \"LINE\"]... [--unserved TYPE@GU]... OUTPUT.png "
               "TYPE@GU...\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    double seconds = 5;
    std::vector<std::string> commands;
    QStringList unserved;
    while (args.size() >= 2 && args[0].startsWith("--")) {
        if (args[0] == "--seconds")
            seconds = args[1].toDouble();
        else if (args[0] == "--command")
            commands.push_back(args[1].toStdString());
        else if (args[0] == "--unserved")
            unserved << args[1];
        else
            return Usage();
        args = args.mid(2);
    }
    if (args.size() < 2)
        return Usage();
    const QString output = args.takeFirst();

    Simulator sim;
    if (!sim.Start(args))
        return Fail("the simulated bus did not start");
    PortName = sim.Path();
    SpeedIndex = 7;
    if (OpenPort() != 0)
        return Fail(PortError());

    int rc = 0;
    {
        QWidget row;
        // The ground of the row alone: a style sheet reaching the panels would override the
        // colours they set themselves (the channel panels of SVB and SVB16).
        row.setObjectName("row");
        row.setStyleSheet("#row { background: #f0f0f0; }");
        auto* layout = new QHBoxLayout(&row);
        std::vector<TDeviceType*> panels;
        const auto served = static_cast<size_t>(args.size());  // the first panels stand for the simulated controllers
        for (const QString& device : args + unserved) {
            const QStringList parts = device.split('@');
            const DeviceTypeInfo* info = parts.size() == 2 ? TypeByModel(parts[0].toStdString()) : nullptr;
            if (!info || parts[1].size() != 2)
                return Fail("not a controller: " + device.toStdString());
            const auto g = static_cast<uint8_t>(parts[1][0].digitValue());
            const auto u = static_cast<uint8_t>(parts[1][1].digitValue());
            TDeviceType* panel = CreateDevicePanel(info->ID_Tip, &row, g, u);
            layout->addWidget(panel, 0, Qt::AlignTop);
            panels.push_back(panel);
        }
        row.show();
        const bool online = RunUntil(panels, [&] {
            for (size_t i = 0; i < served; ++i)
                if (panels[i]->State != DeviceCore::StateOnline || panels[i]->LabelVisible())
                    return false;
            return true;
        });
        if (!online)
            return Fail("the panels did not come online");
        for (const std::string& c : commands) {
            const std::string answer = sim.Command(c);
            if (answer.rfind("error", 0) == 0)
                return Fail(c + ": " + answer);
        }
        RunUntil(panels, [] { return false; }, static_cast<int>(seconds * 1000));
        if (!row.grab().save(output))
            rc = Fail("the picture could not be saved");
        else
            std::printf("%s\n", output.toUtf8().constData());
    }
    PortHandle().Clear();
    return rc;
}
