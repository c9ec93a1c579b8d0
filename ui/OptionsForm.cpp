#include "ui/OptionsForm.h"

#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/SafeFile.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "config/PlatformList.h"
#include "config/SettingsStore.h"
#include "ui/SiteAddresses.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace quorvel {

namespace {

const char* const kRefusedCharacters = "?\"/\\<>*|:$";

std::string Trimmed(std::string_view text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string TextOf(const QListWidgetItem* item)
{
    return FromQString(item->text());
}

std::vector<std::string> Entries(const QListWidget* list)
{
    std::vector<std::string> entries;
    entries.reserve(static_cast<size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i)
        entries.push_back(TextOf(list->item(i)));
    return entries;
}

void Fill(QListWidget* list, const std::vector<std::string>& entries)
{
    list->clear();
    for (const auto& entry : entries)
        list->addItem(ToQString(entry));
}

void FillSorted(QListWidget* list, std::vector<std::string> entries)
{
    SortNoCase(entries);
    Fill(list, entries);
}

// Shows the entries (sorted) and writes them with Save; when the write fails the list shows what the
// file still holds.
template <typename Save>
void ReplaceEntries(QListWidget* list, std::vector<std::string> entries, Save save)
{
    const auto old = Entries(list);
    FillSorted(list, std::move(entries));
    try {
        save();
    } catch (...) {
        Fill(list, old);
        throw;
    }
}

std::vector<std::string> UnselectedEntries(const QListWidget* list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list->count(); ++i) {
        if (!list->item(i)->isSelected())
            entries.push_back(TextOf(list->item(i)));
    }
    return entries;
}

bool ContainsNoCase(const std::vector<std::string>& entries, std::string_view name)
{
    return std::any_of(entries.begin(), entries.end(),
                       [name](const std::string& e) { return Cp1252::EqualsNoCase(e, name); });
}

// Selects the first entry equal to Name ignoring case; false when there is none.
bool SelectEntry(QListWidget* list, std::string_view name)
{
    for (int i = 0; i < list->count(); ++i) {
        if (Cp1252::EqualsNoCase(TextOf(list->item(i)), name)) {
            list->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    return false;
}

std::string SelectedEntry(const QListWidget* list)
{
    const auto selected = list->selectedItems();
    return selected.size() == 1 ? TextOf(selected.front()) : std::string();
}

// Values of Prefix0 .. Prefix(Count-1) in index order, empty ones included: a manufacturer or lookup
// list shows every entry its file holds. Only the keys present are visited, so a huge Count costs nothing.
std::vector<std::string> ReadListEntries(const IniFile& ini, const std::string& section, const std::string& prefix)
{
    const int count = ini.ReadInteger(section, "Count", 0);
    std::map<int, std::string> found;
    for (const auto& [key, value] : ini.SectionValues(section)) {
        if (key.size() <= prefix.size() || !Cp1252::EqualsNoCase(std::string_view(key).substr(0, prefix.size()), prefix))
            continue;
        const std::string_view digits = std::string_view(key).substr(prefix.size());
        if (digits.size() > 10 || (digits.size() > 1 && digits.front() == '0') ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        const long long index = std::stoll(std::string(digits));
        // The first key of an index wins, as a look-up by name would.
        if (index < count)
            found.emplace(static_cast<int>(index), value);
    }
    std::vector<std::string> entries;
    entries.reserve(found.size());
    for (auto& [index, value] : found)
        entries.push_back(std::move(value));
    return entries;
}

// Lines end at CR, LF or CR LF; a final line break adds no line.
std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

QListWidget* NewList(QWidget* parent, const char* name, QAbstractItemView::SelectionMode mode)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(mode);
    return list;
}

QPushButton* NewButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* NewEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

void FocusAndSelect(QLineEdit* edit)
{
    edit->setFocus();
    edit->selectAll();
}

// The platform's file for a write; a name that cannot be a file name stops the write with a message.
std::string WritablePlatformFile(const std::string& platform)
{
    const auto file = PlatformList::PlatformFile(platform);
    if (!file)
        throw std::runtime_error("The Platform Name " + platform + " can not be used as a file name.");
    return *file;
}

void ShowError(const std::string& message)
{
    Messages().Error(ToQString(message));
}

}  // namespace

TOptionsForm::TOptionsForm(SettingsStore& settings, PlatformList& platforms, QWidget* parent)
    : QDialog(parent), settings_(settings), platforms_(platforms)
{
    setObjectName("OptionsForm");
    setWindowTitle("Options");

    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControl");
    BuildGeneralPage();
    BuildSavePage();
    BuildPathsPage();
    BuildPlatformsPage();
    BuildManufacturersPage();
    BuildLookupPage();
    BuildCartwellPage();

    auto* ok = NewButton("&OK", "OKButton", this);
    auto* cancel = NewButton("&Cancel", "CancelButton", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(515, 288)));

    LoadSettings();
    UpdateButtons();
}

void TOptionsForm::BuildGeneralPage()
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
    pages_->addTab(page, "General");
}

