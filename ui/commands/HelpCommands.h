#pragma once

#include "ui/window/MainFormAccess.h"

namespace quorvel {

class TTextViewerForm;

// The Help menu's commands.
class HelpCommands : public CommandGroup {
    Q_OBJECT
public:
    explicit HelpCommands(MainFormAccess& form);

    void RevisionsMainMenuClick();
    void LicenseAgreementMainMenuClick();

private:
    void ShowText(const char* fileName, const char* caption);

    TTextViewerForm* viewer_ = nullptr;
};

}  // namespace quorvel
