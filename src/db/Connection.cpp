#include "db/Connection.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include "db/DbError.h"
#include "db/StoredQuery.h"

namespace tarvo {

namespace {

QString UniqueName()
{
    static QAtomicInt counter;
    return QStringLiteral("tarvo-db-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString Problem(const QSqlError& error)
{
    switch (schema::Classify(error)) {
    case schema::Failure::NotADatabase: return QStringLiteral("is not a database");
    case schema::Failure::Locked: return QStringLiteral("is locked by another program");
    case schema::Failure::ReadOnly: return QStringLiteral("is read-only");
    case schema::Failure::Damaged: return QStringLiteral("is damaged (") + error.databaseText() + ')';
    case schema::Failure::CannotOpen: return QStringLiteral("cannot be opened (") + error.databaseText() + ')';
    case schema::Failure::Other: break;
    }
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

}  // namespace

TConnection::TConnection() : name_(UniqueName()) {}

TConnection::~TConnection()
{
    Close();
    QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase TConnection::Database() const { return QSqlDatabase::database(name_, false); }

bool TConnection::IsOpen() const { return QSqlDatabase::contains(name_) && Database().isOpen(); }

void TConnection::Close()
{
    if (QSqlDatabase::contains(name_)) {
        QSqlDatabase db = Database();
        if (db.isOpen()) {
            if (depth_ > 0)
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
    }
    depth_ = 0;
    ++generation_;
    queries_.clear();
}

void TConnection::FailOpen(const QString& problem)
{
    const QString text = path_ + QStringLiteral(": ") + problem;
    Close();
    throw DbError(text);
}

void TConnection::Open(const QString& path, const ConnectOptions& options)
{
    Close();
    path_ = path;
    CheckFile();

    QSqlDatabase db = QSqlDatabase::contains(name_) ? Database()
                                                    : QSqlDatabase::addDatabase(schema::Driver, name_);
    db.setDatabaseName(path);
    db.setConnectOptions(schema::ConnectOptions(options.BusyTimeoutMs));
    if (!db.open())
        FailOpen(Problem(db.lastError()));

    CheckIsDatabase();
    CheckTables();
    LoadQueries();
    CheckQueries();
    CheckWritable(options);
    for (const QString& sql : schema::SessionSql())
        Exec(sql);
    ++generation_;
}

void TConnection::CheckFile()
{
    const QFileInfo file(path_);
    if (!file.exists())
        FailOpen(QStringLiteral("the file does not exist"));
    if (!file.isFile())
        FailOpen(QStringLiteral("is not a file"));
    if (!file.isReadable())
        FailOpen(QStringLiteral("cannot be read (no permission)"));
    if (file.size() == 0)
        FailOpen(QStringLiteral("is not a database (the file is empty)"));
    if (!file.isWritable())
        FailOpen(QStringLiteral("is read-only"));
    // The write-ahead log lives beside the file.
    if (!QFileInfo(file.absolutePath()).isWritable())
        FailOpen(QStringLiteral("is in a read-only folder"));
}

void TConnection::CheckIsDatabase()
{
    QSqlQuery probe(Database());
    if (!probe.exec(schema::ProbeSql()))
        FailOpen(Problem(probe.lastError()));
}

void TConnection::CheckTables()
{
    QSqlDatabase db = Database();
    QStringList present;
    for (const QString& t : db.tables())
        present << t.toLower();
    for (const schema::Table& table : schema::Tables()) {
        const QString name = QLatin1String(table.Name);
        if (!present.contains(name.toLower()))
            FailOpen(QStringLiteral("table %1 is missing").arg(name));
        const QSqlRecord record = db.record(name);
        for (const schema::Column& column : table.Columns) {
            if (record.indexOf(QLatin1String(column.Name)) < 0)
                FailOpen(QStringLiteral("table %1 has no column %2").arg(name, QLatin1String(column.Name)));
        }
    }
}

void TConnection::LoadQueries()
{
    QSqlQuery q(Database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT \"Name\", \"Role\", \"Sql\" FROM \"%1\" ORDER BY \"Name\", \"Role\", \"Step\"")
                    .arg(QLatin1String(schema::QueryTable))))
        FailOpen(QStringLiteral("the stored queries cannot be read (%1)").arg(Problem(q.lastError())));
    while (q.next()) {
        const QString name = q.value(0).toString();
        schema::StoredQuery& query = queries_[name.toLower()];
        query.Name = name;
        if (q.value(1).toString() == QLatin1String("post"))
            query.Post = q.value(2).toString();
        else
            query.Steps << q.value(2).toString();
    }
}

void TConnection::CheckQueries()
{
    for (const QString& name : schema::RequiredQueries()) {
        if (!HasQuery(name))
            FailOpen(QStringLiteral("stored query %1 is missing").arg(name));
    }
    // Every text must compile against the tables of this file.
    for (const schema::StoredQuery& query : queries_) {
        QStringList texts = query.Steps;
        if (!query.Post.isEmpty())
            texts << query.Post;
        for (const QString& text : texts) {
            QSqlQuery q(Database());
            if (!q.prepare(ParsedSql(text).Sql))
                FailOpen(QStringLiteral("stored query %1 does not run (%2)").arg(query.Name, Problem(q.lastError())));
        }
    }
}

void TConnection::CheckWritable(const ConnectOptions& options)
{
    QSqlQuery q(Database());
    q.exec(schema::BusyTimeoutSql(options.LockCheckMs));
    const bool locked = !q.exec(schema::BeginWriteSql());
    const QSqlError error = q.lastError();
    if (!locked)
        q.exec(QStringLiteral("ROLLBACK"));
    q.exec(schema::BusyTimeoutSql(options.BusyTimeoutMs));
    if (locked)
        FailOpen(Problem(error));
    // Write-ahead logging: a reader never blocks the writer, and a crash never leaves half a
    // transaction. Switching needs the file to itself, so it only happens when nobody else
    // has it open; a file made by tarvo-dbinit already has it.
    if (!q.exec(schema::WalSql()) || !q.next())
        FailOpen(Problem(q.lastError()));
}

bool TConnection::HasQuery(const QString& name) const { return queries_.contains(name.toLower()); }

const schema::StoredQuery& TConnection::Query(const QString& name) const
{
    auto it = queries_.constFind(name.toLower());
    if (it == queries_.constEnd())
        throw DbError(QStringLiteral("%1: stored query %2 is missing").arg(path_, name));
    return *it;
}

void TConnection::Exec(const QString& sql, const QString& what)
{
    QSqlQuery q(Database());
    if (!q.exec(sql))
        throw DbError((what.isEmpty() ? path_ : what) + QStringLiteral(": ") + Problem(q.lastError()));
}

void TConnection::Begin()
{
    if (!IsOpen())
        throw DbError(QStringLiteral("The database is not open"));
    Exec(depth_ == 0 ? schema::BeginWriteSql() : QStringLiteral("SAVEPOINT tarvo_%1").arg(depth_));
    ++depth_;
}

void TConnection::Commit()
{
    if (depth_ == 0)
        throw DbError(QStringLiteral("Commit without a transaction"));
    if (depth_ > 1) {
        Exec(QStringLiteral("RELEASE tarvo_%1").arg(depth_ - 1));
        --depth_;
        return;
    }
    QSqlQuery q(Database());
    if (!q.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = q.lastError();
        q.exec(QStringLiteral("ROLLBACK"));
        depth_ = 0;
        throw DbError(path_ + QStringLiteral(": ") + Problem(error));
    }
    depth_ = 0;
}

void TConnection::Rollback()
{
    if (depth_ == 0)
        return;
    --depth_;
    if (depth_ > 0) {
        Exec(QStringLiteral("ROLLBACK TO tarvo_%1").arg(depth_));
        Exec(QStringLiteral("RELEASE tarvo_%1").arg(depth_));
    } else {
        Exec(QStringLiteral("ROLLBACK"));
    }
}

}  // namespace tarvo