void TOptionsForm::BuildSavePage()
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
    auto* ownerLabel = new QLabel("Default Owner Name", page);
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
    pages_->addTab(page, "Save");
}

void TOptionsForm::BuildPathsPage()
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

    connect(pathList_, &QTableWidget::itemSelectionChanged, this, &TOptionsForm::UpdateButtons);
    connect(pathList_, &QTableWidget::cellDoubleClicked, this, Guarded(&TOptionsForm::BrowseButtonClick));
    connect(browseButton_, &QPushButton::clicked, this, Guarded(&TOptionsForm::BrowseButtonClick));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(pathList_);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(browseButton_);
    layout->addLayout(row);
    pages_->addTab(page, "Paths");
}

void TOptionsForm::BuildPlatformsPage()
{
    auto* page = new QWidget;
    platformEdit_ = NewEdit("PlatformEdit", page);
    platformList_ = NewList(page, "PlatFormListBox", QAbstractItemView::ExtendedSelection);
    platformAdd_ = NewButton("&Add", "PlatformAddButton", page);
    platformRemove_ = NewButton("&Remove", "PlatformRemoveButton", page);

    connect(platformEdit_, &QLineEdit::textChanged, this, &TOptionsForm::UpdateButtons);
    connect(platformList_, &QListWidget::itemSelectionChanged, this, &TOptionsForm::UpdateButtons);
    connect(platformList_, &QListWidget::itemDoubleClicked, this, Guarded(&TOptionsForm::PlatformListDoubleClick));
    connect(platformAdd_, &QPushButton::clicked, this, Guarded(&TOptionsForm::PlatformAddButtonClick));
    connect(platformRemove_, &QPushButton::clicked, this, Guarded(&TOptionsForm::PlatformRemoveButtonClick));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(platformAdd_);
    buttons->addWidget(platformRemove_);
    buttons->addStretch();
    auto* grid = new QGridLayout(page);
    grid->addWidget(platformEdit_, 0, 0);
    grid->addWidget(platformList_, 1, 0);
    grid->addLayout(buttons, 1, 1);
    pages_->addTab(page, "Platforms");
}

std::function<void()> TOptionsForm::Guarded(void (TOptionsForm::*handler)())
{
    return [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); };
}

void TOptionsForm::AddChooserPage(QWidget* page, const char* title, const char* chooserCaption, QListWidget* chooser,
                                  const char* valuesCaption, QLineEdit* edit, QListWidget* values,
                                  std::initializer_list<QPushButton*> buttons)
{
    auto* column = new QVBoxLayout;
    for (auto* button : buttons)
        column->addWidget(button);
    column->addStretch();
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(chooserCaption, page), 0, 0);
    grid->addWidget(chooser, 1, 0, 2, 1);
    grid->addWidget(new QLabel(valuesCaption, page), 0, 1);
    grid->addWidget(edit, 1, 1);
    grid->addWidget(values, 2, 1);
    grid->addLayout(column, 1, 2, 2, 1);
    pages_->addTab(page, title);
}

