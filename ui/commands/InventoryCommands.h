#pragma once

#include "ui/MainFormAccess.h"

#include <memory>

namespace quorvel {

class TInventoryForm;

// "Tools > Inventory List..." and its twin in the grid popup: counting the current list in the
// inventory window. Both entries are hidden, as they ship.
class InventoryCommands : public CommandGroup {
    Q_OBJECT
public:
    explicit InventoryCommands(MainFormAccess& form);
    ~InventoryCommands() override;

    void InventoryListMainMenuClick();
    TInventoryForm& Inventory() { return *inventory_; }

private:
    std::unique_ptr<TInventoryForm> inventory_;
};

}  // namespace quorvel
