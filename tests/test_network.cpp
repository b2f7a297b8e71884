// The main window's network on a real demo database, without the bus: the build (pages,
// panels at their places, names, channels, the programmer and the strip), its failure reports,
// teardown and rebuild, floating panels, the write passes with their errors, and the work-order
// detection and process strip driven with the programmer's values set by hand.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "app/GroupPages.h"
#include "app/Kanal.h"
#include "app/PointSeries.h"
#include "app/LiveChart.h"
#include "app/PanelDock.h"
#include "app/PanelLayout.h"
#include "app/ProcessStrip.h"
#include "db/DataModule.h"
#include "device/TickGuard.h"
#include "devices/FP320.h"
#include "link/Bus.h"
#include "link/Codec.h"
#include "link/Comm.h"
#include "support/ScriptedOperator.h"
#include "support/TempDatabase.h"
#include "support/FormFixture.h"
#include "support/TestForm.h"

using namespace tarvo;
using tarvo::test::ScriptedOperator;
using tarvo::test::TempDatabase;
using tarvo::test::FormFixture;
using tarvo::test::TestForm;

namespace {

// The single-precision "not available" value as the database holds it.
const double kNotAvailable = static_cast<double>(-199.9f);

class NetworkTest : public FormFixture {
protected:
    // The main window on the database; the network built unless told not to.
    TestForm& Form(bool build = true)
    {
        MakeForm();
        if (build)
            form->BuildNetwork();
        return *form;
    }
    // Every panel Online with a value for each of its recorded mnemonics.
    void AllOnline()
    {
        for (TDeviceType* d : form->DeviceList) {
            d->State = DeviceCore::StateOnline;
            for (const char* m : {"PV", "SP", "2PV", "1PV"})
                d->ValueByMnemonic[m] = static_cast<float>(d->DbDeviceId * 10) + static_cast<float>(std::string(m).size()) / 4;
        }
    }
    int Rows(const QString& where) const
    {
        return db.Scalar("SELECT COUNT(*) FROM Merenja WHERE " + where).toInt();
    }
    const std::vector<test::Box>& Boxes() const { return ScriptedOperator::Instance().boxes; }
};

struct PanelPlaceCase {
    int n;
    QSize panel;
    int screen;
    QPoint place;
};

}  // namespace

TEST(PanelLayout, NamesKeepOnlyLettersAndDigits)
{
    EXPECT_EQ(PanelName(QStringLiteral("Sušara 1/A")), "Suara1A");
    EXPECT_EQ(PanelName(QStringLiteral("Klima komora")), "Klimakomora");
    EXPECT_EQ(PanelName(QStringLiteral("--")), "");
}

TEST(PanelLayout, PanelsFillRowsAsWideAsTheScreen)
{
    const PanelPlaceCase cases[] = {
        {0, {236, 236}, 1920, {0, 0}},
        {7, {236, 236}, 1920, {7 * 246, 0}},
        {8, {236, 236}, 1920, {0, 246}},    // the ninth panel starts the second row
        {17, {236, 136}, 1920, {246, 292}},  // third row of shorter panels
        {3, {236, 116}, 800, {0, 126}},
        {1, {440, 236}, 400, {0, 246}},  // wider than the screen: one a row
    };
    for (const PanelPlaceCase& c : cases)
        EXPECT_EQ(PanelPlace(c.n, c.panel, c.screen), c.place) << c.n << " " << c.screen;
}

