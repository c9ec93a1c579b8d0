#include "reports/CustomReports.h"

#include "model/BaseCustomListClass.h"
#include "model/ColumnList.h"
#include "model/ListFactory.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "reports/CartReports.h"
#include "reports/ReportColumns.h"

#include <QCollator>

#include <algorithm>

namespace quorvel {

namespace {

struct SummaryRow {
    QString Platform;
    QString Owner;
    std::string Cells;
};

std::string ListName(const TBaseCustomListClass& list)
{
    if (!list.GetFileName().empty())
        return PathToText(ExtractFileName(list.GetFileName()));
    return list.GetPlatform() + " - " + list.GetOwner();
}

int64_t TotalQuantity(const TBaseCustomListClass& list)
{
    int64_t total = 0;
    ReportField quantity("Quantity");
    try {
        for (int32_t i = 0; i < list.Count(); ++i)
            total += quantity.Integer(*list.GetItem(i), int64_t {i} + 1);
    } catch (const TBaseCustomListClassException& e) {
        throw TBaseCustomListClassException("List " + ListName(list) + ": " + e.what());
    }
    return total;
}

}  // namespace

HtmlReport RenderCustomReport(const TBaseCustomListClass& list, const TColumnListClass& columns,
                              const std::string& reportName, const ReportClock& clock)
{
    HtmlReport report = BeginListReport(list, reportName, clock);
    report.LabelRow("List Type", ReportListTypeName(list));
    report.OpenData(true);
    report.HeaderRow(columns);
    ReportCells cells(columns);
    std::string row;
    const auto order = SortedView(list, ReportSortKey(columns));
    ForEachInView(list, order, [&](const TBaseCustomClass& item, uint32_t) {
        row = "<TR bgcolor=\"";
        row += ReportColour(report.NextStripe());
        row += "\">";
        cells.Append(row, item);
        row += "</TR>";
        report.DataRow(row, order.size());
    });
    report.Finish();
    return report;
}

HtmlReport RenderCollectionSummaryReport(const std::vector<const TBaseCustomListClass*>& lists,
                                         const std::string& listTypeName, const ReportClock& clock)
{
    const TListType type = ListTypeFromName(listTypeName);
    std::vector<SummaryRow> rows;
    int64_t uniqueSum = 0;
    int64_t totalSum = 0;
    for (const TBaseCustomListClass* list : lists) {
        if (!list || list->Kind() != type)
            continue;
        const int64_t unique = list->Count();
        const int64_t total = TotalQuantity(*list);
        uniqueSum += unique;
        totalSum += total;
        std::string cells = "<TD ALIGN=\"LEFT\">" + HtmlText(list->GetPlatform()) + "</TD><TD ALIGN=\"LEFT\">" +
            HtmlText(list->GetOwner()) + "</TD><TD ALIGN=\"RIGHT\">" + std::to_string(unique) +
            "</TD><TD ALIGN=\"RIGHT\">" + std::to_string(total);
        rows.push_back({ToQString(list->GetPlatform()), ToQString(list->GetOwner()), std::move(cells)});
    }
    QCollator collator(clock.Locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&collator](const SummaryRow& a, const SummaryRow& b) {
        const int platform = collator.compare(a.Platform, b.Platform);
        return platform != 0 ? platform < 0 : collator.compare(a.Owner, b.Owner) < 0;
    });

    HtmlReport report(clock);
    report.Begin("Collection Summary");
    report.LabelRow("Report", "Collection Summary by Platform");
    report.DateRow();
    report.LabelRow("List Type", listTypeName);
    report.OpenData(true);
    const std::string typeText = HtmlText(listTypeName);
    report.Line("<TR><TH>Platform</TH><TH>Owner</TH><TH>Unique " + typeText + "*</TH><TH>Total  " + typeText +
                "</TH></TR>");
    report.SetStripe(1);
    for (const auto& row : rows)
        report.Line(std::string("<TR bgcolor=\"") + ReportColour(report.NextStripe()) + "\">" + row.Cells + "</TR>");
    // The last cells stay unclosed as they always were; browsers close them.
    report.Line(
        "<TR bgcolor=\"#FFFFFF\"><TD ALIGN=\"RIGHT\"></TD><TD ALIGN=\"RIGHT\"> Totals</TD><TD ALIGN=\"RIGHT\">" +
        std::to_string(uniqueSum) + "</TD><TD ALIGN=\"RIGHT\">" + std::to_string(totalSum) + "</TR>");
    report.Finish("<P><SMALLER><P> * - Unique Count assumes that the list is compressed.  Variations (such as Label "
                  "Type, etc...) between carts is also assumed unique.</SMALLER>");
    return report;
}

std::string CustomReportSection(const std::string& listTypeName, const std::string& reportName)
{
    return IniFile::HoldableSectionName("Custom" + listTypeName + reportName);
}

bool MakeCustomReport(const TBaseCustomListClass& list, const std::string& reportName, const Path& fileName)
{
    if (list.Count() == 0)
        return false;
    TColumnListClass columns;
    LoadReportColumns(list, CustomReportsIniFile(), CustomReportSection(ReportListTypeName(list), reportName), columns);
    columns.SortByOrder();
    const ReportClock clock = ReportClock::System();
    WriteReport([&] { return RenderCustomReport(list, columns, reportName, clock); }, fileName);
    return true;
}

bool MakeCollectionSummaryReport(const std::vector<const TBaseCustomListClass*>& lists, const std::string& listTypeName,
                                 const Path& fileName)
{
    const ReportClock clock = ReportClock::System();
    WriteReport([&] { return RenderCollectionSummaryReport(lists, listTypeName, clock); }, fileName);
    return true;
}

}  // namespace quorvel
