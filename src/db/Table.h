// A data set over one table, optionally ordered and optionally the detail of another data
// set: then it holds only the rows whose detail field equals the master's field on the
// master's current row, and follows the master as it moves. An edited row is posted back
// by the table's primary key.
#pragma once

#include "db/DataSet.h"

namespace tarvo {

class TTable : public TDataSet {
public:
    TTable(TConnection& connection, const QString& objectName, const QString& tableName,
           QObject* parent = nullptr);
    ~TTable() override;

    const QString& TableName() const { return table_; }
    // Columns the rows are sorted by; the primary key breaks ties.
    void SetOrderBy(const QStringList& columns) { orderBy_ = columns; }
    void SetMaster(TDataSet& master, const QString& masterField, const QString& detailField);

protected:
    Result Fetch() override;
    void PostRow(const QStringList& columns, const std::vector<QVariant>& before,
                 const std::vector<QVariant>& after) override;
    QString What() const override { return table_; }

private:
    QString Quoted(const QString& identifier) const;
    QStringList KeyColumns() const;

    QString table_;
    QStringList orderBy_;
    TDataSet* master_ = nullptr;
    QString masterField_;
    QString detailField_;
    int listener_ = -1;
};

}  // namespace tarvo
