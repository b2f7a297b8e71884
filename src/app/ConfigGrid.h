// The pieces every configuration grid is made of: an editable SQL table model with lookup
// columns, the grid view with its drop-down editors, and TGridFrame, the framed section that
// puts a record navigator above a grid and runs the editing cycle of one table.
//
// Editing works on one row at a time, as with a record navigator: the operator changes cells
// of a row (or adds one), and the row is written when the apply button is pressed or the
// cursor leaves the row. Before writing, the frame checks the row (CheckRow) and shows what is
// wrong; a row the check or the database refuses stays in editing.
#pragma once

#include <QGroupBox>
#include <QPointer>
#include <QSqlTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <map>
#include <vector>

#include "app/Navigator.h"

namespace tarvo {

// A column that holds another table's key shows that table's text for it, and is edited by
// choosing from that table's rows.
struct TLookup {
    using Choices = std::vector<std::pair<QString, QVariant>>;  // text shown, key written
    std::function<QString(const QVariant& key)> Text;
    std::function<Choices()> List;
};

// A table model that writes only when told (Write): the views never submit or revert on
// their own. Rows keep the order given by SetOrderBy. Lookup columns show texts for keys; a
// derived column (added at the end) shows a second text for the key of another column and,
// when edited, writes that column.
class TEditModel : public QSqlTableModel {
    Q_OBJECT
public:
    TEditModel(const QSqlDatabase& db, const QString& table, QObject* parent = nullptr);

    // Column of a field of the table.
    int Column(const QString& field) const { return fieldIndex(field); }
    void SetOrderBy(const QStringList& fields) { orderBy_ = fields; }
    // The escaped "table"."field", for filters.
    QString Qualified(const QString& field) const;

    void SetLookup(int column, TLookup lookup);
    // Adds a derived column for the key in keyColumn; returns its column number.
    int AddLookupColumn(int keyColumn, TLookup lookup);
    const TLookup* LookupOf(int column) const;
    void SetTitle(int column, const QString& title);

    void SetReadOnly(bool readOnly);
    bool ReadOnly() const { return readOnly_; }

    // The one row with unwritten changes, or -1.
    int EditedRow() const;
    bool IsInserted(int row) const;
    // How many fields of a row not yet written have been given a value.
    int SetFields(int row) const;
    // What a field of a row holds now (edits included); keys for lookup columns.
    QVariant Value(int row, const QString& field) const;
    QVariant Key(int row) const;  // primary key
    QString KeyField() const;

    // Writes the pending changes; false with lastError() when the database refuses them.
    bool Write() { return submitAll(); }

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool submit() override { return true; }
    void revert() override {}

protected:
    QString orderByClause() const override;

private:
    int TableColumns() const { return QSqlTableModel::columnCount(); }
    int KeyColumnOf(int column) const;  // the column a derived column takes its key from

    QStringList orderBy_;
    bool readOnly_ = true;
    std::map<int, TLookup> lookups_;
    std::vector<std::pair<int, TLookup>> derived_;  // key column, lookup
    std::map<int, QString> titles_;
};

// Editors of the configuration grids: a drop-down list for lookup columns, a 0-9 spin box for
// bus addresses, and text edits limited to the field's length. Remembers the open editor so
// that the grid can close it on demand.
class TGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TGridDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

    void SetDigit(int column) { digits_.push_back(column); }
    void SetMaxLength(int column, int length) { lengths_[column] = length; }
    QWidget* OpenEditor() const { return editor_; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

private:
    bool IsDigit(int column) const;

    std::vector<int> digits_;
    std::map<int, int> lengths_;
    mutable QPointer<QWidget> editor_;
};

// The grid: a table view that can close its open editor, keeping what was typed.
class TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(QWidget* parent = nullptr);
    using QTableView::edit;
    TGridDelegate* Delegate() const { return delegate_; }
    // Ends editing of the open cell, storing the editor's value in the model.
    void CommitEdit();
    // Ends editing of the open cell, dropping what was typed in it.
    void DiscardEdit();
    bool HasOpenEditor() const;
    // Shows these columns in this order, left to right, with these widths (0: the default
    // width); every other column is hidden. A column is made wider where its title needs it.
    void SetColumns(const std::vector<std::pair<int, int>>& columns);

signals:
    // A cell editor opened or closed.
    void EditorChanged();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    QWidget* ViewEditor() const;  // the open editor, when it is this view's
    void FitTitles();

