#include "ui/commands/ToolCommands.h"

#include "ui/MenuNames.h"
#include "ui/OptionsForm.h"
#include "ui/UpdateForm.h"

#include <QDialog>

namespace quorvel {

ToolCommands::ToolCommands(MainFormAccess& form)
    : CommandGroup(form), updateForm_(std::make_unique<TUpdateForm>(&form.Window()))
{
    Connect(entry::OptionsMainMenu, [this] { OptionsMainMenuClick(); });
    Connect(entry::VerifyManufacturersMainMenu, [this] { VerifyManufacturersMainMenuClick(); });
    Connect(entry::VerifyManufacturersPopupMenu, [this] { VerifyManufacturersMainMenuClick(); });
}

ToolCommands::~ToolCommands() = default;

void ToolCommands::OptionsMainMenuClick()
{
    TOptionsForm& options = form_.Options();
    // The settings are written whichever button closed the dialog; the controls reach the store on OK.
    if (options.ShowOptions() == QDialog::Accepted)
        options.AcceptChanges();
    else
        options.SaveSettings();
    form_.ApplyViewOptions();
    form_.RepaintTabs();
}

void ToolCommands::VerifyManufacturersMainMenuClick()
{
    // The entry is enabled only with a list; its popup twin may still be reached by a stale menu.
    TBaseCustomListClass* list = form_.CurrentList();
    if (!list || !updateForm_->VerifyManufacturers(*list))
        return;
    form_.RefreshListView();
    form_.UpdateStatusBar();
}

}  // namespace quorvel
