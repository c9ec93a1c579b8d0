#pragma once

#include "model/BaseCustomListClass.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class TColumnListClass;

// The files of the configuration folder that keep report column sets.
std::string ReportsIniFile();
std::string CustomReportsIniFile();

// The list's type name as stored ("Media", "Hardware"): what the column sections are named after.
std::string ReportListTypeName(const TBaseCustomListClass& list);

// The column set of a list report: the defaults of the list's first item, overlaid by the section
// when it holds a stored set ("CustomHeader"), else stored there at once. The list has items.
void LoadReportColumns(const TBaseCustomListClass& list, const std::string& iniFile, const std::string& section,
                       TColumnListClass& columns);
// Sorts the set by Order and stores it in the section.
void StoreReportColumns(TColumnListClass& columns, const std::string& iniFile, const std::string& section);

// The field of the first shown column; empty when every column is hidden.
std::string ReportSortKey(const TColumnListClass& columns);

// The positions of the list's items, ascending by the sort key: the order of a sorted copy of the
// list, without copying, reordering it or touching the global sort field.
std::vector<uint32_t> SortedView(const TBaseCustomListClass& list, const std::string& sortKey);

// Calls Visit(item, position in the list) in the view's order. The items lie anywhere in memory:
// asking for an item's memory some items ahead lets the loads overlap.
template <typename Visit>
void ForEachInView(const TBaseCustomListClass& list, const std::vector<uint32_t>& order, Visit visit)
{
    constexpr size_t kAhead = 8;
    const auto& items = list.Items();
    for (size_t i = 0; i < order.size(); ++i) {
        if (i + kAhead < order.size())
            __builtin_prefetch(items[order[i + kAhead]].get());
        visit(*items[order[i]], order[i]);
    }
}

// A field that a report needs as a yes/no or a whole number, resolved once per field set. A value
// that does not convert raises the list's exception with the model's message naming the item (its
// position in the list, from 1) and the field. An item without the field reads false / 0.
class ReportField {
public:
    explicit ReportField(std::string_view name) : name_(name) { }
    bool Boolean(const TBaseCustomClass& item, int64_t itemNumber);
    int32_t Integer(const TBaseCustomClass& item, int64_t itemNumber);

private:
    int32_t Position(const TBaseCustomClass& item);

    std::string name_;
    const void* fieldSet_ = nullptr;
    int32_t position_ = -1;
};

// The cells of the shown columns of a set, each field resolved once per field set.
class ReportCells {
public:
    explicit ReportCells(const TColumnListClass& columns);

    // The cells of the item; a column of the QUANTITY field shows QuantityText instead when it is given.
    void Append(std::string& out, const TBaseCustomClass& item, const std::string* quantityText = nullptr);

private:
    struct Cell {
        std::string Field;
        int32_t Justification;
        bool IsQuantity;
    };
    std::vector<Cell> cells_;
    std::vector<int32_t> positions_;
    std::vector<bool> asStored_;  // text shown as stored, without conversion
    const void* fieldSet_ = nullptr;
};

}  // namespace quorvel
