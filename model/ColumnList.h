#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/BaseCustomClass.h"

#include "platform/Path.h"

namespace quorvel {

// One column of a grid, report or export: which field, under which header, where, how wide.
class TColumnClass {
public:
    std::string Name;  // header text
    int32_t Width = 0;
    std::string Field;  // the item field's internal name
    int32_t Order = 0;
    bool Hidden = false;
    int32_t Justification = 0;  // 0 left, 1 center, 2 right

    void Assign(const TColumnClass& source) { *this = source; }
};

// An ordered set of columns. Its template is the field set of an item kind: it gives the default
// columns and the field names a saved section may name. The set owns its columns.
class TColumnListClass {
public:
    std::vector<std::unique_ptr<TColumnClass>> Columns;
    const FieldSet* Template = nullptr;

    TColumnListClass() = default;
    TColumnListClass(const TColumnListClass&) = delete;
    TColumnListClass& operator=(const TColumnListClass&) = delete;

    void Clear() { Columns.clear(); }
    // Appends a copy; the caller keeps its own column.
    int32_t Add(const TColumnClass& column);
    // Copies Source's columns in its order; the template is not copied.
    void Assign(const TColumnListClass& source);
    // Raises ListIndexError outside 0 .. Count() - 1.
    TColumnClass* GetColumn(int32_t index) const;
    int32_t Count() const { return static_cast<int32_t>(Columns.size()); }
    // An index outside the set is ignored.
    void Delete(int32_t index);
    // The first column whose Field equals FieldName ignoring case, or -1.
    int32_t IndexOfField(const std::string& fieldName) const;
    // Stable: columns of equal Order keep their relative order.
    void SortByOrder();
    // The template becomes the item's field set (none without an item) and the set its default columns.
    void SetTemplate(const TBaseCustomClass* item);
    void SetTemplate(const FieldSet* fields);

    // The default columns overlaid by the columns the section names (read in one parse).
    void LoadFromIni(const Path& fileName, const std::string& section);
    // Replaces the section by the set in one write; each column's Order key is its position.
    void SaveToIni(const Path& fileName, const std::string& section) const;
};

}  // namespace quorvel
