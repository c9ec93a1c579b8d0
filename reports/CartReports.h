#pragma once

#include "reports/ReportHtml.h"
#include "reports/ReportOptions.h"

#include <functional>
#include <string>

namespace quorvel {

class TBaseCustomListClass;
class TColumnListClass;

// Title and the label rows "Report", "Date", "Platform", "Owner" and "Description" of a list report.
HtmlReport BeginListReport(const TBaseCustomListClass& list, const std::string& reportName, const ReportClock& clock,
                           AtomicFileWriter* file = nullptr);

// The documents of the list reports, from the list, its report columns (sorted by Order) and the
// options. They neither reorder the list nor touch the global sort field. A Boxed or Quantity value
// that does not convert raises the list's exception naming the item and field. With a file, the
// document goes into it as it is made (see HtmlReport).
HtmlReport RenderBinReport(const TBaseCustomListClass& list, const TColumnListClass& columns,
                           const BinReportOptions& options, const ReportClock& clock, AtomicFileWriter* file = nullptr);
HtmlReport RenderInventoryReport(const TBaseCustomListClass& list, const TColumnListClass& columns, int boxedOption,
                                 const ReportClock& clock, AtomicFileWriter* file = nullptr);
HtmlReport RenderTradeReport(const TBaseCustomListClass& list, const TColumnListClass& columns,
                             const TradeReportOptions& options, const ReportClock& clock,
                             AtomicFileWriter* file = nullptr);

// Renders, then replaces the file. A render stopped by a value that does not convert writes nothing;
// that and a failed write (FileWriteError) are thrown for the command guard.
void WriteReport(const std::function<HtmlReport()>& render, const Path& fileName);
// The same for a render that writes into the file as it goes: a big report is never held whole.
void StreamReport(const std::function<void(AtomicFileWriter&)>& render, const Path& fileName);

}  // namespace quorvel
