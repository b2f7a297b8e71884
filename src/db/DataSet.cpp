#include "db/DataSet.h"

#include <cmath>

#include "db/DayTime.h"
#include "db/DbError.h"

namespace tarvo {

namespace {

// Keys compare by number when both sides read as numbers (1 and 1.0 match), else by text.
QString KeyOf(const QVariant& value)
{
    if (value.isNull())
        return {};
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (ok) {
        if (d == std::floor(d) && std::fabs(d) < 1e15)
            return QString::number(qint64(d));
        return QString::number(d, 'g', 17);
    }
    return QLatin1Char('\'') + value.toString();
}

}  // namespace

TDataSet::TDataSet(TConnection& connection, const QString& objectName, QObject* parent)
    : QObject(parent), connection_(connection)
{
    setObjectName(objectName);
}

TDataSet::~TDataSet() = default;

void TDataSet::Fail(const QString& problem) const { throw DbError(What() + QStringLiteral(": ") + problem); }

void TDataSet::CheckOpen() const
{
    if (!open_)
        Fail(QStringLiteral("the data set is closed"));
}

void TDataSet::Load(const Result& result, int row)
{
    columns_ = result.Columns;
    columnIndex_.clear();
    for (int i = 0; i < columns_.size(); ++i)
        columnIndex_.insert(columns_[i].toLower(), i);
    cells_ = result.Cells;
    keyIndex_.clear();
    editing_ = false;
    open_ = true;
    const int count = RecordCount();
    current_ = count == 0 ? -1 : qBound(0, row, count - 1);
    eof_ = bof_ = count == 0;
}

void TDataSet::Open()
{
    if (open_)
        return;
    Load(Fetch(), 0);
    NotifyRow();
}

void TDataSet::Close()
{
    if (!open_)
        return;
    open_ = false;
    editing_ = false;
    columns_.clear();
    columnIndex_.clear();
    cells_.clear();
    keyIndex_.clear();
    current_ = -1;
    eof_ = bof_ = true;
    NotifyRow();
}

void TDataSet::Refresh()
{
    CheckOpen();
    PostIfEditing();
    Requery(true);
}

void TDataSet::Requery(bool keepRow)
{
    Result result = Fetch();
    Load(result, keepRow ? current_ : 0);
    NotifyRow();
}

int TDataSet::RecordCount() const { return columns_.isEmpty() ? 0 : int(cells_.size() / size_t(columns_.size())); }

bool TDataSet::Eof() const { return !open_ || eof_; }
bool TDataSet::Bof() const { return !open_ || bof_; }

void TDataSet::SetCurrent(int row)
{
    if (row == current_)
        return;
    PostIfEditing();
    current_ = row;
    NotifyRow();
}

void TDataSet::First()
{
    CheckOpen();
    const bool empty = IsEmpty();
    SetCurrent(empty ? -1 : 0);
    eof_ = empty;
    bof_ = true;
}

void TDataSet::Last()
{
    CheckOpen();
    const bool empty = IsEmpty();
    SetCurrent(RecordCount() - 1);
    eof_ = empty;
    bof_ = empty;
}

void TDataSet::Next()
{
    CheckOpen();
    if (current_ + 1 < RecordCount()) {
        SetCurrent(current_ + 1);
        bof_ = false;
    } else {
        PostIfEditing();
        eof_ = true;
    }
}

void TDataSet::Prior()
{
    CheckOpen();
    if (current_ > 0) {
        SetCurrent(current_ - 1);
        eof_ = false;
    } else {
        PostIfEditing();
        bof_ = true;
    }
}

void TDataSet::MoveTo(int row)
{
    CheckOpen();
    if (row < 0 || row >= RecordCount())
        Fail(QStringLiteral("there is no row %1").arg(row));
    SetCurrent(row);
    eof_ = bof_ = false;
}

bool TDataSet::Locate(const QString& field, const QVariant& value)
{
    CheckOpen();
    if (!HasField(field))
        Fail(QStringLiteral("there is no field %1").arg(field));
    const QString key = KeyOf(value);
    if (key.isEmpty())
        return false;
    for (int row = 0; row < RecordCount(); ++row) {
        if (KeyOf(FieldAt(row, field)) == key) {
            MoveTo(row);
            return true;
        }
    }
    return false;
}

int TDataSet::ColumnIndex(const QString& name) const { return columnIndex_.value(name.toLower(), -1); }

const QVariant& TDataSet::Cell(int row, int column) const
{
    return cells_[size_t(row) * size_t(columns_.size()) + size_t(column)];
}

QStringList TDataSet::FieldNames() const { return columns_ + lookupNames_; }

bool TDataSet::HasField(const QString& name) const
{
    return ColumnIndex(name) >= 0 || lookups_.contains(name.toLower());
}

QVariant TDataSet::Field(const QString& name) const
{
    CheckOpen();
    return FieldAt(current_, name);
}

QVariant TDataSet::FieldAt(int row, const QString& name) const
{
    const int column = ColumnIndex(name);
    if (column >= 0) {
        if (row < 0)
            return {};
        return editing_ && row == current_ ? edit_[size_t(column)] : Cell(row, column);
    }
    auto it = lookups_.constFind(name.toLower());
    if (it == lookups_.constEnd())
        Fail(QStringLiteral("there is no field %1").arg(name));
    const Lookup& lookup = *it;
    const QVariant value = lookup.Source->LookupValue(lookup.SourceKey, FieldAt(row, lookup.KeyField), lookup.ResultField);
    if (lookup.As == LookupAs::Integer && !value.isNull())
        return QVariant(int(std::lround(value.toDouble())));
    return value;
}

QVariant TDataSet::LookupValue(const QString& keyField, const QVariant& key, const QString& resultField) const
{
    if (!open_)
        return {};
    const QString wanted = KeyOf(key);
    if (wanted.isEmpty())
        return {};
    const int keyColumn = ColumnIndex(keyField);
    const int resultColumn = ColumnIndex(resultField);
    if (keyColumn < 0 || resultColumn < 0)
        Fail(QStringLiteral("there is no field %1").arg(keyColumn < 0 ? keyField : resultField));
    auto index = keyIndex_.find(keyField.toLower());
    if (index == keyIndex_.end()) {
        index = keyIndex_.insert(keyField.toLower(), {});
        for (int row = RecordCount() - 1; row >= 0; --row)  // backwards: the first row wins
            index->insert(KeyOf(Cell(row, keyColumn)), row);
    }
    auto hit = index->constFind(wanted);
    return hit == index->constEnd() ? QVariant() : Cell(*hit, resultColumn);
}

int TDataSet::AsInt(const QString& name) const
{
    const QVariant v = Field(name);
    if (v.isNull())
        return 0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        Fail(QStringLiteral("'%1' of field %2 is not a number").arg(v.toString(), name));
    return int(std::lround(d));
}

double TDataSet::AsFloat(const QString& name) const
{
    const QVariant v = Field(name);
    if (v.isNull())
        return 0.0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok)
        Fail(QStringLiteral("'%1' of field %2 is not a number").arg(v.toString(), name));
    return d;
}