TEST_F(NetworkTest, BuildMakesPagesPanelsAtTheirPlacesAndChannels)
{
    db.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (0, 1, 4, 'Sušara 1/A')");
    db.Exec("INSERT INTO Grupe (ID_Grupe, Naziv, Adresa) VALUES (7, 'Prazna', 7)");
    TestForm& f = Form();
    EXPECT_TRUE(Boxes().empty()) << Texts().front();

    ASSERT_EQ(f.PageControlMreza->Count(), 3);
    EXPECT_EQ(f.PageControlMreza->Page(0)->objectName(), "Grupa1");
    EXPECT_EQ(f.PageControlMreza->Caption(0), "Susara 1");
    EXPECT_EQ(f.PageControlMreza->Page(2)->objectName(), "Grupa7");  // a group without devices
    EXPECT_EQ(f.GroupTabs.at(2), f.PageControlMreza->Page(1));

    const QStringList names = {"Programator", "Klimakomora", "Indikator", "Suara1A",
                               "Regulatorvlage", "Regulatorpec", "Meracvlage"};
    ASSERT_EQ(f.DeviceList.size(), 7u);
    const int ids[] = {1, 2, 3, 7, 4, 5, 6};
    const int types[] = {3, 1, 0, 0, 12, 5, 9};
    for (size_t i = 0; i < 7; ++i) {
        TDeviceType* d = f.DeviceList[i];
        EXPECT_EQ(d->objectName(), names[static_cast<int>(i)]);
        EXPECT_EQ(d->DbDeviceId, ids[i]);
        EXPECT_EQ(d->property("helpContext").toInt(), 1100 + types[i]);
        EXPECT_EQ(d->parentWidget(), f.GroupTabs.at(i < 4 ? 1 : 2));
        EXPECT_TRUE(d->isVisibleTo(d->parentWidget()));
    }
    EXPECT_EQ(Panel("Suara1A")->AddrGroup, 1);
    EXPECT_EQ(Panel("Suara1A")->AddrUnit, 4);
    EXPECT_EQ(Panel("Regulatorpec")->AddrGroup, 2);

    // Rows of as many panels as the screen is wide, 10 pixels apart.
    const int screen = f.screen()->geometry().width();
    const int perRow = screen / 236;
    ASSERT_GE(perRow, 1);
    for (int page = 1; page <= 2; ++page) {
        int n = 0;
        for (TDeviceType* d : f.DeviceList) {
            if (d->parentWidget() != f.GroupTabs.at(page))
                continue;
            EXPECT_EQ(d->pos(), QPoint((d->width() + 10) * (n % perRow), (n / perRow) * (d->height() + 10)))
                << d->objectName().toStdString();
            ++n;
        }
    }

    EXPECT_EQ(f.Programmer, f.DeviceList[0]);
    EXPECT_TRUE(f.ProcessStripHost->isVisibleTo(&f));
    EXPECT_FALSE(f.ProcessStrip->Recording());
    EXPECT_FALSE(f.ProcessRecording);

    ASSERT_EQ(f.LiveChannels.size(), 11u);
    for (size_t i = 0; i < 11; ++i)
        EXPECT_EQ(f.LiveChannels[i]->ValueId(), static_cast<int>(i) + 1);
    EXPECT_EQ(f.LiveChannels[0]->Series()->name(), "Programator PV");
    EXPECT_FALSE(dm.ADOTableMreza.IsOpen());
    EXPECT_FALSE(dm.ADOTableValues.IsOpen());
}

TEST_F(NetworkTest, FailingRowsAreReportedWithTheirPrefixAndLeaveNoPanel)
{
    db.Exec("UPDATE Mreza SET Naziv = 'Programator!' WHERE ID_Uredjaja = 2");  // same panel name
    db.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (42, 1, 5, 'Nepoznat')");
    db.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (0, 9, 1, 'Bez grupe')");
    db.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (0, 2, 5, '1Kotao')");
    db.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (0, 2, 6, 'tabsheet1')");
    db.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (3, 2, 7, 'Programator 2')");
    db.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (3, 2, 8, '2Programator')");
    TestForm& f = Form();

    const std::vector<std::string> expected = {
        "GRESKA UREDJAJA:Komponenta sa imenom Programator vec postoji",
        "GRESKA UREDJAJA:Nepoznat tip uredjaja 42 (Nepoznat)",
        "GRESKA UREDJAJA:\"1Kotao\" nije ispravno ime komponente",
        "GRESKA UREDJAJA:Komponenta sa imenom tabsheet1 vec postoji",
        "GRESKA UREDJAJA:\"2Programator\" nije ispravno ime komponente",
        "GRESKA UREDJAJA:Grupa 9 uredjaja Bez grupe nije ucitana",  // rows come by group
    };
    EXPECT_EQ(Texts(), expected);
    EXPECT_EQ(f.DeviceList.size(), 6u);
    // No panel of a failed row is left anywhere, polled or not.
    EXPECT_EQ(f.findChildren<TLumoDevice*>().size(), f.DeviceList.size());
    // The later complete programmer row is the programmer; the failed one after it is not.
    EXPECT_EQ(f.Programmer, Panel("Programator2"));
    EXPECT_EQ(f.LiveChannels.size(), 11u);
}

