#include "ui/commands/InventoryCommands.h"

#include "platform/qt/Services.h"
#include "ui/InventoryForm.h"

namespace quorvel {

InventoryCommands::InventoryCommands(MainFormAccess& form, TCustomPropertyDialog& properties,
                                     TFieldOrderForm& fieldOrder)
    : CommandGroup(form), inventory_(std::make_unique<TInventoryForm>(&form.Window()))
{
    inventory_->PropertyDialog = &properties;
    inventory_->FieldOrderForm = &fieldOrder;
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