void TOptionsForm::BuildManufacturersPage()
{
    auto* page = new QWidget;
    platformMfgList_ = NewList(page, "PlatformMfgLB", QAbstractItemView::SingleSelection);
    mfgEdit_ = NewEdit("MfgEdit", page);
    mfgList_ = NewList(page, "MfgListBox", QAbstractItemView::ExtendedSelection);
    mfgAdd_ = NewButton("&Add", "MfgAddButton", page);
    mfgRemove_ = NewButton("&Remove", "MfgRemoveButton", page);
    mfgLoad_ = NewButton("Load", "MfgLoadButton", page);
    mfgSave_ = NewButton("Save", "MfgSaveButton", page);
    platformMfgList_->setToolTip("List of Available Manufactures");

    connect(platformMfgList_, &QListWidget::itemSelectionChanged, this, Guarded(&TOptionsForm::PlatformMfgClick));
    connect(mfgEdit_, &QLineEdit::textChanged, this, &TOptionsForm::UpdateButtons);
    connect(mfgList_, &QListWidget::itemSelectionChanged, this, &TOptionsForm::UpdateButtons);
    connect(mfgList_, &QListWidget::itemDoubleClicked, this, Guarded(&TOptionsForm::MfgListDoubleClick));
    connect(mfgAdd_, &QPushButton::clicked, this, Guarded(&TOptionsForm::MfgAddButtonClick));
    connect(mfgRemove_, &QPushButton::clicked, this, Guarded(&TOptionsForm::MfgRemoveButtonClick));
    connect(mfgLoad_, &QPushButton::clicked, this, Guarded(&TOptionsForm::MfgLoadButtonClick));
    connect(mfgSave_, &QPushButton::clicked, this, Guarded(&TOptionsForm::MfgSaveButtonClick));

    AddChooserPage(page, "Manufacturers", "Platform", platformMfgList_, "Manufacturers", mfgEdit_, mfgList_,
                   {mfgAdd_, mfgRemove_, mfgLoad_, mfgSave_});
}

void TOptionsForm::BuildLookupPage()
{
    auto* page = new QWidget;
    lookupNameList_ = NewList(page, "LookupNameListBox", QAbstractItemView::SingleSelection);
    lookupEdit_ = NewEdit("LookupEdit", page);
    lookupDataList_ = NewList(page, "LookupDataListBox", QAbstractItemView::ExtendedSelection);
    lookupAdd_ = NewButton("&Add", "LookupAddButton", page);
    lookupRemove_ = NewButton("&Remove", "LookupRemoveButton", page);

    connect(lookupNameList_, &QListWidget::itemSelectionChanged, this, Guarded(&TOptionsForm::LookupNameClick));
    connect(lookupEdit_, &QLineEdit::textChanged, this, &TOptionsForm::UpdateButtons);
    connect(lookupDataList_, &QListWidget::itemSelectionChanged, this, &TOptionsForm::UpdateButtons);
    connect(lookupAdd_, &QPushButton::clicked, this, Guarded(&TOptionsForm::LookupAddButtonClick));
    connect(lookupRemove_, &QPushButton::clicked, this, Guarded(&TOptionsForm::LookupRemoveButtonClick));

    AddChooserPage(page, "Lookup Data", "Lookup Category", lookupNameList_, "Lookup Data", lookupEdit_,
                   lookupDataList_, {lookupAdd_, lookupRemove_});
}

void TOptionsForm::BuildCartwellPage()
{
    auto* page = new QWidget;
    platformCartwellList_ = NewList(page, "PlatformCartwellLB", QAbstractItemView::SingleSelection);
    systemIdEdit_ = NewEdit("SystemIDEdit", page);
    auto* link = new QLabel(page);
    link->setObjectName("CartwellLink");
    link->setText(QStringLiteral("<a href=\"%1\" style=\"color:blue; text-decoration:underline\">%1</a>")
                      .arg(QString::fromLatin1(CartwellHomePage)));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setCursor(Qt::PointingHandCursor);
    connect(link, &QLabel::linkActivated, this, [] { RunCommand([] { OpenDocument(CartwellHomePage); }); });
    auto* note = new QPlainTextEdit(page);
    note->setObjectName("CartwellNote");
    note->setReadOnly(true);
    note->setPlainText(
        "Cartwell is a collector site that catalogues the software and hardware of many platforms. "
        "Enter the System ID that Cartwell uses for the selected platform; More Info looks items up "
        "on Cartwell with it.");

    connect(platformCartwellList_, &QListWidget::itemSelectionChanged, this, Guarded(&TOptionsForm::PlatformCartwellClick));
    // Every change is written at once; filling the edit from a platform's file counts as one.
    connect(systemIdEdit_, &QLineEdit::textChanged, this, Guarded(&TOptionsForm::SystemIdEdited));

    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel("Platform", page), 0, 0);
    grid->addWidget(platformCartwellList_, 1, 0, 4, 1);
    grid->addWidget(new QLabel("System ID", page), 0, 1);
    grid->addWidget(systemIdEdit_, 1, 1);
    grid->addWidget(link, 2, 1);
    grid->addWidget(note, 3, 1);
    pages_->addTab(page, "Cartwell");
}

