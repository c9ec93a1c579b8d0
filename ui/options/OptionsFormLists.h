#pragma once

#include <QAbstractItemView>
#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QWidget;

// The list-widget helpers of the options dialog's pages. Entries are Windows-1252 text.
namespace quorvel::options {

std::string TextOf(const QListWidgetItem* item);
std::vector<std::string> Entries(const QListWidget* list);
std::vector<std::string> UnselectedEntries(const QListWidget* list);
// The one selected entry, or "" when none or several are selected.
std::string SelectedEntry(const QListWidget* list);
void Fill(QListWidget* list, const std::vector<std::string>& entries);
// Sorted without regard to case.
void FillSorted(QListWidget* list, std::vector<std::string> entries);
// Shows the entries (sorted) and writes them with Save; when the write fails the list shows what the
// file still holds and the failure goes on.
void ReplaceEntries(QListWidget* list, std::vector<std::string> entries, const std::function<void()>& save);
// Selects the first entry equal to Name ignoring case; false when there is none.
bool SelectEntry(QListWidget* list, std::string_view name);
bool ContainsNoCase(const std::vector<std::string>& entries, std::string_view name);
// The entries with the first equal to Preset selected (when given), without selection signals.
void FillAndSelect(QListWidget* list, const std::vector<std::string>& entries, std::string_view preset);
// Moves the current entry into the edit box (a double click); false when there is none.
bool MoveCurrentIntoEdit(QListWidget* list, QLineEdit* edit);

QListWidget* NewList(QWidget* parent, const char* name, QAbstractItemView::SelectionMode mode);
QPushButton* NewButton(const QString& caption, const char* name, QWidget* parent);
QLineEdit* NewEdit(const char* name, QWidget* parent);
void FocusAndSelect(QLineEdit* edit);
void ShowError(const std::string& message);

}  // namespace quorvel::options
