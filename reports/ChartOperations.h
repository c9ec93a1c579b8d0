#pragma once

#include <string>
#include <vector>

#include "model/BaseCustomListClass.h"
#include "model/ListType.h"
#include "reports/ChartData.h"

namespace quorvel {

// The data of the five charts. None of them reorders or changes the lists it reads, nor the global
// sort field. A value that does not convert, or a Rarity or Condition outside 0 to 10, throws
// TBaseCustomListClassException naming the item (from 1, in list order) and the field.

// Total Quantity per maker ("<none>" for an empty Mfg), makers ascending ignoring case, each labelled
// with its first spelling in list order.
ChartData ManufacturerChartData(const TBaseCustomListClass& list);
// Total Quantity per value from 10 down to 1, then 0 as "Not Rated": always eleven bars.
ChartData RarityChartData(const TBaseCustomListClass& list);
ChartData ConditionChartData(const TBaseCustomListClass& list);
// The exact sums of Cost and of Value, each item once whatever its Quantity.
ChartData CostVsValueChartData(const TBaseCustomListClass& list);

// Whether two neighbours in Lists are of different list types.
bool ListTypesMixed(const std::vector<const TBaseCustomListClass*>& lists);
// One bar per list of that list type, in order: its total Quantity, labelled with its platform. The
// title names the type as TypeName spells it.
ChartData PlatformChartData(const std::vector<const TBaseCustomListClass*>& lists, TListType listType,
                            const std::string& typeName);

}  // namespace quorvel
