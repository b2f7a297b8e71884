#include "app/ConfigGrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlIndex>
#include <QVBoxLayout>

#include "device/Operator.h"

namespace tarvo {

namespace {

const char* const kConfirmDelete = "Obrisati zapis?";

// Keys from the database and from choice lists differ in kind (int, long long, double);
// they are compared by their text.
bool SameKey(const QVariant& a, const QVariant& b)
{
    return !a.isNull() && !b.isNull() && a.toString() == b.toString();
}

// While the frame itself changes rows or moves the cursor, the moves that causes are not the
// operator's: they run no checks.
class Placing {
public:
    explicit Placing(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~Placing() { flag_ = old_; }
    Placing(const Placing&) = delete;
    Placing& operator=(const Placing&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TEditModel

TEditModel::TEditModel(const QSqlDatabase& db, const QString& table, QObject* parent)
    : QSqlTableModel(parent, db)
{
    setTable(table);
    // Rows are written one at a time, and only through Write: submit() and revert() of the
    // views do nothing.
    setEditStrategy(OnRowChange);
}

QString TEditModel::Qualified(const QString& field) const
{
    const QSqlDriver* driver = database().driver();
    return driver->escapeIdentifier(tableName(), QSqlDriver::TableName) + QLatin1Char('.') +
           driver->escapeIdentifier(field, QSqlDriver::FieldName);
}

QString TEditModel::orderByClause() const
{
    if (orderBy_.isEmpty())
        return QSqlTableModel::orderByClause();
    QStringList fields;
    for (const QString& f : orderBy_)
        fields << Qualified(f);
    return QStringLiteral("ORDER BY ") + fields.join(QStringLiteral(", "));
}

void TEditModel::SetLookup(int column, TLookup lookup) { lookups_[column] = std::move(lookup); }

int TEditModel::AddLookupColumn(int keyColumn, TLookup lookup)
{
    derived_.emplace_back(keyColumn, std::move(lookup));
    return TableColumns() + int(derived_.size()) - 1;
}

const TLookup* TEditModel::LookupOf(int column) const
{
    if (column >= TableColumns()) {
        const size_t i = size_t(column - TableColumns());
        return i < derived_.size() ? &derived_[i].second : nullptr;
    }
    const auto it = lookups_.find(column);
    return it == lookups_.end() ? nullptr : &it->second;
}

int TEditModel::KeyColumnOf(int column) const
{
    return column >= TableColumns() ? derived_[size_t(column - TableColumns())].first : column;
}

void TEditModel::SetTitle(int column, const QString& title)
{
    titles_[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void TEditModel::SetReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int TEditModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    const int table = TableColumns();
    return table == 0 ? 0 : table + int(derived_.size());
}

QVariant TEditModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    const TLookup* lookup = LookupOf(column);
    if (!lookup || (role != Qt::DisplayRole && role != Qt::EditRole))
        return column < TableColumns() ? QSqlTableModel::data(index, role) : QVariant();
    const QVariant key = QSqlTableModel::data(this->index(index.row(), KeyColumnOf(column)), Qt::EditRole);
    if (role == Qt::EditRole)
        return key;
    return key.isNull() ? QVariant() : QVariant(lookup->Text(key));
}

bool TEditModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return QSqlTableModel::setData(index, value, role);
    if (!(flags(index) & Qt::ItemIsEditable))
        return false;
    const int row = index.row();
    if (!QSqlTableModel::setData(this->index(row, KeyColumnOf(index.column())), value, role))
        return false;
    if (!derived_.empty())  // derived texts follow their key
        emit dataChanged(this->index(row, TableColumns()), this->index(row, columnCount() - 1));
    return true;
}

Qt::ItemFlags TEditModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = index.column() < TableColumns() ? QSqlTableModel::flags(index)
                                                      : Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
    if (readOnly_)
        f &= ~Qt::ItemIsEditable;
    return f;
}

QVariant TEditModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        const auto it = titles_.find(section);
        if (it != titles_.end())
            return it->second;
        if (section >= TableColumns())
            return {};
    }
    return QSqlTableModel::headerData(section, orientation, role);
}

int TEditModel::EditedRow() const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (IsInserted(row))
            return row;
        for (int c = 0; c < TableColumns(); ++c) {
            if (isDirty(index(row, c)))
                return row;
        }
    }
    return -1;
}

bool TEditModel::IsInserted(int row) const
{
    // The table model marks a row added but not yet written with "*".
    return QSqlTableModel::headerData(row, Qt::Vertical, Qt::DisplayRole).toString() == QLatin1String("*");
}

