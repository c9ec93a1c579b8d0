// The item commands that work over many items: quantities, one field of the selection, expand and
// compress, and the look-up of one item on the collector site.
#include "ui/commands/ItemCommands.h"

#include "config/PlatformList.h"
#include "config/SiteAddresses.h"
#include "model/BaseCustomListClass.h"
#include "model/ListFactory.h"
#include "model/ListFile.h"
#include "model/Utils.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/dialogs/ChangeValueForm.h"
#include "ui/dialogs/LineBound.h"
#include "ui/grid/ListDisplay.h"

#include <QItemSelectionModel>
#include <QProgressBar>
#include <QTableView>
#include <QUrl>

#include <algorithm>
#include <limits>

namespace quorvel {

namespace {

// Below this many items the work is over before a progress bar could be read.
constexpr size_t kLongWork = 20000;

// The window's progress bar through one long piece of work; back to empty when the work ends,
// also when it fails.
class WorkProgress {
public:
    // Work done in one step shows a start (Start) and its end (Done).
    WorkProgress(QProgressBar& bar, size_t total, int start = 0) : bar_(bar), total_(total), active_(total >= kLongWork)
    {
        Set(start);
    }
    ~WorkProgress() { Set(0); }
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    void Step(size_t done)
    {
        if (active_ && done % 4096 == 0)
            Set(int(done * 100 / total_));
    }
    void Done() { Set(100); }

private:
    void Set(int value)
    {
        if (!active_ || bar_.value() == value)
            return;
        bar_.setValue(value);
        // Painted at once: no queued input may run in the middle of a command.
        if (bar_.isVisible())
            bar_.repaint();
    }
    QProgressBar& bar_;
    size_t total_;
    bool active_;
};

// A query value as the address carries it: UTF-8, everything but letters, digits and "-._~" encoded.
std::string QueryValue(const std::string& cp1252) { return QUrl::toPercentEncoding(ToQString(cp1252)).toStdString(); }

}  // namespace

void ItemCommands::ChangeQuantities(int32_t step)
{
    // The keys reach here without the menu's checks.
    if (!form_.CurrentList())
        return;
    TBaseCustomListClass& list = *form_.CurrentList();
    const std::vector<int32_t> rows = form_.ListDisplay().SelectedRows();
    size_t skipped = 0;
    {
        WorkProgress progress(form_.Progress(), rows.size());
        for (size_t k = 0; k < rows.size(); ++k) {
            progress.Step(k);
            if (rows[k] >= list.Count())
                continue;
            TBaseCustomClass& item = *list.GetItem(rows[k]);
            const int32_t at = item.IndexOfField("Quantity");
            if (at < 0)
                continue;
            const std::optional<int32_t> quantity = TryToInteger(item.ValueAt(at));
            if (!quantity || (step > 0 && *quantity == std::numeric_limits<int32_t>::max())) {
                ++skipped;
                continue;
            }
            // A Quantity of 0 or less is not lowered; the item stays in the list.
            if (step > 0 || *quantity > 0)
                item.SetValueAt(at, *quantity + step);
        }
    }
    ItemRefresh();
    if (skipped > 0)
        Messages().Warning(ToQString(std::to_string(skipped) + " " + list.GetListType() +
                                     " skipped: their Quantity is not a number that can be changed."));
}

void ItemCommands::IncreaseQuantityPopupMenuClick() { ChangeQuantities(1); }

void ItemCommands::DecreaseQuantityPopupMenuClick() { ChangeQuantities(-1); }

void ItemCommands::ChangeMenuClick(int32_t fieldIndex)
{
    if (!form_.CurrentList())
        return;
    TBaseCustomListClass& list = *form_.CurrentList();
    if (list.Count() > 0 && fieldIndex >= 0 && fieldIndex < list.GetItem(0)->FieldCount()) {
        const std::string fieldName = list.GetItem(0)->Fields()[fieldIndex].Name;
        TChangeValueForm& dialog = *changeValueForm_;
        dialog.FieldName = fieldName;
        dialog.ListType = list.GetListType();
        dialog.Platform = list.GetPlatform();
        const std::vector<int32_t> rows = form_.ListDisplay().SelectedRows();
        // Every item takes the value or none does; a value too long for one of them is refused as it
        // is typed or pasted, and again on OK.
        const auto fitsEvery = [&list, &rows, &fieldName](const FieldValue& value) {
            for (const int32_t row : rows) {
                const TBaseCustomClass* item = row < list.Count() ? list.GetItem(row) : nullptr;
                if (item && !ItemLineFits(*item, item->IndexOfField(fieldName), &value)) {
                    Messages().Error(ToQString("This value would make the line of item " + std::to_string(row + 1) +
                                               " " + LongerThanLineBound() + ". Nothing was changed."));
                    return false;
                }
            }
            return true;
        };
        // The most any selected item's line takes without the field: a candidate is then checked
        // whole only near the bound.
        uint64_t others = 0;
        for (const int32_t row : rows) {
            const TBaseCustomClass* item = row < list.Count() ? list.GetItem(row) : nullptr;
            if (!item)
                continue;
            others = std::max(others, OtherFieldsBytesBound(*item, item->IndexOfField(fieldName)));
        }
        dialog.SetValueCheck([&fitsEvery, others](const QString& candidate) {
            return others + WrittenBytesBound(candidate) <= TBaseCustomListClass::MaxLineBytes ||
                fitsEvery(FieldValue(FromQString(candidate)));
        });
        const bool accepted = ExecDialog(dialog) == QDialog::Accepted;
        dialog.SetValueCheck(nullptr);
        if (accepted) {
            const FieldValue value = dialog.GetValue();
            if (!fitsEvery(value))
                return;
            WorkProgress progress(form_.Progress(), rows.size());
            // Every item gets the same value; the grid hears of it once, in the refresh below.
            for (size_t k = 0; k < rows.size(); ++k) {
                progress.Step(k);
                if (rows[k] < list.Count())
                    list.GetItem(rows[k])->SetFieldValue(fieldName, value);
            }
        }
    }
    ItemRefresh();
}

void ItemCommands::ReshapeList(const QString& question, void (*reshape)(TBaseCustomListClass*))
{
    TBaseCustomListClass* list = form_.CurrentList();
    if (!list)
        return;
    if (Messages().Confirm(question)) {
        // Rows change their items wholesale: a selection kept would point at other items.
        form_.Grid().selectionModel()->clearSelection();
        try {
            WorkProgress progress(form_.Progress(), size_t(list->Count()), 10);
            reshape(list);
            progress.Done();
        } catch (...) {
            // The list is as it was; the grid shows it before the message does.
            form_.RefreshListView();
            throw;
        }
    }
    form_.RefreshListView();
    form_.RepaintTabs();
}

void ItemCommands::ExpandListMainMenuClick()
{
    ReshapeList("Are you sure you want to Expand this list?", ExpandListObject);
}

void ItemCommands::CompressListMainMenuClick()
{
    ReshapeList("Are you sure you want to Compress this list? Compressing this list can cause you to lose "
                "information about specfic items.",
                CompressListObject);
}

QString ItemCommands::MoreInfoAddress(const std::string& systemId, const std::string& title, const std::string& maker)
{
    std::string query;
    const auto add = [&](const char* key, const std::string& value) {
        if (value.empty())
            return;
        if (!query.empty())
            query += "&";
        query += key + QueryValue(value);
    };
    add("SystemID=", systemId);
    add("SoftwareName=", title);
    add("CompanyName=", maker);
    if (query.empty())
        return {};
    return ToQString(ConfiguredSiteAddresses().Cartwell + "software_page.html?" + query);
}

void ItemCommands::MoreInfoMainMenuClick()
{
    const TBaseCustomListClass* list = form_.CurrentList();
    const std::vector<int32_t> rows = form_.ListDisplay().SelectedRows();
    if (!list || rows.empty() || rows.front() >= list->Count())
        return;
    const TBaseCustomClass& item = *list->GetItem(rows.front());
    std::string systemId;
    if (!list->GetPlatform().empty())
        if (const auto file = PlatformList::PlatformFile(list->GetPlatform()))
            systemId = ReadIniString(*file, "SystemID", "SystemID", "");
    const QString address = MoreInfoAddress(systemId, item.GetFieldAsString("Title"), item.GetFieldAsString("Mfg"));
    if (!address.isEmpty())
        OpenDocument(address);
}

}  // namespace quorvel
