// Everything that is particular to the database engine (SQLite today): the tables with their
// columns and indexes, the texts of the stored queries, and the few statements and error
// codes the connection needs. A second engine means a second version of this file, not a
// second program.
//
// Measurement store and archive:
// - Merenja holds the rows InsertMerenje appends (ID autoincrement, never reused, so it orders
//   rows by insertion). Indexed by (ID_Value, Vreme) for SelectMerenja, by Vreme for pruning,
//   and by a partial index over the temporary rows for DeletePrivremene.
// - ArhivaMerenja is clustered by (ID_Value, Vreme, ID): a report reads one contiguous range.
// - ArhivaStanje keeps the highest Merenja.ID that Arhiviraj has looked at. Arhiviraj copies
//   the permanent rows above it, moves it up, and then drops permanent rows that are archived
//   and older than LiveDays from Merenja; so its cost follows the rows written since its last
//   run, never the history. The watermark is the row ID, not the time, so a clock that steps
//   back (daylight saving, a corrected clock) cannot hide a row from the archive.
// - Time stamps are julianday('now','localtime') - 2415018.5: days since 30/12/1899 in local
//   time, the scale of DayTime.h.
#pragma once

#include <QSqlError>
#include <QString>
#include <QStringList>
#include <vector>

namespace tarvo::schema {

// Column kinds as the program sees them.
enum class ColType {
    Auto,      // 32-bit key numbered by the database, never reused
    Key16,     // 16-bit key, numbered by the database when left empty
    Int16,
    Int32,
    Float,     // 64-bit floating point
    Text,      // Unicode text of at most Length characters
    Memo,      // long text
    Bool,
    DateTime,  // day count, DayTime.h
};

struct Column {
    const char* Name;
    ColType Type;
    int Length = 0;            // Text only
    const char* Extra = "";    // further constraints (NOT NULL, DEFAULT ...)
};

struct Table {
    const char* Name;
    std::vector<Column> Columns;
    const char* Tail = "";     // table constraints after the columns
    const char* Options = "";  // after the closing parenthesis
};

struct StoredQuery {
    QString Name;
    QStringList Steps;  // run in order, in one transaction; the last one gives the rows
    QString Post;       // statement that posts an edited row back (empty: read-only)
};

// Live permanent rows older than this many days are dropped once archived.
constexpr int LiveDays = 7;

// Every table of the database, the stored-query table included.
const std::vector<Table>& Tables();
QString CreateTableSql(const Table& table);
QStringList CreateIndexSql();

// The table that holds the stored queries: one row per statement.
extern const char* const QueryTable;  // "StoredQueries"
QString InsertQuerySql();  // parameters :name, :step, :role, :sql

// Every stored query of the database, and the names of the ones the program runs.
const std::vector<StoredQuery>& StoredQueries();
QStringList RequiredQueries();

// Engine and connection.
extern const char* const Driver;              // Qt driver name
QString ConnectOptions(int busyTimeoutMs);
QString ProbeSql();                           // fails when the file is not a database
QString BusyTimeoutSql(int ms);
QString BeginWriteSql();                      // a transaction that takes the write lock at once
QStringList SessionSql();                     // run on every new connection
QString WalSql();                             // turns write-ahead logging on; returns "wal"
QString IntegrityCheckSql();                  // returns one row "ok" when sound
QString BackupSql();                          // writes a complete copy to the file named by ?

enum class Failure { Other, NotADatabase, Locked, ReadOnly, Damaged, CannotOpen };
Failure Classify(const QSqlError& error);

}  // namespace tarvo::schema