QVariant TEditModel::Value(int row, const QString& field) const
{
    return data(index(row, Column(field)), Qt::EditRole);
}

int TEditModel::SetFields(int row) const
{
    const QSqlRecord values = record(row);
    int set = 0;
    for (int c = 0; c < values.count(); ++c)
        set += values.isGenerated(c) ? 1 : 0;
    return set;
}

QString TEditModel::KeyField() const { return primaryKey().fieldName(0); }

QVariant TEditModel::Key(int row) const
{
    return row < 0 || row >= rowCount() || IsInserted(row) ? QVariant() : Value(row, KeyField());
}

// ---------------------------------------------------------------------------------------------
// TGridDelegate

bool TGridDelegate::IsDigit(int column) const
{
    return std::find(digits_.begin(), digits_.end(), column) != digits_.end();
}

QWidget* TGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QWidget* editor = nullptr;
    const auto* model = qobject_cast<const TEditModel*>(index.model());
    if (const TLookup* lookup = model ? model->LookupOf(index.column()) : nullptr) {
        auto* combo = new QComboBox(parent);
        for (const auto& [text, key] : lookup->List())
            combo->addItem(text, key);
        editor = combo;
    } else if (IsDigit(index.column())) {
        auto* spin = new QSpinBox(parent);
        spin->setRange(-1, 9);
        spin->setSpecialValueText(QStringLiteral(" "));  // -1: no address yet
        spin->setFrame(false);
        editor = spin;
    } else {
        editor = QStyledItemDelegate::createEditor(parent, option, index);
        const auto length = lengths_.find(index.column());
        if (auto* line = qobject_cast<QLineEdit*>(editor); line && length != lengths_.end())
            line->setMaxLength(length->second);
    }
    editor_ = editor;
    return editor;
}

void TGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QVariant value = index.data(Qt::EditRole);
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(-1);
        for (int i = 0; i < combo->count(); ++i) {
            if (SameKey(combo->itemData(i), value))
                combo->setCurrentIndex(i);
        }
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        bool ok = false;
        const double number = value.toDouble(&ok);
        spin->setValue(!value.isNull() && ok && number >= 0 && number <= 9 ? int(number) : -1);
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void TGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() >= 0 && !SameKey(combo->currentData(), index.data(Qt::EditRole)))
            model->setData(index, combo->currentData());
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        const QVariant value = spin->value() < 0 ? QVariant() : QVariant(spin->value());
        if (value.toString() != index.data(Qt::EditRole).toString())
            model->setData(index, value);
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

void TGridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (editor_ == editor)
        editor_ = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

// ---------------------------------------------------------------------------------------------
// TDBGrid

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent), delegate_(new TGridDelegate(this))
{
    setItemDelegate(delegate_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(16);
}

QWidget* TDBGrid::ViewEditor() const
{
    QWidget* editor = delegate_->OpenEditor();
    return editor && editor->parentWidget() == viewport() ? editor : nullptr;
}

bool TDBGrid::HasOpenEditor() const { return ViewEditor() != nullptr; }

void TDBGrid::CommitEdit()
{
    if (QWidget* editor = ViewEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TDBGrid::DiscardEdit()
{
    if (QWidget* editor = ViewEditor())
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool TDBGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool opened = QTableView::edit(index, trigger, event);
    if (opened)
        emit EditorChanged();
    return opened;
}

void TDBGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, hint);
    emit EditorChanged();
}

void TDBGrid::SetColumns(const std::vector<std::pair<int, int>>& columns)
{
    QHeaderView* header = horizontalHeader();
    for (int c = 0; c < model()->columnCount(); ++c)
        setColumnHidden(c, true);
    int visual = 0;
    for (const auto& [column, width] : columns) {
        setColumnHidden(column, false);
        header->moveSection(header->visualIndex(column), visual++);
    }
    if (columns_.empty())
        connect(model(), &QAbstractItemModel::headerDataChanged, this, &TDBGrid::FitTitles);
    columns_ = columns;
    FitTitles();
}

void TDBGrid::FitTitles()
{
    QHeaderView* header = horizontalHeader();
    QFont font = header->font();
    font.setBold(true);  // the title of the current column is shown in bold
    const QFontMetrics metrics(font);
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 8;
    for (const auto& [column, width] : columns_) {
        const QString title = model()->headerData(column, Qt::Horizontal).toString();
        const int given = width > 0 ? width : header->defaultSectionSize();
        setColumnWidth(column, std::max(given, metrics.horizontalAdvance(title) + margins));
    }
}

// ---------------------------------------------------------------------------------------------
// TGridFrame

TGridFrame::TGridFrame(QWidget* parent)
    : QGroupBox(parent), navigator_(new TDBNavigator(this)), grid_(new TDBGrid(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(navigator_);
    layout->addWidget(grid_, 1);
    navigator_->setEnabled(false);
    connect(navigator_, &TDBNavigator::Clicked, this, &TGridFrame::OnClicked);
    connect(grid_, &TDBGrid::EditorChanged, this, &TGridFrame::UpdateButtons);
}

void TGridFrame::Attach(TEditModel* model)
{
    model_ = model;
    model_->setParent(this);
    model_->SetReadOnly(!editable_);
    grid_->setModel(model_);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, &TGridFrame::OnCurrentRowChanged);
    connect(model_, &QAbstractItemModel::modelReset, this, &TGridFrame::UpdateButtons);
    connect(model_, &QAbstractItemModel::dataChanged, this, &TGridFrame::UpdateButtons);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &TGridFrame::UpdateButtons);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &TGridFrame::UpdateButtons);
}

