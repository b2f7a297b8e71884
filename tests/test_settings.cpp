#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/Settings.h"

using namespace tarvo;

namespace {

// Every store of these tests lives in a temporary folder, never in the real home.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    }

    Settings Store(const QString& folder = "Hala1") { return Settings(Settings::kOrganisation, folder); }

    QString FileOf(const QString& folder) const
    {
        return home.path() + "/TARVO Divoderade/" + folder + ".conf";
    }

    void WriteFile(const QString& folder, const QByteArray& content)
    {
        QDir().mkpath(home.path() + "/TARVO Divoderade");
        QFile f(FileOf(folder));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.flush();
        // QSettings trusts its cached copy while size and time stamp match; a rewrite in the
        // same millisecond must still look new.
        static int stamp = 0;
        f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(++stamp), QFileDevice::FileModificationTime);
    }

    QByteArray ReadFile(const QString& folder)
    {
        QFile f(FileOf(folder));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir home;
};

TEST_F(SettingsTest, FirstStartCreatesOnlyTheLinkAndGeometryValues)
{
    Settings s = Store();
    EXPECT_EQ(s.FileName(), FileOf("Hala1"));
    s.Load();

    QSettings stored(FileOf("Hala1"), QSettings::IniFormat);
    EXPECT_EQ(stored.allKeys(),
              QStringList({"BaudRate", "CommPort", "Height", "LeftPos", "TopPos", "Width"}));
    EXPECT_EQ(stored.value("CommPort").toString(), "COM1");
    EXPECT_EQ(stored.value("BaudRate").toInt(), 3);
    EXPECT_EQ(stored.value("LeftPos").toInt(), 10);
    EXPECT_EQ(stored.value("TopPos").toInt(), 10);
    EXPECT_EQ(stored.value("Height").toInt(), 600);
    EXPECT_EQ(stored.value("Width").toInt(), 800);

    EXPECT_TRUE(s.online);
    EXPECT_EQ(s.commPort, "COM1");
    EXPECT_EQ(s.baudRate, 3);
    EXPECT_EQ(s.periodUpisa, 1);
    EXPECT_EQ(s.password, "vardu");
    EXPECT_EQ(s.leftPos, 10);
    EXPECT_EQ(s.topPos, 10);
    EXPECT_EQ(s.height, 600);
    EXPECT_EQ(s.width, 800);
    EXPECT_EQ(s.databaseFile, "Dudured.ido");

    s.ReadLanguage();
    EXPECT_EQ(s.languageName, "default");
    EXPECT_FALSE(QSettings(FileOf("Hala1"), QSettings::IniFormat).contains("Language"));
}

TEST_F(SettingsTest, PresentValuesAreReadAndKept)
{
    const QByteArray content = "[General]\nOnline=false\nCommPort=/dev/ttyUSB0\nBaudRate=7\n"
                               "PeriodUpisa=999\nPassword=tajna\nLanguage=English\n"
                               "LeftPos=-20\nTopPos=0\nHeight=480\nWidth=1024\n";
    WriteFile("Hala1", content);
    Settings s = Store();
    s.Load();
    s.ReadLanguage();
    EXPECT_FALSE(s.online);
    EXPECT_EQ(s.commPort, "/dev/ttyUSB0");
    EXPECT_EQ(s.baudRate, 7);
    EXPECT_EQ(s.periodUpisa, 999);
    EXPECT_EQ(s.password, "tajna");
    EXPECT_EQ(s.languageName, "English");
    EXPECT_EQ(s.leftPos, -20);
    EXPECT_EQ(s.topPos, 0);
    EXPECT_EQ(s.height, 480);
    EXPECT_EQ(s.width, 1024);
    EXPECT_EQ(ReadFile("Hala1"), content);  // nothing rewritten

    for (const char* text : {"true", "TRUE", "1"}) {
        WriteFile("Hala2", QByteArray("[General]\nOnline=") + text + "\n");
        Settings t = Store("Hala2");
        t.online = false;
        t.ReadOnline();
        EXPECT_TRUE(t.online) << text;
    }
    WriteFile("Hala2", "[General]\nOnline=0\n");
    Settings t = Store("Hala2");
    t.ReadOnline();
    EXPECT_FALSE(t.online);
}

TEST_F(SettingsTest, EachInstallFolderHasItsOwnStore)
{
    Settings a = Store("Hala1");
    Settings b = Store("Hala2");
    EXPECT_NE(a.FileName(), b.FileName());
    a.Load();
    a.password = "prva";
    ASSERT_TRUE(a.SavePassword());

    b.Load();
    EXPECT_EQ(b.password, "vardu");
    Settings again = Store("Hala1");
    again.Load();
    EXPECT_EQ(again.password, "prva");

    EXPECT_EQ(InstallFolderName("/opt/tarvo/Hala 2"), "Hala 2");
    EXPECT_EQ(InstallFolderName("/opt/tarvo/Hala 2//"), "Hala 2");
    EXPECT_EQ(InstallFolderName("bin"), "bin");
    EXPECT_EQ(InstallFolderName("/"), "");
}

