#include "reports/ReportFiles.h"

#include "model/BaseCustomListClass.h"

namespace quorvel {

std::string ListReportFileName(const TBaseCustomListClass& list, std::string_view report)
{
    return list.GetPlatform() + " " + list.GetListType() + " " + std::string(report) + ".html";
}

std::string CustomReportFileName(const TBaseCustomListClass& list, const std::string& reportName)
{
    return list.GetPlatform() + " " + reportName + " .html";
}

std::string SummaryReportFileName(const std::string& listTypeName) { return listTypeName + " Collection Summary.html"; }

}  // namespace quorvel
