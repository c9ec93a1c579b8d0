#include "ui/options/OptionsFormSettingsPages.h"

#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "platform/FileNames.h"
#include "platform/Text.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/options/OptionsFormLists.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel {

using namespace options;

OptionsSettingsPages::OptionsSettingsPages(QTabWidget* pages, std::function<void()> updateButtons)
    : updateButtons_(std::move(updateButtons))
{
    BuildGeneralPage(pages);
    BuildSavePage(pages);
    BuildPathsPage(pages);
}

void OptionsSettingsPages::BuildGeneralPage(QTabWidget* pages)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    const auto add = [&](const char* caption, const char* name) {
        auto* box = new QCheckBox(caption, page);
        box->setObjectName(name);
        layout->addWidget(box);
        return box;
    };
    showSplash_ = add("Show Splash Screen", "ShowSplashCheckBox");
    showOwner_ = add("Display Owner on Tabs", "ShowOwnerCheckBox");
    loadLastFiles_ = add("Load Last Files", "LoadLastFilesCheckBox");
    warnOnExport_ = add("Show Warning if only one item is selected when Exporting", "WarnOnExportCheckBox");
    showGrid_ = add("Show Grid Lines", "ShowGridCheckBox");
    showExplorer_ = add("Show Collection Explorer", "ShowCollectionExplorerCheckBox");
    layout->addStretch();
    pages->addTab(page, "General");
}

void OptionsSettingsPages::BuildSavePage(QTabWidget* pages)
{
    auto* page = new QWidget;
    const auto radioGroup = [page](const char* caption, const char* name, const QStringList& choices,
                                   QButtonGroup*& group) {
        auto* box = new QGroupBox(caption, page);
        box->setObjectName(name);
        auto* layout = new QVBoxLayout(box);
        group = new QButtonGroup(box);
        for (int i = 0; i < choices.size(); ++i) {
            auto* radio = new QRadioButton(choices[i], box);
            group->addButton(radio, i);
            layout->addWidget(radio);
        }
        return box;
    };
    auto* saveAs = radioGroup("Save As... Default", "SaveAsFormatGroup",
                              {"Owner - Platform", "Platform - Owner", "Platform"}, saveAsFormat_);
    auto* listType = radioGroup("List Type", "AppendListTypeGroup",
                                {"Append List Type to END of File Name", "Append List Type to FRONT of File Name",
                                 "Don't Append List Type to File Name"},
                                appendListType_);
    auto* ownerLabel = new PlainLabel("Default Owner Name", page);
    defaultOwner_ = NewEdit("DefaultOwnerEdit", page);
    ownerLabel->setBuddy(defaultOwner_);
    createBackups_ = new QCheckBox("Create Backups", page);
    createBackups_->setObjectName("CreateBackupsCheckBox");

    auto* groups = new QHBoxLayout;
    groups->addWidget(saveAs);
    groups->addWidget(listType);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(groups);
    layout->addWidget(ownerLabel);
    layout->addWidget(defaultOwner_);
    layout->addWidget(createBackups_);
    layout->addStretch();
    pages->addTab(page, "Save");
}

void OptionsSettingsPages::BuildPathsPage(QTabWidget* pages)
{
    auto* page = new QWidget;
    pathList_ = new QTableWidget(0, 2, page);
    pathList_->setObjectName("PathListView");
    pathList_->setHorizontalHeaderLabels({"Description", "Path"});
    pathList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pathList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    pathList_->setSelectionMode(QAbstractItemView::SingleSelection);
    pathList_->setShowGrid(true);
    pathList_->verticalHeader()->hide();
    pathList_->verticalHeader()->setDefaultSectionSize(pathList_->fontMetrics().height() + 6);
    pathList_->setWordWrap(false);
    pathList_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pathList_->setColumnWidth(0, 80);
    pathList_->horizontalHeader()->setStretchLastSection(true);
    browseButton_ = NewButton("Browse", "BrowseButton", page);

    QObject::connect(pathList_, &QTableWidget::itemSelectionChanged, pathList_, [this] { updateButtons_(); });
    const auto browse = Guarded([this] { BrowseButtonClick(); });
    QObject::connect(pathList_, &QTableWidget::cellDoubleClicked, pathList_, browse);
    QObject::connect(browseButton_, &QPushButton::clicked, browseButton_, browse);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(pathList_);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(browseButton_);
    layout->addLayout(row);
    pages->addTab(page, "Paths");
}

