#include "ui/commands/ItemCommands.h"

#include "model/BaseCustomListClass.h"
#include "model/ListFactory.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/dialogs/ChangeValueForm.h"
#include "ui/dialogs/CustomPropertyDialog.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/dialogs/ItemAddForm.h"
#include "ui/grid/ListDisplay.h"
#include "ui/grid/ListGridView.h"
#include "ui/window/MenuNames.h"
#include "ui/options/OptionsForm.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QTableView>

namespace quorvel {

ItemCommands::ItemCommands(MainFormAccess& form)
    : CommandGroup(form), changeValueForm_(std::make_unique<TChangeValueForm>(&form.Window())),
      itemAddForm_(std::make_unique<TItemAddForm>(form.Settings(), &form.Window()))
{
    itemAddForm_->EditColumns = [this](TColumnListClass& columns) { return EditColumns(columns); };
    itemAddForm_->GetListDisplay().ViewNotSaved = [this](const QString& text) { form_.ShowStatusText(text); };

    struct Binding {
        std::initializer_list<const char*> names;
        void (ItemCommands::*handler)();
    };
    const Binding bindings[] = {
        {{entry::AddFromListButton, entry::AddFromListMainMenu, entry::AddItemFromListPopupMenu},
         &ItemCommands::AddCartButtonClick},
        {{entry::AddButton, entry::NewItemMainMenu, entry::NewItemPopupMenu}, &ItemCommands::NewItemMainMenuClick},
        {{entry::RemoveButton, entry::RemoveItemMainMenu, entry::RemoveItemsPopupMenu},
         &ItemCommands::DeleteCartsButtonClick},
        {{entry::IncreaseQuantityPopupMenu}, &ItemCommands::IncreaseQuantityPopupMenuClick},
        {{entry::DecreaseQuantityPopupMenu}, &ItemCommands::DecreaseQuantityPopupMenuClick},
        {{entry::ItemPropertiesMainMenu, entry::ItemPropertiesPopupMenu}, &ItemCommands::ItemPropertiesPopupMenuClick},
        {{entry::SelectAllMainMenu, entry::SelectAllPopupMenu}, &ItemCommands::SelectAllMainMenuClick},
        {{entry::UnSelectAllMainMenu, entry::UnSelectAllPopupMenu}, &ItemCommands::UnSelectAllMainMenuClick},
        {{entry::ExpandListMainMenu, entry::ExpandListPopupMenu}, &ItemCommands::ExpandListMainMenuClick},
        {{entry::CompressListMainMenu, entry::CompressListPopupMenu}, &ItemCommands::CompressListMainMenuClick},
        {{entry::CustomizeMainMenu, entry::CustomizePopupMenu}, &ItemCommands::CustomizePopupMenuClick},
        {{entry::MoreInfoMainMenu, entry::MoreInfoPopupMenu}, &ItemCommands::MoreInfoMainMenuClick},
    };
    for (const Binding& binding : bindings)
        for (const char* name : binding.names)
            Connect(name, [this, handler = binding.handler] { (this->*handler)(); });

    // The submenu is built as it opens, so it always matches the list shown.
    changeMenu_ = form.Window().findChild<QMenu*>(entry::ChangeParent);
    if (changeMenu_)
        connect(changeMenu_, &QMenu::aboutToShow, this, Guarded([this] { BuildChangeMenu(); }));

    QTableView& grid = form.Grid();
    grid.installEventFilter(this);
    connect(&grid, &QAbstractItemView::doubleClicked, this, CommandSlot([this] { ItemPropertiesPopupMenuClick(); }));
}

ItemCommands::~ItemCommands() = default;

void ItemCommands::ListsChanged() { BuildChangeMenu(); }

bool ItemCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &form_.Grid() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        bool consumed = false;
        CommandSlot([&] { CartListViewKeyPress(key->text(), key->key(), consumed); })();
        return consumed;
    }
    return CommandGroup::eventFilter(watched, event);
}

void ItemCommands::CartListViewKeyPress(const QString& text, int key, bool& consumed)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ItemPropertiesPopupMenuClick();
        return;
    }
    if (text != "+" && text != "=" && text != "-")
        return;
    // Titles hold these signs: while a title is being typed they are part of the text sought.
    const auto* grid = qobject_cast<const ListGridView*>(&form_.Grid());
    if (grid && grid->SearchUnderWay())
        return;
    consumed = true;
    if (text == "-")
        DecreaseQuantityPopupMenuClick();
    else
        IncreaseQuantityPopupMenuClick();
}

void ItemCommands::ItemRefresh()
{
    TListDisplayClass& display = form_.ListDisplay();
    display.Resort();
    display.Refresh();
    form_.RepaintTabs();
    form_.UpdateStatusBar();
}

void ItemCommands::LoadColumnsIfFirst(bool wasEmpty)
{
    // An empty list has no columns until it has a first item.
    if (!wasEmpty)
        return;
    form_.ListDisplay().LoadView();
    form_.ListDisplay().ApplyColumns();
}

