#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <unistd.h>

#include "app/BackupDatabase.h"
#include "support/ScriptedOperator.h"

using namespace tarvo;
using tarvo::test::ScriptedOperator;

namespace {

const char* kBackupFailed = "Neuspesno kreiranje rezervne kopije";

// Runs each test in a fresh current directory.
class BackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        saved = QDir::currentPath();
        QDir::setCurrent(dir.path());
        ScriptedOperator::Instance().Clear();
    }
    void TearDown() override
    {
        for (const QString& name : QSqlDatabase::connectionNames()) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
        QDir::setCurrent(saved);
    }

    static void WriteFile(const QString& name, const QByteArray& content)
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    static QByteArray ReadFile(const QString& name)
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Opens a connection; the database file is created when absent.
    static QSqlDatabase Open(const QString& connection, const QString& file)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(file);
        EXPECT_TRUE(db.open());
        return db;
    }
    static void Exec(QSqlDatabase& db, const QString& sql)
    {
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
    }
    // Rows of table Merenja in a database file, -1 when it cannot be read.
    static int Rows(const QString& file)
    {
        int rows = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "count");
            db.setDatabaseName(file);
            db.setConnectOptions("QSQLITE_OPEN_READONLY");
            QSqlQuery q(db);
            if (db.open() && q.exec("SELECT COUNT(*) FROM Merenja") && q.next())
                rows = q.value(0).toInt();
        }
        QSqlDatabase::removeDatabase("count");
        return rows;
    }
    // The folder holds exactly these names (no half-written copy left behind).
    static QStringList Listing() { return QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name); }

    QTemporaryDir dir;
    QString saved;
};

TEST_F(BackupTest, ReplacesAnExistingBackup)
{
    {
        QSqlDatabase db = Open("main", "Dudured.ido");
        Exec(db, "CREATE TABLE Merenja (Vrednost REAL)");
        Exec(db, "INSERT INTO Merenja VALUES (21.5), (22.0)");
        db.close();
    }
    WriteFile("Backup of Dudured.ido", "old backup");

    EXPECT_TRUE(BackupDatabase());
    EXPECT_TRUE(ScriptedOperator::Instance().boxes.empty());
    EXPECT_EQ(Rows("Backup of Dudured.ido"), 2);
    EXPECT_EQ(Listing(), QStringList({"Backup of Dudured.ido", "Dudured.ido"}));
}

TEST_F(BackupTest, CommittedRowsStillInTheWriteAheadLogAreInTheBackup)
{
    QSqlDatabase db = Open("main", "Dudured.ido");
    Exec(db, "PRAGMA journal_mode=WAL");
    Exec(db, "PRAGMA wal_autocheckpoint=0");
    Exec(db, "CREATE TABLE Merenja (Vrednost REAL)");
    Exec(db, "PRAGMA wal_checkpoint(TRUNCATE)");
    for (int i = 0; i < 50; ++i)
        Exec(db, QString("INSERT INTO Merenja VALUES (%1)").arg(i));
    ASSERT_GT(QFileInfo("Dudured.ido-wal").size(), 0);

    // The fault a plain file copy would have: the main file alone misses the rows.
    ASSERT_TRUE(QFile::copy("Dudured.ido", "plain copy"));
    EXPECT_EQ(Rows("plain copy"), 0);

    EXPECT_TRUE(BackupDatabase());  // while the program's connection has the file open
    EXPECT_EQ(Rows("Backup of Dudured.ido"), 50);

    Exec(db, "INSERT INTO Merenja VALUES (99)");
    EXPECT_TRUE(BackupDatabase());
    EXPECT_EQ(Rows("Backup of Dudured.ido"), 51);

    Exec(db, "BEGIN");
    Exec(db, "INSERT INTO Merenja VALUES (100)");
    EXPECT_TRUE(BackupDatabase());  // open transaction: only committed rows
    EXPECT_EQ(Rows("Backup of Dudured.ido"), 51);
    Exec(db, "COMMIT");
    EXPECT_TRUE(ScriptedOperator::Instance().boxes.empty());
}

TEST_F(BackupTest, FailuresReportAndKeepThePreviousBackup)
{
    auto& op = ScriptedOperator::Instance();

    // No database at all.
    EXPECT_FALSE(BackupDatabase());
    ASSERT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(op.boxes[0].text, kBackupFailed);
    EXPECT_EQ(op.boxes[0].icon, BoxIcon::Error);
    EXPECT_EQ(Listing(), QStringList());

    // A file that is not a database is not copied over a good backup.
    op.Clear();
    WriteFile("Dudured.ido", "not a database");
    WriteFile("Backup of Dudured.ido", "good old backup");
    EXPECT_FALSE(BackupDatabase());
    EXPECT_TRUE(op.Saw(kBackupFailed));
    EXPECT_EQ(ReadFile("Backup of Dudured.ido"), "good old backup");

    // Unreadable database with a pending log: a byte copy could be inconsistent, so none is made.
    op.Clear();
    WriteFile("Dudured.ido", QByteArray(8192, 'x'));
    WriteFile("Dudured.ido-wal", QByteArray(8192, 'y'));
    WriteFile("Backup of Dudured.ido", "good old backup");
    EXPECT_FALSE(BackupDatabase());
    EXPECT_TRUE(op.Saw(kBackupFailed));
    EXPECT_EQ(ReadFile("Backup of Dudured.ido"), "good old backup");
    EXPECT_EQ(Listing().filter("Backup of Dudured.ido."), QStringList());  // no partial copy left

    // The backup name is taken by a folder: the copy cannot replace it.
    op.Clear();
    QFile::remove("Dudured.ido-wal");
    QFile::remove("Backup of Dudured.ido");
    ASSERT_TRUE(QDir().mkpath("Backup of Dudured.ido/keep"));
    EXPECT_FALSE(BackupDatabase());
    EXPECT_TRUE(op.Saw(kBackupFailed));
    EXPECT_TRUE(QFileInfo::exists("Backup of Dudured.ido/keep"));
    EXPECT_EQ(Listing(), QStringList({"Backup of Dudured.ido", "Dudured.ido"}));
}

TEST_F(BackupTest, AnUnwritableFolderIsReported)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind root";
    WriteFile("Dudured.ido", "data");
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool ok = BackupDatabase();
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(ScriptedOperator::Instance().Saw(kBackupFailed));
}

}  // namespace