TEST_F(NetworkTest, ChannelAndReloadFailuresAreReported)
{
    // A measurement query that fails while a row with status 99 exists.
    db.Exec("UPDATE StoredQueries SET Sql = 'SELECT \"Vreme\", \"Vrednost\" FROM \"Merenja\" "
            "WHERE \"ID_Value\" = :id_value AND \"Vreme\" BETWEEN :start AND :end "
            "UNION ALL SELECT 0, abs(-9223372036854775807 - 1) FROM \"Merenja\" WHERE \"Status\" = 99' "
            "WHERE Name = 'SelectMerenja'");
    db.Exec("INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) VALUES (1, 1, 0, 99, 0)");
    TestForm& f = Form();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text.rfind("GRESKA PARAMETRA:", 0), 0u) << Boxes()[0].text;
    EXPECT_TRUE(f.LiveChannels.empty());  // the first failing row ends the section
    EXPECT_EQ(f.DeviceList.size(), 6u);

    db.Exec("DELETE FROM Merenja");
    f.DestroyNetwork();
    f.BuildNetwork();
    ASSERT_EQ(f.LiveChannels.size(), 11u);
    ScriptedOperator::Instance().Clear();
    db.Exec("INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) VALUES (1, 1, 0, 99, 0)");
    settings.online = false;  // only the reload
    f.TimerRefreshTimer();
    EXPECT_EQ(Texts(), std::vector<std::string>{"Greska osvezavanja prikaza"});
}

TEST_F(NetworkTest, DestroyAndBuildAgainGivesTheSameNetwork)
{
    TestForm& f = Form();
    const auto snapshot = [&] {
        std::vector<std::tuple<QString, QString, QPoint>> s;
        for (TDeviceType* d : f.DeviceList)
            s.emplace_back(d->objectName(), d->parentWidget()->objectName(), d->pos());
        return s;
    };
    const auto before = snapshot();
    ASSERT_NE(TheComm(), nullptr);

    f.DestroyNetwork();
    EXPECT_TRUE(f.DeviceList.empty());
    EXPECT_TRUE(f.LiveChannels.empty());
    EXPECT_TRUE(f.GroupTabs.empty());
    EXPECT_EQ(f.PageControlMreza->Count(), 0);
    EXPECT_EQ(f.Programmer, nullptr);
    EXPECT_EQ(TheComm(), nullptr);  // the last panel stopped the thread
    EXPECT_TRUE(f.findChildren<TLumoDevice*>().isEmpty());

    // A device added meanwhile takes the next free place of its group.
    db.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (9, 2, 4, 'Novi')");
    f.BuildNetwork();
    EXPECT_TRUE(Boxes().empty());
    auto after = snapshot();
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(std::get<0>(after.back()), "Novi");
    after.pop_back();
    EXPECT_EQ(after, before);
    EXPECT_EQ(f.LiveChannels.size(), 11u);
    EXPECT_EQ(f.Programmer, f.DeviceList[0]);
    EXPECT_NE(TheComm(), nullptr);
}

TEST_F(NetworkTest, OfflineModeBuildsAndWritesNothing)
{
    settings.online = false;
    db.Exec("INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) VALUES (1, 1, 0, 0, 0), (1, 2, 0, 0, 1)");
    TestForm& f = Form(false);
    f.FormShow();
    f.BuildNetwork();  // as the network update would
    EXPECT_EQ(f.PageControlMreza->Count(), 0);
    EXPECT_TRUE(f.DeviceList.empty());
    EXPECT_TRUE(f.LiveChannels.empty());
    EXPECT_FALSE(f.ProcessStripHost->isVisibleTo(&f));
    f.TimerRefreshTimer();
    f.TimerUpisaTimer();
    // Neither archived nor deleted, nothing written.
    EXPECT_EQ(Rows("1"), 2);
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM ArhivaMerenja").toInt(), 0);
    EXPECT_EQ(f.WriteTicks, 0);
}

TEST_F(NetworkTest, NoProgrammerHidesTheStrip)
{
    db.Exec("DELETE FROM Mreza WHERE ID_Tip = 3");
    TestForm& f = Form();
    EXPECT_EQ(f.Programmer, nullptr);
    EXPECT_FALSE(f.ProcessStripHost->isVisibleTo(&f));
}

