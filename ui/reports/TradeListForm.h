#pragma once

#include "ui/reports/ReportOptionsForm.h"

class QCheckBox;
class QLabel;
class QSpinBox;

namespace quorvel {

// Options of the trade report: the quantity from which copies are spare, whether boxed items may be
// traded and whether the held quantity is shown. Keeps its values for the run.
class TTradeListForm : public TReportOptionsForm {
    Q_OBJECT

public:
    explicit TTradeListForm(TFieldOrderForm& fieldOrder, QWidget* parent = nullptr);

    TradeReportOptions Options() const;

private:
    QLabel* Label1 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QCheckBox* TradeBoxedCB = nullptr;
    QCheckBox* ShowActQtyCB = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* ColumnsButton = nullptr;
};

}  // namespace quorvel
