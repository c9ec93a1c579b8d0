#include "ui/FieldOrderForm.h"

#include "platform/qt/CommandGuard.h"
#include "platform/qt/QtCp1252.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include <utility>

namespace quorvel {

namespace {

enum { colTitle, colJustification, colCount };

}  // namespace

int FieldOrderModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_.Count(); }

int FieldOrderModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : colCount; }

QVariant FieldOrderModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= columns_.Count())
        return {};
    const TColumnClass& column = *columns_.GetColumn(index.row());
    if (index.column() == colTitle) {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return ToQString(column.Name);
        if (role == Qt::CheckStateRole)
            return column.Hidden ? Qt::Unchecked : Qt::Checked;
    } else if (role == Qt::DisplayRole) {
        return QString::fromLatin1(TFieldOrderForm::JustificationText(column.Justification));
    }
    return {};
}

bool FieldOrderModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != colTitle || index.row() >= columns_.Count())
        return false;
    TColumnClass& column = *columns_.GetColumn(index.row());
    if (role == Qt::CheckStateRole)
        column.Hidden = value.value<Qt::CheckState>() != Qt::Checked;
    else if (role == Qt::EditRole)
        column.Name = FromQString(value.toString());
    else
        return false;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags FieldOrderModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == colTitle)
        f |= Qt::ItemIsUserCheckable | Qt::ItemIsEditable;
    return f;
}

QVariant FieldOrderModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == colTitle ? QStringLiteral("Title") : QStringLiteral("Justification");
}

void FieldOrderModel::Reload()
{
    beginResetModel();
    endResetModel();
}

void FieldOrderModel::RowsChanged(int first, int last) { emit dataChanged(index(first, 0), index(last, colCount - 1)); }

TFieldOrderForm::TFieldOrderForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("FieldOrderForm");
    setWindowTitle("Field Order");
    setFixedSize(366, 364);

    model_ = new FieldOrderModel(Columns, this);
    view_ = new QTableView(this);
    view_->setObjectName("ColumnList");
    view_->setModel(model_);
    view_->setGeometry(8, 8, 318, 308);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double-click turns the justification; a caption is edited by clicking a selected row or F2.
    view_->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setSectionsClickable(false);
    view_->setColumnWidth(colTitle, 150);
    view_->setColumnWidth(colJustification, 150);
    view_->setShowGrid(false);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);

    moveUp_ = new QToolButton(this);
    moveUp_->setObjectName("MoveUpButton");
    moveUp_->setArrowType(Qt::UpArrow);
    moveUp_->setToolTip("Move Up");
    moveUp_->setGeometry(334, 120, 24, 24);
    moveDown_ = new QToolButton(this);
    moveDown_->setObjectName("MoveDownButton");
    moveDown_->setArrowType(Qt::DownArrow);
    moveDown_->setToolTip("Move Down");
    moveDown_->setGeometry(334, 152, 24, 24);

    const auto button = [this](const char* name, const char* caption, int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(left, 328, 82, 26);
        b->setAutoDefault(false);
        return b;
    };
    auto* checkAll = button("CheckAllButton", "Check All", 8);
    auto* uncheckAll = button("UnCheckAllButton", "UnCheck All", 96);
    auto* ok = button("OkButton", "&OK", 188);
    auto* cancel = button("CancelButton", "&Cancel", 276);
    ok->setDefault(true);

    connect(moveUp_, &QToolButton::clicked, this, Guarded([this] { MoveUpButtonClick(); }));
    connect(moveDown_, &QToolButton::clicked, this, Guarded([this] { MoveDownButtonClick(); }));
    connect(checkAll, &QPushButton::clicked, this, Guarded([this] { CheckAllButtonClick(); }));
    connect(uncheckAll, &QPushButton::clicked, this, Guarded([this] { UnCheckAllButtonClick(); }));
    connect(view_, &QTableView::doubleClicked, this, Guarded([this] { ColumnListDoubleClick(); }));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

const char* TFieldOrderForm::JustificationText(int32_t justification)
{
    switch (justification) {
    case 1:
        return "Center";
    case 2:
        return "Right";
    default:
        return "Left";
    }
}

void TFieldOrderForm::SetColumns(const TColumnListClass& source)
{
    Columns.Assign(source);
    Columns.SortByOrder();
    // Saved orders may have gaps or repeats; a move exchanges positions, so they must equal the rows.
    for (int32_t i = 0; i < Columns.Count(); ++i)
        Columns.GetColumn(i)->Order = i;
    model_->Reload();
}

void TFieldOrderForm::GetColumns(TColumnListClass& dest) const { dest.Assign(Columns); }

int TFieldOrderForm::SelectedRow() const
{
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TFieldOrderForm::SelectRow(int row)
{
    const QModelIndex index = model_->index(row, colTitle);
    view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view_->scrollTo(index);
}

void TFieldOrderForm::Exchange(int upper)
{
    std::swap(Columns.Columns[static_cast<size_t>(upper)], Columns.Columns[static_cast<size_t>(upper) + 1]);
    Columns.GetColumn(upper)->Order = upper;
    Columns.GetColumn(upper + 1)->Order = upper + 1;
    model_->RowsChanged(upper, upper + 1);
}

void TFieldOrderForm::MoveUpButtonClick()
{
    if (Columns.Count() == 0)
        return;
    const int row = SelectedRow();
    if (row < 0) {
        SelectRow(0);
        return;
    }
    if (row >= 1) {
        Exchange(row - 1);
        SelectRow(row - 1);
    }
}

void TFieldOrderForm::MoveDownButtonClick()
{
    const int last = Columns.Count() - 1;
    if (last < 0)
        return;
    const int row = SelectedRow();
    if (row < 0) {
        SelectRow(last);
        return;
    }
    if (row < last) {
        Exchange(row);
        SelectRow(row + 1);
    }
}

void TFieldOrderForm::SetAllShown(bool shown)
{
    for (const auto& column : Columns.Columns)
        column->Hidden = !shown;
    if (Columns.Count() > 0)
        model_->RowsChanged(0, Columns.Count() - 1);
}

void TFieldOrderForm::CheckAllButtonClick() { SetAllShown(true); }

void TFieldOrderForm::UnCheckAllButtonClick() { SetAllShown(false); }

void TFieldOrderForm::ColumnListDoubleClick()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    TColumnClass& column = *Columns.GetColumn(row);
    const int32_t j = column.Justification;
    column.Justification = j >= 0 && j < 2 ? j + 1 : 0;
    model_->RowsChanged(row, row);
}

}  // namespace quorvel
