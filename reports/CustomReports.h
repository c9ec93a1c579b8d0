#pragma once

#include "reports/ReportHtml.h"

#include <string>
#include <vector>

namespace quorvel {

class TBaseCustomListClass;
class TColumnListClass;

// Every item of the list under the columns of a named report (sorted by Order), ascending by the
// first shown column.
HtmlReport RenderCustomReport(const TBaseCustomListClass& list, const TColumnListClass& columns,
                              const std::string& reportName, const ReportClock& clock);
// One row per list of that type (compared by type code), ordered by platform and owner ignoring
// case in the clock's locale, and a totals row. A Quantity that is no whole number raises the
// list's exception naming the list, the item and the field.
HtmlReport RenderCollectionSummaryReport(const std::vector<const TBaseCustomListClass*>& lists,
                                         const std::string& listTypeName, const ReportClock& clock);

// Where a named report's columns for a list type live in CustomReports.ini: "Custom" + list type +
// name, held the file's way when the name has characters a section name cannot ("Cost=Value").
std::string CustomReportSection(const std::string& listTypeName, const std::string& reportName);

// The writers: true when the file was written, false for an empty list. A value that does not convert
// and a failed write are thrown (see WriteReport). The lists are only read.
bool MakeCustomReport(const TBaseCustomListClass& list, const std::string& reportName, const Path& fileName);
bool MakeCollectionSummaryReport(const std::vector<const TBaseCustomListClass*>& lists, const std::string& listTypeName,
                                 const Path& fileName);

}  // namespace quorvel