int TOptionsForm::ShowOptions(int page)
{
    mfgList_->clear();
    lookupDataList_->clear();
    LoadSettings();
    UpdateButtons();
    if (page >= 0 && page < pages_->count())
        pages_->setCurrentIndex(page);
    return ExecDialog(*this);
}

std::string TOptionsForm::GetSetting(std::string_view key) const
{
    return settings_.GetSetting(key);
}

void TOptionsForm::SetSetting(std::string_view key, std::string_view value)
{
    settings_.SetSetting(key, value);
}

void TOptionsForm::LoadSettings()
{
    settings_.LoadSettings();
    ClearPathList();
    for (const auto& folder : SettingsStore::Folders())
        AddPathRow(folder.description, settings_.GetSetting(folder.key));

    defaultOwner_->setText(ToQString(settings_.GetSetting("DefaultOwner")));
    // A value that is no choice of the group shows the default choice.
    const auto choose = [this](QButtonGroup* group, const char* key) {
        const std::string value = settings_.GetSetting(key);
        QAbstractButton* button = nullptr;
        if (value.size() == 1 && value[0] >= '0' && value[0] <= '9')
            button = group->button(value[0] - '0');
        (button ? button : group->button(0))->setChecked(true);
    };
    choose(saveAsFormat_, "SaveAsFormat");
    choose(appendListType_, "AppendListType");
    const auto check = [this](QCheckBox* box, const char* key) { box->setChecked(settings_.GetSetting(key) != "0"); };
    check(warnOnExport_, "WarnOnExport");
    check(showSplash_, "ShowSplash");
    check(showOwner_, "ShowOwner");
    check(createBackups_, "BackupFiles");
    check(loadLastFiles_, "LoadLastCartFile");
    check(showGrid_, "ShowGrid");
    check(showExplorer_, "ShowCollectionExplorer");

    LoadPlatforms();
    LoadLookupNames();
}

void TOptionsForm::ControlsToSettings()
{
    PathsToSettings();
    const auto store = [this](const char* key, QCheckBox* box) { settings_.SetSetting(key, box->isChecked() ? "1" : "0"); };
    store("ShowSplash", showSplash_);
    store("ShowOwner", showOwner_);
    store("BackupFiles", createBackups_);
    store("LoadLastCartFile", loadLastFiles_);
    store("WarnOnExport", warnOnExport_);
    store("ShowGrid", showGrid_);
    store("ShowCollectionExplorer", showExplorer_);
    settings_.SetSetting("SaveAsFormat", std::to_string(std::max(0, saveAsFormat_->checkedId())));
    settings_.SetSetting("AppendListType", std::to_string(std::max(0, appendListType_->checkedId())));
    settings_.SetSetting("DefaultOwner", FromQString(defaultOwner_->text()));
    platforms_.SetNames(Entries(platformList_));
}

void TOptionsForm::SaveSettings()
{
    settings_.SaveSettings();
    SavePlatforms();
}

void TOptionsForm::AcceptChanges()
{
    ControlsToSettings();
    SaveSettings();
}

void TOptionsForm::ClearPathList()
{
    pathList_->setRowCount(0);
}

