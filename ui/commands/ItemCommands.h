#pragma once

#include "ui/window/MainFormAccess.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QMenu;

namespace quorvel {

class TBaseCustomClass;
class TChangeValueForm;
class TColumnListClass;
class TCustomPropertyDialog;
class TFieldOrderForm;
class TItemAddForm;

// Commands on the items of the current list: add from a master list, new, remove, quantities,
// properties, the "Change" submenu, select and un-select all, expand, compress, the grid's columns
// and the item's page on the collector site; and the grid's keys and clicks that lead to them.
class ItemCommands : public CommandGroup {
    Q_OBJECT
public:
    explicit ItemCommands(MainFormAccess& form);
    ~ItemCommands() override;

    void AddCartButtonClick();
    void NewItemMainMenuClick();
    void DeleteCartsButtonClick();
    void IncreaseQuantityPopupMenuClick();
    void DecreaseQuantityPopupMenuClick();
    void ItemPropertiesPopupMenuClick();
    void BuildChangeMenu();
    // FieldIndex: the entry's field, in the field order of the list's first item.
    void ChangeMenuClick(int32_t fieldIndex);
    void SelectAllMainMenuClick();
    void UnSelectAllMainMenuClick();
    void ExpandListMainMenuClick();
    void CompressListMainMenuClick();
    void CustomizePopupMenuClick();
    void MoreInfoMainMenuClick();
    // Consumed: the grid must not see the key ("+", "=", "-"), so that it starts no search. During a
    // search by typing these keys go to the search.
    void CartListViewKeyPress(const QString& text, int key, bool& consumed);

    void ListsChanged() override;

    // The collector site's page of an item; empty when there is nothing to ask for.
    static QString MoreInfoAddress(const std::string& systemId, const std::string& title, const std::string& maker);

    TChangeValueForm& ChangeValueDialog() { return *changeValueForm_; }
    TItemAddForm& ItemAddDialog() { return *itemAddForm_; }
    QMenu& ChangeMenu() { return *changeMenu_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the property dialog over Item; true when the values were written into it.
    bool EditItem(TBaseCustomClass& item, const std::string& caption);
    // The columns of a list that just got its first items.
    void LoadColumnsIfFirst(bool wasEmpty);
    // Resort, refresh, tab strip and status bar.
    void ItemRefresh();
    // Adds Step to the Quantity of each selected item; Step -1 stops at 0.
    void ChangeQuantities(int32_t step);
    // Expand or compress after an explicit Yes; the selection goes, the list's rows come back.
    void ReshapeList(const QString& question, void (*reshape)(TBaseCustomListClass*));
    bool EditColumns(TColumnListClass& columns);

    std::unique_ptr<TChangeValueForm> changeValueForm_;
    std::unique_ptr<TItemAddForm> itemAddForm_;
    QMenu* changeMenu_ = nullptr;
};

}  // namespace quorvel
