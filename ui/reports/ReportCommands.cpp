#include "ui/reports/ReportCommands.h"

#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/BaseCustomListClass.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "reports/CustomReports.h"
#include "reports/ReportFiles.h"
#include "ui/inventory/InventoryForm.h"
#include "ui/window/MenuNames.h"
#include "ui/reports/BinReportOptionsForm.h"
#include "ui/reports/CartChartForm.h"
#include "ui/reports/ChooseListTypeForm.h"
#include "ui/reports/CompareCarts.h"
#include "ui/reports/CustomReportForm.h"
#include "ui/reports/InventoryReportOptionsForm.h"
#include "ui/reports/ReportWriters.h"
#include "ui/reports/TradeListForm.h"

#include <QWidget>

namespace quorvel {

ReportCommands::ReportCommands(MainFormAccess& form, TFieldOrderForm& fieldOrder, TCustomPropertyDialog& propertyDialog)
    : CommandGroup(form), chooser_(std::make_unique<TChooseListTypeForm>(&form.Window())),
      chart_(std::make_unique<TCartChartForm>(*chooser_, &form.Window())),
      inventoryOptions_(std::make_unique<TInventoryReportOptionsForm>(fieldOrder, &form.Window())),
      binOptions_(std::make_unique<TBinReportOptionsForm>(fieldOrder, &form.Window())),
      tradeOptions_(std::make_unique<TTradeListForm>(fieldOrder, &form.Window())),
      customReport_(std::make_unique<TCustomReportForm>(fieldOrder, &form.Window())),
      inventory_(std::make_unique<TInventoryForm>(&form.Window())),
      compare_(std::make_unique<TCompareCartsForm>(form.Settings(), &form.Window()))
{
    compare_->ReportWritten = [this](const Path& file) { form_.ShowStatusText(ReportStatusText(file)); };
    compare_->ViewNotSaved = [this](const QString& text) { form_.ShowStatusText(text); };
    inventory_->PropertyDialog = &propertyDialog;
    inventory_->FieldOrderForm = &fieldOrder;
    WriteInventoryReport = [this](const TBaseCustomListClass& list, const Path& file) {
        return MakeInventoryReport(list, file, *inventoryOptions_);
    };
    WriteBinReport = [this](const TBaseCustomListClass& list, const Path& file) {
        return MakeBinReport(list, file, *binOptions_);
    };
    WriteTradeReport = [this](const TBaseCustomListClass& list, const Path& file) {
        return MakeTradeReport(list, file, *tradeOptions_);
    };
    WriteCustomReport = MakeCustomReport;
    WriteSummaryReport = MakeCollectionSummaryReport;

    Connect(entry::InventoryReportMainMenu, [this] { InventoryReportMainMenuClick(); });
    Connect(entry::BinReportMainMenu, [this] { BinReportMainMenuClick(); });
    Connect(entry::TradeReportMainMenu, [this] { TradeReportMainMenuClick(); });
    Connect(entry::CustomReportMainMenu, [this] { CustomReportMainMenuClick(); });
    Connect(entry::byPlatformReportMainMenu, [this] { byPlatformReportMainMenuClick(); });
    Connect(entry::InventoryListMainMenu, [this] { InventoryListMainMenuClick(); });
    Connect(entry::InventoryListPopupMenu, [this] { InventoryListMainMenuClick(); });
    Connect(entry::CompareCartridgeListsMainMenu, [this] { CompareCartridgeListsMainMenuClick(); });
    Connect(entry::CompareCartridgeListsPopupMenu, [this] { CompareCartridgeListsMainMenuClick(); });
    Connect(entry::byManufacturerMainMenu, [this] { byManufacturerMainMenuClick(); });
    Connect(entry::byRarityMainMenu, [this] { byRarityMainMenuClick(); });
    Connect(entry::byConditionMainMenu, [this] { byConditionMainMenuClick(); });
    Connect(entry::CostVsValueMainMenu, [this] { CostVsValueMainMenuClick(); });
    Connect(entry::byPlatformMainMenu, [this] { byPlatformMainMenuClick(); });
}

ReportCommands::~ReportCommands() = default;

QString ReportCommands::ReportStatusText(const Path& fileName) { return TextWithPath("", fileName, " Saved."); }

std::optional<Path> ReportCommands::ReportFile(const std::string& name) const
{
    return ReportFilePath(form_.Settings().GetFolder(setting::ReportPath), name);
}

void ReportCommands::ShowReport(const Path& fileName)
{
    // Named before the browser is asked: the collector finds the file whatever the browser does.
    form_.ShowStatusText(ReportStatusText(fileName));
    OpenDocument(PathToQString(fileName));
    form_.AddExplorerFileNode(ExplorerRoot::Reports, fileName);
}

void ReportCommands::ListReport(std::string_view report, const ListReportWriter& write)
{
    const TBaseCustomListClass* list = form_.CurrentList();
    if (!list)
        return;
    const auto file = ReportFile(ListReportFileName(*list, report));
    // A writer that answers false wrote nothing: there is nothing to open or list.
    if (file && write(*list, *file))
        ShowReport(*file);
}

void ReportCommands::InventoryReportMainMenuClick() { ListReport("Inventory Report", WriteInventoryReport); }

void ReportCommands::BinReportMainMenuClick() { ListReport("Bin Report", WriteBinReport); }

void ReportCommands::TradeReportMainMenuClick() { ListReport("Trade Report", WriteTradeReport); }

void ReportCommands::CustomReportMainMenuClick()
{
    const TBaseCustomListClass* list = form_.CurrentList();
    if (!list)
        return;
    customReport_->ListType = list->GetListType();
    if (ExecDialog(*customReport_) != QDialog::Accepted)
        return;
    // A report that fails is shown and the next one is still written.
    for (int i = 0; i < customReport_->GetSelectedCount(); ++i) {
        const std::string name = customReport_->GetSelectedReport(i);
        RunCommand([&] {
            const auto file = ReportFile(CustomReportFileName(*list, name));
            if (file && WriteCustomReport(*list, name, *file))
                ShowReport(*file);
        });
    }
}

void ReportCommands::byPlatformReportMainMenuClick()
{
    const auto& open = form_.OpenLists();
    if (open.empty())
        return;
    std::vector<const TBaseCustomListClass*> lists;
    bool oneType = true;
    for (const auto& list : open) {
        oneType = oneType && list->Kind() == open.front()->Kind();
        lists.push_back(list.get());
    }
    std::string type = open.front()->GetListType();
    if (!oneType) {
        // Cancel in the chooser stops the report.
        if (ExecDialog(*chooser_) != QDialog::Accepted)
            return;
        type = chooser_->GetListType();
    }
    const auto file = ReportFile(SummaryReportFileName(type));
    if (file && WriteSummaryReport(lists, type, *file))
        ShowReport(*file);
}

void ReportCommands::InventoryListMainMenuClick()
{
    inventory_->SetList(form_.CurrentList());
    ExecDialog(*inventory_);
    // Counts changed in the window show in the grid and the status bar.
    form_.RefreshListView();
}

void ReportCommands::CompareCartridgeListsMainMenuClick()
{
    const QString tooFew = QStringLiteral("You must have at least 2 media files open in order to compare them.");
    if (form_.OpenLists().size() < 2) {
        Messages().Information(tooFew);
        return;
    }
    compare_->SetLists(form_.OpenLists());
    if (compare_->MediaListCount() < 2) {
        Messages().Information(tooFew);
        return;
    }
    // Modeless: the main window stays usable beside it.
    compare_->show();
    compare_->raise();
    compare_->activateWindow();
}

void ReportCommands::ListsChanged() { compare_->SetLists(form_.OpenLists()); }

void ReportCommands::ChartOfCurrentList(bool (TCartChartForm::*chart)())
{
    chart_->SetList(form_.CurrentList());
    // A value that does not convert stops here with its message; no window opens.
    if ((chart_.get()->*chart)())
        ExecChart();
}

void ReportCommands::ExecChart()
{
    chart_->SetSaveFolder(PathToQString(form_.Settings().GetFolder(setting::ReportPath)));
    ExecDialog(*chart_);
}

void ReportCommands::byManufacturerMainMenuClick() { ChartOfCurrentList(&TCartChartForm::ChartByManufacturer); }

void ReportCommands::byRarityMainMenuClick() { ChartOfCurrentList(&TCartChartForm::ChartByRarity); }

void ReportCommands::byConditionMainMenuClick() { ChartOfCurrentList(&TCartChartForm::ChartByCondition); }

void ReportCommands::CostVsValueMainMenuClick() { ChartOfCurrentList(&TCartChartForm::ChartCostVsValue); }

void ReportCommands::byPlatformMainMenuClick()
{
    std::vector<const TBaseCustomListClass*> lists;
    for (const auto& list : form_.OpenLists())
        lists.push_back(list.get());
    chart_->SetLists(std::move(lists));
    if (chart_->ChartByPlatform())
        ExecChart();
}

}  // namespace quorvel
