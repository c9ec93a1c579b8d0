#pragma once

#include "ui/reports/ReportOptionsForm.h"

class QLabel;
class QSpinBox;

namespace quorvel {

// Options of the bin report: items per bin and which items are listed. Keeps its values for the run.
class TBinReportOptionsForm : public TReportOptionsForm {
    Q_OBJECT

public:
    explicit TBinReportOptionsForm(TFieldOrderForm& fieldOrder, QWidget* parent = nullptr);

    // The label names the list's kind: "Media per bin.".
    void SetListTypeName(const std::string& name);
    BinReportOptions Options() const;

private:
    QLabel* Label1 = nullptr;
    QSpinBox* CartsPerBinEdit = nullptr;
    QButtonGroup* BoxedOption = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* ColumnsButton = nullptr;
};

}  // namespace quorvel
