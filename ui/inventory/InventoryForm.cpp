#include "ui/inventory/InventoryForm.h"

#include "model/BaseCustomListClass.h"
#include "model/FieldValue.h"
#include "model/Utils.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/UiScale.h"
#include "ui/dialogs/CustomPropertyDialog.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/inventory/InventoryFormModel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace quorvel {

namespace {

constexpr char kSection[] = "CustomInventoryHeader";
constexpr int kMaxCount = 999999999;  // nine digits, the most New Qty takes

int ItemQuantity(const TBaseCustomClass& item) { return TryToInteger(item.GetFieldValue("Quantity")).value_or(0); }

}  // namespace

TInventoryForm::TInventoryForm(QWidget* parent) : QDialog(parent)
{
    model_ = new InventoryListModel(this);
    BuildControls();
}

TInventoryForm::~TInventoryForm() = default;

void TInventoryForm::BuildControls()
{
    setWindowTitle("Media Inventory");
    resize(Scaled(523, 437));
    setMinimumSize(Scaled(515, 410));

    // Made in tab order.
    BuildList();
    auto* listLabel = new PlainLabel("All Cartridges", this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(BuildCurrentItemGroup(), 1);
    bottom->addLayout(BuildButtons());
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->addWidget(listLabel);
    layout->addWidget(InventoryList, 1);
    layout->addLayout(bottom);
    layout->addWidget(StatusBar1);

    const std::pair<QObject*, const char*> names[] = {
        {InventoryList, "InventoryList"},
        {TitleEdit, "TitleEdit"},
        {MfgEdit, "MfgEdit"},
        {LabelTypeEdit, "LabelTypeEdit"},
        {LabelColorEdit, "LabelColorEdit"},
        {CurrentCountEdit, "CurrentCountEdit"},
        {NewCountEdit, "NewCountEdit"},
        {IncQtyButton, "IncQtyButton"},
        {DecQtyButton, "DecQtyButton"},
        {BoxedCB, "BoxedCB"},
        {SealedCB, "SealedCB"},
        {PropertiesButton, "PropertiesButton"},
        {NextButton, "NextButton"},
        {DoneButton, "DoneButton"},
        {Button1, "Button1"},
        {AutoCheckCB, "AutoCheckCB"},
        {StatusBar1, "StatusBar1"},
        {PopupMenu1, "PopupMenu1"},
    };
    for (const auto& [widget, name] : names)
        widget->setObjectName(name);
}

void TInventoryForm::BuildList()
{
    InventoryList = new QTableView(this);
    InventoryList->setModel(model_);
    InventoryList->setSelectionBehavior(QAbstractItemView::SelectRows);
    InventoryList->setSelectionMode(QAbstractItemView::SingleSelection);
    InventoryList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    InventoryList->setContextMenuPolicy(Qt::CustomContextMenu);
    InventoryList->verticalHeader()->hide();
    InventoryList->verticalHeader()->setDefaultSectionSize(InventoryList->fontMetrics().height() + 6);
    InventoryList->horizontalHeader()->setSectionsClickable(true);
    InventoryList->horizontalHeader()->setHighlightSections(false);
    InventoryList->setShowGrid(false);
    InventoryList->installEventFilter(this);

    PopupMenu1 = new QMenu(this);
    QMenu* view = PopupMenu1->addMenu("View");
    connect(view->addAction("Customize"), &QAction::triggered, this, Guarded([this] { Customize1Click(); }));
    connect(InventoryList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(InventoryList->viewport()->mapToGlobal(at)); });
    connect(InventoryList->horizontalHeader(), &QHeaderView::sectionClicked, this,
            Guarded([this](int section) { InventoryListColumnClick(section); }));
    connect(InventoryList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            Guarded([this](const QModelIndex& current) {
                if (!updating_)
                    InventoryListChange(current.isValid() ? current.row() : -1);
            }));
}

