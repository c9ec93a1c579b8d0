#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvel {

class TFieldOrderForm;

// "Custom Reports": the user's named reports and their column sets for one list type. The name list
// is read from CustomReports.ini on every showing and written back on every close; column sets are
// written at once by Configure and Remove. The selection stays for the caller after Print.
class TCustomReportForm : public QDialog {
    Q_OBJECT

public:
    explicit TCustomReportForm(TFieldOrderForm& fieldOrder, QWidget* parent = nullptr);

    // The list type name the window works for; set by the caller before each showing.
    std::string ListType;

    int GetSelectedCount() const;
    // The Index-th selected name in list order, from 0.
    std::string GetSelectedReport(int index) const;

    // A name becomes an INI section name: blank ones and ones holding "[", "]", CR or LF are refused.
    static bool IsValidReportName(const std::string& name);

    void FormShow();
    void FormClose();
    void AddButtonClick();
    void RemoveButtonClick();
    void ConfigureButtonClick();
    void UpdateButtons();
    void LoadReportList();
    void SaveReportList();

    // Every way of closing (Print, Cancel, Esc, the close box) ends here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Label1 = nullptr;
    QLineEdit* ReportNameEdit = nullptr;
    QListWidget* ReportNameList = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* RemoveButton = nullptr;
    QPushButton* ConfigureButton = nullptr;
    QPushButton* PrintButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // Keeps the list in case-insensitive order: after the names that equal it.
    void InsertName(const std::string& name);
    std::string Section(const std::string& name) const;

    TFieldOrderForm& fieldOrder_;
};

}  // namespace quorvel
