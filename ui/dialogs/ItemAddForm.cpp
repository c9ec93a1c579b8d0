#include "ui/dialogs/ItemAddForm.h"

#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/BaseCustomListClass.h"
#include "model/ColumnList.h"
#include "model/ListFactory.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/FileRefusal.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/UiScale.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace quorvel {

TItemAddForm::TItemAddForm(const SettingsStore& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    setObjectName("ItemAddForm");
    setWindowTitle("Add Cartridges");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    masterListCB_ = new QComboBox(this);
    masterListCB_->setObjectName("MasterListCB");
    auto* label = new PlainLabel("Master List", this);
    label->setBuddy(masterListCB_);

    addItemListView_ = new QTableView(this);
    addItemListView_->setObjectName("AddItemListView");
    addItemListView_->setSelectionMode(QAbstractItemView::SingleSelection);
    addItemListView_->setContextMenuPolicy(Qt::CustomContextMenu);
    addItemListView_->setWordWrap(false);
    addItemListView_->verticalHeader()->setDefaultSectionSize(addItemListView_->fontMetrics().height() + 6);
    auto* popup = new QMenu(this);
    auto* customize = popup->addMenu("View")->addAction("Customize...");
    customize->setObjectName("Customize1");

    const auto [okButton, cancelButton] = MakeOKCancelButtons(*this);
    okButton_ = okButton;
    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName("StatusBar1");
    statusBar->setSizeGripEnabled(true);

    connect(masterListCB_, &QComboBox::currentIndexChanged, this, Guarded([this] { MasterListCBChange(); }));
    connect(customize, &QAction::triggered, this, Guarded([this] { Customize1Click(); }));
    connect(addItemListView_, &QTableView::doubleClicked, this, Guarded([this] { AddItemListViewDblClick(); }));
    connect(addItemListView_, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint& at) { popup->popup(addItemListView_->viewport()->mapToGlobal(at)); });

    auto* top = new QVBoxLayout;
    top->addWidget(label);
    top->addWidget(masterListCB_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(
        style()->pixelMetric(QStyle::PM_LayoutLeftMargin), style()->pixelMetric(QStyle::PM_LayoutTopMargin),
        style()->pixelMetric(QStyle::PM_LayoutRightMargin), style()->pixelMetric(QStyle::PM_LayoutBottomMargin));
    content->addLayout(top);
    content->addWidget(addItemListView_, 1);
    content->addLayout(buttons);
    // The status bar lies along the bottom edge, as a window's does.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(content, 1);
    layout->addWidget(statusBar);
    setMinimumSize(Scaled(320, 320));
    resize(DefaultSize());

    ListDisplay.SetTree(addItemListView_);
    ListDisplay.SetShowCheckBoxes(true);
    UpdateOKButton();
}

QSize TItemAddForm::DefaultSize()
{
    // A dozen rows show at once, whatever the font; the grid may shrink below that with the window.
    const int height = LayoutSizeWith(*this, *addItemListView_, {0, GridHeightFor(*addItemListView_, 12)}).height();
    return {Scaled(723), std::max(Scaled(320), height)};
}

TItemAddForm::~TItemAddForm()
{
    // The grid must not ask a list that is being freed.
    ListDisplay.SetList(nullptr);
}

void TItemAddForm::ResetMasterList()
{
    ListDisplay.SetList(nullptr);
    FreeListObject(MasterList);
    MasterList = CreateListObject(ListType);
}

bool TItemAddForm::Prepare()
{
    ResetMasterList();
    LoadMasterListNames();
    return masterListCB_->count() > 0;
}

void TItemAddForm::LoadMasterListNames()
{
    {
        const QSignalBlocker blocker(masterListCB_);
        masterListCB_->clear();
        entries_ = FindMasterLists(settings_.GetFolder(setting::MasterCartPath), ListType, Platform);
        for (const auto& entry : entries_)
            masterListCB_->addItem(PathToQString(Path(entry.Name)));
        if (!entries_.empty())
            masterListCB_->setCurrentIndex(0);
    }
    if (!entries_.empty())
        LoadMasterList();
    UpdateOKButton();
}

void TItemAddForm::LoadMasterList()
{
    const int index = masterListCB_->currentIndex();
    // A fresh list for every file: the marks of the last one go, and a file that fails to load
    // leaves an empty grid rather than the previous list under the new name.
    ResetMasterList();
    QString failure;
    if (index >= 0 && index < static_cast<int>(entries_.size())) {
        try {
            LoadListObject(MasterList.get(), entries_[static_cast<size_t>(index)].Path);
        } catch (const std::exception& e) {
            failure = FileNotOpenedText(entries_[static_cast<size_t>(index)].Path, e);
            ResetMasterList();
        }
    }
    if (MasterList) {
        ListDisplay.SetList(MasterList.get());
        ListDisplay.Refresh();
    }
    UpdateOKButton();
    if (!failure.isEmpty())
        Messages().Error(failure);
}

void TItemAddForm::UpdateOKButton() { okButton_->setEnabled(masterListCB_->count() > 0); }

void TItemAddForm::GetCheckedItems(TBaseCustomListClass& target)
{
    if (!MasterList)
        return;
    const TItemType itemType = ListTypeToItemType(ListType);
    for (const int32_t row : ListDisplay.CheckedRows()) {
        auto item = CreateItemObject(itemType);
        const TBaseCustomClass* source = MasterList->GetItem(row);
        if (!item || !source)
            continue;
        item->Assign(*source);
        target.Add(std::move(item));
    }
}

void TItemAddForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    RunCommand([this] { FormShow(); });
}

void TItemAddForm::FormShow()
{
    addItemListView_->setShowGrid(settings_.IsOn(setting::ShowGrid));
    UpdateOKButton();
}

void TItemAddForm::done(int result)
{
    RunCommand([this] { FormClose(); });
    QDialog::done(result);
}

void TItemAddForm::FormClose()
{
    if (!MasterList)
        return;
    ListDisplay.CaptureColumnWidths();
    ListDisplay.SaveView();
}

void TItemAddForm::MasterListCBChange() { LoadMasterList(); }

void TItemAddForm::Customize1Click()
{
    if (!MasterList || !EditColumns)
        return;
    ListDisplay.CaptureColumnWidths();
    ListDisplay.SaveView();
    TColumnListClass& columns = ListDisplay.GetColumns();
    if (!EditColumns(columns))
        return;
    columns.SortByOrder();
    ListDisplay.ApplyColumns();
    ListDisplay.SaveView();
    ListDisplay.Refresh();
}

void TItemAddForm::AddItemListViewDblClick()
{
    const auto rows = ListDisplay.SelectedRows();
    if (!rows.empty())
        ListDisplay.SetChecked(rows.front(), !ListDisplay.IsChecked(rows.front()));
}

}  // namespace quorvel