QGroupBox* TInventoryForm::BuildCurrentItemGroup()
{
    auto* group = new QGroupBox("Current Media", this);
    auto* grid = new QGridLayout(group);
    const auto readOnly = [this](int width = 0) {
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(true);
        if (width)
            edit->setFixedWidth(width);
        return edit;
    };
    TitleEdit = readOnly();
    MfgEdit = readOnly();
    LabelTypeEdit = readOnly();
    LabelColorEdit = readOnly();
    CurrentCountEdit = readOnly(60);
    NewCountEdit = new QLineEdit(this);
    NewCountEdit->setFixedWidth(Scaled(60));
    NewCountEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), NewCountEdit));
    NewCountEdit->installEventFilter(this);
    IncQtyButton = new QPushButton("+", this);
    DecQtyButton = new QPushButton("-", this);
    for (QPushButton* b : {IncQtyButton, DecQtyButton})
        b->setFixedSize(24, 24);
    BoxedCB = new QCheckBox("Boxed", this);
    SealedCB = new QCheckBox("Box Sealed", this);
    BoxedCB->setEnabled(false);
    SealedCB->setEnabled(false);

    int line = 0;
    for (auto [caption, edit] : {std::pair {"Title", TitleEdit}, std::pair {"Manufacturer", MfgEdit},
                                 std::pair {"Label Type", LabelTypeEdit}, std::pair {"Label Color", LabelColorEdit}}) {
        grid->addWidget(new PlainLabel(caption, this), line, 0);
        grid->addWidget(edit, line++, 1, 1, 5);
    }
    grid->addWidget(new PlainLabel("Current Qty", this), line, 0);
    grid->addWidget(CurrentCountEdit, line, 1);
    grid->addWidget(new PlainLabel("New Qty", this), line, 2, Qt::AlignRight);
    grid->addWidget(NewCountEdit, line, 3);
    grid->addWidget(IncQtyButton, line, 4);
    grid->addWidget(DecQtyButton, line++, 5);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(BoxedCB);
    boxes->addWidget(SealedCB);
    boxes->addStretch();
    grid->addLayout(boxes, line, 1, 1, 5);
    grid->setColumnStretch(1, 1);
    connect(IncQtyButton, &QPushButton::clicked, this, Guarded([this] { IncQtyButtonClick(); }));
    connect(DecQtyButton, &QPushButton::clicked, this, Guarded([this] { DecQtyButtonClick(); }));
    return group;
}

QVBoxLayout* TInventoryForm::BuildButtons()
{
    PropertiesButton = new QPushButton("&Properties", this);
    NextButton = new QPushButton("&Next", this);
    DoneButton = new QPushButton("&Done", this);
    Button1 = new QPushButton("&Cancel", this);
    AutoCheckCB = new QCheckBox("Auto Check On Next", this);
    AutoCheckCB->setChecked(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {PropertiesButton, NextButton, DoneButton, Button1}) {
        b->setAutoDefault(false);  // Enter belongs to the list and to New Qty
        buttons->addWidget(b);
    }
    buttons->addWidget(AutoCheckCB);
    buttons->addStretch();
    connect(PropertiesButton, &QPushButton::clicked, this, Guarded([this] { PropertiesButtonClick(); }));
    connect(NextButton, &QPushButton::clicked, this, Guarded([this] { NextButtonClick(); }));
    connect(DoneButton, &QPushButton::clicked, this, Guarded([this] { DoneButtonClick(); }));
    connect(Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));
    return buttons;
}

void TInventoryForm::SetList(TBaseCustomListClass* list) { list_ = list; }

void TInventoryForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        RunCommand([this] { FormShow(); });
}

void TInventoryForm::FormShow()
{
    // Nothing carries over from an earlier showing, whose list may be closed by now.
    currentItem_ = nullptr;
    currentRow_ = -1;
    for (QLineEdit* e : {TitleEdit, MfgEdit, LabelTypeEdit, LabelColorEdit, CurrentCountEdit, NewCountEdit})
        e->clear();
    BoxedCB->setChecked(false);
    SealedCB->setChecked(false);

    updating_ = true;
    if (list_) {
        const auto sample = list_->CreateItem();
        columns_.SetTemplate(sample.get());
        columns_.LoadFromIni(G_ConfigFile, kSection);
    } else {
        columns_.SetTemplate(static_cast<const TBaseCustomClass*>(nullptr));
    }
    model_->SetList(list_, columns_);
    InventoryList->horizontalHeader()->setSortIndicatorShown(false);
    ApplyColumnWidths();
    updating_ = false;

    if (model_->rowCount() > 0)
        SelectRow(0);
    PropertiesButton->setEnabled(currentRow_ >= 0);
    InventoryList->setFocus();
}