TEST_F(SettingsTest, WrongKindsEndStartUpWithAClearErrorAndLoseNothing)
{
    const struct {
        const char* name;
        const char* value;
        const char* problem;
    } cases[] = {
        {"BaudRate", "abc", "is not a whole number"},
        {"Online", "maybe", "is not true or false"},
        {"PeriodUpisa", "2.5", "is not a whole number"},
        {"Width", "wide", "is not a whole number"},
        {"Password", "ab, cd", "is not a single text"},
    };
    const QByteArrayList good = {"CommPort=COM2", "BaudRate=3", "PeriodUpisa=5", "Password=x",
                                 "Online=true", "LeftPos=10", "TopPos=10", "Height=600", "Width=800"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + std::string("=") + c.value);
        // A complete store with one bad value.
        QByteArray content = "[General]\n";
        for (const QByteArray& line : good)
            content += (line.startsWith(QByteArray(c.name) + "=") ? c.name + QByteArray("=") + c.value
                                                                 : line) + "\n";
        WriteFile("Hala1", content);
        Settings s = Store();
        try {
            s.Load();
            ADD_FAILURE() << "accepted";
        } catch (const SettingsError& e) {
            const QString text = e.Text();
            EXPECT_TRUE(text.contains(QString("\"%1\"").arg(c.name))) << text.toStdString();
            EXPECT_TRUE(text.contains(FileOf("Hala1"))) << text.toStdString();
            EXPECT_TRUE(text.contains(c.problem)) << text.toStdString();
            EXPECT_TRUE(text.endsWith(c.value)) << text.toStdString();
        }
        EXPECT_EQ(ReadFile("Hala1"), content);
    }
}

TEST_F(SettingsTest, NumbersOutsideTheirRangeAreKeptUsable)
{
    // A speed index outside the table is kept (the link opens it at 9600); a write period
    // outside 1..999 minutes becomes the nearest allowed one. Neither ends start-up.
    const struct {
        const char* baud;
        const char* period;
        int baudRate;
        int periodUpisa;
    } cases[] = {{"9", "0", 9, 1}, {"-1", "5000", -1, 999}, {"7", "999", 7, 999}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.baud) + " " + c.period);
        const QByteArray content = QByteArray("[General]\nBaudRate=") + c.baud + "\nPeriodUpisa=" + c.period + "\n";
        WriteFile("Hala1", content);
        Settings s = Store();
        ASSERT_NO_THROW(s.Load());
        EXPECT_EQ(s.baudRate, c.baudRate);
        EXPECT_EQ(s.periodUpisa, c.periodUpisa);
    }
}

TEST_F(SettingsTest, SavedValuesSurviveARestart)
{
    Settings s = Store();
    s.Load();
    s.commPort = "/dev/ttyS3";
    s.baudRate = 6;
    s.periodUpisa = 15;
    s.online = false;
    s.password = QString::fromUtf8("Šifra, \"x\"; =#@\\ [a]");
    s.languageName = "English";
    s.databaseFile = "/srv/baza/Dudured.ido";
    ASSERT_TRUE(s.SaveOptions());
    ASSERT_TRUE(s.SavePassword());
    ASSERT_TRUE(s.SaveLanguage());
    ASSERT_TRUE(s.SavePath());
    ASSERT_TRUE(s.SaveGeometry(-5, 7, 500, 700));
    EXPECT_EQ(s.leftPos, -5);

    Settings r = Store();
    r.Load();
    r.ReadLanguage();
    EXPECT_EQ(r.commPort, "/dev/ttyS3");
    EXPECT_EQ(r.baudRate, 6);
    EXPECT_EQ(r.periodUpisa, 15);
    EXPECT_FALSE(r.online);
    EXPECT_EQ(r.password, s.password);
    EXPECT_EQ(r.languageName, "English");
    EXPECT_EQ((std::vector<int>{r.leftPos, r.topPos, r.height, r.width}),
              (std::vector<int>{-5, 7, 500, 700}));
    EXPECT_EQ(QSettings(FileOf("Hala1"), QSettings::IniFormat).value("Path").toString(),
              "/srv/baza/Dudured.ido");
}

TEST_F(SettingsTest, AStoreThatCannotBeWrittenIsReported)
{
    Settings s = Settings::AtFile("/proc/tarvo-no-such-dir/settings.conf");
    s.password = "nova";
    EXPECT_FALSE(s.SavePassword());
    EXPECT_TRUE(s.ErrorText().contains("/proc/tarvo-no-such-dir/settings.conf"));
    EXPECT_THROW(s.Load(), SettingsError);
}

}  // namespace
