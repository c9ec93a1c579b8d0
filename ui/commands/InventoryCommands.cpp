#include "ui/commands/InventoryCommands.h"

#include "platform/qt/Services.h"
#include "ui/InventoryForm.h"

namespace quorvel {

InventoryCommands::InventoryCommands(MainFormAccess& form)
    : CommandGroup(form), inventory_(std::make_unique<TInventoryForm>(&form.Window()))
{
    // The window's own dialogs, shared with the item commands.
    inventory_->PropertyDialog = &form.PropertyDialog();
    inventory_->FieldOrderForm = &form.FieldOrderDialog();
    Connect("InventoryListMainMenu", [this] { InventoryListMainMenuClick(); });
    Connect("InventoryListPopupMenu", [this] { InventoryListMainMenuClick(); });
}

InventoryCommands::~InventoryCommands() = default;

void InventoryCommands::InventoryListMainMenuClick()
{
    inventory_->SetList(form_.CurrentList());
    ExecDialog(*inventory_);
    form_.RefreshListView();
    // Counts kept in the window mark the list changed, which enables Save.
    form_.UpdateMenuState();
}

}  // namespace quorvel
