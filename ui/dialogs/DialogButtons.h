#pragma once

class QDialog;
class QPushButton;

namespace quorvel {

struct OKCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
};

// "&OK" (the default button, closes with OK) and "&Cancel" (closes with Cancel), named "OKButton" and
// "CancelButton"; the caller places them.
OKCancelButtons MakeOKCancelButtons(QDialog& dialog);

}  // namespace quorvel
