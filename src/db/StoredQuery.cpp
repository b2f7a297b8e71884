#include "db/StoredQuery.h"

#include <QSqlError>
#include <QSqlRecord>

#include "db/Connection.h"
#include "db/DayTime.h"
#include "db/DbError.h"

namespace tarvo {

namespace {

bool IsNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Index just past a quoted run that starts at i with the quote character q ('' doubles it).
qsizetype SkipQuoted(const QString& s, qsizetype i, QChar q)
{
    for (++i; i < s.size(); ++i) {
        if (s[i] == q) {
            if (i + 1 < s.size() && s[i + 1] == q)
                ++i;
            else
                return i + 1;
        }
    }
    return s.size();
}

QVariant ToDatabase(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return DaysFromDateTime(value.toDateTime());
    if (value.typeId() == QMetaType::QDate)
        return DaysFromDateTime(value.toDate().startOfDay());
    return value;
}

}  // namespace

ParsedSql::ParsedSql(const QString& text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        qsizetype next = i + 1;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            next = SkipQuoted(text, i, c);
        } else if (c == QLatin1Char('-') && i + 1 < n && text[i + 1] == QLatin1Char('-')) {
            next = text.indexOf(QLatin1Char('\n'), i);
            next = next < 0 ? n : next;
        } else if (c == QLatin1Char('/') && i + 1 < n && text[i + 1] == QLatin1Char('*')) {
            next = text.indexOf(QStringLiteral("*/"), i + 2);
            next = next < 0 ? n : next + 2;
        } else if (c == QLatin1Char(':') && i + 1 < n && text[i + 1] == QLatin1Char(':')) {
            next = i + 2;
        } else if (c == QLatin1Char(':') && i + 1 < n && IsNameStart(text[i + 1])) {
            qsizetype end = i + 2;
            while (end < n && IsNameChar(text[end]))
                ++end;
            Params << text.mid(i + 1, end - i - 1).toLower();
            Sql += QLatin1Char('?');
            i = end;
            continue;
        }
        Sql += text.mid(i, next - i);
        i = next;
    }
}

TStoredQuery::TStoredQuery(TConnection& connection, const QString& objectName, const QString& queryName,
                           QObject* parent)
    : TDataSet(connection, objectName, parent), name_(queryName)
{
}

bool TStoredQuery::IsPrepared() const
{
    return generation_ == Connection().Generation() && Connection().IsOpen();
}

void TStoredQuery::Prepare()
{
    if (IsPrepared())
        return;
    if (!Connection().IsOpen())
        Fail(QStringLiteral("the database is not open"));
    const schema::StoredQuery& text = Connection().Query(name_);
    std::vector<Step> steps;
    QVariantHash params;
    for (const QString& sql : text.Steps) {
        Step step{ParsedSql(sql), QSqlQuery(Connection().Database())};
        step.Query.setForwardOnly(true);
        if (!step.Query.prepare(step.Parsed.Sql))
            Fail(step.Query.lastError().databaseText());
        for (const QString& p : step.Parsed.Params)
            params.insert(p, params_.value(p));  // keeps values set before
        steps.push_back(std::move(step));
    }
    if (steps.empty())
        Fail(QStringLiteral("the stored query has no statement"));
    steps_ = std::move(steps);
    params_ = std::move(params);
    post_ = ParsedSql(text.Post);
    generation_ = Connection().Generation();
}

QStringList TStoredQuery::ParamNames() const { return params_.keys(); }

void TStoredQuery::SetParam(const QString& name, const QVariant& value)
{
    Prepare();
    auto it = params_.find(name.toLower());
    if (it == params_.end())
        Fail(QStringLiteral("there is no parameter %1").arg(name));
    *it = value;
}

QVariant TStoredQuery::Param(const QString& name) const { return params_.value(name.toLower()); }

void TStoredQuery::Bind(QSqlQuery& query, const ParsedSql& parsed, const QVariantHash& values)
{
    for (int i = 0; i < parsed.Params.size(); ++i)
        query.bindValue(i, ToDatabase(values.value(parsed.Params[i])));
}

QSqlQuery& TStoredQuery::Exec(Step& step)
{
    Bind(step.Query, step.Parsed, params_);
    if (!step.Query.exec()) {
        const QString message = step.Query.lastError().databaseText();
        step.Query.finish();
        Fail(message);
    }
    return step.Query;
}

void TStoredQuery::Run(Result* rows)
{
    Prepare();
    const bool several = steps_.size() > 1;
    if (several)
        Connection().Begin();
    try {
        for (Step& step : steps_) {
            QSqlQuery& q = Exec(step);
            rowsAffected_ = q.numRowsAffected();
            if (rows && &step == &steps_.back()) {
                const QSqlRecord record = q.record();
                for (int i = 0; i < record.count(); ++i)
                    rows->Columns << record.fieldName(i);
                const int n = record.count();
                while (q.next()) {
                    for (int i = 0; i < n; ++i)
                        rows->Cells.push_back(q.value(i));
                }
            }
            q.finish();  // ends the statement's read, so it holds no snapshot open
        }
    } catch (...) {
        if (several)
            Connection().Rollback();
        throw;
    }
    if (several)
        Connection().Commit();
}

void TStoredQuery::ExecSQL() { Run(nullptr); }

TDataSet::Result TStoredQuery::Fetch()
{
    Result rows;
    Run(&rows);
    return rows;
}

void TStoredQuery::PostRow(const QStringList& columns, const std::vector<QVariant>& before,
                           const std::vector<QVariant>& after)
{
    if (post_.Sql.isEmpty())
        Fail(QStringLiteral("the rows cannot be changed"));
    QVariantHash values;
    for (int i = 0; i < columns.size(); ++i) {
        values.insert(columns[i].toLower(), after[size_t(i)]);
        values.insert(QStringLiteral("old_") + columns[i].toLower(), before[size_t(i)]);
    }
    QSqlQuery q(Connection().Database());
    if (!q.prepare(post_.Sql))
        Fail(q.lastError().databaseText());
    for (const QString& p : post_.Params) {
        if (!values.contains(p))
            Fail(QStringLiteral("the row has no field for parameter %1").arg(p));
    }
    Bind(q, post_, values);
    if (!q.exec())
        Fail(q.lastError().databaseText());
    if (q.numRowsAffected() == 0)
        Fail(QStringLiteral("the row cannot be found for updating; it may have been changed since it was read"));
}

}  // namespace tarvo
