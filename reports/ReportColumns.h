#pragma once

#include "model/BaseCustomListClass.h"
#include "model/ItemSort.h"
#include "model/ListFileSlices.h"
#include "reports/ReportHtml.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class TColumnListClass;

// The files of the configuration folder that keep report column sets.
Path ReportsIniFile();
Path CustomReportsIniFile();

// The list's type name as stored ("Media", "Hardware"): what the column sections are named after.
std::string ReportListTypeName(const TBaseCustomListClass& list);

// The column set of a list report: the defaults of the list's first item, overlaid by the section
// when it holds a stored set ("CustomHeader"), else stored there at once. The list has items.
void LoadReportColumns(const TBaseCustomListClass& list, const Path& iniFile, const std::string& section,
                       TColumnListClass& columns);
// Sorts the set by Order and stores it in the section.
void StoreReportColumns(TColumnListClass& columns, const Path& iniFile, const std::string& section);

// The field of the first shown column; empty when every column is hidden.
std::string ReportSortKey(const TColumnListClass& columns);

// The positions of the list's items, ascending by the sort key: the order of a sorted copy of the
// list, without copying, reordering it or touching the global sort field.
std::vector<uint32_t> SortedView(const TBaseCustomListClass& list, const std::string& sortKey);

// Calls Visit(item, position in the list) for the view's entries First .. Last - 1 in order. The items
// lie anywhere in memory: asking for an item's memory some items ahead lets the loads overlap.
template <typename Visit>
void ForEachInView(const TBaseCustomListClass& list, const std::vector<uint32_t>& order, size_t first, size_t last,
                   Visit visit)
{
    // The item's pointer is asked for twice as far ahead as the item, so that it is there when the
    // item is asked for.
    constexpr size_t kAhead = 8;
    const auto& items = list.Items();
    for (size_t i = first; i < last; ++i) {
        if (i + 2 * kAhead < last)
            __builtin_prefetch(&items[order[i + 2 * kAhead]]);
        if (i + kAhead < last)
            items[order[i + kAhead]]->Prefetch();
        visit(*items[order[i]], order[i]);
    }
}

template <typename Visit>
void ForEachInView(const TBaseCustomListClass& list, const std::vector<uint32_t>& order, Visit visit)
{
    ForEachInView(list, order, 0, order.size(), visit);
}

// The positions of the items that Keep(item, position) accepts, in the order of SortedView(list, SortKey);
// when tests raise, the failure of the first such item in that order is the one raised. Each slice of
// worker threads has its own test from MakeKeep().
template <typename MakeKeep>
std::vector<uint32_t> KeptInSortedView(const TBaseCustomListClass& list, const std::string& sortKey, MakeKeep makeKeep)
{
    // The items are tested in list order, where they lie one after another (in the view's order every
    // item is a miss of its own), and only the kept ones are sorted, by the same order as the view.
    if (auto order = SortedKeptOrder(list.Items(), sortKey, [&makeKeep] { return KeepTest(makeKeep()); }))
        return std::move(*order);
    // A test raised: the whole view is tested in its order, so that the failure raised is the first one
    // there.
    const std::vector<uint32_t> order = SortedView(list, sortKey);
    const size_t slices = SliceCount(order.size() / 16384 + 1);
    std::vector<PerThread<std::vector<uint32_t>>> keptInView(slices);
    RunSlices(slices, [&](size_t t) {
        auto keep = makeKeep();
        ForEachInView(list, order, order.size() * t / slices, order.size() * (t + 1) / slices,
                      [&](const TBaseCustomClass& item, uint32_t position) {
                          if (keep(item, position))
                              keptInView[t].Value.push_back(position);
                      });
    });
    // Reached only when no test raises this time.
    std::vector<uint32_t> all;
    for (const auto& part : keptInView)
        all.insert(all.end(), part.Value.begin(), part.Value.end());
    return all;
}

// Writes a data row for each entry of Rows into the report, in order: Row(out, k, item, position)
// appends the k-th row without its line end. Rows are made in pieces on worker threads, each piece
// with its own Row from MakeRow(), and handed to the report in order; a row depends only on k and
// its item.
template <typename MakeRow>
void WriteDataRows(HtmlReport& report, const TBaseCustomListClass& list, const std::vector<uint32_t>& rows,
                   MakeRow makeRow)
{
    // Pieces of under 200 KB: the few made ahead stay small, and their texts fit in memory the heaps
    // already hold. Pieces of 1024 rows (half a megabyte) took 12 MB of fresh pages in a 100k report,
    // and the report's writing waited on them. A row takes about a microsecond, so a thread pays for
    // its start from two pieces on. The first pieces are smaller, so that the writing starts before a
    // whole piece is made: writing the pieces is what sets the pace once they come.
    constexpr size_t kPiece = 384, kFirstPiece = 128;
    std::vector<size_t> starts {0};
    for (size_t size = kFirstPiece; starts.back() < rows.size(); size = std::min(kPiece, size * 3 / 2 + 64))
        starts.push_back(std::min(rows.size(), starts.back() + size));
    const size_t pieces = starts.size() - 1;
    // As many pieces of the first's size as the rows would fill: what the report sizes its buffer by.
    const size_t firstSized = (rows.size() + kFirstPiece - 1) / kFirstPiece;
    MakeInOrder(
        pieces, SliceCount((rows.size() + kPiece - 1) / kPiece / 2 + 1),
        [&](size_t piece, std::string& text) {
            auto row = makeRow();
            size_t k = starts[piece];
            ForEachInView(list, rows, starts[piece], starts[piece + 1],
                          [&](const TBaseCustomClass& item, uint32_t position) {
                              row(text, k++, item, position);
                              text += "\r\n";
                          });
        },
        [&](std::string_view text) { report.DataRows(text, firstSized); });
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

// The cells of the shown columns of a set, each field resolved once per field set. One per thread.
class ReportCells {
public:
    explicit ReportCells(const TColumnListClass& columns);

    // The cells of the item; a column of the QUANTITY field shows QuantityText instead when it is given.
    void Append(std::string& out, const TBaseCustomClass& item, std::string_view quantityText = {});

private:
    struct Cell {
        std::string Field;
        // The end of the cell before (none for the first) and this cell's start: one append for both.
        std::string Opening;
        bool IsQuantity;
    };
    void Resolve(const TBaseCustomClass& item);
    void AppendStoredText(std::string& out, TFieldDataType type, std::string_view text);

    std::vector<Cell> cells_;
    std::vector<int32_t> positions_;
    std::vector<TFieldDataType> types_;
    const void* fieldSet_ = nullptr;
    std::string money_;
};

}  // namespace quorvel