bool ItemCommands::EditItem(TBaseCustomClass& item, const std::string& caption)
{
    TBaseCustomListClass& list = *form_.CurrentList();
    TCustomPropertyDialog& dialog = form_.PropertyDialog();
    dialog.SetCaption(caption);
    dialog.SetItem(&item);
    dialog.SetCancelCaption("&Cancel");
    dialog.Platform = list.GetPlatform();
    dialog.ListType = list.GetListType();
    const bool accepted = ExecDialog(dialog) == QDialog::Accepted;
    if (accepted)
        dialog.ApplyValues();
    // The dialog lives on; it must not keep an item that may be freed.
    dialog.SetItem(nullptr);
    return accepted;
}

void ItemCommands::AddCartButtonClick()
{
    if (!form_.CurrentList())
        return;
    TBaseCustomListClass& list = *form_.CurrentList();
    const std::string listType = list.GetListType();
    form_.SetStatusText("Adding " + listType + "...");
    TItemAddForm& dialog = *itemAddForm_;
    dialog.ListType = ListTypeFromName(listType);
    dialog.Platform = list.GetPlatform();
    if (!dialog.Prepare()) {
        Messages().Information("There are no master lists for this platform.  Use the New... option from the menu "
                               "to add a new item.");
        return;
    }
    dialog.setWindowTitle(OneLine(ToQString("Add " + listType + " for " + list.GetPlatform())));
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    const bool wasEmpty = list.Count() == 0;
    dialog.GetCheckedItems(list);
    LoadColumnsIfFirst(wasEmpty);
    form_.ListDisplay().Resort();
    form_.ListDisplay().Refresh();
    form_.RefreshListView();
    form_.SetStatusText("Done.");
}

void ItemCommands::NewItemMainMenuClick()
{
    if (!form_.CurrentList())
        return;
    TBaseCustomListClass& list = *form_.CurrentList();
    const std::string listType = list.GetListType();
    auto item = CreateItemObject(ListTypeToItemType(ListTypeFromName(listType)));
    if (item && EditItem(*item, "New " + listType)) {
        const bool wasEmpty = list.Count() == 0;
        list.Add(std::move(item));
        LoadColumnsIfFirst(wasEmpty);
        form_.RefreshListView();
    }
    FreeItemObject(item);
    form_.ListDisplay().Resort();
    form_.ListDisplay().Refresh();
    form_.Grid().setFocus();
}

void ItemCommands::ItemPropertiesPopupMenuClick()
{
    const std::vector<int32_t> rows = form_.ListDisplay().SelectedRows();
    TBaseCustomListClass* list = form_.CurrentList();
    if (rows.empty() || !list || rows.front() >= list->Count())
        return;
    if (EditItem(*list->GetItem(rows.front()), "Edit " + list->GetListType())) {
        form_.RefreshListView();
        form_.ListDisplay().Resort();
        form_.ListDisplay().Refresh();
    }
}

void ItemCommands::DeleteCartsButtonClick()
{
    if (!form_.CurrentList())
        return;
    TBaseCustomListClass& list = *form_.CurrentList();
    // Exactly the items the user sees selected; the rows follow their items through every sort.
    std::vector<int32_t> rows = form_.ListDisplay().SelectedRows();
    std::erase_if(rows, [&](int32_t row) { return row >= list.Count(); });
    const size_t n = rows.size();
    if (n < 1)
        return;
    if (!Messages().Confirm(ToQString("Are you sure you want to remove the " + std::to_string(n) + " " +
                                      list.GetListType() + " selected?")))
        return;
    form_.Grid().selectionModel()->clearSelection();
    list.DeleteItems(rows);
    form_.RefreshListView();
    form_.SetStatusText(std::to_string(n) + " " + list.GetListType() + " were removed.");
    form_.RepaintTabs();
    form_.Grid().setFocus();
}

void ItemCommands::SelectAllMainMenuClick()
{
    form_.Grid().selectAll();
    form_.UpdateStatusBar();
}

void ItemCommands::UnSelectAllMainMenuClick()
{
    form_.Grid().clearSelection();
    form_.UpdateStatusBar();
}

void ItemCommands::BuildChangeMenu()
{
    if (!changeMenu_)
        return;
    changeMenu_->clear();
    const TBaseCustomListClass* list = form_.CurrentList();
    if (!list || list->Count() == 0)
        return;
    const FieldSet& fields = list->GetItem(0)->Fields();
    for (int32_t i = 0; i < fields.Count(); ++i) {
        QAction* entry = changeMenu_->addAction(OneLine(ToQString(fields[i].Caption)));
        entry->setData(i);
        connect(entry, &QAction::triggered, this, CommandSlot([this, i] { ChangeMenuClick(i); }));
    }
}

bool ItemCommands::EditColumns(TColumnListClass& columns)
{
    TFieldOrderForm& fieldOrder = form_.FieldOrderDialog();
    fieldOrder.SetColumns(columns);
    if (ExecDialog(fieldOrder) != QDialog::Accepted)
        return false;
    fieldOrder.GetColumns(columns);
    // Saving records list positions as the order.
    columns.SortByOrder();
    return true;
}

void ItemCommands::CustomizePopupMenuClick()
{
    TListDisplayClass& display = form_.ListDisplay();
    // Widths the user dragged are kept even when the dialog is then cancelled.
    display.CaptureColumnWidths();
    display.SaveView();
    if (!EditColumns(display.GetColumns()))
        return;
    display.ApplyColumns();
    display.SaveView();
    form_.RefreshListView();
}

}  // namespace quorvel
