#include "reports/ReportCommands.h"

#include "config/SettingsStore.h"
#include "model/BaseCustomListClass.h"
#include "platform/qt/PathText.h"
#include "platform/qt/Services.h"
#include "reports/CartChartForm.h"
#include "reports/ChooseListTypeForm.h"

#include <QWidget>

namespace quorvel {

ReportCommands::ReportCommands(MainFormAccess& form, TFieldOrderForm& fieldOrder)
    : CommandGroup(form),
      fieldOrder_(fieldOrder),
      chooser_(std::make_unique<TChooseListTypeForm>(&form.Window())),
      chart_(std::make_unique<TCartChartForm>(*chooser_, &form.Window()))
{
    Connect("byManufacturerMainMenu", [this] { byManufacturerMainMenuClick(); });
    Connect("byRarityMainMenu", [this] { byRarityMainMenuClick(); });
    Connect("byConditionMainMenu", [this] { byConditionMainMenuClick(); });
    Connect("CostVsValueMainMenu", [this] { CostVsValueMainMenuClick(); });
    Connect("byPlatformMainMenu", [this] { byPlatformMainMenuClick(); });
}

ReportCommands::~ReportCommands() = default;

void ReportCommands::ShowReport(const std::string& fileName)
{
    OpenDocument(PathToQString(fileName));
    form_.AddExplorerFileNode(ExplorerRoot::Reports, fileName);
}

void ReportCommands::ChartOfCurrentList(bool (TCartChartForm::*chart)())
{
    chart_->SetList(form_.CurrentList());
    // A value that does not convert stops here with its message; no window opens.
    if ((chart_.get()->*chart)())
        ExecDialog(*chart_);
}

void ReportCommands::byManufacturerMainMenuClick()
{
    ChartOfCurrentList(&TCartChartForm::ChartByManufacturer);
}

void ReportCommands::byRarityMainMenuClick()
{
    ChartOfCurrentList(&TCartChartForm::ChartByRarity);
}

void ReportCommands::byConditionMainMenuClick()
{
    ChartOfCurrentList(&TCartChartForm::ChartByCondition);
}

void ReportCommands::CostVsValueMainMenuClick()
{
    ChartOfCurrentList(&TCartChartForm::ChartCostVsValue);
}

void ReportCommands::byPlatformMainMenuClick()
{
    std::vector<const TBaseCustomListClass*> lists;
    for (const auto& list : form_.OpenLists())
        lists.push_back(list.get());
    chart_->SetLists(std::move(lists));
    if (chart_->ChartByPlatform())
        ExecDialog(*chart_);
}

}  // namespace quorvel
