#include "ui/reports/CartChartForm.h"

#include "model/ListFactory.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/Services.h"
#include "reports/ChartOperations.h"
#include "reports/ChartPainter.h"
#include "ui/reports/ChartWidget.h"
#include "ui/reports/ChooseListTypeForm.h"
#include "ui/UiScale.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace quorvel {

TCartChartForm::TCartChartForm(TChooseListTypeForm& chooser, QWidget* parent) : QDialog(parent), chooser_(chooser)
{
    setWindowTitle(QStringLiteral("Cartridge Charts"));
    setMinimumSize(Scaled(640, 480));
    resize(Scaled(640, 480));

    Chart1 = new TChartWidget(this);
    Chart1->setObjectName("Chart1");
    Chart1->SetData({"Cartridges by Manufacturer", TChartMarksStyle::Percent, {}});

    RadioGroup1 = new QGroupBox(QStringLiteral("Print Orientation"), this);
    PortraitButton = new QRadioButton(QStringLiteral("Portrait"), RadioGroup1);
    PortraitButton->setObjectName("PortraitButton");
    LandscapeButton = new QRadioButton(QStringLiteral("Landscape"), RadioGroup1);
    LandscapeButton->setObjectName("LandscapeButton");
    PortraitButton->setChecked(true);
    auto* radios = new QGridLayout(RadioGroup1);
    radios->addWidget(PortraitButton, 0, 0);
    radios->addWidget(LandscapeButton, 0, 1);

    SaveButton = new QPushButton(QStringLiteral("Save BMP"), this);
    PrintButton = new QPushButton(QStringLiteral("&Print"), this);
    ExitButton = new QPushButton(QStringLiteral("E&xit"), this);
    SaveButton->setObjectName("SaveButton");
    PrintButton->setObjectName("PrintButton");
    for (QPushButton* b : {SaveButton, PrintButton, ExitButton})
        b->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(6, 0, 6, 0);
    bottom->addWidget(RadioGroup1);
    bottom->addStretch(1);
    bottom->addWidget(SaveButton);
    bottom->addWidget(PrintButton);
    bottom->addWidget(ExitButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(Chart1, 1);
    layout->addLayout(bottom);

    connect(SaveButton, &QPushButton::clicked, this, Guarded([this] { SaveButtonClick(); }));
    connect(PrintButton, &QPushButton::clicked, this, Guarded([this] { PrintButtonClick(); }));
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TCartChartForm::SetList(const TBaseCustomListClass* list) { list_ = list; }

void TCartChartForm::SetLists(std::vector<const TBaseCustomListClass*> lists) { lists_ = std::move(lists); }

bool TCartChartForm::ShowChart(ChartData data)
{
    Chart1->SetData(std::move(data));
    return true;
}

bool TCartChartForm::ChartByManufacturer() { return list_ && ShowChart(ManufacturerChartData(*list_)); }

bool TCartChartForm::ChartByRarity() { return list_ && ShowChart(RarityChartData(*list_)); }

bool TCartChartForm::ChartByCondition() { return list_ && ShowChart(ConditionChartData(*list_)); }

bool TCartChartForm::ChartCostVsValue() { return list_ && ShowChart(CostVsValueChartData(*list_)); }

bool TCartChartForm::ChartByPlatform()
{
    if (lists_.empty())
        return false;
    std::string typeName = lists_.front()->GetListType();
    TListType kind = lists_.front()->Kind();
    if (ListTypesMixed(lists_)) {
        if (ExecDialog(chooser_) != QDialog::Accepted)
            return false;
        typeName = chooser_.GetListType();
        kind = ListTypeFromName(typeName);
    }
    return ShowChart(PlatformChartData(lists_, kind, typeName));
}

void TCartChartForm::SaveButtonClick()
{
    FileDialogRequest request;
    request.caption = QStringLiteral("Save Chart as Bitmap");
    request.folder = saveFolder_;
    request.fileName = saveFileName_;
    request.filter = QStringLiteral("Windows Bitmap (*.BMP *.bmp)");
    std::optional<QString> chosen = FileDialogs().SaveFileName(request);
    if (!chosen)
        return;
    if (QFileInfo(*chosen).suffix().isEmpty())
        *chosen += QStringLiteral(".BMP");
    // Asked here, after the extension is known: "chart" replaces "chart.BMP".
    if (QFileInfo::exists(*chosen) && !ConfirmOverwrite(*chosen))
        return;
    saveFileName_ = *chosen;
    SaveChartBitmap(Chart1->Data(), Chart1->size(), *chosen);
}

void TCartChartForm::PrintButtonClick()
{
    if (!printFileName_.isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFileName_);
        Print(printer);
        return;
    }
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
        info = QPrinterInfo::availablePrinters().front();
    if (info.isNull())
        throw std::runtime_error("No printer is installed.");
    QPrinter printer(info, QPrinter::HighResolution);
    Print(printer);
}

void TCartChartForm::Print(QPrinter& printer)
{
    const auto orientation = LandscapeButton->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    PrintChart(printer, Chart1->Data(), orientation, Chart1->width());
}

void TCartChartForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ExitButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace quorvel
