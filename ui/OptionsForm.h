#pragma once

#include <QDialog>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace quorvel {

class PlatformList;
class SettingsStore;

// The options dialog: an editor over the settings store and the reference data of the configuration
// folder (platforms, manufacturers, lookup tables, system identifiers). Settings reach the store only
// through ControlsToSettings, which callers run when the dialog closes on a path that saves;
// manufacturers, lookup values and system identifiers are written to their files at once.
class TOptionsForm : public QDialog {
    Q_OBJECT

public:
    enum Page { pgGeneral, pgSave, pgPaths, pgPlatforms, pgManufacturers, pgLookupData, pgCartwell };

    TOptionsForm(SettingsStore& settings, PlatformList& platforms, QWidget* parent = nullptr);

    // Set by the property dialog before it opens a page; they stay in force for the rest of the run.
    std::string PresetLookupName;
    std::string PresetPlatform;

    // Reloads everything, opens at Page (the page it was left on when Page is negative) and runs
    // modally; returns the dialog's result.
    int ShowOptions(int page = -1);

    std::string GetSetting(std::string_view key) const;
    void SetSetting(std::string_view key, std::string_view value);
    // Configuration file -> store -> controls; platforms and lookup table names from their files.
    void LoadSettings();
    // Controls -> store, the Platforms page -> the platform list.
    void ControlsToSettings();
    // Store -> configuration file, platform list -> Platforms.ini. Throws FileWriteError.
    void SaveSettings();
    // What a path that saves runs when the dialog has closed.
    void AcceptChanges();

    void ClearPathList();
    void AddPathRow(const std::string& description, const std::string& path);
    void PathsToSettings();

    static bool IsValidPlatformName(std::string_view name);
    void LoadPlatforms();
    void SavePlatforms();
    void LoadManufacturers();
    void SaveManufacturers();
    void LoadLookupNames();
    void LoadLookupData();
    void SaveLookupData();
    void UpdateButtons();

private:
    void BuildGeneralPage();
    void BuildSavePage();
    void BuildPathsPage();
    void BuildPlatformsPage();
    void BuildManufacturersPage();
    void BuildLookupPage();
    void BuildCartwellPage();
    // A page with a chooser list on the left and an edit box over a value list with buttons beside it.
    void AddChooserPage(QWidget* page, const char* title, const char* chooserCaption, QListWidget* chooser,
                        const char* valuesCaption, QLineEdit* edit, QListWidget* values,
                        std::initializer_list<QPushButton*> buttons);
    // Add and Remove of the manufacturer and lookup-value lists: blank and duplicate values are refused,
    // removal asks first, and every change is written at once by Save.
    void AddListValue(QLineEdit* edit, QListWidget* list, const char* blankMessage,
                      const std::function<void()>& duplicate, const std::function<void()>& save);
    void RemoveListValues(QListWidget* list, const char* question, const std::function<void()>& save);
    // A handler that runs inside the command guard.
    std::function<void()> Guarded(void (TOptionsForm::*handler)());

    void BrowseButtonClick();
    void PlatformAddButtonClick();
    void PlatformRemoveButtonClick();
    void PlatformListDoubleClick();
    void PlatformMfgClick();
    void MfgAddButtonClick();
    void MfgRemoveButtonClick();
    void MfgListDoubleClick();
    void MfgLoadButtonClick();
    void MfgSaveButtonClick();
    void LookupNameClick();
    void LookupAddButtonClick();
    void LookupRemoveButtonClick();
    void PlatformCartwellClick();
    void SystemIdEdited();

    // The Platforms page's names into the Manufacturers page, keeping its selected platform.
    void CopyPlatformsToManufacturersPage();
    std::string SelectedMfgPlatform() const;
    std::string SelectedLookupSection() const;

    SettingsStore& settings_;
    PlatformList& platforms_;

    QTabWidget* pages_ = nullptr;
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
    QLineEdit* platformEdit_ = nullptr;
    QListWidget* platformList_ = nullptr;
    QPushButton* platformAdd_ = nullptr;
    QPushButton* platformRemove_ = nullptr;
    QListWidget* platformMfgList_ = nullptr;
    QLineEdit* mfgEdit_ = nullptr;
    QListWidget* mfgList_ = nullptr;
    QPushButton* mfgAdd_ = nullptr;
    QPushButton* mfgRemove_ = nullptr;
    QPushButton* mfgLoad_ = nullptr;
    QPushButton* mfgSave_ = nullptr;
    QListWidget* lookupNameList_ = nullptr;
    QLineEdit* lookupEdit_ = nullptr;
    QListWidget* lookupDataList_ = nullptr;
    QPushButton* lookupAdd_ = nullptr;
    QPushButton* lookupRemove_ = nullptr;
    QListWidget* platformCartwellList_ = nullptr;
    QLineEdit* systemIdEdit_ = nullptr;
    std::string systemIdFailedFile_;  // the platform file whose System ID write failed last
};

}  // namespace quorvel
