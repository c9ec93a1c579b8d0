#include "ui/reports/ReportWriters.h"

#include "model/BaseCustomListClass.h"
#include "model/ColumnList.h"
#include "platform/FileNames.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "reports/CartReports.h"
#include "reports/CompareCartsReport.h"
#include "reports/ReportColumns.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/reports/BinReportOptionsForm.h"
#include "ui/reports/InventoryReportOptionsForm.h"
#include "ui/reports/TradeListForm.h"

namespace quorvel {

namespace {

// The stored set of Section goes to the dialog and comes back sorted and stored after OK; the
// defaults are stored on first use even when the dialog is cancelled.
template <class Dialog>
bool AskColumns(const TBaseCustomListClass& list, const std::string& section, Dialog& dialog, TColumnListClass& columns)
{
    LoadReportColumns(list, ReportsIniFile(), section, columns);
    dialog.SetColumns(columns);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return false;
    dialog.GetColumns(columns);
    StoreReportColumns(columns, ReportsIniFile(), section);
    return true;
}

bool AskListReportColumns(const TBaseCustomListClass& list, const char* report, TReportOptionsForm& form,
                          TColumnListClass& columns)
{
    return list.Count() > 0 && AskColumns(list, "Custom" + ReportListTypeName(list) + report, form, columns);
}

// Name is Windows-1252 text. True when it can be used.
bool CheckFileName(const std::string& name, const std::string& fileName)
{
    if (IsSafeName(fileName))
        return true;
    Messages().Warning(QStringLiteral("\"%1\" can not be used as a file name.").arg(ToQString(name)));
    return false;
}

}  // namespace

bool CheckCustomReportName(const std::string& reportName)
{
    // The platform is not known yet; the name's own characters decide.
    return CheckFileName(reportName, " " + reportName + " .html");
}

std::optional<Path> ReportFilePath(const Path& reportFolder, const std::string& fileName)
{
    if (!CheckFileName(fileName, fileName))
        return std::nullopt;
    // The name is Windows-1252 text; the path takes the file system's bytes.
    return JoinPath(reportFolder, PathFromText(fileName));
}

bool MakeBinReport(const TBaseCustomListClass& list, const Path& fileName, TBinReportOptionsForm& form)
{
    form.SetListTypeName(ReportListTypeName(list));
    TColumnListClass columns;
    if (!AskListReportColumns(list, "BinReportHeader", form, columns))
        return false;
    const BinReportOptions options = form.Options();
    const ReportClock clock = ReportClock::System();
    StreamReport([&](AtomicFileWriter& file) { RenderBinReport(list, columns, options, clock, &file); }, fileName);
    return true;
}

bool MakeInventoryReport(const TBaseCustomListClass& list, const Path& fileName,
                         TInventoryReportOptionsForm& form)
{
    TColumnListClass columns;
    if (!AskListReportColumns(list, "InventoryReportHeader", form, columns))
        return false;
    const int boxed = form.Boxed();
    const ReportClock clock = ReportClock::System();
    StreamReport([&](AtomicFileWriter& file) { RenderInventoryReport(list, columns, boxed, clock, &file); }, fileName);
    return true;
}

bool MakeTradeReport(const TBaseCustomListClass& list, const Path& fileName, TTradeListForm& form)
{
    TColumnListClass columns;
    if (!AskListReportColumns(list, "TradeReportHeader", form, columns))
        return false;
    const TradeReportOptions options = form.Options();
    const ReportClock clock = ReportClock::System();
    StreamReport([&](AtomicFileWriter& file) { RenderTradeReport(list, columns, options, clock, &file); }, fileName);
    return true;
}

bool MakeCompareReport(const TBaseCustomListClass& listA, const TBaseCustomListClass& listB,
                       const Path& fileName)
{
    if (listA.Count() == 0 && listB.Count() == 0)
        return false;
    TColumnListClass columns;
    TFieldOrderForm dialog;
    if (!AskColumns(listA.Count() > 0 ? listA : listB, "Custom" + listA.GetListType() + "CompareReportHeader", dialog,
                    columns))
        return false;
    WriteReport([&] { return RenderCompareReport(listA, listB, columns, ReportClock::System()); }, fileName);
    return true;
}

}  // namespace quorvel
