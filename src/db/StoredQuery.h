// A stored query: SQL text kept in the database (table StoredQueries), run by name with named
// parameters. A parameter is written ":name" in the text and matched without regard to case;
// a name may appear several times. A query of several statements runs them in order in one
// transaction; the last statement gives the rows. Parameters never set are null; a QDateTime
// value is passed as its day count (DayTime.h).
#pragma once

#include <QSqlQuery>
#include <vector>

#include "db/DataSet.h"

namespace tarvo {

// A statement with its ":name" placeholders turned into "?" and the lower-case names in
// order. Quoted text, quoted identifiers, comments and "::" casts are left alone.
struct ParsedSql {
    ParsedSql() = default;
    explicit ParsedSql(const QString& text);
    QString Sql;
    QStringList Params;
};

class TStoredQuery : public TDataSet {
public:
    TStoredQuery(TConnection& connection, const QString& objectName, const QString& queryName,
                 QObject* parent = nullptr);

    const QString& QueryName() const { return name_; }

    // Reads the query's text from the database and prepares its statements. Running or
    // setting a parameter prepares first when needed.
    void Prepare();
    bool IsPrepared() const;

    QStringList ParamNames() const;
    void SetParam(const QString& name, const QVariant& value);  // throws for an unknown name
    QVariant Param(const QString& name) const;

    // Runs the query without a result.
    void ExecSQL();
    // Rows changed by the last statement of the last ExecSQL.
    int RowsAffected() const { return rowsAffected_; }

protected:
    Result Fetch() override;
    void PostRow(const QStringList& columns, const std::vector<QVariant>& before,
                 const std::vector<QVariant>& after) override;
    QString What() const override { return name_; }

private:
    struct Step {
        ParsedSql Parsed;
        QSqlQuery Query;
    };
    void Run(Result* rows);
    void Bind(QSqlQuery& query, const ParsedSql& parsed, const QVariantHash& values);
    QSqlQuery& Exec(Step& step);

    QString name_;
    std::vector<Step> steps_;
    ParsedSql post_;
    QVariantHash params_;  // lower-case name -> value
    int generation_ = -1;  // connection generation the statements were prepared on
    int rowsAffected_ = 0;
};

}  // namespace tarvo
