#pragma once

#include <QDialog>

#include "config/MasterLists.h"
#include "model/ListType.h"
#include "ui/grid/ListDisplay.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;
class QTableView;

namespace quorvel {

class SettingsStore;
class TBaseCustomListClass;
class TColumnListClass;

// Adds items from a master list: offers the master lists of the target list's type and platform,
// shows the chosen one with a check box per row, and copies the checked items on OK.
class TItemAddForm : public QDialog {
    Q_OBJECT

public:
    explicit TItemAddForm(const SettingsStore& settings, QWidget* parent = nullptr);
    ~TItemAddForm() override;

    // Set by the main window before Prepare.
    std::string Platform;
    TListType ListType = ltNone;

    // Edits a column set, true on OK (the column-order dialog); without it Customize does nothing.
    std::function<bool(TColumnListClass& columns)> EditColumns;

    // A fresh master list and the drop-down filled; false when no master list matches.
    bool Prepare();
    // Appends a copy of every checked master-list item, in grid order, to Target.
    void GetCheckedItems(TBaseCustomListClass& target);

    void LoadMasterListNames();
    void LoadMasterList();
    void UpdateOKButton();

    TListDisplayClass& GetListDisplay() { return ListDisplay; }
    const TBaseCustomListClass* GetMasterList() const { return MasterList.get(); }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void FormClose();
    void MasterListCBChange();
    void Customize1Click();
    void AddItemListViewDblClick();
    // The first size: the design size on this desktop, tall enough for a dozen rows.
    QSize DefaultSize();
    // Binds a fresh, empty master list of ListType.
    void ResetMasterList();

    const SettingsStore& settings_;
    std::unique_ptr<TBaseCustomListClass> MasterList;
    std::vector<MasterListEntry> entries_;
    QComboBox* masterListCB_ = nullptr;
    QTableView* addItemListView_ = nullptr;
    QPushButton* okButton_ = nullptr;
    // Declared after the grid: the binding lets go of it first.
    TListDisplayClass ListDisplay;
};

}  // namespace quorvel
