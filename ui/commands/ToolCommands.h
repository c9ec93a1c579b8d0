#pragma once

#include "ui/window/MainFormAccess.h"

#include <memory>

namespace quorvel {

class TUpdateForm;

// The Tools menu's own commands.
class ToolCommands : public CommandGroup {
    Q_OBJECT
public:
    explicit ToolCommands(MainFormAccess& form);
    ~ToolCommands() override;

    void OptionsMainMenuClick();
    void VerifyManufacturersMainMenuClick();

private:
    std::unique_ptr<TUpdateForm> updateForm_;
};

}  // namespace quorvel
