#pragma once

#include "ui/MainFormAccess.h"

#include <memory>
#include <optional>
#include <string>

namespace quorvel {

class TCartChartForm;
class TChooseListTypeForm;
class TFieldOrderForm;

// The Reports and Charts menus and the comparison: each hands the current list, or the open lists,
// to a writer or window of the reports folder, opens a written report in the browser and lists it
// in the Collection Explorer. The windows live as long as the group.
class ReportCommands : public CommandGroup {
    Q_OBJECT
public:
    ReportCommands(MainFormAccess& form, TFieldOrderForm& fieldOrder);
    ~ReportCommands() override;

    void byManufacturerMainMenuClick();
    void byRarityMainMenuClick();
    void byConditionMainMenuClick();
    void CostVsValueMainMenuClick();
    void byPlatformMainMenuClick();

    TCartChartForm& ChartForm() { return *chart_; }
    TChooseListTypeForm& ChooseListTypeForm() { return *chooser_; }

private:
    void ChartOfCurrentList(bool (TCartChartForm::*chart)());
    // After a writer answered true: the report opens in the browser and goes under "Reports".
    void ShowReport(const std::string& fileName);
    // The report file of that name in the report folder; nothing (after a message) for a name that
    // can be no file name.
    std::optional<std::string> ReportFile(const std::string& name) const;

    TFieldOrderForm& fieldOrder_;
    std::unique_ptr<TChooseListTypeForm> chooser_;
    std::unique_ptr<TCartChartForm> chart_;
};

}  // namespace quorvel