TEST_F(NetworkTest, TemporaryRowsEveryMinutePermanentRowsEveryPeriod)
{
    settings.periodUpisa = 3;
    TestForm& f = Form();
    AllOnline();
    // The programmer has not reported its second input yet; the humidity regulator is silent.
    TDeviceType* programmer = Panel("Programator");
    programmer->ValueByMnemonic.erase("2PV");
    Panel("Regulatorvlage")->State = DeviceCore::StateOffline;
    Panel("Indikator")->State = DeviceCore::StateInit;

    f.TimerRefreshTimer();
    EXPECT_TRUE(Boxes().empty()) << Texts().front();
    EXPECT_TRUE(f.WriteTemporary);
    EXPECT_EQ(Rows("Privremen <> 0"), 11);
    struct Expect {
        int idValue;
        double value;
        int status;
    };
    const Expect rows[] = {
        {1, 10.5, 0},          {2, 10.5, 0}, {3, kNotAvailable, 1},  // 2PV never reported
        {4, 20.75, 0},         {5, 20.75, 0},
        {6, kNotAvailable, 1},  // initialising
        {7, kNotAvailable, 1}, {8, kNotAvailable, 1},  // off line
        {9, 50.5, 0},          {10, 60.75, 0}, {11, 60.75, 0},
    };
    for (const Expect& e : rows) {
        const QString where = QStringLiteral("ID_Value = %1").arg(e.idValue);
        EXPECT_DOUBLE_EQ(db.Scalar("SELECT Vrednost FROM Merenja WHERE " + where).toDouble(), e.value) << e.idValue;
        EXPECT_EQ(db.Scalar("SELECT Status FROM Merenja WHERE " + where).toInt(), e.status) << e.idValue;
    }
    // Not available is not a value: the panel's map is left as it was.
    EXPECT_EQ(programmer->ValueByMnemonic.count("2PV"), 0u);

    f.TimerRefreshTimer();
    EXPECT_EQ(Rows("Privremen <> 0"), 22);
    f.TimerUpisaTimer();
    f.TimerUpisaTimer();
    EXPECT_EQ(Rows("Privremen = 0"), 0);
    EXPECT_EQ(f.WriteTicks, 2);
    f.TimerUpisaTimer();
    EXPECT_EQ(f.WriteTicks, 0);
    EXPECT_FALSE(f.WriteTemporary);
    EXPECT_EQ(Rows("Privremen <> 0"), 0);  // the period's temporary rows give way
    EXPECT_EQ(Rows("Privremen = 0"), 11);
    f.TimerRefreshTimer();
    f.TimerUpisaTimer();
    f.TimerUpisaTimer();
    f.TimerUpisaTimer();
    // Archived once each: the permanent rows of both periods.
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM ArhivaMerenja").toInt(), 11);
    EXPECT_EQ(Rows("Privremen = 0"), 22);
    EXPECT_EQ(Rows("Privremen <> 0"), 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(NetworkTest, TheLiveChartShowsTheLastDayOfTheClock)
{
    TestForm& f = Form(false);
    QDateTime now(QDate(2030, 1, 2), QTime(3, 4, 5));
    f.Clock = [&] { return now; };
    f.BuildNetwork();
    EXPECT_EQ(f.LiveChart->WindowEnd(), now);
    EXPECT_EQ(f.LiveChart->WindowStart(), now.addDays(-1));
    now = now.addSecs(60);
    f.TimerRefreshTimer();
    EXPECT_EQ(f.LiveChart->WindowEnd(), now);
    EXPECT_EQ(f.LiveChart->WindowStart(), now.addDays(-1));
}

TEST_F(NetworkTest, AFailingDeviceStopsOnlyItsOwnRows)
{
    TestForm& f = Form();
    AllOnline();
    db.Exec("CREATE TRIGGER kvar BEFORE INSERT ON Merenja WHEN NEW.ID_Value IN (5, 8) "
            "BEGIN SELECT RAISE(ABORT, 'disk pun'); END");
    f.TimerRefreshTimer();
    // Value 4 of the same device was written before 5 failed; every other device wrote all.
    EXPECT_EQ(Rows("1"), 9);
    EXPECT_EQ(Rows("ID_Value = 4"), 1);
    // The same failure of two devices is told once, as a warning with the database's text.
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("disk pun"), std::string::npos) << Boxes()[0].text;
    EXPECT_EQ(Boxes()[0].icon, BoxIcon::Warning);
}

TEST_F(NetworkTest, AFailingArchiveStepWritesNothingThatTick)
{
    TestForm& f = Form();
    AllOnline();
    f.TimerRefreshTimer();
    db.Exec("INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) VALUES (1, 1, 0, 0, 0)");
    db.Exec("CREATE TRIGGER kvar BEFORE INSERT ON ArhivaMerenja BEGIN SELECT RAISE(ABORT, 'arhiva u kvaru'); END");
    f.TimerUpisaTimer();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("arhiva u kvaru"), std::string::npos) << Boxes()[0].text;
    EXPECT_EQ(Boxes()[0].icon, BoxIcon::Error);
    EXPECT_EQ(Rows("Privremen <> 0"), 11);  // not deleted
    EXPECT_EQ(Rows("Privremen = 0"), 1);    // nothing written
    EXPECT_EQ(f.WriteTicks, 0);             // the next try is a whole period later

    // A database that refuses the pass as a whole.
    db.Exec("DROP TRIGGER kvar");
    ScriptedOperator::Instance().Clear();
    db.Exec("CREATE TRIGGER kvar BEFORE INSERT ON Merenja BEGIN SELECT RAISE(ROLLBACK, 'sve u kvaru'); END");
    f.TimerRefreshTimer();
    EXPECT_EQ(Texts(), std::vector<std::string>{"Greska pri upisu u arhivu"});
    EXPECT_EQ(Rows("Privremen <> 0"), 11);
}

