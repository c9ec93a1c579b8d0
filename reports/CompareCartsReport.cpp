#include "reports/CompareCartsReport.h"

#include "model/BaseCustomListClass.h"
#include "model/ColumnList.h"
#include "reports/ReportColumns.h"
#include "reports/ReportHtml.h"

namespace quorvel {

namespace {

void LabelRow(HtmlReport& report, const char* colour, const char* label, const std::string& value)
{
    report.Line(std::string("<TR><TD bgcolor=\"") + colour + "\">" + label + "</TD><TD>" + HtmlText(value) +
                "</TD></TR>");
}

// One list's section. The last section leaves its table open: the skeleton's footer closes it.
void WriteAddableItemsSection(HtmlReport& report, const TBaseCustomListClass& list, const TColumnListClass& columns,
                              const std::string& sortKey, bool last)
{
    report.Line(kReportFontLine);
    report.Line("<P><TABLE BORDER=\"0\" CELLSPACING=\"2\">");
    LabelRow(report, "#BBBBBB", "Platform", list.GetPlatform());
    LabelRow(report, "#DDDDDD", "Owner", list.GetOwner());
    LabelRow(report, "#BBBBBB", "Description", list.GetDescription());
    report.Line("</TABLE>");
    report.Line("<P><CENTER>The following is a list of " + HtmlText(list.GetListType()) +
                " that could be added to your collection.</CENTER>");
    report.Line("<P><TABLE BORDER=\"0\" CELLSPACING=\"2\">");
    report.HeaderRow(columns);
    ReportCells cells(columns);
    report.SetStripe(0);
    for (uint32_t index : SortedView(list, sortKey)) {
        std::string row = std::string("<TR bgcolor=\"") + ReportColour(report.NextStripe()) + "\">";
        cells.Append(row, *list.Items()[index]);
        row += "</TR>";
        report.Line(row);
    }
    if (!last)
        report.Line("</TABLE>");
}

}  // namespace

HtmlReport RenderCompareReport(const TBaseCustomListClass& listA, const TBaseCustomListClass& listB,
                               const TColumnListClass& columns, const ReportClock& clock)
{
    HtmlReport report(clock);
    report.Head("Cartridge Comparision");
    const std::string sortKey = ReportSortKey(columns);
    WriteAddableItemsSection(report, listA, columns, sortKey, false);
    WriteAddableItemsSection(report, listB, columns, sortKey, true);
    // "</TABLE>", "<CENTER>", the footer lines, "</CENTER>", "</FONT>", "</BODY>", "</HTML>".
    report.Finish();
    return report;
}

}  // namespace quorvel
