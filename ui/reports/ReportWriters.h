#pragma once

#include <optional>
#include <string>

#include "platform/Path.h"

namespace quorvel {

class TBaseCustomListClass;
class TBinReportOptionsForm;
class TInventoryReportOptionsForm;
class TTradeListForm;

// The file in the report folder (the name converted to the file system's bytes). A name that is no
// safe file name (it came from data) is refused with a warning and gives nothing.
std::optional<Path> ReportFilePath(const Path& reportFolder, const std::string& fileName);
// Whether a custom report's name can be part of its file name; the same warning as ReportFilePath's
// when it cannot ("/" in it).
bool CheckCustomReportName(const std::string& reportName);

// The writers that ask first: the column set of Reports.ini goes to the report's dialog and comes
// back stored after OK, then the report is written. True only when the file was written; false for
// an empty list or a cancelled dialog. A value that does not convert and a failed write are thrown
// for the command guard; nothing is written then. The lists are only read.
bool MakeBinReport(const TBaseCustomListClass& list, const Path& fileName, TBinReportOptionsForm& form);
bool MakeInventoryReport(const TBaseCustomListClass& list, const Path& fileName,
                         TInventoryReportOptionsForm& form);
bool MakeTradeReport(const TBaseCustomListClass& list, const Path& fileName, TTradeListForm& form);
// The compare report of two result lists, its columns chosen in the column-order dialog; false when
// both lists are empty.
bool MakeCompareReport(const TBaseCustomListClass& listA, const TBaseCustomListClass& listB,
                       const Path& fileName);

}  // namespace quorvel
