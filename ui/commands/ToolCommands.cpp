#include "ui/commands/ToolCommands.h"

#include "ui/window/MenuNames.h"
#include "ui/options/OptionsForm.h"
#include "ui/dialogs/UpdateForm.h"

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
    // Kept whichever way the dialog closed: some pages write their files at once, so dropping the
    // others on Cancel would keep half a visit (a platform's manufacturers without the platform).
    options.ShowOptions();
    options.AcceptChanges();
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