void OptionsSettingsPages::Show(const SettingsStore& settings)
{
    ClearPathList();
    for (const auto& folder : SettingsStore::Folders())
        AddPathRow(folder.description, settings.GetSetting(folder.key));

    defaultOwner_->setText(ToQString(settings.GetSetting(setting::DefaultOwner)));
    // A value that is no choice of the group shows the default choice.
    const auto choose = [&settings](QButtonGroup* group, const char* key) {
        const std::string value = settings.GetSetting(key);
        QAbstractButton* button = nullptr;
        if (value.size() == 1 && value[0] >= '0' && value[0] <= '9')
            button = group->button(value[0] - '0');
        (button ? button : group->button(0))->setChecked(true);
    };
    choose(saveAsFormat_, setting::SaveAsFormat);
    choose(appendListType_, setting::AppendListType);
    const auto check = [&settings](QCheckBox* box, const char* key) {
        box->setChecked(settings.GetSetting(key) != "0");
    };
    check(warnOnExport_, setting::WarnOnExport);
    check(showSplash_, setting::ShowSplash);
    check(showOwner_, setting::ShowOwner);
    check(createBackups_, setting::BackupFiles);
    check(loadLastFiles_, setting::LoadLastCartFile);
    check(showGrid_, setting::ShowGrid);
    check(showExplorer_, setting::ShowCollectionExplorer);
}

void OptionsSettingsPages::Store(SettingsStore& settings) const
{
    PathsToSettings(settings);
    const auto store = [&settings](const char* key, QCheckBox* box) {
        settings.SetSetting(key, box->isChecked() ? "1" : "0");
    };
    store(setting::ShowSplash, showSplash_);
    store(setting::ShowOwner, showOwner_);
    store(setting::BackupFiles, createBackups_);
    store(setting::LoadLastCartFile, loadLastFiles_);
    store(setting::WarnOnExport, warnOnExport_);
    store(setting::ShowGrid, showGrid_);
    store(setting::ShowCollectionExplorer, showExplorer_);
    settings.SetSetting(setting::SaveAsFormat, std::to_string(std::max(0, saveAsFormat_->checkedId())));
    settings.SetSetting(setting::AppendListType, std::to_string(std::max(0, appendListType_->checkedId())));
    settings.SetSetting(setting::DefaultOwner, FromQString(defaultOwner_->text()));
}

void OptionsSettingsPages::ClearPathList() { pathList_->setRowCount(0); }

void OptionsSettingsPages::AddPathRow(const std::string& description, const std::string& path)
{
    const int row = pathList_->rowCount();
    pathList_->insertRow(row);
    pathList_->setItem(row, 0, new QTableWidgetItem(ToQString(description)));
    pathList_->setItem(row, 1, new QTableWidgetItem(PathToQString(WithTrailingSlash(Path(path)))));
    // 80 pixels is too narrow for the descriptions in larger desktop fonts.
    pathList_->resizeColumnToContents(0);
    pathList_->setColumnWidth(0, std::max(80, pathList_->columnWidth(0)));
}

void OptionsSettingsPages::PathsToSettings(SettingsStore& settings) const
{
    const auto& folders = SettingsStore::Folders();
    for (int row = 0; row < pathList_->rowCount() && row < static_cast<int>(folders.size()); ++row) {
        Path path = Path::FromBytes(TrimBlanks(PathFromQString(pathList_->item(row, 1)->text()).Bytes()));
        if (path.empty())
            path = settings.DefaultFolder(folders[static_cast<size_t>(row)]);
        settings.SetSetting(folders[static_cast<size_t>(row)].key, WithTrailingSlash(path).Bytes());
    }
}

void OptionsSettingsPages::UpdateButtons() { browseButton_->setEnabled(!pathList_->selectedItems().isEmpty()); }

void OptionsSettingsPages::BrowseButtonClick()
{
    const int row = pathList_->currentRow();
    if (row < 0 || pathList_->selectedItems().isEmpty())
        return;
    QTableWidgetItem* item = pathList_->item(row, 1);
    const auto chosen = FileDialogs().FolderName(pathList_->item(row, 0)->text(), item->text());
    if (!chosen || chosen->isEmpty())
        return;
    item->setText(PathToQString(WithTrailingSlash(PathFromQString(*chosen))));
}

}  // namespace quorvel
