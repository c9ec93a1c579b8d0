#pragma once

#include "reports/ReportHtml.h"

#include <functional>
#include <string>

namespace quorvel {

class TBaseCustomListClass;
class TColumnListClass;
class TBinReportOptionsForm;
class TInventoryReportOptionsForm;
class TTradeListForm;

struct BinReportOptions {
    int CartsPerBin = 51;  // below 1 counts as 1
    int Boxed = 0;         // TBoxedOption
};

struct TradeReportOptions {
    int MinQuantity = 2;
    bool TradeBoxed = false;
    bool ShowActualQuantity = false;
};

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

// The writers: the column set of Reports.ini, the options dialog, the file. True only when the file
// was written; false for an empty list, a cancelled dialog, a value that does not convert or a failed
// write (the last two shown in a message). The list is only read.
bool MakeBinReport(const TBaseCustomListClass& list, const std::string& fileName, TBinReportOptionsForm& form);
bool MakeInventoryReport(const TBaseCustomListClass& list, const std::string& fileName,
                         TInventoryReportOptionsForm& form);
bool MakeTradeReport(const TBaseCustomListClass& list, const std::string& fileName, TTradeListForm& form);

// Renders and saves; a render stopped by a value that does not convert is shown and writes nothing.
bool WriteReport(const std::function<HtmlReport()>& render, const std::string& fileName);
// The same for a render that writes into the file as it goes: a big report is never held whole.
bool StreamReport(const std::function<void(AtomicFileWriter&)>& render, const std::string& fileName);

}  // namespace quorvel
