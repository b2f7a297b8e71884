#include "support/TempDatabase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "db/DbError.h"
#include "db/DbInit.h"

namespace tarvo::test {

namespace {

// Runs fn on a fresh connection to path and closes it again.
template <class F>
auto WithConnection(const QString& path, F fn)
{
    static int counter = 0;
    const QString name = QStringLiteral("tempdb-%1").arg(++counter);
    struct Remove {
        QString name;
        ~Remove() { QSqlDatabase::removeDatabase(name); }
    } remove{name};
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        throw DbError(db.lastError().text());
    QSqlQuery q(db);
    auto result = fn(q);
    q = QSqlQuery();
    db.close();
    return result;
}

}  // namespace

TempDatabase::TempDatabase(bool demo) : path_(dir_.filePath(QStringLiteral("Dudured.ido")))
{
    dbinit::CreateDatabase(path_, demo, false);
}

void TempDatabase::Exec(const QString& sql) const
{
    WithConnection(path_, [&](QSqlQuery& q) {
        if (!q.exec(sql))
            throw DbError(sql + QStringLiteral(": ") + q.lastError().databaseText());
        return 0;
    });
}

QVariant TempDatabase::Scalar(const QString& sql) const
{
    return WithConnection(path_, [&](QSqlQuery& q) {
        if (!q.exec(sql))
            throw DbError(sql + QStringLiteral(": ") + q.lastError().databaseText());
        return q.next() ? q.value(0) : QVariant();
    });
}

}  // namespace tarvo::test
