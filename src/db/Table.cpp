#include "db/Table.h"

#include <QSqlDriver>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

#include "db/Connection.h"
#include "db/DbError.h"

namespace tarvo {

TTable::TTable(TConnection& connection, const QString& objectName, const QString& tableName, QObject* parent)
    : TDataSet(connection, objectName, parent), table_(tableName)
{
}

TTable::~TTable()
{
    if (master_)
        master_->RemoveRowListener(listener_);
}

void TTable::SetMaster(TDataSet& master, const QString& masterField, const QString& detailField)
{
    if (master_)
        master_->RemoveRowListener(listener_);
    master_ = &master;
    masterField_ = masterField;
    detailField_ = detailField;
    listener_ = master.AddRowListener([this] {
        if (IsOpen())
            Requery(false);
    });
}

QString TTable::Quoted(const QString& identifier) const
{
    return Connection().Database().driver()->escapeIdentifier(identifier, QSqlDriver::FieldName);
}

QStringList TTable::KeyColumns() const
{
    const QSqlIndex key = Connection().Database().primaryIndex(table_);
    QStringList columns;
    for (int i = 0; i < key.count(); ++i)
        columns << key.fieldName(i);
    return columns;
}

TDataSet::Result TTable::Fetch()
{
    QSqlDatabase db = Connection().Database();
    if (!db.isOpen())
        Fail(QStringLiteral("the database is not open"));
    Result result;
    const QSqlRecord record = db.record(table_);
    if (record.isEmpty())
        Fail(QStringLiteral("the table is missing"));
    for (int i = 0; i < record.count(); ++i)
        result.Columns << record.fieldName(i);

    QVariant masterValue;
    if (master_) {
        if (!master_->IsOpen() || master_->RecNo() < 0)
            return result;  // a detail without a master row has no rows
        masterValue = master_->Field(masterField_);
        if (masterValue.isNull())
            return result;
    }

    QString sql = QStringLiteral("SELECT * FROM ") +
                  db.driver()->escapeIdentifier(table_, QSqlDriver::TableName);
    if (master_)
        sql += QStringLiteral(" WHERE ") + Quoted(detailField_) + QStringLiteral(" = ?");
    QStringList order;
    for (const QString& c : orderBy_ + KeyColumns())
        order << Quoted(c);
    order.removeDuplicates();
    if (!order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));

    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        Fail(q.lastError().databaseText());
    if (master_)
        q.addBindValue(masterValue);
    if (!q.exec())
        Fail(q.lastError().databaseText());
    const int n = int(result.Columns.size());
    while (q.next()) {
        for (int i = 0; i < n; ++i)
            result.Cells.push_back(q.value(i));
    }
    return result;
}

void TTable::PostRow(const QStringList& columns, const std::vector<QVariant>& before,
                     const std::vector<QVariant>& after)
{
    const QStringList keys = KeyColumns();
    if (keys.isEmpty())
        Fail(QStringLiteral("the table has no primary key; rows cannot be changed"));
    QStringList sets, where;
    QVariantList values;
    for (int i = 0; i < columns.size(); ++i) {
        if (before[size_t(i)] != after[size_t(i)]) {
            sets << Quoted(columns[i]) + QStringLiteral(" = ?");
            values << after[size_t(i)];
        }
    }
    for (const QString& key : keys) {
        const int i = int(columns.indexOf(key));
        where << Quoted(key) + QStringLiteral(" = ?");
        values << before[size_t(i)];
    }
    QSqlQuery q(Connection().Database());
    if (!q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                       .arg(Connection().Database().driver()->escapeIdentifier(table_, QSqlDriver::TableName),
                            sets.join(QStringLiteral(", ")), where.join(QStringLiteral(" AND ")))))
        Fail(q.lastError().databaseText());
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        Fail(q.lastError().databaseText());
    if (q.numRowsAffected() == 0)
        Fail(QStringLiteral("the row was deleted by another user"));
}

}  // namespace tarvo
