#include "ui/reports/TradeListForm.h"

#include "platform/qt/PlainText.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvel {

TTradeListForm::TTradeListForm(TFieldOrderForm& fieldOrder, QWidget* parent)
    : TReportOptionsForm(fieldOrder, parent, kSystemMenuOnly)
{
    setWindowTitle(QStringLiteral("Trade List Report"));
    Label1 = new PlainLabel(QStringLiteral("Minimum Qty before a trade is allowed"), this);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName("SpinEdit1");
    SpinEdit1->setRange(1, 999);
    SpinEdit1->setValue(2);
    Label1->setBuddy(SpinEdit1);
    TradeBoxedCB = new QCheckBox(QStringLiteral("Trade Boxed Carts"), this);
    TradeBoxedCB->setObjectName("TradeBoxedCB");
    ShowActQtyCB = new QCheckBox(QStringLiteral("Show Actual Qty"), this);
    ShowActQtyCB->setObjectName("ShowActQtyCB");

    auto* options = new QVBoxLayout;
    options->addWidget(Label1);
    options->addWidget(SpinEdit1);
    options->addWidget(TradeBoxedCB);
    options->addWidget(ShowActQtyCB);
    options->addStretch();
    auto* layout = new QHBoxLayout;
    layout->addLayout(options);
    layout->addLayout(MakeButtons(OKButton, CancelButton, ColumnsButton));
    LayOut(layout);
}

TradeReportOptions TTradeListForm::Options() const
{
    return {SpinEdit1->value(), TradeBoxedCB->isChecked(), ShowActQtyCB->isChecked()};
}

}  // namespace quorvel