void TOptionsForm::AddPathRow(const std::string& description, const std::string& path)
{
    const int row = pathList_->rowCount();
    pathList_->insertRow(row);
    pathList_->setItem(row, 0, new QTableWidgetItem(ToQString(description)));
    pathList_->setItem(row, 1, new QTableWidgetItem(PathToQString(WithTrailingSlash(path))));
    // 80 pixels is too narrow for the descriptions in larger desktop fonts.
    pathList_->resizeColumnToContents(0);
    pathList_->setColumnWidth(0, std::max(80, pathList_->columnWidth(0)));
}

void TOptionsForm::PathsToSettings()
{
    const auto& folders = SettingsStore::Folders();
    for (int row = 0; row < pathList_->rowCount() && row < static_cast<int>(folders.size()); ++row) {
        std::string path = Trimmed(PathFromQString(pathList_->item(row, 1)->text()));
        if (path.empty())
            path = settings_.DefaultFolder(folders[static_cast<size_t>(row)]);
        settings_.SetSetting(folders[static_cast<size_t>(row)].key, WithTrailingSlash(path));
    }
}

void TOptionsForm::BrowseButtonClick()
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

bool TOptionsForm::IsValidPlatformName(std::string_view name)
{
    return PlatformList::IsValidPlatformName(name);
}

void TOptionsForm::LoadPlatforms()
{
    for (const auto& name : platforms_.Load(G_PlatformsFile)) {
        if (PlatformList::HasRefusedCharacter(name))
            ShowError("The Platform Name " + name + " can not contain the following characters " + kRefusedCharacters);
        else
            ShowError("The Platform Name " + name + " can not be used as a file name.");
    }
    Fill(platformList_, platforms_.Names());
    {
        const QSignalBlocker blockMfg(platformMfgList_);
        const QSignalBlocker blockCartwell(platformCartwellList_);
        Fill(platformMfgList_, platforms_.Names());
        Fill(platformCartwellList_, platforms_.Names());
        if (!PresetPlatform.empty()) {
            SelectEntry(platformList_, PresetPlatform);
            SelectEntry(platformMfgList_, PresetPlatform);
            SelectEntry(platformCartwellList_, PresetPlatform);
        }
    }
    PlatformMfgClick();
    PlatformCartwellClick();
}

void TOptionsForm::SavePlatforms()
{
    platforms_.Save(G_PlatformsFile);
}

std::string TOptionsForm::SelectedMfgPlatform() const
{
    return SelectedEntry(platformMfgList_);
}

void TOptionsForm::LoadManufacturers()
{
    mfgList_->clear();
    const std::string platform = SelectedMfgPlatform();
    if (platform.empty())
        return;
    const auto file = PlatformList::PlatformFile(platform);
    if (file)
        FillSorted(mfgList_, ReadListEntries(IniFile::Load(*file), "Mfg", "Mfg"));
}

void TOptionsForm::SaveManufacturers()
{
    const std::string platform = SelectedMfgPlatform();
    IniFile ini = IniFile::Load(WritablePlatformFile(platform));
    ini.WriteIndexedList("Mfg", "Mfg", Entries(mfgList_));
    ini.Save();
}

std::string TOptionsForm::SelectedLookupSection() const
{
    return RemoveAllOccurrences(SelectedEntry(lookupNameList_), " ");
}

void TOptionsForm::LoadLookupNames()
{
    {
        const QSignalBlocker block(lookupNameList_);
        Fill(lookupNameList_, IniFile::Load(JoinPath(G_ConfigFiles, "General.ini")).ReadIndexedList("Lookup", "Lookup"));
        const std::string preset = Cp1252::ToUpper(PresetLookupName);
        for (int i = 0; !preset.empty() && i < lookupNameList_->count(); ++i) {
            if (Cp1252::ToUpper(RemoveAllOccurrences(TextOf(lookupNameList_->item(i)), " ")) == preset) {
                lookupNameList_->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
                break;
            }
        }
    }
    LookupNameClick();
}

void TOptionsForm::LoadLookupData()
{
    lookupDataList_->clear();
    const std::string section = SelectedLookupSection();
    if (section.empty())
        return;
    FillSorted(lookupDataList_, ReadListEntries(IniFile::Load(JoinPath(G_ConfigFiles, "General.ini")), section, section));
}

