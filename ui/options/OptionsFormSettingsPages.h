#pragma once

#include <functional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace quorvel {

class SettingsStore;

// The pages "General", "Save" and "Paths" of the options dialog: controls over the settings store.
class OptionsSettingsPages {
public:
    // Adds the three pages to Pages; UpdateButtons is the dialog's.
    OptionsSettingsPages(QTabWidget* pages, std::function<void()> updateButtons);

    // Store -> controls.
    void Show(const SettingsStore& settings);
    // Controls -> store.
    void Store(SettingsStore& settings) const;

    void ClearPathList();
    void AddPathRow(const std::string& description, const std::string& path);
    // The path rows -> store; an empty row gets its default folder.
    void PathsToSettings(SettingsStore& settings) const;
    void UpdateButtons();

private:
    void BuildGeneralPage(QTabWidget* pages);
    void BuildSavePage(QTabWidget* pages);
    void BuildPathsPage(QTabWidget* pages);
    void BrowseButtonClick();

    std::function<void()> updateButtons_;
    QCheckBox* showSplash_ = nullptr;
    QCheckBox* showOwner_ = nullptr;
    QCheckBox* loadLastFiles_ = nullptr;
    QCheckBox* warnOnExport_ = nullptr;
    QCheckBox* showGrid_ = nullptr;
    QCheckBox* showExplorer_ = nullptr;
    QButtonGroup* saveAsFormat_ = nullptr;
    QButtonGroup* appendListType_ = nullptr;
    QLineEdit* defaultOwner_ = nullptr;
    QCheckBox* createBackups_ = nullptr;
    QTableWidget* pathList_ = nullptr;
    QPushButton* browseButton_ = nullptr;
};

}  // namespace quorvel
