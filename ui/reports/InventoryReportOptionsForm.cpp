#include "ui/reports/InventoryReportOptionsForm.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace quorvel {

TInventoryReportOptionsForm::TInventoryReportOptionsForm(TFieldOrderForm& fieldOrder, QWidget* parent)
    : TReportOptionsForm(fieldOrder, parent, kSystemMenuOnly)
{
    setWindowTitle(QStringLiteral("Inventory Report Options"));
    auto* layout = new QHBoxLayout;
    layout->addWidget(MakeIncludeGroup(BoxedOption), 0, Qt::AlignTop);
    layout->addLayout(MakeButtons(OKButton, CancelButton, ColumnsButton));
    LayOut(layout);
}

int TInventoryReportOptionsForm::Boxed() const { return BoxedOption->checkedId(); }

}  // namespace quorvel
