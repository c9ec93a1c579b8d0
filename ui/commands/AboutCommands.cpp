#include "ui/commands/AboutCommands.h"

namespace quorvel {

AboutCommands::AboutCommands(MainFormAccess& form) : CommandGroup(form)
{
    Connect("About1", [this] { About1Click(); });
}

}  // namespace quorvel
