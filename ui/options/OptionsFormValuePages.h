#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QWidget;

namespace quorvel {

// A page with a chooser list on the left and an edit box over a value list with buttons beside it.
// Add and Remove refuse blank and duplicate values, ask before removing, and write every change at once.
class OptionsChooserPage {
protected:
    explicit OptionsChooserPage(std::function<void()> updateButtons) : updateButtons_(std::move(updateButtons)) { }

    // The page with its chooser, edit box, value list and the Add and Remove buttons.
    QWidget* Build(const char* chooser, const char* edit, const char* values, const char* add, const char* remove);
    void Lay(QTabWidget* pages, QWidget* page, const char* title, const char* chooserCaption, const char* valuesCaption,
             std::initializer_list<QPushButton*> buttons);
    void AddListValue(const char* blankMessage, const std::function<void()>& duplicate,
                      const std::function<void()>& save);
    void RemoveListValues(const char* question, const std::function<void()>& save);

    std::function<void()> updateButtons_;
    QListWidget* chooser_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QListWidget* values_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
};

// The page "Manufacturers": a platform's manufacturers, written to the platform's file at once.
class OptionsManufacturersPage : public OptionsChooserPage {
public:
    OptionsManufacturersPage(QTabWidget* pages, std::function<void()> updateButtons);

    // The platform names, keeping the selected platform when it is still there; the manufacturer list
    // follows the selection.
    void ShowPlatforms(const std::vector<std::string>& names, const std::string& preset);
    void CopyPlatforms(const std::vector<std::string>& names);
    std::string SelectedPlatform() const;
    void LoadManufacturers();
    void SaveManufacturers();
    void Clear();
    void UpdateButtons();
    // Selecting a platform (a click or a call).
    void PlatformMfgClick();

private:
    void MfgListDoubleClick();
    void MfgLoadButtonClick();
    void MfgSaveButtonClick();

    QPushButton* load_ = nullptr;
    QPushButton* save_ = nullptr;
};

// The page "Lookup Data": the values of a lookup table, written to General.ini at once.
class OptionsLookupPage : public OptionsChooserPage {
public:
    OptionsLookupPage(QTabWidget* pages, std::function<void()> updateButtons);

    // The table names; the first whose name without blanks equals Preset (case ignored) is selected.
    void LoadLookupNames(const std::string& preset);
    void LoadLookupData();
    void SaveLookupData();
    std::string SelectedSection() const;
    void Clear();
    void UpdateButtons();

private:
    void LookupNameClick();
};

}  // namespace quorvel
