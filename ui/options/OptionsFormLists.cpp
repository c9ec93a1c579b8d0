#include "ui/options/OptionsFormLists.h"

#include "config/PlatformList.h"
#include "platform/Cp1252.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace quorvel::options {

std::string TextOf(const QListWidgetItem* item) { return FromQString(item->text()); }

std::vector<std::string> Entries(const QListWidget* list)
{
    std::vector<std::string> entries;
    entries.reserve(static_cast<size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i)
        entries.push_back(TextOf(list->item(i)));
    return entries;
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

std::string SelectedEntry(const QListWidget* list)
{
    const auto selected = list->selectedItems();
    return selected.size() == 1 ? TextOf(selected.front()) : std::string();
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

void ReplaceEntries(QListWidget* list, std::vector<std::string> entries, const std::function<void()>& save)
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

bool ContainsNoCase(const std::vector<std::string>& entries, std::string_view name)
{
    return std::any_of(entries.begin(), entries.end(),
                       [name](const std::string& e) { return Cp1252::EqualsNoCase(e, name); });
}

void FillAndSelect(QListWidget* list, const std::vector<std::string>& entries, std::string_view preset)
{
    const QSignalBlocker block(list);
    Fill(list, entries);
    if (!preset.empty())
        SelectEntry(list, preset);
}

bool MoveCurrentIntoEdit(QListWidget* list, QLineEdit* edit)
{
    QListWidgetItem* item = list->currentItem();
    if (!item)
        return false;
    edit->setText(item->text());
    delete list->takeItem(list->row(item));
    return true;
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

void ShowError(const std::string& message) { Messages().Error(ToQString(message)); }

}  // namespace quorvel::options
