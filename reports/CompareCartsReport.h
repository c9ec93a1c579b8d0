#pragma once

#include <string>

#include "reports/ReportHtml.h"

namespace quorvel {

class TBaseCustomListClass;
class TColumnListClass;

// The compare report: what each result list could add to a collection, one section per list, under
// these columns (already in their order).
HtmlReport RenderCompareReport(const TBaseCustomListClass& listA, const TBaseCustomListClass& listB,
                               const TColumnListClass& columns, const ReportClock& clock);

}  // namespace quorvel