void TOptionsForm::SaveLookupData()
{
    const std::string section = SelectedLookupSection();
    IniFile ini = IniFile::Load(JoinPath(G_ConfigFiles, "General.ini"));
    ini.WriteIndexedList(section, section, Entries(lookupDataList_));
    ini.Save();
}

void TOptionsForm::UpdateButtons()
{
    const bool mfgPlatform = !SelectedMfgPlatform().empty();
    const bool lookupTable = !lookupNameList_->selectedItems().isEmpty();
    platformAdd_->setEnabled(!platformEdit_->text().isEmpty());
    platformRemove_->setEnabled(!platformList_->selectedItems().isEmpty());
    mfgAdd_->setEnabled(mfgPlatform && !mfgEdit_->text().isEmpty());
    mfgRemove_->setEnabled(mfgPlatform && !mfgList_->selectedItems().isEmpty());
    mfgLoad_->setEnabled(mfgPlatform);
    mfgSave_->setEnabled(mfgPlatform && mfgList_->count() > 0);
    systemIdEdit_->setEnabled(!platformCartwellList_->selectedItems().isEmpty());
    browseButton_->setEnabled(!pathList_->selectedItems().isEmpty());
    lookupRemove_->setEnabled(!lookupDataList_->selectedItems().isEmpty());
    lookupAdd_->setEnabled(!lookupEdit_->text().isEmpty() && lookupTable);
}

void TOptionsForm::PlatformAddButtonClick()
{
    const std::string text = FromQString(platformEdit_->text());
    const std::string name = Trimmed(text);
    std::vector<std::string> names = Entries(platformList_);
    const size_t limit = 255;
    if (name.empty()) {
        ShowError("You can not add a blank Platform Name");
    } else if (PlatformList::HasRefusedCharacter(name)) {
        ShowError(std::string("Platform Names can not contain the following characters ") + kRefusedCharacters);
    } else if (!PlatformList::IsValidPlatformName(name)) {
        ShowError("The Platform Name can not be used as a file name.");
    } else if (name.size() + G_ConfigFiles.size() >= limit) {
        ShowError("Platform Names must be less than " +
                  std::to_string(static_cast<long long>(limit) - static_cast<long long>(G_ConfigFiles.size())) +
                  " in length.");
    } else if (ContainsNoCase(names, name)) {
        ShowError("The Platform Name already exists in the list.");
    } else {
        names.push_back(name);
        FillSorted(platformList_, std::move(names));
        CopyPlatformsToManufacturersPage();
    }
    FocusAndSelect(platformEdit_);
}

void TOptionsForm::PlatformRemoveButtonClick()
{
    if (platformList_->selectedItems().isEmpty())
        return;
    if (!Messages().Confirm("Are you sure you want to remove the selected Platform Names?"))
        return;
    Fill(platformList_, UnselectedEntries(platformList_));
    CopyPlatformsToManufacturersPage();
    UpdateButtons();
}

void TOptionsForm::PlatformListDoubleClick()
{
    QListWidgetItem* item = platformList_->currentItem();
    if (!item)
        return;
    platformEdit_->setText(item->text());
    delete platformList_->takeItem(platformList_->row(item));
    CopyPlatformsToManufacturersPage();
    UpdateButtons();
}

void TOptionsForm::CopyPlatformsToManufacturersPage()
{
    const std::string selected = SelectedMfgPlatform();
    {
        const QSignalBlocker block(platformMfgList_);
        Fill(platformMfgList_, Entries(platformList_));
        if (!selected.empty())
            SelectEntry(platformMfgList_, selected);
    }
    // The manufacturer list must never show the names of a platform that is no longer selected.
    if (SelectedMfgPlatform() != selected)
        PlatformMfgClick();
}

void TOptionsForm::AddListValue(QLineEdit* edit, QListWidget* list, const char* blankMessage,
                                const std::function<void()>& duplicate, const std::function<void()>& save)
{
    const std::string value = Trimmed(FromQString(edit->text()));
    std::vector<std::string> values = Entries(list);
    if (value.empty()) {
        ShowError(blankMessage);
    } else if (ContainsNoCase(values, value)) {
        duplicate();
    } else {
        values.push_back(value);
        ReplaceEntries(list, std::move(values), save);
    }
    UpdateButtons();
    FocusAndSelect(edit);
}