TEST_F(NetworkTest, WorkOrderFollowsTheProgrammerAfterElevenTicks)
{
    TestForm& f = Form();
    TFP320* p = f.Programmer;
    ASSERT_NE(p, nullptr);
    p->State = DeviceCore::StateOnline;
    const auto ticks = [&](int n) {
        for (int i = 0; i < n; ++i)
            f.ProcessDetection();
    };
    const auto orders = [&](const QString& where) {
        return db.Scalar("SELECT COUNT(*) FROM RadniNalog WHERE " + where).toInt();
    };

    // Running for ten ticks and stopping opens nothing, and the count starts afresh.
    p->ProgramRunning = TFP320::Run;
    p->ProcessNumber = 101;
    p->ActiveProgram = 2;
    ticks(10);
    p->ProgramRunning = TFP320::Idle;
    ticks(1);
    p->ProgramRunning = TFP320::Hold;
    ticks(10);
    EXPECT_EQ(orders("1"), 0);
    EXPECT_FALSE(f.ProcessRecording);
    ticks(1);
    EXPECT_EQ(orders("Zavrsen = 0 AND RedniBroj = 101 AND Program = 2 AND Naziv = 'Unesite oznaku radnog naloga ...' "
                     "AND Opis = 'Unesite opis procesa ...' AND Start IS NOT NULL"),
              1);
    EXPECT_TRUE(f.ProcessRecording);
    EXPECT_EQ(f.RecordedProcessNumber, 101);
    EXPECT_EQ(f.ProcessDebounce, 0);
    EXPECT_EQ(Texts(), std::vector<std::string>{
                           "Startovano snimanje novog procesa, azurirajte opis procesa!! Programator je startovan"});
    EXPECT_EQ(Boxes()[0].icon, BoxIcon::Information);
    TProcessStrip& s = *f.ProcessStrip;
    EXPECT_TRUE(s.Recording());
    EXPECT_FALSE(s.StartProgramaBtn->isEnabled());
    EXPECT_FALSE(s.PostaviProgramBtn->isEnabled());
    EXPECT_FALSE(s.ProgramSelector->isEnabled());
    EXPECT_TRUE(s.StopProgramaBtn->isEnabled());
    EXPECT_TRUE(s.PostRecordBtn->isEnabled());
    EXPECT_EQ(s.NazivEdit->text(), "Unesite oznaku radnog naloga ...");
    EXPECT_EQ(s.IDText->text(), "101");
    EXPECT_FALSE(s.StartText->text().isEmpty());

    // A new process number without an observed stop: the old order closes, a new one opens.
    ScriptedOperator::Instance().Clear();
    p->ProcessNumber = 102;
    ticks(10);
    EXPECT_EQ(orders("Zavrsen = 0"), 1);
    ticks(1);
    EXPECT_EQ(orders("RedniBroj = 101 AND Zavrsen <> 0 AND \"End\" IS NOT NULL"), 1);
    EXPECT_EQ(orders("RedniBroj = 102 AND Zavrsen = 0"), 1);
    EXPECT_EQ(Texts(), std::vector<std::string>{
                           "Startovano snimanje novog procesa, azurirajte opis procesa!! Detektovan novi proces"});
    EXPECT_EQ(s.IDText->text(), "102");

    // Off line: the strip is disabled, nothing closes, and the count is kept.
    p->ProgramRunning = TFP320::Idle;
    ticks(5);
    p->State = DeviceCore::StateOffline;
    ticks(20);
    EXPECT_FALSE(s.isEnabled());
    EXPECT_EQ(f.ProcessDebounce, 5);
    EXPECT_EQ(orders("Zavrsen = 0"), 1);
    p->State = DeviceCore::StateOnline;
    ticks(5);
    EXPECT_TRUE(s.isEnabled());
    EXPECT_EQ(orders("Zavrsen = 0"), 1);
    ScriptedOperator::Instance().Clear();
    ticks(1);  // the eleventh tick that saw the programmer idle
    EXPECT_EQ(orders("Zavrsen = 0"), 0);
    EXPECT_FALSE(f.ProcessRecording);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Programator je zavrsio proces. Prekidamo snimanje procesa!!!"});
    EXPECT_FALSE(s.Recording());
    EXPECT_TRUE(s.StartProgramaBtn->isEnabled());
    EXPECT_FALSE(s.StopProgramaBtn->isEnabled());
    EXPECT_TRUE(s.NazivEdit->text().isEmpty());
}

