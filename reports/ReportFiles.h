#pragma once

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

}  // namespace quorvel