QString TDataSet::AsString(const QString& name) const
{
    const QVariant v = Field(name);
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

bool TDataSet::AsBool(const QString& name) const
{
    const QVariant v = Field(name);
    if (v.isNull())
        return false;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok)
        return d != 0.0;
    return v.toString().compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
}

QDateTime TDataSet::AsDateTime(const QString& name) const { return DateTimeFromDays(AsFloat(name)); }

void TDataSet::Edit()
{
    CheckOpen();
    if (editing_)
        return;
    if (current_ < 0)
        Fail(QStringLiteral("there is no row to edit"));
    const size_t n = size_t(columns_.size());
    edit_.assign(cells_.begin() + long(size_t(current_) * n), cells_.begin() + long(size_t(current_ + 1) * n));
    editing_ = true;
}

void TDataSet::SetField(const QString& name, const QVariant& value)
{
    if (!editing_)
        Fail(QStringLiteral("the data set is not being edited"));
    const int column = ColumnIndex(name);
    if (column < 0)
        Fail(HasField(name) ? QStringLiteral("field %1 cannot be changed").arg(name)
                            : QStringLiteral("there is no field %1").arg(name));
    edit_[size_t(column)] = value;
}

void TDataSet::Post()
{
    if (!editing_)
        return;
    const size_t n = size_t(columns_.size());
    const auto first = cells_.begin() + long(size_t(current_) * n);
    std::vector<QVariant> before(first, first + long(n));
    if (before != edit_)
        PostRow(columns_, before, edit_);
    std::copy(edit_.begin(), edit_.end(), first);
    editing_ = false;
    keyIndex_.clear();
}

void TDataSet::Cancel() { editing_ = false; }

void TDataSet::PostIfEditing()
{
    if (editing_)
        Post();
}

void TDataSet::PostRow(const QStringList&, const std::vector<QVariant>&, const std::vector<QVariant>&)
{
    Fail(QStringLiteral("the rows cannot be changed"));
}

void TDataSet::AddLookup(const QString& name, const QString& keyField, TDataSet& source,
                         const QString& sourceKey, const QString& resultField, LookupAs as)
{
    lookupNames_ << name;
    lookups_.insert(name.toLower(), Lookup{keyField, &source, sourceKey, resultField, as});
}

int TDataSet::AddRowListener(std::function<void()> listener)
{
    listeners_.emplace(nextListener_, std::move(listener));
    return nextListener_++;
}

void TDataSet::RemoveRowListener(int id) { listeners_.erase(id); }

void TDataSet::NotifyRow()
{
    for (auto& [id, listener] : listeners_)
        listener();
}

}  // namespace tarvo
