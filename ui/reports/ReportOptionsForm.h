#pragma once

#include "model/ColumnList.h"
#include "reports/ReportOptions.h"

#include <QDialog>

#include <string>

class QButtonGroup;
class QGroupBox;
class QLayout;
class QPushButton;
class QVBoxLayout;

namespace quorvel {

class TFieldOrderForm;

// What the three report option dialogs share: their column set, which the writer hands in and takes
// back, and "Columns...", which edits it in the column-order dialog.
class TReportOptionsForm : public QDialog {
    Q_OBJECT

public:
    TColumnListClass Columns;

    void SetColumns(const TColumnListClass& source);
    void GetColumns(TColumnListClass& dest) const;
    // The column-order dialog edits a copy; only its OK takes the edit back.
    void ColumnsButtonClick();

protected:
    TReportOptionsForm(TFieldOrderForm& fieldOrder, QWidget* parent, Qt::WindowFlags flags);

    // "&OK", "&Cancel" and "Columns..." in a column; Esc cancels as the dialog's own key.
    QVBoxLayout* MakeButtons(QPushButton*& ok, QPushButton*& cancel, QPushButton*& columns);
    // The radio group "Include" over "Un-Boxed", "Boxed" and "Both", ids 0 to 2, "Un-Boxed" checked.
    QGroupBox* MakeIncludeGroup(QButtonGroup*& group);
    // Fixes the dialog's size around Content, at least as wide as its caption needs.
    void LayOut(QLayout* content);

private:
    TFieldOrderForm& fieldOrder_;
};

// "Fixed dialog border with only the system menu".
inline constexpr Qt::WindowFlags kSystemMenuOnly =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

}  // namespace quorvel
