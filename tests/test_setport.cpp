// tarvo-setport: an installation's port settings written as the options dialog writes them,
// the installation's other settings kept.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>

namespace {

int SetPort(const QString& configHome, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TARVO_BIN_DIR "/tarvo-setport"), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return p.exitCode();
}

}  // namespace

TEST(SetPort, WritesThePortOfTheNamedInstallation)
{
    QTemporaryDir config;
    const QString file = config.filePath(QStringLiteral("TARVO Divoderade/demo.conf"));
    {
        QSettings before(file, QSettings::IniFormat);
        before.setValue(QStringLiteral("Width"), 1024);
        before.setValue(QStringLiteral("Password"), QStringLiteral("tajna"));
    }
    EXPECT_EQ(SetPort(config.path(), {"/opt/tarvo/demo/", "/tmp/x/bus", "5"}), 0);
    QSettings after(file, QSettings::IniFormat);
    EXPECT_EQ(after.value(QStringLiteral("CommPort")).toString(), "/tmp/x/bus");
    EXPECT_EQ(after.value(QStringLiteral("BaudRate")).toInt(), 5);
    EXPECT_EQ(after.value(QStringLiteral("Width")).toInt(), 1024);
    EXPECT_EQ(after.value(QStringLiteral("Password")).toString(), "tajna");

    for (const QStringList& bad : {QStringList{}, QStringList{"demo", "/tmp/x/bus"}, QStringList{"demo", "/tmp/x/bus", "8"},
                                   QStringList{"demo", "", "3"}})
        EXPECT_EQ(SetPort(config.path(), bad), 2);
}
