// A snapshot data set with a cursor: the rows are fetched when it is opened or refreshed and
// do not change until then. Fields are read by name (without regard to case); lookup fields
// take their value on read from another data set's current snapshot, so a key without a
// match reads as null (empty text, 0). The current row can be edited and posted back.
//
// Cursor: First/Next/Prior/Last move over the rows; Eof() is true on an empty set or after
// Next from the last row, which stays current, so `for (First(); !Eof(); Next())` visits
// every row. Reading a field with no current row gives null; of a closed set, an error.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>
#include <vector>

namespace tarvo {

class TConnection;

class TDataSet : public QObject {
public:
    TDataSet(TConnection& connection, const QString& objectName, QObject* parent = nullptr);
    ~TDataSet() override;

    TConnection& Connection() const { return connection_; }

    void Open();     // no-op when already open
    void Close();    // discards an edit in progress
    void Refresh();  // fetches again, staying on the same row number where it still exists
    bool IsOpen() const { return open_; }
    bool IsEmpty() const { return RecordCount() == 0; }

    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const;
    bool Bof() const;
    int RecordCount() const;
    int RecNo() const { return current_; }  // 0-based current row, -1 without one
    void MoveTo(int row);
    // Moves to the first row whose field equals value; false (and no move) when none does.
    bool Locate(const QString& field, const QVariant& value);

    QStringList FieldNames() const;  // columns, then lookup fields
    bool HasField(const QString& name) const;
    QVariant Field(const QString& name) const;
    int AsInt(const QString& name) const;
    double AsFloat(const QString& name) const;
    QString AsString(const QString& name) const;
    bool AsBool(const QString& name) const;
    QDateTime AsDateTime(const QString& name) const;  // day count of the field, DayTime.h

    // Editing the current row: Edit, SetField for columns, then Post (or Cancel). Moving to
    // another row or refreshing posts an edit in progress first.
    void Edit();
    void SetField(const QString& name, const QVariant& value);
    void Post();
    void Cancel();
    bool IsEditing() const { return editing_; }

    // Lookup field `name`: the value of `resultField` in the row of `source` whose
    // `sourceKey` equals this set's `keyField` (which may itself be a lookup field).
    enum class LookupAs { Value, Integer };
    void AddLookup(const QString& name, const QString& keyField, TDataSet& source,
                   const QString& sourceKey, const QString& resultField, LookupAs as = LookupAs::Value);
    // Value of resultField in the first row whose keyField equals key; null without a match
    // or when this set is closed.
    QVariant LookupValue(const QString& keyField, const QVariant& key, const QString& resultField) const;

    // Called after the current row changes: a move, an open, a refresh, a close.
    int AddRowListener(std::function<void()> listener);
    void RemoveRowListener(int id);

protected:
    struct Result {
        QStringList Columns;
        std::vector<QVariant> Cells;  // row after row
    };
    virtual Result Fetch() = 0;
    // Stores an edited row; before/after hold one value per column.
    virtual void PostRow(const QStringList& columns, const std::vector<QVariant>& before,
                         const std::vector<QVariant>& after);
    // Fetches again; keepRow false goes to the first row.
    void Requery(bool keepRow);
    // "<what>: <problem>", thrown as DbError.
    [[noreturn]] void Fail(const QString& problem) const;
    virtual QString What() const { return objectName(); }

private:
    struct Lookup {
        QString KeyField;
        TDataSet* Source;
        QString SourceKey;
        QString ResultField;
        LookupAs As;
    };
    int ColumnIndex(const QString& name) const;  // -1 when not a column
    const QVariant& Cell(int row, int column) const;
    QVariant FieldAt(int row, const QString& name) const;
    void SetCurrent(int row);
    void NotifyRow();
    void CheckOpen() const;
    void PostIfEditing();
    void Load(const Result& result, int row);

    TConnection& connection_;
    bool open_ = false;
    QStringList columns_;
    QHash<QString, int> columnIndex_;  // lower-case name -> column
    std::vector<QVariant> cells_;
    int current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    bool editing_ = false;
    std::vector<QVariant> edit_;
    QStringList lookupNames_;
    QHash<QString, Lookup> lookups_;  // lower-case name -> lookup
    mutable QHash<QString, QHash<QString, int>> keyIndex_;  // field -> key -> first row
    std::map<int, std::function<void()>> listeners_;
    int nextListener_ = 0;
};

}  // namespace tarvo
