// The whole main window against the simulated bus: start-up on a demo database of two groups
// and six devices (settings in a temporary store, the database in a temporary current folder),
// the network built at its places, every device brought on line through the real port and
// communication thread, the minute and period write passes run by hand (with rows of status 1
// while a device is off the bus), and the work orders that follow the programmer's runs as the
// display ticks see them, with the strip disabled while the programmer is off line.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>

#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

#include "app/Kanal.h"
#include "app/PointSeries.h"
#include "app/ProcessStrip.h"
#include "app/GroupPages.h"
#include "db/DataModule.h"
#include "db/DbInit.h"
#include "devices/FP320.h"
#include "link/Bus.h"
#include "link/Comm.h"
#include "link/Port.h"
#include "support/PanelPasses.h"
#include "support/ScriptedOperator.h"
#include "support/SimProcess.h"
#include "support/TempDatabase.h"
#include "support/TestForm.h"

using namespace tarvo;
using tarvo::test::FrontAnswered;
using tarvo::test::ScriptedOperator;
using tarvo::test::SimProcess;
using tarvo::test::TempDatabase;
using tarvo::test::TestForm;
using namespace std::chrono_literals;

namespace {

const double kNotAvailable = static_cast<double>(-199.9f);

class NetworkEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedDir = QDir::currentPath();
        QDir::setCurrent(db.Dir());  // the program opens Dudured.ido from its current folder
        Bus().Clear();
        ScriptedOperator::Instance().Clear();
        std::vector<std::string> args{"--stdin", "--baud", "57600", "--time-scale", "60", "--link",
                                      (db.Dir() + "/bus").toStdString()};
        for (const QString& device : dbinit::SimArgs(db.Path()).split(' '))
            args.push_back(device.toStdString());
        sim = std::make_unique<SimProcess>(args);
        const std::string path = sim->ReadLine();
        ASSERT_FALSE(path.empty()) << "tarvo-sim did not start";

        settings.commPort = QString::fromStdString(path);
        settings.baudRate = 7;
        settings.periodUpisa = 2;
        ASSERT_TRUE(settings.SaveOptions());
        form = std::make_unique<TestForm>(dm, settings);
        ASSERT_TRUE(form->Initialize());
        form->StopTimers();
        form->show();  // builds the network
    }
    void TearDown() override
    {
        if (form) {
            form->close();
            EXPECT_EQ(TheComm(), nullptr);  // closing stopped the communication thread
            form.reset();
        }
        PortHandle().Clear();
        sim.reset();
        dm.Disconnect();
        QDir::setCurrent(savedDir);
    }

    // One polling tick over the network, then a wait (at most the two seconds the timer would
    // give) until the bus has answered what every panel waits for, or has nothing left to send
    // (an entry that will never be answered is dropped by the panel's own count), then the
    // panels redrawn.
    void Poll()
    {
        form->TimerObradeTimer();
        const auto deadline = std::chrono::steady_clock::now() + 2s;
        unsigned long passesWhenEmpty = 0;
        bool wasEmpty = false;
        const auto settled = [&] {
            bool answered = true;
            for (TDeviceType* d : form->DeviceList)
                answered = answered && FrontAnswered(*d);
            if (answered)
                return true;
            // Idle: the queue empty and the exchange that was on the line when it emptied done (the thread has begun another pass).
            const Comm* comm = TheComm();
            if (!comm || !Bus().QueueEmpty()) {
                wasEmpty = false;
                return false;
            }
            if (!wasEmpty) {
                wasEmpty = true;
                passesWhenEmpty = comm->Passes();
            }
            return comm->Passes() > passesWhenEmpty;
        };
        while (!settled() && std::chrono::steady_clock::now() < deadline) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(2ms);
        }
        for (TDeviceType* d : form->DeviceList)
            d->ShowValues();
    }
    bool PollUntil(const std::function<bool()>& done, std::chrono::seconds timeout = 60s)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            Poll();
            if (done())
                return true;
        }
        return done();
    }
    void DisplayTicks(int n)
    {
        for (int i = 0; i < n; ++i)
            form->TimerPrikazaTimer();
    }
    void Command(const std::string& line) { ASSERT_EQ(sim->Command(line), "ok") << line; }
    TDeviceType* Panel(const QString& name) const
    {
        for (TDeviceType* d : form->DeviceList)
            if (d->objectName() == name)
                return d;
        return nullptr;
    }
    // Whether every panel is on line with a value for each of its recorded parameters.
    bool AllReporting() const
    {
        for (TDeviceType* d : form->DeviceList) {
            if (d->State != DeviceCore::StateOnline)
                return false;
            const QStringList mnemonics =
                db.Scalar(QStringLiteral("SELECT group_concat(p.Mnemonik) FROM Vrednosti_Test v JOIN Parametri p "
                                         "ON p.ID_Parametra = v.ID_Parametra WHERE v.ID_Uredjaja = %1")
                              .arg(d->DbDeviceId))
                    .toString()
                    .split(',');
            for (const QString& m : mnemonics)
                if (!d->ValueByMnemonic.count(m.toStdString()))
                    return false;
        }
        return true;
    }
    int Count(const QString& sql) const { return db.Scalar(sql).toInt(); }
    int Orders(const QString& where) const { return Count("SELECT COUNT(*) FROM RadniNalog WHERE " + where); }
    // Value and status of the newest row of a recorded value.
    std::pair<double, int> Newest(int idValue) const
    {
        const QString row = QStringLiteral("FROM Merenja WHERE ID_Value = %1 ORDER BY ID DESC LIMIT 1").arg(idValue);
        return {db.Scalar("SELECT Vrednost " + row).toDouble(), db.Scalar("SELECT Status " + row).toInt()};
    }
    std::vector<std::string> Texts() const { return ScriptedOperator::Instance().Texts(); }

    TempDatabase db;
    Settings settings = Settings::AtFile(db.Dir() + "/settings.ini");
    TDModule dm;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<TestForm> form;
    QString savedDir;
};

}  // namespace

