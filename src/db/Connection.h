// The connection to the measurement database: opens and validates the file, keeps the
// stored-query texts read from it, and runs transactions (nested ones become savepoints).
#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include "db/Schema.h"

namespace tarvo {

struct ConnectOptions {
    int BusyTimeoutMs = 5000;  // how long a statement waits for another writer
    int LockCheckMs = 1000;    // how long Open waits for the write lock before calling it locked
};

class TConnection {
public:
    TConnection();
    ~TConnection();
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    // Opens an existing database file and checks that the program can work with it: an
    // SQLite database with every table, column and stored query, writable and not locked.
    // Creates nothing and changes no data. Throws DbError whose text names the file and
    // the problem ("Dudured.ido: table Mreza is missing").
    void Open(const QString& path, const ConnectOptions& options = {});
    void Close();
    bool IsOpen() const;
    const QString& Path() const { return path_; }
    // Changes whenever the connection opens or closes: statements prepared before are void.
    int Generation() const { return generation_; }

    // The Qt connection (one named connection per TConnection), for the grids' SQL models.
    QSqlDatabase Database() const;

    // Transactions. The outermost takes the write lock at once; inner ones are savepoints.
    void Begin();
    void Commit();
    void Rollback();
    int Depth() const { return depth_; }

    // The stored query of that name, matched without regard to case; throws when absent.
    const schema::StoredQuery& Query(const QString& name) const;
    bool HasQuery(const QString& name) const;

    // Runs one statement that returns no rows; throws DbError with the database's message.
    void Exec(const QString& sql, const QString& what = {});

private:
    [[noreturn]] void FailOpen(const QString& problem);
    void CheckFile();
    void CheckIsDatabase();
    void CheckTables();
    void LoadQueries();
    void CheckQueries();
    void CheckWritable(const ConnectOptions& options);

    QString name_;
    QString path_;
    int depth_ = 0;
    int generation_ = 0;
    QHash<QString, schema::StoredQuery> queries_;  // keyed by lower-case name
};

}  // namespace tarvo
