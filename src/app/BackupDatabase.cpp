#include "app/BackupDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

#include "device/Operator.h"
#include "dialogs/Strings.h"

namespace tarvo {

namespace {

const QString kDatabase = QStringLiteral("Dudured.ido");
const QString kBackup = QStringLiteral("Backup of Dudured.ido");
const QString kDriver = QStringLiteral("QSQLITE");

// A consistent copy of everything committed, write-ahead log included. The target must be
// empty or absent.
bool VacuumInto(const QSqlDatabase& db, const QString& target)
{
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("VACUUM INTO ?")))
        return false;
    query.addBindValue(target);
    return query.exec();
}

bool ThroughConnection(const QString& name, const QString& source, const QString& target)
{
    if (name.isEmpty() || !QSqlDatabase::contains(name))
        return false;
    const QSqlDatabase db = QSqlDatabase::database(name, false);
    if (!db.isOpen() || db.driverName() != kDriver)
        return false;
    const QString open = QFileInfo(db.databaseName()).canonicalFilePath();
    if (open.isEmpty() || open != QFileInfo(source).canonicalFilePath())
        return false;
    return VacuumInto(db, target);
}

bool ThroughOwnConnection(const QString& source, const QString& target)
{
    if (!QSqlDatabase::isDriverAvailable(kDriver))
        return false;
    const QString name = QStringLiteral("tarvo-backup");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, name);
        db.setDatabaseName(source);
        ok = db.open() && VacuumInto(db, target);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// A write-ahead log or rollback journal with content: the main file alone may not hold
// every committed transaction, or may hold half of an unfinished one.
bool JournalPending(const QString& source)
{
    return QFileInfo(source + QStringLiteral("-wal")).size() > 0
        || QFileInfo(source + QStringLiteral("-journal")).size() > 0;
}

bool CopyBytes(const QString& source, const QString& target)
{
    QFile in(source);
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    char buffer[64 * 1024];
    qint64 n = 0;
    while ((n = in.read(buffer, sizeof buffer)) > 0) {
        if (out.write(buffer, n) != n)
            return false;
    }
    return n == 0 && out.flush();
}

// The copy reaches the disk before it replaces the old backup.
bool SyncFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && ::fsync(file.handle()) == 0;
}

bool MakeBackup(const QString& connectionName)
{
    const QDir dir = QDir::current();
    const QString source = dir.absoluteFilePath(kDatabase);
    const QString backup = dir.absoluteFilePath(kBackup);
    if (!QFileInfo(source).isFile())
        return false;

    // Build the copy beside the backup and swap it in only when complete, so a failed run
    // leaves the previous backup intact.
    QTemporaryFile part(backup + QStringLiteral(".XXXXXX"));
    if (!part.open())
        return false;
    part.close();
    const QString partName = part.fileName();
    const bool pending = JournalPending(source);  // before SQLite may tidy the log away

    bool copied = ThroughConnection(connectionName, source, partName);
    if (!copied) {
        QFile::resize(partName, 0);
        copied = ThroughOwnConnection(source, partName);
    }
    if (!copied && !pending)
        copied = CopyBytes(source, partName);
    if (!copied || !SyncFile(partName))
        return false;

    QFile::setPermissions(partName, QFileInfo(source).permissions());
    if (std::rename(QFile::encodeName(partName).constData(), QFile::encodeName(backup).constData()) != 0)
        return false;
    part.setAutoRemove(false);
    return true;
}

}  // namespace

bool BackupDatabase(const QString& connectionName)
{
    try {
        if (MakeBackup(connectionName))
            return true;
        Op().Message(StrMsg(StrErrorBackup1), {}, BoxIcon::Error);
    } catch (...) {
        Op().Message(StrMsg(StrErrorBaza1), {}, BoxIcon::Error);
    }
    return false;
}

}  // namespace tarvo
