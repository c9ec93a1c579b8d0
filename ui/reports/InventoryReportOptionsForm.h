#pragma once

#include "ui/reports/ReportOptionsForm.h"

namespace quorvel {

// Options of the inventory checklist: which items are listed. Keeps its values for the run.
class TInventoryReportOptionsForm : public TReportOptionsForm {
    Q_OBJECT

public:
    explicit TInventoryReportOptionsForm(TFieldOrderForm& fieldOrder, QWidget* parent = nullptr);

    // The chosen TBoxedOption.
    int Boxed() const;

private:
    QButtonGroup* BoxedOption = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* ColumnsButton = nullptr;
};

}  // namespace quorvel
