#include "ui/commands/HelpCommands.h"

#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/Services.h"
#include "ui/window/MenuNames.h"
#include "ui/dialogs/TextViewerForm.h"

namespace quorvel {

HelpCommands::HelpCommands(MainFormAccess& form) : CommandGroup(form)
{
    Connect(entry::RevisionsMainMenu, [this] { RevisionsMainMenuClick(); });
    Connect(entry::LicenseAgreementMainMenu, [this] { LicenseAgreementMainMenuClick(); });
}

void HelpCommands::ShowText(const char* fileName, const char* caption)
{
    if (!viewer_)
        viewer_ = new TTextViewerForm(&form_.Window());
    // The texts ship with the program, in its read-only half.
    viewer_->FileName = JoinPath(ShippedDataDir(), Path(fileName));
    viewer_->setWindowTitle(caption);
    ExecDialog(*viewer_);
}

void HelpCommands::RevisionsMainMenuClick() { ShowText("revisions.txt", "Quorvel Revision History"); }

void HelpCommands::LicenseAgreementMainMenuClick() { ShowText("license.txt", "Quorvel Licensing"); }

}  // namespace quorvel
