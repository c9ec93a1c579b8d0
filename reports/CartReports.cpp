#include "reports/CartReports.h"

#include "model/BaseCustomListClass.h"
#include "model/ColumnList.h"
#include "reports/ReportColumns.h"

#include <algorithm>

namespace quorvel {

namespace {

std::string Title(const TBaseCustomListClass& list) { return list.GetPlatform() + " - " + list.GetOwner(); }

void OpenRow(std::string& row, int colour)
{
    row = "<TR bgcolor=\"";
    row += ReportColour(colour);
    row += "\">";
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

    ReportCells cells(columns);
    ReportField boxed("Boxed");
    std::string row;
    int64_t count = 0;
    int64_t bin = 0;
    const auto order = SortedView(list, ReportSortKey(columns));
    ForEachInView(list, order, [&](const TBaseCustomClass& item, uint32_t index) {
        if (options.Boxed != boBoth && !BoxedOptionIncludes(options.Boxed, boxed.Boolean(item, index + 1)))
            return;
        int stripe = report.NextStripe();
        const bool starts = count % perBin == 0;
        if (starts) {
            ++bin;
            report.SetStripe(stripe = 3);
        }
        OpenRow(row, stripe);
        row += starts ? "<TD>" + std::to_string(bin) + "</TD>" : std::string("<TD>.</TD>");
        ++count;
        cells.Append(row, item);
        row += "</TR>";
        report.DataRow(row, order.size());
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

    ReportCells cells(columns);
    ReportField boxed("Boxed");
    std::string row;
    const auto order = SortedView(list, ReportSortKey(columns));
    ForEachInView(list, order, [&](const TBaseCustomClass& item, uint32_t index) {
        if (boxedOption != boBoth && !BoxedOptionIncludes(boxedOption, boxed.Boolean(item, index + 1)))
            return;
        OpenRow(row, report.NextStripe());
        cells.Append(row, item);
        row += "<TD>______</TD><TD>______</TD><TD>______</TD></TR>";
        report.DataRow(row, order.size());
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

    ReportCells cells(columns);
    ReportField boxed("Boxed");
    ReportField quantityField("Quantity");
    std::string row;
    std::string spare;
    const auto order = SortedView(list, ReportSortKey(columns));
    ForEachInView(list, order, [&](const TBaseCustomClass& item, uint32_t index) {
        if (!options.TradeBoxed && boxed.Boolean(item, index + 1))
            return;
        const int64_t quantity = quantityField.Integer(item, index + 1);
        if (quantity < options.MinQuantity)
            return;
        OpenRow(row, report.NextStripe());
        spare = std::to_string(quantity - 1);
        cells.Append(row, item, options.ShowActualQuantity ? nullptr : &spare);
        row += "</TR>";
        report.DataRow(row, order.size());
    });
    report.Finish();
    return report;
}

void WriteReport(const std::function<HtmlReport()>& render, const std::string& fileName)
{
    WriteFileAtomic(fileName, render().Bytes());
}

void StreamReport(const std::function<void(AtomicFileWriter&)>& render, const std::string& fileName)
{
    AtomicFileWriter file(fileName);
    render(file);
    file.Commit();
}

}  // namespace quorvel
