#include "ui/options/OptionsForm.h"

#include "config/PlatformList.h"
#include "config/ReferenceData.h"
#include "config/SettingsStore.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/Services.h"
#include "ui/UiScale.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/options/OptionsFormCartwellPage.h"
#include "ui/options/OptionsFormLists.h"
#include "ui/options/OptionsFormPlatformsPage.h"
#include "ui/options/OptionsFormSettingsPages.h"
#include "ui/options/OptionsFormValuePages.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quorvel {

TOptionsForm::TOptionsForm(SettingsStore& settings, PlatformList& platforms, QWidget* parent)
    : QDialog(parent), settings_(settings), platforms_(platforms)
{
    setObjectName("OptionsForm");
    setWindowTitle("Options");

    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControl");
    const auto update = [this] { UpdateButtons(); };
    settingsPages_ = std::make_unique<OptionsSettingsPages>(pages_, update);
    platformsPage_ = std::make_unique<OptionsPlatformsPage>(
        pages_, [this] { manufacturersPage_->CopyPlatforms(platformsPage_->Names()); }, update);
    manufacturersPage_ = std::make_unique<OptionsManufacturersPage>(pages_, update);
    lookupPage_ = std::make_unique<OptionsLookupPage>(pages_, update);
    cartwellPage_ = std::make_unique<OptionsCartwellPage>(pages_, update);

    const OKCancelButtons closing = MakeOKCancelButtons(*this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closing.ok);
    buttons->addWidget(closing.cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(Scaled(515, 288)));

    // Loading reads files and may show boxes: it runs in the guard like any command.
    RunCommand([this] {
        LoadSettings();
        UpdateButtons();
    });
}

TOptionsForm::~TOptionsForm()
{
    // The widgets go before the page objects their signals reach.
    for (QObject* child : pages_->findChildren<QObject*>())
        child->blockSignals(true);
    delete pages_;
}

int TOptionsForm::ShowOptions(int page)
{
    manufacturersPage_->Clear();
    lookupPage_->Clear();
    LoadSettings();
    UpdateButtons();
    if (page >= 0 && page < pages_->count())
        pages_->setCurrentIndex(page);
    return ExecDialog(*this);
}

std::string TOptionsForm::GetSetting(std::string_view key) const { return settings_.GetSetting(key); }

void TOptionsForm::SetSetting(std::string_view key, std::string_view value) { settings_.SetSetting(key, value); }

void TOptionsForm::LoadSettings()
{
    settings_.LoadSettings();
    settingsPages_->Show(settings_);
    // A configuration file that cannot be read is told; the others still load.
    RunCommand([this] { LoadPlatforms(); });
    RunCommand([this] { LoadLookupNames(); });
}

void TOptionsForm::ControlsToSettings()
{
    settingsPages_->Store(settings_);
    platforms_.SetNames(platformsPage_->Names());
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

void TOptionsForm::ClearPathList() { settingsPages_->ClearPathList(); }

void TOptionsForm::AddPathRow(const std::string& description, const std::string& path)
{
    settingsPages_->AddPathRow(description, path);
}

void TOptionsForm::PathsToSettings() { settingsPages_->PathsToSettings(settings_); }

bool TOptionsForm::IsValidPlatformName(std::string_view name) { return PlatformList::IsValidPlatformName(name); }

void TOptionsForm::LoadPlatforms()
{
    for (const auto& name : ReferenceData::LoadPlatforms(platforms_)) {
        if (PlatformList::HasRefusedCharacter(name))
            options::ShowError("The Platform Name " + name + " can not contain the following characters " +
                               PlatformList::RefusedCharacters);
        else
            options::ShowError("The Platform Name " + name + " can not be used as a file name.");
    }
    platformsPage_->Show(platforms_.Names());
    if (!PresetPlatform.empty())
        platformsPage_->Select(PresetPlatform);
    manufacturersPage_->ShowPlatforms(platforms_.Names(), PresetPlatform);
    cartwellPage_->ShowPlatforms(platforms_.Names(), PresetPlatform);
}

void TOptionsForm::SavePlatforms() { ReferenceData::SavePlatforms(platforms_); }

void TOptionsForm::LoadManufacturers() { manufacturersPage_->LoadManufacturers(); }

void TOptionsForm::SaveManufacturers() { manufacturersPage_->SaveManufacturers(); }

void TOptionsForm::LoadLookupNames() { lookupPage_->LoadLookupNames(PresetLookupName); }

void TOptionsForm::LoadLookupData() { lookupPage_->LoadLookupData(); }

void TOptionsForm::SaveLookupData() { lookupPage_->SaveLookupData(); }

void TOptionsForm::UpdateButtons()
{
    // Selection signals arrive while the pages are still being built.
    if (!cartwellPage_)
        return;
    settingsPages_->UpdateButtons();
    platformsPage_->UpdateButtons();
    manufacturersPage_->UpdateButtons();
    lookupPage_->UpdateButtons();
    cartwellPage_->UpdateButtons();
}

}  // namespace quorvel
