#pragma once

#include "ui/MainFormAccess.h"

namespace quorvel {

// The Tools menu's own commands.
class ToolCommands : public CommandGroup {
    Q_OBJECT
public:
    explicit ToolCommands(MainFormAccess& form);

    void OptionsMainMenuClick();
};

}  // namespace quorvel
