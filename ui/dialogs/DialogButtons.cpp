#include "ui/dialogs/DialogButtons.h"

#include <QDialog>
#include <QPushButton>

namespace quorvel {

OKCancelButtons MakeOKCancelButtons(QDialog& dialog)
{
    auto* ok = new QPushButton("&OK", &dialog);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", &dialog);
    cancel->setObjectName("CancelButton");
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return {ok, cancel};
}

}  // namespace quorvel
