#include "ui/dialogs/FieldOrderForm.h"

#include "platform/qt/CommandGuard.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/UiScale.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace quorvel {

namespace {

enum { colTitle, colJustification, colCount };
constexpr int kDesignColumnWidth = 150;

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

    model_ = new FieldOrderModel(Columns, this);
    view_ = new QTableView(this);
    view_->setObjectName("ColumnList");
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double-click turns the justification; a caption is edited by clicking a selected row or F2.
    view_->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setSectionsClickable(false);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setColumnWidth(colTitle, Scaled(kDesignColumnWidth));
    view_->setColumnWidth(colJustification, Scaled(kDesignColumnWidth));
    view_->setShowGrid(false);
    view_->setWordWrap(false);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);

    moveUp_ = new QToolButton(this);
    moveUp_->setObjectName("MoveUpButton");
    moveUp_->setArrowType(Qt::UpArrow);
    moveUp_->setToolTip("Move Up");
    moveUp_->setFixedSize(Scaled(24, 24));
    moveDown_ = new QToolButton(this);
    moveDown_->setObjectName("MoveDownButton");
    moveDown_->setArrowType(Qt::DownArrow);
    moveDown_->setToolTip("Move Down");
    moveDown_->setFixedSize(Scaled(24, 24));

    const auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setMinimumSize(Scaled(82, 26));
        b->setAutoDefault(false);
        return b;
    };
    auto* checkAll = button("CheckAllButton", "Check All");
    auto* uncheckAll = button("UnCheckAllButton", "UnCheck All");
    auto* ok = button("OkButton", "&OK");
    auto* cancel = button("CancelButton", "&Cancel");
    ok->setDefault(true);

    // The list takes what the window gives; the arrows stay beside it, the buttons below.
    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(moveUp_);
    arrows->addWidget(moveDown_);
    arrows->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(view_, 1);
    top->addLayout(arrows);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(checkAll);
    buttons->addWidget(uncheckAll);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(Scaled(366, 364));

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
    FitColumns();
}

void TFieldOrderForm::FitColumns()
{
    // Every caption whole: the columns as wide as their texts, the window grown (never shrunk) to show
    // them and the rows, as far as the screen allows.
    const QAbstractItemView& rows = *view_;
    const int title = std::max(Scaled(kDesignColumnWidth), rows.sizeHintForColumn(colTitle));
    const int justification = std::max({Scaled(kDesignColumnWidth), rows.sizeHintForColumn(colJustification),
                                        HeaderWidthFor(*view_->horizontalHeader(), "Justification")});
    view_->setColumnWidth(colTitle, title);
    view_->setColumnWidth(colJustification, justification);
    const int width = title + justification + 2 * view_->frameWidth() +
        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
    const QSize wanted = LayoutSizeWith(*this, *view_, {width, GridHeightFor(*view_, Columns.Count())});
    const QSize screen = Screen().PrimaryScreenSize();
    resize(size().expandedTo(wanted.boundedTo(screen * 0.85)));
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
