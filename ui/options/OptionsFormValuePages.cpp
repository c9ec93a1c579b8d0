#include "ui/options/OptionsFormValuePages.h"

#include "config/ReferenceData.h"
#include "platform/Cp1252.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/options/OptionsFormLists.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quorvel {

using namespace options;
using Empty = ReferenceData::EmptyEntries;

QWidget* OptionsChooserPage::Build(const char* chooser, const char* edit, const char* values, const char* add,
                                   const char* remove)
{
    auto* page = new QWidget;
    chooser_ = NewList(page, chooser, QAbstractItemView::SingleSelection);
    edit_ = NewEdit(edit, page);
    values_ = NewList(page, values, QAbstractItemView::ExtendedSelection);
    add_ = NewButton("&Add", add, page);
    remove_ = NewButton("&Remove", remove, page);
    QObject::connect(edit_, &QLineEdit::textChanged, page, [this] { updateButtons_(); });
    QObject::connect(values_, &QListWidget::itemSelectionChanged, page, [this] { updateButtons_(); });
    return page;
}

void OptionsChooserPage::Lay(QTabWidget* pages, QWidget* page, const char* title, const char* chooserCaption,
                             const char* valuesCaption, std::initializer_list<QPushButton*> buttons)
{
    auto* column = new QVBoxLayout;
    for (auto* button : buttons)
        column->addWidget(button);
    column->addStretch();
    auto* grid = new QGridLayout(page);
    grid->addWidget(new PlainLabel(chooserCaption, page), 0, 0);
    grid->addWidget(chooser_, 1, 0, 2, 1);
    grid->addWidget(new PlainLabel(valuesCaption, page), 0, 1);
    grid->addWidget(edit_, 1, 1);
    grid->addWidget(values_, 2, 1);
    grid->addLayout(column, 1, 2, 2, 1);
    pages->addTab(page, title);
}

void OptionsChooserPage::AddListValue(const char* blankMessage, const std::function<void()>& duplicate,
                                      const std::function<void()>& save)
{
    const std::string value(TrimBlanks(FromQString(edit_->text())));
    std::vector<std::string> values = Entries(values_);
    if (value.empty()) {
        ShowError(blankMessage);
    } else if (ContainsNoCase(values, value)) {
        duplicate();
    } else {
        values.push_back(value);
        ReplaceEntries(values_, std::move(values), save);
    }
    updateButtons_();
    FocusAndSelect(edit_);
}

void OptionsChooserPage::RemoveListValues(const char* question, const std::function<void()>& save)
{
    if (values_->selectedItems().isEmpty() || !Messages().Confirm(question))
        return;
    ReplaceEntries(values_, UnselectedEntries(values_), save);
    updateButtons_();
}

OptionsManufacturersPage::OptionsManufacturersPage(QTabWidget* pages, std::function<void()> updateButtons)
    : OptionsChooserPage(std::move(updateButtons))
{
    QWidget* page = Build("PlatformMfgLB", "MfgEdit", "MfgListBox", "MfgAddButton", "MfgRemoveButton");
    load_ = NewButton("Load", "MfgLoadButton", page);
    save_ = NewButton("Save", "MfgSaveButton", page);
    chooser_->setToolTip(PlainToolTip("List of Available Manufactures"));

    const auto onClick = [page](QPushButton* button, std::function<void()> handler) {
        QObject::connect(button, &QPushButton::clicked, page, Guarded(std::move(handler)));
    };
    QObject::connect(chooser_, &QListWidget::itemSelectionChanged, page, Guarded([this] { PlatformMfgClick(); }));
    QObject::connect(values_, &QListWidget::itemDoubleClicked, page, Guarded([this] { MfgListDoubleClick(); }));
    onClick(add_, [this] {
        if (SelectedPlatform().empty())
            return;
        AddListValue(
            "You can not add a blank Manufacturer Name",
            [] { ShowError("The Manufacturer Name already exists in the list."); }, [this] { SaveManufacturers(); });
    });
    onClick(remove_, [this] {
        if (!SelectedPlatform().empty())
            RemoveListValues("Are you sure you want to remove the selected Manufacturers Names?",
                             [this] { SaveManufacturers(); });
    });
    onClick(load_, [this] { MfgLoadButtonClick(); });
    onClick(save_, [this] { MfgSaveButtonClick(); });

    Lay(pages, page, "Manufacturers", "Platform", "Manufacturers", {add_, remove_, load_, save_});
}

void OptionsManufacturersPage::ShowPlatforms(const std::vector<std::string>& names, const std::string& preset)
{
    FillAndSelect(chooser_, names, preset);
    PlatformMfgClick();
}

void OptionsManufacturersPage::CopyPlatforms(const std::vector<std::string>& names)
{
    const std::string selected = SelectedPlatform();
    FillAndSelect(chooser_, names, selected);
    // The manufacturer list must never show the names of a platform that is no longer selected.
    if (SelectedPlatform() != selected)
        PlatformMfgClick();
}

std::string OptionsManufacturersPage::SelectedPlatform() const { return SelectedEntry(chooser_); }

