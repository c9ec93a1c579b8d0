#include "reports/InventoryReportOptionsForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace quorvel {

TInventoryReportOptionsForm::TInventoryReportOptionsForm(TFieldOrderForm& fieldOrder, QWidget* parent)
    : TReportOptionsForm(fieldOrder, parent, kSystemMenuOnly)
{
    setWindowTitle(QStringLiteral("Inventory Report Options"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(MakeIncludeGroup(BoxedOption), 0, Qt::AlignTop);
    layout->addLayout(MakeButtons(OKButton, CancelButton, ColumnsButton));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace quorvel
