#include "ui/reports/BinReportOptionsForm.h"

#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvel {

TBinReportOptionsForm::TBinReportOptionsForm(TFieldOrderForm& fieldOrder, QWidget* parent)
    : TReportOptionsForm(fieldOrder, parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QStringLiteral("Bin Report Options"));
    Label1 = new PlainLabel(QStringLiteral("Cartridges Per Bin"), this);
    Label1->setObjectName("Label1");
    CartsPerBinEdit = new QSpinBox(this);
    CartsPerBinEdit->setObjectName("CartsPerBinEdit");
    CartsPerBinEdit->setRange(1, 9999);
    CartsPerBinEdit->setValue(51);
    Label1->setBuddy(CartsPerBinEdit);

    auto* options = new QVBoxLayout;
    options->addWidget(Label1);
    options->addWidget(CartsPerBinEdit);
    options->addWidget(MakeIncludeGroup(BoxedOption));
    auto* layout = new QHBoxLayout;
    layout->addLayout(options);
    layout->addLayout(MakeButtons(OkButton, CancelButton, ColumnsButton));
    LayOut(layout);
}

void TBinReportOptionsForm::SetListTypeName(const std::string& name) { Label1->setText(ToQString(name + " per bin.")); }

BinReportOptions TBinReportOptionsForm::Options() const { return {CartsPerBinEdit->value(), BoxedOption->checkedId()}; }

}  // namespace quorvel