// An operator who leaves each box open for a while: records whether a timer tick could run
// meanwhile, how deeply boxes are stacked, and lets the caller act while the first one is open.
class LingeringOperator : public Operator {
public:
    void Message(const std::string& text, const std::string&, BoxIcon) override
    {
        maxDepth = std::max(maxDepth, ++depth);
        texts.push_back(text);
        tickCouldRun.push_back(TickGuard::RunTick([] {}));
        if (whileOpen) {
            const std::function<void()> fn = std::move(whileOpen);
            whileOpen = nullptr;
            fn();
        }
        --depth;
    }
    Answer AskOkCancel(const std::string&, const std::string&, BoxIcon) override { return Answer::Cancel; }
    Answer AskYesNoCancel(const std::string&, const std::string&, BoxIcon) override { return Answer::Cancel; }

    std::function<void()> whileOpen;
    std::vector<std::string> texts;
    std::vector<bool> tickCouldRun;
    int depth = 0;
    int maxDepth = 0;
};

TEST_F(NetworkTest, WorkOrderNoticesLetTheTimersRunAndComeOneAfterTheOther)
{
    TestForm& f = Form();
    TFP320* p = f.Programmer;
    ASSERT_NE(p, nullptr);
    p->State = DeviceCore::StateOnline;
    p->ProgramRunning = TFP320::Run;
    p->ProcessNumber = 31;
    const auto displayTicks = [&](int n) {
        for (int i = 0; i < n; ++i)
            EXPECT_TRUE(TickGuard::RunTick([&] { f.ProcessDetection(); }));
    };
    LingeringOperator op;
    SetOperator(&op);
    struct Restore {
        ~Restore() { SetOperator(&ScriptedOperator::Instance()); }
    } restore;

    // While the "started" box is open the process ends: the timers tick on, and the "finished"
    // notice waits until the first box is answered.
    op.whileOpen = [&] {
        p->ProgramRunning = TFP320::Idle;
        displayTicks(11);
        EXPECT_FALSE(f.ProcessRecording);
        EXPECT_EQ(op.texts.size(), 1u);
    };
    displayTicks(11);
    EXPECT_EQ(op.texts, (std::vector<std::string>{
                            "Startovano snimanje novog procesa, azurirajte opis procesa!! Programator je startovan",
                            "Programator je zavrsio proces. Prekidamo snimanje procesa!!!"}));
    EXPECT_EQ(op.tickCouldRun, (std::vector<bool>{true, true}));
    EXPECT_EQ(op.maxDepth, 1);
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM RadniNalog WHERE RedniBroj = 31 AND Zavrsen <> 0").toInt(), 1);
}

