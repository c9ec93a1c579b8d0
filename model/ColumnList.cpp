#include "model/ColumnList.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

#include "platform/Cp1252.h"
#include "platform/IniFile.h"

namespace quorvel {

namespace {

constexpr int32_t kDefaultWidth = 75;

// The keys of one saved column, "Name7" .. "Justification7".
enum ColumnKey { ckName, ckWidth, ckField, ckOrder, ckHidden, ckJustification, ckCount };
constexpr std::string_view kColumnKeys[ckCount] = {"Name", "Width", "Field", "Order", "Hidden", "Justification"};

struct SavedColumn {
    std::optional<std::string> Values[ckCount];
};

int IntegerOf(const std::optional<std::string>& value, int def)
{
    return value ? IniFile::ToInteger(*value, def) : def;
}

}  // namespace

int32_t TColumnListClass::Add(const TColumnClass& column)
{
    Columns.push_back(std::make_unique<TColumnClass>(column));
    return Count() - 1;
}

void TColumnListClass::Assign(const TColumnListClass& source)
{
    if (&source == this)
        return;
    std::vector<std::unique_ptr<TColumnClass>> copies;
    copies.reserve(source.Columns.size());
    for (const auto& column : source.Columns)
        copies.push_back(std::make_unique<TColumnClass>(*column));
    Columns = std::move(copies);
}

TColumnClass* TColumnListClass::GetColumn(int32_t index) const
{
    if (index < 0 || index >= Count())
        throw ListIndexError(index);
    return Columns[static_cast<size_t>(index)].get();
}

void TColumnListClass::Delete(int32_t index)
{
    if (index < 0 || index >= Count())
        return;
    Columns.erase(Columns.begin() + index);
}

int32_t TColumnListClass::IndexOfField(const std::string& fieldName) const
{
    for (int32_t i = 0; i < Count(); ++i)
        if (Cp1252::EqualsNoCase(Columns[static_cast<size_t>(i)]->Field, fieldName))
            return i;
    return -1;
}

void TColumnListClass::SortByOrder()
{
    std::stable_sort(Columns.begin(), Columns.end(), [](const auto& a, const auto& b) { return a->Order < b->Order; });
}

void TColumnListClass::SetTemplate(const TBaseCustomClass* item) { SetTemplate(item ? &item->Fields() : nullptr); }

void TColumnListClass::SetTemplate(const FieldSet* fields)
{
    Template = fields;
    Clear();
    if (!fields)
        return;
    for (int32_t k = 0; k < fields->Count(); ++k) {
        TColumnClass column;
        column.Name = (*fields)[k].Caption;
        column.Field = (*fields)[k].Name;
        column.Width = kDefaultWidth;
        column.Order = k;
        Add(column);
    }
}

void TColumnListClass::LoadFromIni(const Path& fileName, const std::string& section)
{
    SetTemplate(Template);
    if (!Template)
        return;
    const IniFile ini = IniFile::Load(fileName);
    // One pass over the section gathers every column's keys (the first key of a name wins, as a
    // lookup would): asking the file for each key again made big view files slow to open.
    std::optional<std::string> countText;
    std::map<int64_t, SavedColumn> saved;
    for (const auto& [key, value] : ini.SectionValues(section)) {
        if (Cp1252::EqualsNoCase(key, "Count")) {
            if (!countText)
                countText = value;
            continue;
        }
        for (int k = 0; k < ckCount; ++k) {
            if (const auto index = IniFile::KeyIndex(key, kColumnKeys[k])) {
                auto& slot = saved[*index].Values[k];
                if (!slot)
                    slot = value;
                break;
            }
        }
    }
    const int count = IntegerOf(countText, 0);

    for (const auto& [i, entry] : saved) {
        if (i >= count)
            break;
        const auto& values = entry.Values;
        if (!values[ckName] || *values[ckName] == "<unknown>")
            continue;
        const std::string field = values[ckField].value_or("<invalid>");
        if (Template->IndexOf(field) < 0)
            continue;
        TColumnClass column;
        column.Name = *values[ckName];
        column.Field = field;
        column.Width = IntegerOf(values[ckWidth], kDefaultWidth);
        column.Order = IntegerOf(values[ckOrder], static_cast<int>(i));
        column.Hidden = IntegerOf(values[ckHidden], 0) != 0;
        column.Justification = IntegerOf(values[ckJustification], 0);
        // A saved column replaces the default one, and a later entry an earlier one, of its field.
        const int32_t existing = IndexOfField(field);
        if (existing >= 0)
            Delete(existing);
        Add(column);
    }
}

void TColumnListClass::SaveToIni(const Path& fileName, const std::string& section) const
{
    std::vector<std::pair<std::string, std::string>> pairs;
    pairs.reserve(Columns.size() * 6 + 2);
    pairs.emplace_back("Count", std::to_string(Columns.size()));
    for (size_t i = 0; i < Columns.size(); ++i) {
        const TColumnClass& c = *Columns[i];
        const std::string n = std::to_string(i);
        pairs.emplace_back("Name" + n, c.Name);
        pairs.emplace_back("Width" + n, std::to_string(c.Width));
        pairs.emplace_back("Field" + n, c.Field);
        pairs.emplace_back("Order" + n, n);
        pairs.emplace_back("Hidden" + n, c.Hidden ? "1" : "0");
        pairs.emplace_back("Justification" + n, std::to_string(c.Justification));
    }
    pairs.emplace_back("CustomHeader", "1");
    IniFile ini = IniFile::Load(fileName);
    ini.ReplaceSection(section, pairs);
    ini.Save();
}

}  // namespace quorvel
