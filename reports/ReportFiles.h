#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class TBaseCustomListClass;

// The names of report files: platform + " " + list type + " " + report + ".html" for the bin
// ("Bin Report"), inventory ("Inventory Report") and trade ("Trade Report") reports; platform + " " +
// report name + " .html" for a custom report; list type + " Collection Summary.html" for the summary.
std::string ListReportFileName(const TBaseCustomListClass& list, std::string_view report);
std::string CustomReportFileName(const TBaseCustomListClass& list, const std::string& reportName);
std::string SummaryReportFileName(const std::string& listTypeName);

// The file in the report folder (the name converted to the file system's bytes). A name that is no safe file name (it
// came from data) is refused with a warning and gives nothing.
std::optional<std::string> ReportFilePath(const std::string& reportFolder, const std::string& fileName);
// Whether a custom report's name can be part of its file name; the same warning as ReportFilePath's
// when it cannot ("/" in it).
bool CheckCustomReportName(const std::string& reportName);

}  // namespace quorvel
