#include "reports/CartReports.h"

#include "model/BaseCustomListClass.h"
#include "model/ColumnList.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "reports/BinReportOptionsForm.h"
#include "reports/InventoryReportOptionsForm.h"
#include "reports/ReportColumns.h"
#include "reports/TradeListForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>

#include <algorithm>
#include <optional>

namespace quorvel {

namespace {

std::string Title(const TBaseCustomListClass& list) { return list.GetPlatform() + " - " + list.GetOwner(); }

void OpenRow(std::string& row, int colour)
{
    row = "<TR bgcolor=\"";
    row += ReportColour(colour);
    row += "\">";
}

// Steps shared by the writers with an options dialog: the stored set goes to the dialog and comes
// back sorted and stored after OK.
bool RunOptions(const TBaseCustomListClass& list, const std::string& report, TReportOptionsForm& form,
                TColumnListClass& columns)
{
    const std::string section = "Custom" + ReportListTypeName(list) + report;
    LoadReportColumns(list, ReportsIniFile(), section, columns);
    form.SetColumns(columns);
    if (ExecDialog(form) != QDialog::Accepted)
        return false;
    form.GetColumns(columns);
    StoreReportColumns(columns, ReportsIniFile(), section);
    return true;
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

bool WriteReport(const std::function<HtmlReport()>& render, const std::string& fileName)
{
    std::optional<HtmlReport> report;
    try {
        report.emplace(render());
    } catch (const TBaseCustomListClassException& e) {
        Messages().Error(ErrorText(e));
        return false;
    }
    return SaveReport(*report, fileName);
}

bool StreamReport(const std::function<void(AtomicFileWriter&)>& render, const std::string& fileName)
{
    try {
        AtomicFileWriter file(fileName);
        render(file);
        file.Commit();
        return true;
    } catch (const TBaseCustomListClassException& e) {
        Messages().Error(ErrorText(e));
    } catch (const FileWriteError&) {
        Messages().Error(QStringLiteral("Unable to write to ") + PathToQString(fileName));
    }
    return false;
}

bool MakeBinReport(const TBaseCustomListClass& list, const std::string& fileName, TBinReportOptionsForm& form)
{
    if (list.Count() == 0)
        return false;
    form.Label1->setText(ToQString(ReportListTypeName(list) + " per bin."));
    TColumnListClass columns;
    if (!RunOptions(list, "BinReportHeader", form, columns))
        return false;
    const BinReportOptions options {form.CartsPerBinEdit->value(), form.BoxedOption->checkedId()};
    const ReportClock clock = ReportClock::System();
    return StreamReport([&](AtomicFileWriter& file) { RenderBinReport(list, columns, options, clock, &file); },
                        fileName);
}

bool MakeInventoryReport(const TBaseCustomListClass& list, const std::string& fileName,
                         TInventoryReportOptionsForm& form)
{
    if (list.Count() == 0)
        return false;
    TColumnListClass columns;
    if (!RunOptions(list, "InventoryReportHeader", form, columns))
        return false;
    const int boxed = form.BoxedOption->checkedId();
    const ReportClock clock = ReportClock::System();
    return StreamReport([&](AtomicFileWriter& file) { RenderInventoryReport(list, columns, boxed, clock, &file); },
                        fileName);
}

bool MakeTradeReport(const TBaseCustomListClass& list, const std::string& fileName, TTradeListForm& form)
{
    if (list.Count() == 0)
        return false;
    TColumnListClass columns;
    if (!RunOptions(list, "TradeReportHeader", form, columns))
        return false;
    const TradeReportOptions options {form.SpinEdit1->value(), form.TradeBoxedCB->isChecked(),
                                      form.ShowActQtyCB->isChecked()};
    const ReportClock clock = ReportClock::System();
    return StreamReport([&](AtomicFileWriter& file) { RenderTradeReport(list, columns, options, clock, &file); },
                        fileName);
}

}  // namespace quorvel
