#include "reports/ReportFiles.h"

#include "model/BaseCustomListClass.h"
#include "platform/FileNames.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"

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

namespace {

// Name is Windows-1252 text. True when it can be used.
bool CheckFileName(const std::string& name, const std::string& fileName)
{
    if (IsSafeName(fileName))
        return true;
    Messages().Warning(QStringLiteral("\"%1\" can not be used as a file name.").arg(ToQString(name)));
    return false;
}

}  // namespace

bool CheckCustomReportName(const std::string& reportName)
{
    // The platform is not known yet; the name's own characters decide.
    return CheckFileName(reportName, " " + reportName + " .html");
}

std::optional<std::string> ReportFilePath(const std::string& reportFolder, const std::string& fileName)
{
    if (!CheckFileName(fileName, fileName))
        return std::nullopt;
    // The name is Windows-1252 text; the path takes the file system's bytes.
    return JoinPath(reportFolder, PathFromQString(ToQString(fileName)));
}

}  // namespace quorvel