void TInventoryForm::ApplyColumnWidths()
{
    const auto fields = model_->ColumnFields();
    for (size_t c = 0; c < fields.size(); ++c) {
        const int32_t i = columns_.IndexOfField(fields[c]);
        if (i >= 0 && columns_.GetColumn(i)->Width > 0)
            InventoryList->setColumnWidth(int(c), columns_.GetColumn(i)->Width);
    }
}

void TInventoryForm::KeepColumnWidths()
{
    const auto fields = model_->ColumnFields();
    for (size_t c = 0; c < fields.size(); ++c) {
        const int32_t i = columns_.IndexOfField(fields[c]);
        if (i >= 0)
            columns_.GetColumn(i)->Width = InventoryList->columnWidth(int(c));
    }
}

void TInventoryForm::SelectRow(int row)
{
    updating_ = true;
    InventoryList->selectionModel()->setCurrentIndex(model_->index(row, 0),
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    updating_ = false;
    InventoryListChange(row);
}

void TInventoryForm::ShowCurrentItem()
{
    if (!currentItem_)
        return;
    TitleEdit->setText(OneLine(ToQString(currentItem_->GetFieldAsString("Title"))));
    MfgEdit->setText(OneLine(ToQString(currentItem_->GetFieldAsString("Mfg"))));
    LabelTypeEdit->setText(OneLine(ToQString(currentItem_->GetFieldAsString("LabelType"))));
    LabelColorEdit->setText(OneLine(ToQString(currentItem_->GetFieldAsString("LabelColor"))));
    BoxedCB->setChecked(TryToBoolean(currentItem_->GetFieldValue("Boxed")).value_or(false));
    SealedCB->setChecked(TryToBoolean(currentItem_->GetFieldValue("BoxSealed")).value_or(false));
    const QString count = QString::number(ItemQuantity(*currentItem_));
    CurrentCountEdit->setText(count);
    NewCountEdit->setText(count);
}

int TInventoryForm::NewCount() const
{
    const QString text = NewCountEdit->text();
    if (text.isEmpty())
        return CurrentCountEdit->text().toInt();
    bool ok = false;
    const int count = text.toInt(&ok);
    if (!ok)
        throw std::runtime_error("'" + FromQString(text) + "' is not a valid integer value");
    return count;
}

void TInventoryForm::CommitNewCount()
{
    // An empty New Qty means no change.
    if (!currentItem_ || NewCountEdit->text().isEmpty() || NewCountEdit->text() == CurrentCountEdit->text())
        return;
    const int32_t count = NewCount();
    currentItem_->SetFieldValue("Quantity", count);
    updating_ = true;
    ShowCurrentItem();
    model_->Refresh();
    updating_ = false;
}

void TInventoryForm::InventoryListChange(int row)
{
    CommitNewCount();
    if (row < 0 || row >= model_->rowCount())
        return;
    InventoryList->scrollTo(model_->index(row, 0));
    currentItem_ = list_->GetItem(model_->ItemIndexOfRow(row));
    currentRow_ = row;
    ShowCurrentItem();
    PropertiesButton->setEnabled(true);
}

void TInventoryForm::InventoryListColumnClick(int section)
{
    const int sortNumber = section + 1;
    if (sortNumber == sortColumn_) {
        sortDirection_ = -sortDirection_;
    } else {
        sortColumn_ = sortNumber;
        sortDirection_ = 1;
    }
    updating_ = true;
    model_->Sort(sortColumn_, sortDirection_);
    updating_ = false;
    InventoryList->horizontalHeader()->setSortIndicatorShown(true);
    InventoryList->horizontalHeader()->setSortIndicator(section,
                                                        sortDirection_ > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    const QModelIndex current = InventoryList->currentIndex();
    if (current.isValid()) {
        currentRow_ = current.row();
        InventoryList->scrollTo(current);
    }
}

void TInventoryForm::NextButtonClick()
{
    const int rows = model_->rowCount();
    if (rows == 0)
        return;
    if (AutoCheckCB->isChecked() && currentRow_ >= 0)
        model_->SetChecked(currentRow_, true);
    SelectRow(std::min(currentRow_ + 1, rows - 1));
    InventoryList->setFocus();
}

void TInventoryForm::IncQtyButtonClick()
{
    NewCountEdit->setText(QString::number(std::min(NewCount() + 1, kMaxCount)));
}

void TInventoryForm::DecQtyButtonClick() { NewCountEdit->setText(QString::number(std::max(NewCount() - 1, 1))); }

void TInventoryForm::NewCountEditEnter()
{
    // Queued: a click that gave the focus would otherwise place the cursor over the selection.
    QMetaObject::invokeMethod(NewCountEdit, &QLineEdit::selectAll, Qt::QueuedConnection);
}

bool TInventoryForm::NewCountEditKeyPress(int key, const QString& text)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        RunCommand([this] { NextButtonClick(); });
        return true;
    }
    if (text == "+" || text == "=") {
        RunCommand([this] { IncQtyButtonClick(); });
        return true;
    }
    if (text == "-" || text == "_") {
        RunCommand([this] { DecQtyButtonClick(); });
        return true;
    }
    return false;
}

