#pragma once

#include <string>

#include "reports/ReportHtml.h"

namespace quorvel {

class TBaseCustomListClass;
class TColumnListClass;

// The compare report: what each result list could add to a collection, one section per list, with
// the columns chosen in the column-order dialog. False when both lists are empty, the dialog was
// cancelled or the file could not be written (that is shown); nothing is written then.
bool MakeCompareReport(const TBaseCustomListClass& listA, const TBaseCustomListClass& listB,
                       const std::string& fileName);

// The document for these columns (already in their order), as MakeCompareReport writes it.
HtmlReport RenderCompareReport(const TBaseCustomListClass& listA, const TBaseCustomListClass& listB,
                               const TColumnListClass& columns, const ReportClock& clock);

}  // namespace quorvel
