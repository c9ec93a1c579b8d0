#pragma once

#include "ui/MainFormAccess.h"

namespace quorvel {

// "Help > About...": the splash window shown as the About box.
class AboutCommands : public CommandGroup {
    Q_OBJECT
public:
    explicit AboutCommands(MainFormAccess& form);

    void About1Click() { form_.ShowAbout(); }
};

}  // namespace quorvel
