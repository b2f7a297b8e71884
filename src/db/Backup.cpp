#include "db/Backup.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>
#include <unistd.h>

#include "db/DbError.h"
#include "db/Schema.h"

namespace tarvo {

namespace {

void RemoveWithLog(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
}

// The copy reaches the disk before it replaces the old one.
bool SyncFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && ::fsync(file.handle()) == 0;
}

}  // namespace

void CopyDatabase(const QString& source, const QString& target)
{
    if (!QFileInfo(source).isFile())
        throw DbError(source + QStringLiteral(": the file does not exist"));
    static QAtomicInt counter;
    const QString name = QStringLiteral("tarvo-backup-%1").arg(counter.fetchAndAddRelaxed(1));
    const QString temp = target + QStringLiteral(".part");
    RemoveWithLog(temp);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(schema::Driver, name);
        db.setDatabaseName(source);
        db.setConnectOptions(schema::ConnectOptions(5000));
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            if (!q.prepare(schema::BackupSql())) {
                error = q.lastError().databaseText();
            } else {
                q.addBindValue(temp);
                if (!q.exec())
                    error = q.lastError().databaseText();
            }
            q = QSqlQuery();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (error.isEmpty() && !SyncFile(temp))
        error = QStringLiteral("the copy cannot be written to disk as ") + temp;
    if (error.isEmpty()) {
        // The old backup's log would not belong to the new file.
        QFile::remove(target + QStringLiteral("-wal"));
        QFile::remove(target + QStringLiteral("-shm"));
        if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0)
            error = QStringLiteral("the copy cannot be put in place as ") + target;
    }
    if (!error.isEmpty()) {
        RemoveWithLog(temp);
        throw DbError(source + QStringLiteral(": ") + error);
    }
}

}  // namespace tarvo