TEST_F(NetworkEndToEnd, TheWholeProgramRunsAgainstTheSimulatedBus)
{
    TestForm& f = *form;
    // Two group pages and six panels at their places, the programmer and its strip.
    ASSERT_EQ(f.PageControlMreza->Count(), 2);
    EXPECT_EQ(f.PageControlMreza->Caption(0), "Susara 1");
    EXPECT_EQ(f.PageControlMreza->Caption(1), "Komora 2");
    ASSERT_EQ(f.DeviceList.size(), 6u);
    for (TDeviceType* d : f.DeviceList) {
        const int n = d->AddrUnit - 1;  // the demo's devices are units 1 to 3 of their group
        const int perRow = f.screen()->geometry().width() / d->width();
        EXPECT_EQ(d->pos(), QPoint((d->width() + 10) * (n % perRow), (n / perRow) * (d->height() + 10)))
            << d->objectName().toStdString();
        EXPECT_EQ(d->parentWidget(), f.GroupTabs.at(d->AddrGroup));
    }
    ASSERT_NE(f.Programmer, nullptr);
    EXPECT_EQ(f.Programmer, Panel("Programator"));
    EXPECT_TRUE(f.ProcessStripHost->isVisibleTo(&f));
    EXPECT_EQ(f.LiveChannels.size(), 11u);

    // Every device comes on line and reports its recorded values.
    ASSERT_TRUE(PollUntil([&] { return AllReporting(); })) << "not every device reports";
    EXPECT_TRUE(Texts().empty()) << Texts().front();

    // A temporary row a minute for each recorded value, with the panel's value and status 0.
    f.TimerRefreshTimer();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Merenja WHERE Privremen <> 0 AND Status = 0"), 11);
    for (TDeviceType* d : f.DeviceList) {
        const int idValue = Count(QStringLiteral("SELECT MIN(ID_Value) FROM Vrednosti_Test WHERE ID_Uredjaja = %1")
                                      .arg(d->DbDeviceId));
        const QString mnemonic =
            db.Scalar(QStringLiteral("SELECT p.Mnemonik FROM Vrednosti_Test v JOIN Parametri p ON p.ID_Parametra = "
                                     "v.ID_Parametra WHERE v.ID_Value = %1")
                          .arg(idValue))
                .toString();
        EXPECT_EQ(Newest(idValue).first, static_cast<double>(d->ValueByMnemonic.at(mnemonic.toStdString())))
            << mnemonic.toStdString();
    }
    f.TimerRefreshTimer();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Merenja WHERE Privremen <> 0"), 22);
    // "PeriodUpisa" = 2: the second minute archives, drops the temporary rows and writes.
    f.TimerUpisaTimer();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Merenja WHERE Privremen = 0"), 0);
    f.TimerUpisaTimer();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Merenja WHERE Privremen <> 0"), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Merenja WHERE Privremen = 0 AND Status = 0"), 11);
    // The live chart shows the rows of the last day.
    EXPECT_GT(f.LiveChannels[0]->Series()->Points().size(), 0);

    // A device off the bus: its values get status 1 and -199.9 until it answers again.
    TDeviceType* klima = Panel("Klimakomora");
    Command("off 12");
    ASSERT_TRUE(PollUntil([&] { return klima->State != DeviceCore::StateOnline; })) << "KV710 stays on line";
    f.TimerRefreshTimer();
    EXPECT_EQ(Newest(4), std::make_pair(kNotAvailable, 1));
    EXPECT_EQ(Newest(5), std::make_pair(kNotAvailable, 1));
    EXPECT_EQ(Newest(1).second, 0);
    EXPECT_EQ(Newest(9).second, 0);
    Command("on 12");
    ASSERT_TRUE(PollUntil([&] { return AllReporting(); })) << "KV710 does not come back";
    f.TimerRefreshTimer();
    EXPECT_EQ(Newest(4).second, 0);
    EXPECT_EQ(Newest(5).second, 0);
    EXPECT_TRUE(Texts().empty()) << Texts().front();

    // A program run seen on eleven display ticks opens a work order.
    TFP320* p = f.Programmer;
    Command("set 11 PC 1");
    ASSERT_TRUE(PollUntil([&] { return p->ProgramRunning != 0; })) << "the programmer does not run";
    EXPECT_EQ(p->ProcessNumber, 101);
    DisplayTicks(10);
    EXPECT_EQ(Orders("1"), 0);
    DisplayTicks(1);
    EXPECT_EQ(Orders("Zavrsen = 0 AND RedniBroj = 101 AND Program = 1"), 1);
    EXPECT_EQ(Texts(), std::vector<std::string>{
                           "Startovano snimanje novog procesa, azurirajte opis procesa!! Programator je startovan"});
    EXPECT_TRUE(f.ProcessStrip->Recording());

    // Its end closes it.
    ScriptedOperator::Instance().Clear();
    Command("set 11 PC 0");
    ASSERT_TRUE(PollUntil([&] { return p->ProgramRunning == 0; })) << "the programmer does not stop";
    DisplayTicks(10);
    EXPECT_EQ(Orders("Zavrsen = 0"), 1);
    DisplayTicks(1);
    EXPECT_EQ(Orders("Zavrsen = 0"), 0);
    EXPECT_EQ(Orders("RedniBroj = 101 AND Zavrsen <> 0 AND \"End\" >= Start"), 1);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Programator je zavrsio proces. Prekidamo snimanje procesa!!!"});
    EXPECT_FALSE(f.ProcessStrip->Recording());

    // A new process number while recording closes the order and opens the next.
    Command("set 11 PC 1");
    ASSERT_TRUE(PollUntil([&] { return p->ProgramRunning != 0 && p->ProcessNumber == 102; }));
    DisplayTicks(11);
    ASSERT_EQ(Orders("Zavrsen = 0 AND RedniBroj = 102"), 1);
    ScriptedOperator::Instance().Clear();
    Command("set 11 PC 0");
    Command("set 11 PC 1");
    ASSERT_TRUE(PollUntil([&] { return p->ProgramRunning != 0 && p->ProcessNumber == 103; }));
    DisplayTicks(10);
    EXPECT_EQ(Orders("Zavrsen = 0 AND RedniBroj = 102"), 1);
    DisplayTicks(1);
    EXPECT_EQ(Orders("Zavrsen <> 0 AND RedniBroj = 102"), 1);
    EXPECT_EQ(Orders("Zavrsen = 0 AND RedniBroj = 103"), 1);
    EXPECT_EQ(Texts(), std::vector<std::string>{
                           "Startovano snimanje novog procesa, azurirajte opis procesa!! Detektovan novi proces"});

    // The strip is disabled while the programmer is off line; nothing is closed meanwhile.
    Command("off 11");
    ASSERT_TRUE(PollUntil([&] { return p->State != DeviceCore::StateOnline; })) << "FP320 stays on line";
    DisplayTicks(1);
    EXPECT_FALSE(f.ProcessStrip->isEnabled());
    DisplayTicks(20);
    EXPECT_EQ(Orders("Zavrsen = 0 AND RedniBroj = 103"), 1);
    Command("on 11");
    ASSERT_TRUE(PollUntil([&] { return p->State == DeviceCore::StateOnline; })) << "FP320 does not come back";
    DisplayTicks(1);
    EXPECT_TRUE(f.ProcessStrip->isEnabled());
    EXPECT_EQ(Orders("Zavrsen = 0 AND RedniBroj = 103"), 1);
}
