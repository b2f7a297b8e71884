// Start-up of the main window: the database check with the find-the-database flow, settings
// of the wrong kind, the serial port retry loop, and what closing the window stores.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>

#include "app/Main.h"
#include "db/DataModule.h"
#include "link/Port.h"
#include "support/ScriptedOperator.h"
#include "support/TempDatabase.h"

using namespace tarvo;
using tarvo::test::ScriptedOperator;
using tarvo::test::TempDatabase;

namespace {

const char* kNotAvailable = "Baza podataka nije dostupna!!!\nUkoliko zelite da pronadjete bazu izaberite: OK";
const char* kComError =
    "Serijski port u kvaru, ili ga koristi druga aplikacija. Zelite li da izaberete drugi kom port?";

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = QDir::currentPath();
        ASSERT_TRUE(work.isValid());
        QDir::setCurrent(work.path());
        settingsFile = work.filePath("settings.conf");
        op().Clear();
    }
    void TearDown() override
    {
        PortHandle().Clear();
        QDir::setCurrent(saved);
    }
    static ScriptedOperator& op() { return ScriptedOperator::Instance(); }
    void WriteSettings(const QString& text)
    {
        QFile f(settingsFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }

    QTemporaryDir work;
    QString saved;
    QString settingsFile;
};

}  // namespace

TEST_F(StartupTest, WindowLooksAsAtStart)
{
    Settings settings = Settings::AtFile(settingsFile);
    TDModule dm;
    TForm1 form(dm, settings);
    EXPECT_EQ(form.windowTitle(), "TARVO menadzer");
    EXPECT_EQ(form.size(), QSize(800, 600));
    EXPECT_EQ(form.minimumSize(), QSize(236, 50));
    EXPECT_EQ(form.PageControl->currentWidget(), form.TabSheet1);
    EXPECT_EQ(form.PageControl->tabText(0), "Dijagram");
    EXPECT_EQ(form.PageControl->tabText(1), "Uredjaji");
    EXPECT_EQ(form.PageControl->tabText(2), "Konfiguracija");
    EXPECT_TRUE(form.ProcessStripHost->isHidden());
    EXPECT_FALSE(form.OpcijePrograma1->isEnabled());
    EXPECT_FALSE(form.ReportItem->isEnabled());  // until the reports are built
}

TEST_F(StartupTest, MissingDatabaseIsFoundInAnotherFolder)
{
    TempDatabase db;  // Dudured.ido in a folder of its own
    WriteSettings("[General]\nOnline=false\n");
    Settings settings = Settings::AtFile(settingsFile);
    TDModule dm;
    TForm1 form(dm, settings);
    // The operator picks some file in the database's folder: only the folder matters.
    QFile other(db.Dir() + "/notes.txt");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    form.PickDatabaseFile = [&] { return other.fileName(); };
    op().Script(Answer::Ok);
    ASSERT_TRUE(form.Initialize());
    EXPECT_TRUE(dm.IsConnected());
    EXPECT_EQ(QDir::currentPath(), QDir(db.Dir()).canonicalPath());
    // The backup reports that there is nothing to copy; then the error's own text, then the question.
    ASSERT_EQ(op().boxes.size(), 3u);
    EXPECT_EQ(op().boxes[0].text, "Neuspesno kreiranje rezervne kopije");
    EXPECT_EQ(op().boxes[1].text, "Dudured.ido: the file does not exist");
    EXPECT_EQ(op().boxes[2].text, kNotAvailable);
    EXPECT_EQ(op().boxes[2].kind, "okcancel");
    QSettings stored(settingsFile, QSettings::IniFormat);
    EXPECT_EQ(stored.value("Path").toString(), QFileInfo(other).absoluteFilePath());
}

TEST_F(StartupTest, FindFlowRepeatsUntilAFolderHasTheDatabaseOrTheOperatorGivesUp)
{
    WriteSettings("[General]\nOnline=false\n");
    Settings settings = Settings::AtFile(settingsFile);
    TDModule dm;
    TForm1 form(dm, settings);
    QTemporaryDir empty;
    int picks = 0;
    form.PickDatabaseFile = [&] {
        ++picks;
        return empty.filePath("Dudured.ido");
    };
    op().Script(Answer::Ok);      // find it: a folder without the database
    op().Script(Answer::Cancel);  // then give up
    EXPECT_FALSE(form.Initialize());
    EXPECT_EQ(picks, 1);
    EXPECT_FALSE(dm.IsConnected());

    // Cancelling the file dialog ends the program too.
    op().Clear();
    op().Script(Answer::Ok);
    form.PickDatabaseFile = [] { return QString(); };
    EXPECT_FALSE(form.Initialize());
}

TEST_F(StartupTest, NotADatabaseNamesTheProblemAndKeepsTheFile)
{
    QFile f("Dudured.ido");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a database");
    f.close();
    WriteSettings("[General]\nOnline=false\n");
    Settings settings = Settings::AtFile(settingsFile);
    TDModule dm;
    TForm1 form(dm, settings);
    EXPECT_FALSE(form.Initialize());  // Cancel at the question
    bool named = false;
    for (const auto& b : op().boxes)
        named = named || b.text.find("not a database") != std::string::npos;
    EXPECT_TRUE(named);
    QFile again("Dudured.ido");
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("this is not a database"));
}

TEST_F(StartupTest, SettingOfTheWrongKindIsNamedAndEndsStartUp)
{
    TempDatabase db;
    QDir::setCurrent(db.Dir());
    WriteSettings("[General]\nOnline=false\nBaudRate=fast\n");
    Settings settings = Settings::AtFile(settingsFile);
    TDModule dm;
    TForm1 form(dm, settings);
    EXPECT_FALSE(form.Initialize());
    ASSERT_FALSE(op().boxes.empty());
    EXPECT_NE(op().boxes.back().text.find("BaudRate"), std::string::npos);
    EXPECT_EQ(op().boxes.back().icon, BoxIcon::Error);
}

TEST_F(StartupTest, SerialPortThatCannotOpenAsksAndCancelEnds)
{
    TempDatabase db;
    QDir::setCurrent(db.Dir());
    WriteSettings(QString("[General]\nCommPort=%1\n").arg(work.filePath("no-such-port")));
    Settings settings = Settings::AtFile(settingsFile);
    TDModule dm;
    TForm1 form(dm, settings);
    op().Script(Answer::Ok);  // try again (the port is still missing), then Cancel
    EXPECT_FALSE(form.Initialize());
    ASSERT_EQ(op().boxes.size(), 2u);
    EXPECT_EQ(op().boxes[0].text, kComError);
    EXPECT_EQ(op().boxes[1].text, kComError);
    EXPECT_EQ(PortName, work.filePath("no-such-port").toStdString());
}

TEST_F(StartupTest, OfflineStartOpensNoPortAndCloseStoresNothing)
{
    TempDatabase db;
    QDir::setCurrent(db.Dir());
    WriteSettings("[General]\nOnline=false\nLeftPos=33\n");
    Settings settings = Settings::AtFile(settingsFile);
    {
        TDModule dm;
        TForm1 form(dm, settings);
        ASSERT_TRUE(form.Initialize());
        EXPECT_FALSE(PortHandle().Installed());
        EXPECT_EQ(form.x(), 33);
        form.move(200, 200);
        form.close();
    }
    QSettings stored(settingsFile, QSettings::IniFormat);
    EXPECT_EQ(stored.value("LeftPos").toInt(), 33);
    EXPECT_TRUE(op().boxes.empty());
}