    TGridDelegate* delegate_;
    std::vector<std::pair<int, int>> columns_;
};

class TGridFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit TGridFrame(QWidget* parent = nullptr);

    TDBNavigator* Navigator() const { return navigator_; }
    TDBGrid* Grid() const { return grid_; }
    TEditModel* Model() const { return model_; }
    bool IsOpen() const { return model_ != nullptr; }

    // Texts from the string table: caption, navigator hints, column titles.
    virtual void ApplyTexts() = 0;
    // A detail grid that follows this one: its edits are written before this grid's cursor
    // leaves the current record.
    void SetDetail(TGridFrame* detail) { detail_ = detail; }

    // Reads the rows again (pending changes are dropped), keeping the cursor on the same
    // record where it still exists, or going to the first row. False (with the database's
    // message shown) on failure.
    bool Reload(bool keepRecord = true);
    // Locked: no cell can be changed and the navigator is disabled.
    void SetEditable(bool editable);
    bool Editable() const { return editable_; }

    // The navigator's commands.
    void First() { MoveTo(0); }
    void Prior() { MoveTo(CurrentRow() - 1); }
    void Next() { MoveTo(CurrentRow() + 1); }
    void Last() { MoveTo(model_->rowCount() - 1); }
    bool Insert();
    bool Delete();
    void Edit();
    // Checks and writes the row in editing; true when nothing is left unwritten.
    bool Post();
    void Cancel();
    bool Refresh();

    int CurrentRow() const;
    void SetCurrentRow(int row);
    // Primary key of the current row (null for none, or a row not yet written).
    QVariant CurrentKey() const;
    // A row has unwritten changes, or a cell editor is open.
    bool IsEditing() const { return model_ && (model_->EditedRow() >= 0 || grid_->HasOpenEditor()); }

signals:
    // The current record changed (another row, or the same row after a write or reload).
    void CurrentChanged();
    // Rows were written to or deleted from the database.
    void Written();

protected:
    // Takes the model (owned by the frame) and shows it in the grid.
    void Attach(TEditModel* model);
    // What is wrong with a row before it is written; empty when it may be written.
    virtual QString CheckRow(int row) const = 0;
    // Why a row may not be deleted; empty when it may.
    virtual QString CheckDelete(int /*row*/) const { return {}; }
    // Fills a new row before the operator edits it.
    virtual void PrimeRow(int /*row*/) {}
    // Whether a row can be added now.
    virtual bool CanInsert() const { return true; }
    // The first column the operator edits in a new row.
    virtual int FirstEditColumn() const;
    void UpdateButtons();
    // Puts the cursor on a row without the checks of a move (the frame's own moves).
    void Place(int row);

private:
    void OnCurrentRowChanged(const QModelIndex& current, const QModelIndex& previous);
    void OnClicked(TDBNavigator::Button b);
    void MoveTo(int row);
    bool DetailPosted();
    int RowOfKey(const QVariant& key) const;
    void ShowWriteError();

    TEditModel* model_ = nullptr;
    TDBNavigator* navigator_;
    TDBGrid* grid_;
    TGridFrame* detail_ = nullptr;
    bool editable_ = false;
    bool placing_ = false;  // the frame itself is moving the cursor
    int primedFields_ = 0;  // fields of a new row that PrimeRow filled
};

}  // namespace tarvo