bool TInventoryForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == InventoryList || watched == NewCountEdit) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (NewCountEditKeyPress(key->key(), key->text()))
                return true;
        } else if (event->type() == QEvent::FocusIn && watched == NewCountEdit) {
            NewCountEditEnter();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TInventoryForm::DoneButtonClick()
{
    CommitNewCount();
    accept();
}

void TInventoryForm::Button1Click()
{
    // A New Qty not yet kept is dropped; counts kept on earlier rows stay.
    QDialog::reject();
}

void TInventoryForm::reject()
{
    // Escape is Done.
    RunCommand([this] { DoneButtonClick(); });
}

void TInventoryForm::closeEvent(QCloseEvent* event)
{
    // The close box is Cancel.
    event->accept();
    if (isVisible())
        Button1Click();
}

void TInventoryForm::done(int result)
{
    RunCommand([this] { FormClose(); });
    // The list may be closed before the next showing, which gets its own through SetList.
    list_ = nullptr;
    updating_ = true;
    model_->SetList(nullptr, columns_);
    currentItem_ = nullptr;
    currentRow_ = -1;
    updating_ = false;
    QDialog::done(result);
}

void TInventoryForm::FormClose()
{
    if (!columns_.Template)
        return;
    KeepColumnWidths();
    columns_.SaveToIni(G_ConfigFile, kSection);
}

void TInventoryForm::PropertiesButtonClick()
{
    if (!list_ || list_->Kind() != ltMedia || currentRow_ < 0 || !PropertyDialog)
        return;
    // A count typed for this row is kept before the dialog shows the item.
    CommitNewCount();
    TBaseCustomClass* item = list_->GetItem(model_->ItemIndexOfRow(currentRow_));
    PropertyDialog->SetCaption("Edit " + list_->GetListType());
    PropertyDialog->SetItem(item);
    PropertyDialog->SetCancelCaption("&Cancel");
    PropertyDialog->Platform = list_->GetPlatform();
    PropertyDialog->ListType = list_->GetListType();
    if (ExecDialog(*PropertyDialog) == QDialog::Accepted) {
        PropertyDialog->ApplyValues();
        updating_ = true;
        model_->Refresh();
        updating_ = false;
    }
    ShowCurrentItem();
    PropertiesButton->setEnabled(InventoryList->selectionModel()->hasSelection());
}

void TInventoryForm::Customize1Click()
{
    if (!FieldOrderForm || !columns_.Template)
        return;
    KeepColumnWidths();
    FieldOrderForm->SetColumns(columns_);
    if (ExecDialog(*FieldOrderForm) != QDialog::Accepted)
        return;
    FieldOrderForm->GetColumns(columns_);
    columns_.SortByOrder();
    updating_ = true;
    model_->SetColumns(columns_);
    ApplyColumnWidths();
    if (currentRow_ >= 0)
        InventoryList->selectionModel()->setCurrentIndex(
            model_->index(currentRow_, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    updating_ = false;
    columns_.SaveToIni(G_ConfigFile, kSection);
}

}  // namespace quorvel
