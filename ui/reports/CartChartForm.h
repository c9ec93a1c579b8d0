#pragma once

#include <QDialog>

#include <vector>

#include "reports/ChartData.h"

class QButtonGroup;
class QGroupBox;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace quorvel {

class TBaseCustomListClass;
class TChartWidget;
class TChooseListTypeForm;

// The chart window: one bar chart of the current list, or of the open lists by platform, with print
// and save. A caller hands it the list or lists, asks for one chart and shows it modally when the
// chart command answers true. The lists are not owned and never changed.
class TCartChartForm : public QDialog {
    Q_OBJECT

public:
    explicit TCartChartForm(TChooseListTypeForm& chooser, QWidget* parent = nullptr);

    void SetList(const TBaseCustomListClass* list);
    void SetLists(std::vector<const TBaseCustomListClass*> lists);

    // Each builds its chart and answers whether there is one to show: false without a list (or
    // lists), and when the user cancels the list-type chooser; the chart drawn before then stays.
    // A value that does not convert throws before anything changes.
    bool ChartByManufacturer();
    bool ChartByRarity();
    bool ChartByCondition();
    bool ChartCostVsValue();
    bool ChartByPlatform();

    // Where the save dialog starts until a picture was saved (the reports folder).
    void SetSaveFolder(const QString& folder) { saveFolder_ = folder; }

    // Print into this PDF file instead of the default printer (empty: the printer).
    void SetPrintFileName(const QString& fileName) { printFileName_ = fileName; }

protected:
    // Escape closes with OK, as the Exit button does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Run through the buttons' guarded connections.
    void SaveButtonClick();
    void PrintButtonClick();

    TChartWidget* Chart1 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* PortraitButton = nullptr;
    QRadioButton* LandscapeButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* PrintButton = nullptr;
    QPushButton* ExitButton = nullptr;

    bool ShowChart(ChartData data);
    void Print(QPrinter& printer);

    TChooseListTypeForm& chooser_;
    const TBaseCustomListClass* list_ = nullptr;
    std::vector<const TBaseCustomListClass*> lists_;
    QString saveFolder_;
    QString saveFileName_ = QStringLiteral("chart.bmp");
    QString printFileName_;
};

}  // namespace quorvel
