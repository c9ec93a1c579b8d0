#include "reports/CartReports.h"

#include "model/BaseCustomListClass.h"
#include "model/ColumnList.h"
#include "reports/ReportColumns.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace quorvel {

namespace {

std::string Title(const TBaseCustomListClass& list) { return list.GetPlatform() + " - " + list.GetOwner(); }

void OpenRow(std::string& row, int colour)
{
    // A row's start in one append: reports make a hundred thousand of them.
    static const std::array<std::string, 4> starts = [] {
        std::array<std::string, 4> all;
        for (int c = 0; c < 4; ++c)
            all[c] = std::string("<TR bgcolor=\"") + ReportColour(c) + "\">";
        return all;
    }();
    row += starts[static_cast<size_t>(colour)];
}

// The stripe counter's colour for the k-th data row (from 0) of a report that only steps it.
int StripeOf(size_t k) { return k % 2 == 0 ? 1 : 2; }

// The items that the Include option lists, in the order of the view by SortKey; "Both" reads no Boxed
// value.
std::vector<uint32_t> IncludedRows(const TBaseCustomListClass& list, const std::string& sortKey, int boxedOption)
{
    if (boxedOption == boBoth)
        return SortedView(list, sortKey);
    return KeptInSortedView(list, sortKey, [boxedOption] {
        return [boxedOption, boxed = ReportField("Boxed")](const TBaseCustomClass& item, uint32_t index) mutable {
            return BoxedOptionIncludes(boxedOption, boxed.Boolean(item, index + 1));
        };
    });
}

}  // namespace

HtmlReport BeginListReport(const TBaseCustomListClass& list, const std::string& reportName, const ReportClock& clock,
                           AtomicFileWriter* file)
{
    HtmlReport report(clock, file);
    report.Begin(Title(list));
    report.LabelRow("Report", reportName);
    report.DateRow();
    report.LabelRow("Platform", list.GetPlatform());
    report.LabelRow("Owner", list.GetOwner());
    report.LabelRow("Description", list.GetDescription());
    return report;
}

HtmlReport RenderBinReport(const TBaseCustomListClass& list, const TColumnListClass& columns,
                           const BinReportOptions& options, const ReportClock& clock, AtomicFileWriter* file)
{
    const std::string typeName = ReportListTypeName(list);
    const int perBin = std::max(1, options.CartsPerBin);
    HtmlReport report = BeginListReport(list, "Bin Report", clock, file);
    report.LabelRow("Display", BoxedOptionText(options.Boxed));
    report.LabelRow(typeName + " Per Bin", std::to_string(perBin));
    report.OpenData(false);
    report.HeaderRow(columns, "<TH>Bin Number</TH>");

    const auto rows = IncludedRows(list, ReportSortKey(columns), options.Boxed);
    // Each bin's first row is "#BBBBBB" with its number; the stripes start again after it.
    WriteDataRows(report, list, rows, [&columns, perBin] {
        return [cells = ReportCells(columns), perBin](std::string& out, size_t k, const TBaseCustomClass& item,
                                                      uint32_t) mutable {
            const size_t inBin = k % static_cast<size_t>(perBin);
            OpenRow(out, inBin == 0 ? 3 : StripeOf(inBin - 1));
            if (inBin == 0) {
                char digits[24];
                out += "<TD>";
                out.append(digits, std::to_chars(digits, digits + sizeof digits, k / perBin + 1).ptr);
                out += "</TD>";
            } else {
                out += "<TD>.</TD>";
            }
            cells.Append(out, item);
            out += "</TR>";
        };
    });
    report.Finish();
    return report;
}

HtmlReport RenderInventoryReport(const TBaseCustomListClass& list, const TColumnListClass& columns, int boxedOption,
                                 const ReportClock& clock, AtomicFileWriter* file)
{
    HtmlReport report = BeginListReport(list, "Inventory Report", clock, file);
    report.LabelRow("Display", BoxedOptionText(boxedOption));
    report.LabelRow("List Type", ReportListTypeName(list));
    report.OpenData(false);
    report.HeaderRow(columns, {}, "<TH>Main Qty</TH><TH>Dupe Qty</TH><TH>Total Qty</TH>");

    const auto rows = IncludedRows(list, ReportSortKey(columns), boxedOption);
    WriteDataRows(report, list, rows, [&columns] {
        return [cells = ReportCells(columns)](std::string& out, size_t k, const TBaseCustomClass& item,
                                              uint32_t) mutable {
            OpenRow(out, StripeOf(k));
            cells.Append(out, item);
            out += "<TD>______</TD><TD>______</TD><TD>______</TD></TR>";
        };
    });
    report.Finish();
    return report;
}

HtmlReport RenderTradeReport(const TBaseCustomListClass& list, const TColumnListClass& columns,
                             const TradeReportOptions& options, const ReportClock& clock, AtomicFileWriter* file)
{
    HtmlReport report(clock, file);
    report.Begin(Title(list));
    report.LabelRow("Report", "Trade Report");
    report.DateRow();
    report.LabelRow("Platform", list.GetPlatform());
    report.LabelRow("List Type", ReportListTypeName(list));
    report.LabelRow("Owner", list.GetOwner());
    report.LabelRow("Description", list.GetDescription());
    report.LabelRow("Trade Boxed", options.TradeBoxed ? "Yes" : "No");
    report.LabelRow("Min Qty for Trade", std::to_string(options.MinQuantity));
    report.LabelRow("Actual Qty", options.ShowActualQuantity ? "Yes" : "No");
    report.OpenData(false);
    report.HeaderRow(columns);

    const auto rows = KeptInSortedView(list, ReportSortKey(columns), [&options] {
        return [&options, boxed = ReportField("Boxed"), quantity = ReportField("Quantity")](
                   const TBaseCustomClass& item, uint32_t index) mutable {
            return (options.TradeBoxed || !boxed.Boolean(item, index + 1)) &&
                quantity.Integer(item, index + 1) >= options.MinQuantity;
        };
    });
    // The quantity converted when the row was chosen, so that reading it again cannot fail.
    WriteDataRows(report, list, rows, [&columns, &options] {
        return [cells = ReportCells(columns), quantity = ReportField("Quantity"), &options](
                   std::string& out, size_t k, const TBaseCustomClass& item, uint32_t index) mutable {
            OpenRow(out, StripeOf(k));
            char spare[16];
            std::string_view spareText;
            if (!options.ShowActualQuantity) {
                const int64_t copies = int64_t(quantity.Integer(item, index + 1)) - 1;
                spareText = {spare, static_cast<size_t>(std::to_chars(spare, spare + sizeof spare, copies).ptr - spare)};
            }
            cells.Append(out, item, spareText);
            out += "</TR>";
        };
    });
    report.Finish();
    return report;
}

void WriteReport(const std::function<HtmlReport()>& render, const Path& fileName)
{
    WriteFileAtomic(fileName, render().Bytes());
}

void StreamReport(const std::function<void(AtomicFileWriter&)>& render, const Path& fileName)
{
    AtomicFileWriter file(fileName);
    render(file);
    file.Commit();
}

}  // namespace quorvel