void OptionsManufacturersPage::LoadManufacturers()
{
    values_->clear();
    const std::string platform = SelectedPlatform();
    if (!platform.empty())
        FillSorted(values_, ReferenceData::Manufacturers(platform, Empty::Keep));
}

void OptionsManufacturersPage::SaveManufacturers()
{
    ReferenceData::SaveManufacturers(SelectedPlatform(), Entries(values_));
}

void OptionsManufacturersPage::Clear() { values_->clear(); }

void OptionsManufacturersPage::UpdateButtons()
{
    const bool platform = !SelectedPlatform().empty();
    add_->setEnabled(platform && !edit_->text().isEmpty());
    remove_->setEnabled(platform && !values_->selectedItems().isEmpty());
    load_->setEnabled(platform);
    save_->setEnabled(platform && values_->count() > 0);
}

void OptionsManufacturersPage::PlatformMfgClick()
{
    const std::string platform = SelectedPlatform();
    chooser_->setToolTip(PlainToolTip(platform.empty() ? QString("List of Available Manufactures") : ToQString(platform)));
    LoadManufacturers();
    updateButtons_();
}

void OptionsManufacturersPage::MfgListDoubleClick()
{
    if (MoveCurrentIntoEdit(values_, edit_))
        updateButtons_();
}

void OptionsManufacturersPage::MfgLoadButtonClick()
{
    if (SelectedPlatform().empty())
        return;
    const auto chosen = FileDialogs().OpenFileName({"Load", {}, "*.txt", "Text Files (*.txt);;All Files (*)"});
    if (!chosen)
        return;
    const Path path = PathFromQString(*chosen);
    const auto content = ReadWholeFile(path);
    if (!content)
        throw FileReadError(path);
    // One name per line, taken as they are; a file in UTF-8 (as Save writes it) is read as UTF-8.
    const std::string text = TextFromFile(*content);
    const auto lines = SplitLines(text);
    ReplaceEntries(values_, std::vector<std::string>(lines.begin(), lines.end()), [this] { SaveManufacturers(); });
    updateButtons_();
}

void OptionsManufacturersPage::MfgSaveButtonClick()
{
    if (SelectedPlatform().empty() || values_->count() == 0)
        return;
    const auto chosen = FileDialogs().SaveFileName({"Save", {}, "*.txt", "Text Files (*.txt);;All Files (*)"});
    if (!chosen || (QFileInfo::exists(*chosen) && !ConfirmOverwrite(*chosen)))
        return;
    std::string text;
    for (const auto& name : Entries(values_))
        text += name + "\r\n";
    WriteFileAtomic(PathFromQString(*chosen), TextToFile(text));
}

OptionsLookupPage::OptionsLookupPage(QTabWidget* pages, std::function<void()> updateButtons)
    : OptionsChooserPage(std::move(updateButtons))
{
    QWidget* page =
        Build("LookupNameListBox", "LookupEdit", "LookupDataListBox", "LookupAddButton", "LookupRemoveButton");

    QObject::connect(chooser_, &QListWidget::itemSelectionChanged, page, Guarded([this] { LookupNameClick(); }));
    QObject::connect(add_, &QPushButton::clicked, page, Guarded([this] {
                         if (SelectedSection().empty())
                             return;
                         AddListValue(
                             "You can not add blank lookup information",
                             [] { Messages().Warning("The lookup data already exists in the list."); },
                             [this] { SaveLookupData(); });
                     }));
    QObject::connect(remove_, &QPushButton::clicked, page, Guarded([this] {
                         RemoveListValues("Are you sure you want to remove the selected lookup data?",
                                          [this] { SaveLookupData(); });
                     }));

    Lay(pages, page, "Lookup Data", "Lookup Category", "Lookup Data", {add_, remove_});
}

void OptionsLookupPage::LoadLookupNames(const std::string& preset)
{
    {
        const QSignalBlocker block(chooser_);
        Fill(chooser_, ReferenceData::LookupTables());
        const std::string wanted = Cp1252::ToUpper(preset);
        for (int i = 0; !wanted.empty() && i < chooser_->count(); ++i) {
            if (Cp1252::ToUpper(ReferenceData::LookupSection(TextOf(chooser_->item(i)))) == wanted) {
                chooser_->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
                break;
            }
        }
    }
    LookupNameClick();
}

std::string OptionsLookupPage::SelectedSection() const { return ReferenceData::LookupSection(SelectedEntry(chooser_)); }

void OptionsLookupPage::LoadLookupData()
{
    values_->clear();
    FillSorted(values_, ReferenceData::LookupValues(SelectedSection(), Empty::Keep));
}

void OptionsLookupPage::SaveLookupData() { ReferenceData::SaveLookupValues(SelectedSection(), Entries(values_)); }

void OptionsLookupPage::Clear() { values_->clear(); }

void OptionsLookupPage::UpdateButtons()
{
    remove_->setEnabled(!values_->selectedItems().isEmpty());
    add_->setEnabled(!edit_->text().isEmpty() && !chooser_->selectedItems().isEmpty());
}

void OptionsLookupPage::LookupNameClick()
{
    LoadLookupData();
    updateButtons_();
}

}  // namespace quorvel
