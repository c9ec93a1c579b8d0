#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <string_view>

class QTabWidget;

namespace quorvel {

class OptionsCartwellPage;
class OptionsLookupPage;
class OptionsManufacturersPage;
class OptionsPlatformsPage;
class OptionsSettingsPages;
class PlatformList;
class SettingsStore;

// The options dialog: an editor over the settings store and the reference data of the configuration
// folder (platforms, manufacturers, lookup tables, system identifiers). Settings reach the store only
// through ControlsToSettings, which callers run when the dialog closes on a path that saves;
// manufacturers, lookup values and system identifiers are written to their files at once. The pages
// are classes of their own; the dialog holds them together.
class TOptionsForm : public QDialog {
    Q_OBJECT

public:
    enum Page { pgGeneral, pgSave, pgPaths, pgPlatforms, pgManufacturers, pgLookupData, pgCartwell };

    TOptionsForm(SettingsStore& settings, PlatformList& platforms, QWidget* parent = nullptr);
    ~TOptionsForm() override;

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
    // Store -> configuration file, platform list -> Platforms.ini when it changed. Throws FileWriteError.
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
    SettingsStore& settings_;
    PlatformList& platforms_;

    QTabWidget* pages_ = nullptr;
    std::unique_ptr<OptionsSettingsPages> settingsPages_;
    std::unique_ptr<OptionsPlatformsPage> platformsPage_;
    std::unique_ptr<OptionsManufacturersPage> manufacturersPage_;
    std::unique_ptr<OptionsLookupPage> lookupPage_;
    std::unique_ptr<OptionsCartwellPage> cartwellPage_;
};

}  // namespace quorvel