void TOptionsForm::RemoveListValues(QListWidget* list, const char* question, const std::function<void()>& save)
{
    if (list->selectedItems().isEmpty() || !Messages().Confirm(question))
        return;
    ReplaceEntries(list, UnselectedEntries(list), save);
    UpdateButtons();
}

void TOptionsForm::PlatformMfgClick()
{
    const std::string platform = SelectedMfgPlatform();
    platformMfgList_->setToolTip(platform.empty() ? QString("List of Available Manufactures") : ToQString(platform));
    LoadManufacturers();
    UpdateButtons();
}

void TOptionsForm::MfgAddButtonClick()
{
    if (SelectedMfgPlatform().empty())
        return;
    AddListValue(
        mfgEdit_, mfgList_, "You can not add a blank Manufacturer Name",
        [] { ShowError("The Manufacturer Name already exists in the list."); }, [this] { SaveManufacturers(); });
}

void TOptionsForm::MfgRemoveButtonClick()
{
    if (!SelectedMfgPlatform().empty())
        RemoveListValues(mfgList_, "Are you sure you want to remove the selected Manufacturers Names?",
                         [this] { SaveManufacturers(); });
}

void TOptionsForm::MfgListDoubleClick()
{
    QListWidgetItem* item = mfgList_->currentItem();
    if (!item)
        return;
    mfgEdit_->setText(item->text());
    delete mfgList_->takeItem(mfgList_->row(item));
    UpdateButtons();
}

void TOptionsForm::MfgLoadButtonClick()
{
    if (SelectedMfgPlatform().empty())
        return;
    const auto chosen = FileDialogs().OpenFileName({"Load", {}, "*.txt", "Text Files (*.txt);;All Files (*)"});
    if (!chosen)
        return;
    const std::string path = PathFromQString(*chosen);
    const auto content = ReadWholeFile(path);
    if (!content) {
        ShowError("Unable to read " + path);
        return;
    }
    ReplaceEntries(mfgList_, SplitLines(*content), [this] { SaveManufacturers(); });
    UpdateButtons();
}

void TOptionsForm::MfgSaveButtonClick()
{
    if (SelectedMfgPlatform().empty() || mfgList_->count() == 0)
        return;
    const auto chosen = FileDialogs().SaveFileName({"Save", {}, "*.txt", "Text Files (*.txt);;All Files (*)"});
    if (!chosen)
        return;
    std::string text;
    for (const auto& name : Entries(mfgList_))
        text += name + "\r\n";
    WriteFileAtomic(PathFromQString(*chosen), text);
}

void TOptionsForm::LookupNameClick()
{
    LoadLookupData();
    UpdateButtons();
}

void TOptionsForm::LookupAddButtonClick()
{
    if (SelectedLookupSection().empty())
        return;
    AddListValue(
        lookupEdit_, lookupDataList_, "You can not add blank lookup information",
        [] { Messages().Warning("The lookup data already exists in the list."); }, [this] { SaveLookupData(); });
}

void TOptionsForm::LookupRemoveButtonClick()
{
    RemoveListValues(lookupDataList_, "Are you sure you want to remove the selected lookup data?",
                     [this] { SaveLookupData(); });
}

void TOptionsForm::PlatformCartwellClick()
{
    const std::string platform = SelectedEntry(platformCartwellList_);
    std::string id;
    if (const auto file = PlatformList::PlatformFile(platform))
        id = IniFile::Load(*file).ReadString("SystemID", "SystemID", "");
    systemIdEdit_->setText(ToQString(id));
    UpdateButtons();
}

void TOptionsForm::SystemIdEdited()
{
    const std::string platform = SelectedEntry(platformCartwellList_);
    if (platform.empty())
        return;
    IniFile ini = IniFile::Load(WritablePlatformFile(platform));
    ini.SetValue("SystemID", "SystemID", FromQString(systemIdEdit_->text()));
    ini.Save();
}

}  // namespace quorvel
