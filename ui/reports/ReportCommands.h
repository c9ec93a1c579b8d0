#pragma once

#include "ui/window/MainFormAccess.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class TBaseCustomListClass;
class TBinReportOptionsForm;
class TCartChartForm;
class TChooseListTypeForm;
class TCompareCartsForm;
class TCustomPropertyDialog;
class TCustomReportForm;
class TFieldOrderForm;
class TInventoryForm;
class TInventoryReportOptionsForm;
class TTradeListForm;

// The Reports and Charts menus, the comparison and the inventory window: each hands the current list, or the open
// lists, to a writer or window of the reports folder, opens a written report in the browser and lists it in the
// Collection Explorer. The windows live as long as the group.
class ReportCommands : public CommandGroup {
    Q_OBJECT
public:
    ReportCommands(MainFormAccess& form, TFieldOrderForm& fieldOrder, TCustomPropertyDialog& propertyDialog);
    ~ReportCommands() override;

    void InventoryReportMainMenuClick();
    void BinReportMainMenuClick();
    void TradeReportMainMenuClick();
    void CustomReportMainMenuClick();
    void byPlatformReportMainMenuClick();

    void InventoryListMainMenuClick();

    void CompareCartridgeListsMainMenuClick();
    // The compare window follows the open lists by their identities.
    void ListsChanged() override;

    void byManufacturerMainMenuClick();
    void byRarityMainMenuClick();
    void byConditionMainMenuClick();
    void CostVsValueMainMenuClick();
    void byPlatformMainMenuClick();

    TCartChartForm& ChartForm() { return *chart_; }
    TChooseListTypeForm& ChooseListTypeForm() { return *chooser_; }
    TCustomReportForm& CustomReportForm() { return *customReport_; }
    TCompareCartsForm& CompareCartsForm() { return *compare_; }
    TInventoryForm& InventoryForm() { return *inventory_; }

    // The writers; tests replace them to see what a failing writer leaves behind.
    using ListReportWriter = std::function<bool(const TBaseCustomListClass& list, const Path& fileName)>;
    ListReportWriter WriteInventoryReport, WriteBinReport, WriteTradeReport;
    std::function<bool(const TBaseCustomListClass& list, const std::string& reportName, const Path& fileName)>
        WriteCustomReport;
    std::function<bool(const std::vector<const TBaseCustomListClass*>& lists, const std::string& listTypeName,
                       const Path& fileName)>
        WriteSummaryReport;

private:
    void ListReport(std::string_view report, const ListReportWriter& write);
    void ChartOfCurrentList(bool (TCartChartForm::*chart)());
    void ExecChart();
    // After a writer answered true: the status bar names the file, the report opens in the browser
    // and goes under "Reports".
    void ShowReport(const Path& fileName);
    static QString ReportStatusText(const Path& fileName);
    // The report file of that name in the report folder; nothing (after a message) for a name that
    // can be no file name.
    std::optional<Path> ReportFile(const std::string& name) const;

    std::unique_ptr<TChooseListTypeForm> chooser_;
    std::unique_ptr<TCartChartForm> chart_;
    std::unique_ptr<TInventoryReportOptionsForm> inventoryOptions_;
    std::unique_ptr<TBinReportOptionsForm> binOptions_;
    std::unique_ptr<TTradeListForm> tradeOptions_;
    std::unique_ptr<TCustomReportForm> customReport_;
    std::unique_ptr<TInventoryForm> inventory_;
    std::unique_ptr<TCompareCartsForm> compare_;
};

}  // namespace quorvel
