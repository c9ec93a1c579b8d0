#include "ui/commands/ToolCommands.h"

#include "ui/OptionsForm.h"

#include <QDialog>

namespace quorvel {

ToolCommands::ToolCommands(MainFormAccess& form) : CommandGroup(form)
{
    Connect("OptionsMainMenu", [this] { OptionsMainMenuClick(); });
}

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

}  // namespace quorvel