void TGridFrame::SetEditable(bool editable)
{
    editable_ = editable;
    if (model_)
        model_->SetReadOnly(!editable);
    navigator_->setEnabled(editable);
    UpdateButtons();
}

int TGridFrame::CurrentRow() const
{
    const QModelIndex current = grid_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QVariant TGridFrame::CurrentKey() const { return model_ ? model_->Key(CurrentRow()) : QVariant(); }

int TGridFrame::FirstEditColumn() const { return grid_->horizontalHeader()->logicalIndex(0); }

void TGridFrame::Place(int row)
{
    {
        Placing placing(placing_);
        if (row >= 0 && row < model_->rowCount()) {
            const QModelIndex current = grid_->currentIndex();
            const int column = current.isValid() && !grid_->isColumnHidden(current.column()) ? current.column()
                                                                                              : FirstEditColumn();
            grid_->selectionModel()->setCurrentIndex(model_->index(row, column),
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        } else {
            grid_->selectionModel()->clear();
        }
    }
    UpdateButtons();
}

void TGridFrame::SetCurrentRow(int row) { MoveTo(row); }

void TGridFrame::MoveTo(int row)
{
    if (!model_ || row < 0 || row >= model_->rowCount() || row == CurrentRow())
        return;
    grid_->CommitEdit();
    const int column = grid_->currentIndex().isValid() ? grid_->currentIndex().column() : FirstEditColumn();
    // The move itself runs the checks (OnCurrentRowChanged).
    grid_->selectionModel()->setCurrentIndex(model_->index(row, column),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool TGridFrame::DetailPosted() { return !detail_ || detail_->Post(); }

void TGridFrame::OnCurrentRowChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (placing_ || current.row() == previous.row())
        return;
    // Leaving a record writes what was changed in its detail and in it first; when that is
    // refused, the cursor goes back to it.
    const int edited = model_->EditedRow();
    if (!DetailPosted() || (edited >= 0 && edited != current.row() && !Post())) {
        Place(edited >= 0 ? edited : previous.row());
        return;
    }
    UpdateButtons();
    emit CurrentChanged();
}

bool TGridFrame::Post()
{
    if (!model_)
        return true;
    grid_->CommitEdit();
    const int row = model_->EditedRow();
    if (row < 0)
        return true;
    if (model_->IsInserted(row) && model_->SetFields(row) == primedFields_) {
        // A new row the operator left as it came: nothing to write.
        Cancel();
        return true;
    }
    const QString problem = CheckRow(row);
    if (!problem.isEmpty()) {
        Op().Message(problem.toStdString(), {}, BoxIcon::Warning);
        Place(row);
        return false;
    }
    bool written = false;
    {
        Placing placing(placing_);
        written = model_->Write();
    }
    if (!written) {
        ShowWriteError();
        Place(row);
        return false;
    }
    UpdateButtons();
    emit Written();
    emit CurrentChanged();
    return true;
}

void TGridFrame::ShowWriteError()
{
    const QSqlError error = model_->lastError();
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    Op().Message(text.toStdString(), {}, BoxIcon::Error);
}

bool TGridFrame::Insert()
{
    if (!model_ || !CanInsert())
        return false;
    if (!DetailPosted() || !Post())
        return false;
    // As with a record navigator, the new row comes before the current one.
    const int row = std::max(CurrentRow(), 0);
    {
        Placing placing(placing_);
        if (!model_->insertRow(row)) {
            ShowWriteError();
            return false;
        }
        PrimeRow(row);
        primedFields_ = model_->SetFields(row);
        grid_->selectionModel()->setCurrentIndex(model_->index(row, FirstEditColumn()),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    grid_->setFocus();
    UpdateButtons();
    emit CurrentChanged();
    return true;
}

bool TGridFrame::Delete()
{
    const int row = CurrentRow();
    if (!model_ || row < 0)
        return false;
    grid_->CommitEdit();
    if (model_->IsInserted(row)) {  // never written: just dropped
        Cancel();
        return true;
    }
    if (!DetailPosted())
        return false;
    const QString refusal = CheckDelete(row);
    if (!refusal.isEmpty()) {
        Op().Message(refusal.toStdString(), {}, BoxIcon::Warning);
        return false;
    }
    if (Op().AskOkCancel(kConfirmDelete, {}, BoxIcon::Warning) != Answer::Ok)
        return false;
    Placing placing(placing_);
    model_->revertAll();  // an unwritten change of the row goes with it
    const QVariant next = model_->Key(row + 1 < model_->rowCount() ? row + 1 : row - 1);
    if (!model_->removeRow(row) || !model_->Write()) {
        ShowWriteError();
        model_->revertAll();
        return false;
    }
    emit Written();
    if (!model_->select())
        ShowWriteError();
    const int found = RowOfKey(next);
    Place(found >= 0 ? found : std::min(row, model_->rowCount() - 1));
    emit CurrentChanged();
    return true;
}

void TGridFrame::Edit()
{
    if (!model_ || CurrentRow() < 0)
        return;
    grid_->setFocus();
    grid_->edit(grid_->currentIndex());
}

void TGridFrame::Cancel()
{
    if (!model_)
        return;
    grid_->DiscardEdit();
    const int row = CurrentRow();
    const bool inserted = row >= 0 && model_->IsInserted(row);
    {
        Placing placing(placing_);
        model_->revertAll();
    }
    if (inserted)
        Place(std::min(row, model_->rowCount() - 1));
    UpdateButtons();
    emit CurrentChanged();
}

bool TGridFrame::Refresh()
{
    if (!model_ || !DetailPosted() || !Post())
        return false;
    return Reload();
}

bool TGridFrame::Reload(bool keepRecord)
{
    if (!model_)
        return false;
    const QVariant key = keepRecord ? CurrentKey() : QVariant();
    const int row = keepRecord ? CurrentRow() : 0;
    bool ok = false;
    {
        Placing placing(placing_);
        ok = model_->select();
    }
    if (!ok)
        ShowWriteError();
    const int found = RowOfKey(key);
    Place(found >= 0 ? found : std::min(std::max(row, 0), model_->rowCount() - 1));
    emit CurrentChanged();
    return ok;
}

int TGridFrame::RowOfKey(const QVariant& key) const
{
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (SameKey(model_->Key(row), key))
            return row;
    }
    return -1;
}

void TGridFrame::UpdateButtons()
{
    const int rows = model_ ? model_->rowCount() : 0;
    const int row = model_ ? CurrentRow() : -1;
    const bool editing = IsEditing();
    navigator_->SetButtonEnabled(TDBNavigator::First, row > 0);
    navigator_->SetButtonEnabled(TDBNavigator::Prior, row > 0);
    navigator_->SetButtonEnabled(TDBNavigator::Next, row >= 0 && row < rows - 1);
    navigator_->SetButtonEnabled(TDBNavigator::Last, row >= 0 && row < rows - 1);
    navigator_->SetButtonEnabled(TDBNavigator::Insert, model_ && CanInsert());
    navigator_->SetButtonEnabled(TDBNavigator::Delete, row >= 0);
    navigator_->SetButtonEnabled(TDBNavigator::Edit, row >= 0 && !editing);
    navigator_->SetButtonEnabled(TDBNavigator::Post, editing);
    navigator_->SetButtonEnabled(TDBNavigator::Cancel, editing);
    navigator_->SetButtonEnabled(TDBNavigator::Refresh, model_ != nullptr);
}

void TGridFrame::OnClicked(TDBNavigator::Button b)
{
    switch (b) {
    case TDBNavigator::First: First(); break;
    case TDBNavigator::Prior: Prior(); break;
    case TDBNavigator::Next: Next(); break;
    case TDBNavigator::Last: Last(); break;
    case TDBNavigator::Insert: Insert(); break;
    case TDBNavigator::Delete: Delete(); break;
    case TDBNavigator::Edit: Edit(); break;
    case TDBNavigator::Post: Post(); break;
    case TDBNavigator::Cancel: Cancel(); break;
    case TDBNavigator::Refresh: Refresh(); break;
    case TDBNavigator::ButtonCount: break;
    }
}

}  // namespace tarvo
