#pragma once

#include "model/ColumnList.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTableView;
class QVBoxLayout;

namespace quorvel {

class InventoryListModel;
class TBaseCustomClass;
class TCustomPropertyDialog;
class TFieldOrderForm;
class TBaseCustomListClass;

// "Media Inventory": walks the items of one list row by row, ticks each one off and corrects its
// Quantity where the count on the shelf differs. Changes only Quantity, and any field of one item
// through the property dialog.
class TInventoryForm : public QDialog {
    Q_OBJECT

public:
    explicit TInventoryForm(QWidget* parent = nullptr);
    ~TInventoryForm() override;

    // The list to count (not owned); set before each showing.
    void SetList(TBaseCustomListClass* list);

    // The windows it opens, created once with the others at start-up (not owned).
    TCustomPropertyDialog* PropertyDialog = nullptr;
    TFieldOrderForm* FieldOrderForm = nullptr;

    InventoryListModel& Model() const { return *model_; }
    TBaseCustomClass* CurrentItem() const { return currentItem_; }

    void InventoryListChange(int row);
    void InventoryListColumnClick(int section);
    void NextButtonClick();
    void IncQtyButtonClick();
    void DecQtyButtonClick();
    void DoneButtonClick();
    void Button1Click();
    void PropertiesButtonClick();
    void Customize1Click();
    void NewCountEditEnter();
    // Enter goes to the next row, "+"/"=" and "-"/"_" change New Qty; true when the key was used.
    bool NewCountEditKeyPress(int key, const QString& text);

public slots:
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void ShowCurrentItem();
    void CommitNewCount();
    // New Qty as a number; an empty box counts as the current quantity.
    int NewCount() const;
    void SelectRow(int row);
    void ApplyColumnWidths();
    void KeepColumnWidths();
    // The window is built in parts: the list with its menu, the current item, the buttons.
    void BuildControls();
    void BuildList();
    QGroupBox* BuildCurrentItemGroup();
    QVBoxLayout* BuildButtons();

    // Controls, named as the handlers use them; each carries its name as object name.
    QTableView* InventoryList = nullptr;
    QLineEdit* TitleEdit = nullptr;
    QLineEdit* MfgEdit = nullptr;
    QLineEdit* LabelTypeEdit = nullptr;
    QLineEdit* LabelColorEdit = nullptr;
    QLineEdit* CurrentCountEdit = nullptr;
    QLineEdit* NewCountEdit = nullptr;
    QPushButton* IncQtyButton = nullptr;
    QPushButton* DecQtyButton = nullptr;
    QCheckBox* BoxedCB = nullptr;
    QCheckBox* SealedCB = nullptr;
    QPushButton* PropertiesButton = nullptr;
    QPushButton* NextButton = nullptr;
    QPushButton* DoneButton = nullptr;
    QPushButton* Button1 = nullptr;
    QCheckBox* AutoCheckCB = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    int sortColumn_ = 1;
    int sortDirection_ = 1;
    TBaseCustomListClass* list_ = nullptr;
    TBaseCustomClass* currentItem_ = nullptr;
    InventoryListModel* model_ = nullptr;
    TColumnListClass columns_;
    int currentRow_ = -1;
    bool updating_ = false;
};

}  // namespace quorvel
