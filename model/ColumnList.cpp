#include "model/ColumnList.h"

#include <algorithm>
#include <optional>

#include "platform/Cp1252.h"
#include "platform/IniFile.h"

namespace quorvel {

namespace {

constexpr int32_t kDefaultWidth = 75;

// The index of a key "Name7": plain decimal digits after the prefix, as the keys are written.
std::optional<int64_t> KeyIndex(std::string_view key, std::string_view prefix) {
    if (key.size() <= prefix.size() || key.size() > prefix.size() + 10) return std::nullopt;
    if (!Cp1252::EqualsNoCase(key.substr(0, prefix.size()), prefix)) return std::nullopt;
    const std::string_view digits = key.substr(prefix.size());
    if (digits.size() > 1 && digits.front() == '0') return std::nullopt;
    int64_t n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

int32_t TColumnListClass::Add(const TColumnClass& column) {
    Columns.push_back(std::make_unique<TColumnClass>(column));
    return Count() - 1;
}

void TColumnListClass::Assign(const TColumnListClass& source) {
    if (&source == this) return;
    std::vector<std::unique_ptr<TColumnClass>> copies;
    copies.reserve(source.Columns.size());
    for (const auto& column : source.Columns) copies.push_back(std::make_unique<TColumnClass>(*column));
    Columns = std::move(copies);
}

TColumnClass* TColumnListClass::GetColumn(int32_t index) const {
    if (index < 0 || index >= Count()) throw ListIndexError(index);
    return Columns[static_cast<size_t>(index)].get();
}

void TColumnListClass::Delete(int32_t index) {
    if (index < 0 || index >= Count()) return;
    Columns.erase(Columns.begin() + index);
}

int32_t TColumnListClass::IndexOfField(const std::string& fieldName) const {
    for (int32_t i = 0; i < Count(); ++i)
        if (Cp1252::EqualsNoCase(Columns[static_cast<size_t>(i)]->Field, fieldName)) return i;
    return -1;
}

void TColumnListClass::SortByOrder() {
    std::stable_sort(Columns.begin(), Columns.end(), [](const auto& a, const auto& b) { return a->Order < b->Order; });
}

void TColumnListClass::SetTemplate(const TBaseCustomClass* item) { SetTemplate(item ? &item->Fields() : nullptr); }

void TColumnListClass::SetTemplate(const FieldSet* fields) {
    Template = fields;
    Clear();
    if (!fields) return;
    for (int32_t k = 0; k < fields->Count(); ++k) {
        TColumnClass column;
        column.Name = (*fields)[k].Caption;
        column.Field = (*fields)[k].Name;
        column.Width = kDefaultWidth;
        column.Order = k;
        Add(column);
    }
}

void TColumnListClass::LoadFromIni(const std::string& fileName, const std::string& section) {
    SetTemplate(Template);
    if (!Template) return;
    const IniFile ini = IniFile::Load(fileName);
    const int count = ini.ReadInteger(section, "Count", 0);
    // Only entries with a Name key can hold a column: visit those below Count, not every index.
    std::vector<int64_t> entries;
    for (const auto& [key, value] : ini.SectionValues(section)) {
        const auto index = KeyIndex(key, "Name");
        if (index && *index < count) entries.push_back(*index);
    }
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());

    for (const int64_t i : entries) {
        const std::string n = std::to_string(i);
        const std::string name = ini.ReadString(section, "Name" + n, "<unknown>");
        if (name == "<unknown>") continue;
        const std::string field = ini.ReadString(section, "Field" + n, "<invalid>");
        if (Template->IndexOf(field) < 0) continue;
        TColumnClass column;
        column.Name = name;
        column.Field = field;
        column.Width = ini.ReadInteger(section, "Width" + n, kDefaultWidth);
        column.Order = ini.ReadInteger(section, "Order" + n, static_cast<int>(i));
        column.Hidden = ini.ReadBool(section, "Hidden" + n, false);
        column.Justification = ini.ReadInteger(section, "Justification" + n, 0);
        // A saved column replaces the default one, and a later entry an earlier one, of its field.
        const int32_t existing = IndexOfField(field);
        if (existing >= 0) Delete(existing);
        Add(column);
    }
}

void TColumnListClass::SaveToIni(const std::string& fileName, const std::string& section) const {
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