TEST_F(NetworkTest, AnUnfinishedWorkOrderIsTakenUpAtStart)
{
    db.Exec("INSERT INTO RadniNalog (RedniBroj, Naziv, Opis, Program, Start, Zavrsen) VALUES (76, 'a', 'b', 4, 40000, 0)");
    db.Exec("INSERT INTO RadniNalog (RedniBroj, Naziv, Opis, Program, Start, Zavrsen) VALUES (77, 'Sarza 7', 'Bukva', 5, 45000, 0)");
    TestForm& f = Form();
    EXPECT_TRUE(f.ProcessRecording);
    EXPECT_EQ(f.RecordedProcessNumber, 77);
    EXPECT_EQ(f.ProcessStrip->SelectedProgram(), 5);
    EXPECT_TRUE(f.ProcessStrip->Recording());
    EXPECT_EQ(f.ProcessStrip->NazivEdit->text(), "Sarza 7");
    EXPECT_EQ(f.ProcessStrip->OpisEdit->text(), "Bukva");

    // The programmer reports another run: both old orders close, the new one opens.
    TFP320* p = f.Programmer;
    p->State = DeviceCore::StateOnline;
    p->ProgramRunning = TFP320::Run;
    p->ProcessNumber = 78;
    for (int i = 0; i < 11; ++i)
        f.ProcessDetection();
    EXPECT_EQ(db.Scalar("SELECT group_concat(RedniBroj) FROM RadniNalog WHERE Zavrsen = 0").toString(), "78");

    // A rebuild leaves the work-order state alone.
    f.DestroyNetwork();
    f.BuildNetwork();
    EXPECT_TRUE(f.ProcessRecording);
    EXPECT_EQ(f.RecordedProcessNumber, 78);
}

TEST_F(NetworkTest, ProcessButtonsCommandTheProgrammerOnlyOnYes)
{
    TestForm& f = Form();
    ScriptedOperator& op = ScriptedOperator::Instance();
    const auto queued = [] { return Bus().QueueSize() > 0 ? Bus().QueueAt(0) : Bytes(); };
    Bus().Clear();

    op.Script(Answer::No);
    f.StartProgramaBtnClick();
    op.Script(Answer::Cancel);
    f.StopProgramaBtnClick();
    EXPECT_EQ(Bus().QueueSize(), 0u);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Startujete izvrsenje programa. Da li ste sigurni?",
                                                  "Prekidate izvrsenje programa. Da li ste sigurni?"}));
    EXPECT_EQ(op.boxes[0].kind, "yesnocancel");
    EXPECT_EQ(op.boxes[0].icon, BoxIcon::Warning);

    op.Script(Answer::Yes);
    f.StartProgramaBtnClick();
    EXPECT_EQ(queued(), BuildWriteRequest(1, 1, AddressOwn, "PC", "1"));
    Bus().Clear();
    op.Script(Answer::Yes);
    f.StopProgramaBtnClick();
    EXPECT_EQ(queued(), BuildWriteRequest(1, 1, AddressOwn, "PC", "0"));
    Bus().Clear();

    op.Clear();
    f.ProcessStrip->SetSelectedProgram(3);
    op.Script(Answer::Yes);
    f.PostaviProgramBtnClick();
    EXPECT_EQ(Texts(), std::vector<std::string>{"Postavljate program:3Da li ste sigurni?"});
    EXPECT_EQ(queued(), BuildWriteRequest(1, 1, AddressOwn, "PN", "3"));

    // Without a programmer the buttons ask nothing.
    op.Clear();
    f.DestroyNetwork();
    f.StartProgramaBtnClick();
    f.PostaviProgramBtnClick();
    EXPECT_TRUE(op.boxes.empty());
}

