#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QPushButton;

namespace quorvel {

// Picks one list type name. Every showing starts again from the first name ("Media"); the caller
// runs it through ExecDialog and reads GetListType only after OK.
class TChooseListTypeForm : public QDialog {
    Q_OBJECT

public:
    explicit TChooseListTypeForm(QWidget* parent = nullptr);

    // The chosen list type name, as the model spells it.
    std::string GetListType() const;

    // Refills the names and selects the first; runs on every showing.
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Label1 = nullptr;
    QComboBox* ListTypeCB = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

}  // namespace quorvel
