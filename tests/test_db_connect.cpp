// Opening the database: every kind of bad file gives an error that names the file and the
// problem, nothing crashes, and the file is left as it was.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <unistd.h>

#include "db/DataModule.h"
#include "db/DbError.h"
#include "support/TempDatabase.h"

using namespace tarvo;
using tarvo::test::TempDatabase;

namespace {

QByteArray Hash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

// The error text of connecting to path, or "" when it connects.
QString ConnectError(TDModule& db, const QString& path)
{
    ConnectOptions quick;
    quick.LockCheckMs = 50;
    quick.BusyTimeoutMs = 50;
    try {
        db.Connect(path, quick);
        return {};
    } catch (const DbError& e) {
        EXPECT_FALSE(db.IsConnected());
        EXPECT_FALSE(db.ADOTableGrupe.IsOpen());
        return e.Text();
    }
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Runs tarvo-dbwriter --check as an ordinary user (root may write anything).
QString CheckAsUser(const QString& path)
{
    QProcess p;
    const QString tool = QStringLiteral(TARVO_BIN_DIR "/tarvo-dbwriter");
    if (geteuid() == 0)
        p.start(QStringLiteral("setpriv"), {"--reuid=65534", "--regid=65534", "--clear-groups", tool, "--check", path});
    else
        p.start(tool, {"--check", path});
    EXPECT_TRUE(p.waitForFinished(30000));
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

}  // namespace

TEST(Connect, BadFilesAreNamedAndLeftAlone)
{
    struct Case {
        const char* name;
        std::function<void(TempDatabase&)> spoil;
        QString problem;
    } cases[] = {
        {"missing table", [](TempDatabase& f) { f.Exec("DROP TABLE Kanali"); }, "table Kanali is missing"},
        {"missing column", [](TempDatabase& f) { f.Exec("ALTER TABLE ColorTable DROP COLUMN Name"); },
         "table ColorTable has no column Name"},
        {"no stored queries", [](TempDatabase& f) { f.Exec("DROP TABLE StoredQueries"); },
         "table StoredQueries is missing"},
        {"missing stored query", [](TempDatabase& f) { f.Exec("DELETE FROM StoredQueries WHERE Name = 'Arhiviraj'"); },
         "stored query Arhiviraj is missing"},
        {"broken stored query",
         [](TempDatabase& f) { f.Exec("UPDATE StoredQueries SET Sql = 'SELECT x FROM Nowhere' WHERE Name = 'Query3'"); },
         "stored query Query3 does not run (no such table: Nowhere)"},
        {"not a database", [](TempDatabase& f) { WriteFile(f.Path(), QByteArray(8192, 'x')); }, "is not a database"},
        {"empty file", [](TempDatabase& f) { WriteFile(f.Path(), {}); }, "is not a database (the file is empty)"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDatabase file;
        c.spoil(file);
        const QByteArray before = Hash(file.Path());
        TDModule db;
        EXPECT_EQ(ConnectError(db, file.Path()), file.Path() + ": " + c.problem);
        EXPECT_EQ(Hash(file.Path()), before);
    }
}

TEST(Connect, MissingFileIsNotCreated)
{
    TempDatabase file;
    TDModule db;
    const QString missing = file.Dir() + "/Other.ido";
    EXPECT_EQ(ConnectError(db, missing), missing + ": the file does not exist");
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(ConnectError(db, file.Dir()), file.Dir() + ": is not a file");

    // Start-up opens "Dudured.ido" of the current folder and names it so.
    const QString keep = QDir::currentPath();
    QTemporaryDir empty;
    QDir::setCurrent(empty.path());
    QString error;
    try {
        db.Connect();
    } catch (const DbError& e) {
        error = e.Text();
    }
    QDir::setCurrent(file.Dir());
    EXPECT_NO_THROW(db.Connect());
    QDir::setCurrent(keep);
    EXPECT_EQ(error, "Dudured.ido: the file does not exist");
    EXPECT_TRUE(db.IsConnected());
}

TEST(Connect, LockedByAnotherProgram)
{
    for (const char* lock : {"BEGIN IMMEDIATE", "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE"}) {
        SCOPED_TRACE(lock);
        TempDatabase file;
        file.Exec("INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) VALUES (1, 1, 1, 0, 0)");
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
            other.setDatabaseName(file.Path());
            ASSERT_TRUE(other.open());
            QSqlQuery q(other);
            for (const QString& sql : QString(lock).split("; "))
                ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
            if (QString(lock).contains("EXCLUSIVE")) {
                ASSERT_TRUE(q.exec("INSERT INTO Grupe (Naziv) VALUES ('x')"));
            }

            TDModule db;
            EXPECT_EQ(ConnectError(db, file.Path()), file.Path() + ": is locked by another program");
            q.exec("ROLLBACK");
            q = QSqlQuery();
            other.close();
        }
        QSqlDatabase::removeDatabase("other");
        // Once the other program lets go, the file opens with its rows intact.
        TDModule db;
        EXPECT_EQ(ConnectError(db, file.Path()), "");
        EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM Merenja").toInt(), 1);
    }
}

TEST(Connect, ReadOnlyFileAndFolder)
{
    TempDatabase file;
    ASSERT_TRUE(QFile::setPermissions(file.Dir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
    const QByteArray before = Hash(file.Path());

    QFile::setPermissions(file.Path(), QFile::ReadOwner | QFile::ReadOther);
    EXPECT_EQ(CheckAsUser(file.Path()), file.Path() + ": is read-only");

    // The file writable but its folder not: the write-ahead log could not be made.
    QFile::setPermissions(file.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    EXPECT_EQ(CheckAsUser(file.Path()), file.Path() + ": is in a read-only folder");
    EXPECT_EQ(Hash(file.Path()), before);

    // With both writable the same file opens.
    QFile::setPermissions(file.Dir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::WriteOther | QFile::ExeOther);
    EXPECT_EQ(CheckAsUser(file.Path()), "ok");
}

TEST(Connect, AfterAFailureTheNextFileOpens)
{
    TempDatabase good;
    TempDatabase bad;
    bad.Exec("DROP TABLE Mreza");
    TDModule db;
    EXPECT_NE(ConnectError(db, bad.Path()), "");
    EXPECT_EQ(ConnectError(db, good.Path()), "");
    EXPECT_EQ(db.ADOTableMreza.RecordCount(), 6);
}