TEST_F(NetworkTest, TheDescriptionIsEditedInPlaceAndPosted)
{
    db.Exec("INSERT INTO RadniNalog (RedniBroj, Naziv, Opis, Program, Start, Zavrsen) VALUES (77, 'x', 'y', 5, 45000, 0)");
    TestForm& f = Form();
    TProcessStrip& s = *f.ProcessStrip;
    QTest::keyClicks(s.NazivEdit, "RN-2024/17");
    EXPECT_TRUE(dm.ADOStoredProcNezavrseniRN.IsEditing());  // typing starts editing
    s.OpisEdit->setText(QStringLiteral("Bukva 38 mm, sušenje"));
    f.PostRecordBtnClick();
    EXPECT_TRUE(Boxes().empty()) << Texts().front();
    EXPECT_EQ(db.Scalar("SELECT Naziv FROM RadniNalog WHERE RedniBroj = 77").toString(), "xRN-2024/17");
    EXPECT_EQ(db.Scalar("SELECT Opis FROM RadniNalog WHERE RedniBroj = 77").toString(), "Bukva 38 mm, sušenje");

    // A refused post is shown by the general error box and the typed texts stay.
    db.Exec("CREATE TRIGGER kvar BEFORE UPDATE ON RadniNalog BEGIN SELECT RAISE(ABORT, 'zakljucano'); END");
    s.NazivEdit->setText(QStringLiteral("novo"));
    f.PostRecordBtnClick();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("zakljucano"), std::string::npos);
    EXPECT_EQ(Boxes()[0].icon, BoxIcon::Error);
    EXPECT_EQ(s.NazivEdit->text(), "novo");
}

TEST_F(NetworkTest, PanelsFloatOffTheirPageAndDockBack)
{
    settings.online = true;
    TestForm& f = Form(false);
    f.show();  // the first show builds the network
    ASSERT_EQ(f.DeviceList.size(), 6u);
    TDeviceType* panel = f.DeviceList[1];
    QWidget* page = panel->parentWidget();
    const QPoint home = panel->pos();
    auto* dock = panel->findChild<TPanelDock*>();
    ASSERT_NE(dock, nullptr);

    // A drag that ends outside the main window floats the panel in a tool window there.
    const auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
        QMouseEvent e(type, panel->mapFromGlobal(global), global, Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(panel, &e);
    };
    const QPoint start = panel->mapToGlobal(QPoint(4, 4));
    const QPoint outside = f.frameGeometry().bottomRight() + QPoint(200, 150);
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    send(QEvent::MouseMove, start + QPoint(30, 30), Qt::LeftButton);
    send(QEvent::MouseMove, outside, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, outside, Qt::NoButton);
    ASSERT_TRUE(dock->Floating());
    EXPECT_EQ(panel->window(), dock->Window());
    EXPECT_TRUE(dock->Window()->isVisible());
    EXPECT_EQ(dock->Window()->windowTitle(), "Klima komora (adr:12)");
    EXPECT_EQ(dock->Item()->text(), "Vrati na stranu");
    // Still part of the network: polled and drawn as before.
    f.TimerObradeTimer();
    f.TimerPrikazaTimer();

    // Closing the tool window puts the panel back at its place.
    dock->Window()->close();
    EXPECT_FALSE(dock->Floating());
    EXPECT_EQ(panel->parentWidget(), page);
    EXPECT_EQ(panel->pos(), home);
    EXPECT_TRUE(panel->isVisibleTo(page));

    // The menu item floats and docks as well; a drag back into the main window docks.
    dock->Item()->trigger();
    ASSERT_TRUE(dock->Floating());
    const QPoint from = panel->mapToGlobal(QPoint(4, 4));
    const QPoint inside = f.frameGeometry().center();
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, inside, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, inside, Qt::NoButton);
    EXPECT_FALSE(dock->Floating());
    EXPECT_EQ(panel->parentWidget(), page);

    // A floating panel goes with the network.
    dock->Item()->trigger();
    QPointer<QWidget> window = dock->Window();
    f.DestroyNetwork();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(TheComm(), nullptr);
}

TEST_F(NetworkTest, ClosingTheWindowSavesItsPlaceAndStopsTheBus)
{
    TestForm& f = Form();
    ASSERT_NE(TheComm(), nullptr);
    f.move(33, 44);
    f.FormClose();
    EXPECT_TRUE(f.DeviceList.empty());
    EXPECT_TRUE(f.LiveChannels.empty());
    EXPECT_EQ(f.Programmer, nullptr);
    EXPECT_EQ(TheComm(), nullptr);
    Settings stored = Settings::AtFile(db.Dir() + "/settings.ini");
    stored.ReadGeometry();
    EXPECT_EQ(stored.leftPos, f.x());
}
