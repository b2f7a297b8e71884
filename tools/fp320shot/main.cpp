// Photographs a live FP320 panel: starts the simulated bus with one FP320, drives the panel
// through the real port and communication thread until a program runs in its hold segment,
// and saves the panel widget as a PNG.
//   tarvo-fp320shot [--program N] OUTPUT.png
// Run under xvfb-run (or with QT_QPA_PLATFORM=offscreen).
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "devices/Display.h"
#include "devices/FP320.h"
#include "devices/ODioda.h"
#include "link/Port.h"

using namespace tarvo;

namespace {

constexpr int kTimeoutMs = 60000;

// The simulated bus as a child process that takes commands on its standard input.
class Simulator {
public:
    bool Start()
    {
        process_.start(QCoreApplication::applicationDirPath() + "/tarvo-sim",
                       {"--baud", "57600", "--time-scale", "60", "--stdin", "FP320@11"});
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
    bool Command(const std::string& line)
    {
        process_.write((line + "\n").c_str());
        return ReadLine() == "ok";
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

// Polls the panel and redraws it on fast timers (as the main window does every two seconds and
// every second) until `done` holds; false on time-out.
bool RunUntil(TFP320& panel, const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer poll, show, limit;
    bool ok = false;
    QObject::connect(&poll, &QTimer::timeout, [&] { panel.PollDevice(); });
    QObject::connect(&show, &QTimer::timeout, [&] {
        panel.ShowValues();
        if (done()) {
            ok = true;
            loop.quit();
        }
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(200);
    show.start(100);
    limit.setSingleShot(true);
    limit.start(kTimeoutMs);
    loop.exec();
    return ok;
}

std::string Lamps(const TFP320& panel)
{
    std::string s;
    for (const TOutDioda* l : panel.ProfileLamps)
        s += l->IsOn() ? '1' : '0';
    return s;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "tarvo-fp320shot: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int program = 3;
    if (args.size() >= 2 && args[0] == "--program") {
        program = args[1].toInt();
        args = args.mid(2);
    }
    if (args.size() != 1 || program < 1 || program > 8) {
        std::fputs("Usage: tarvo-fp320shot [--program N] OUTPUT.png   (N from 1 to 8, default 3)\n", stderr);
        return 2;
    }

    Simulator sim;
    if (!sim.Start())
        return Fail("the simulated bus did not start");
    PortName = sim.Path();
    SpeedIndex = 7;
    if (OpenPort() != 0)
        return Fail(PortError().c_str());

    int rc = 0;
    {
        TFP320 panel(nullptr, 1, 1);
        panel.show();
        const std::string number = std::to_string(program);
        if (!RunUntil(panel, [&] { return panel.State == DeviceCore::StateOnline && !panel.LabelVisible(); }))
            return Fail("the panel did not come online");
        panel.SelectProgram(program);
        if (!RunUntil(panel, [&] { return panel.Display3->Text() == number; }))
            return Fail("the program was not selected");
        // A short ramp, so that the hold segment comes within seconds.
        if (!sim.Command("set 11 l1 " + std::to_string(std::lround(panel.ValueOf("PV")) + 3)))
            return Fail("the simulator refused the program level");
        panel.StartProgram();
        const bool running = RunUntil(panel, [&] {
            const std::string minutes = std::to_string(static_cast<int>(panel.ValueOf("TE")));
            return panel.ProgramRunning == 1 && Lamps(panel) == "01100" && panel.Display2->Text() == minutes &&
                   panel.Display3->Text() == number && panel.ValueOf("TE") > 1;
        });
        if (!running)
            return Fail("the program did not reach its hold segment");
        if (!panel.grab().save(args[0]))
            rc = Fail("the picture could not be saved");
        else
            std::printf("%s\n", args[0].toUtf8().constData());
    }
    PortHandle().Clear();
    return rc;
}
