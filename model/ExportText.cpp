#include "model/ExportText.h"

#include "model/CartListClass.h"
#include "model/ColumnList.h"
#include "model/FieldText.h"
#include "model/HardwareListClass.h"
#include "model/ListFile.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/SafeFile.h"

namespace quorvel {

namespace {

std::string ClipboardFirstLine(const TBaseCustomListClass& list) { return "QUORVEL " + Cp1252::ToUpper(list.GetListType()); }

std::vector<std::string> VisibleFields(const TColumnListClass& columns) {
    std::vector<std::string> fields;
    for (const auto& column : columns.Columns)
        if (!column->Hidden) fields.push_back(column->Field);
    return fields;
}

std::string ExportHeader(const TColumnListClass& columns) {
    std::string header;
    bool first = true;
    for (const auto& column : columns.Columns) {
        if (column->Hidden) continue;
        if (!first) header += ',';
        first = false;
        header += '"' + column->Name + '"';
    }
    return header;
}

// Media rows are item lines over the visible fields; hardware rows their display texts, encoded,
// and quoted when they hold a comma so that every row keeps the header's column count.
std::string ExportText(const TBaseCustomListClass& list, const TColumnListClass& columns, bool displayTexts) {
    const std::vector<std::string> fields = VisibleFields(columns);
    FieldPositions positions(fields);
    std::string out = ExportHeader(columns) + "\r\n";
    const auto& items = list.Items();
    for (size_t i = 0; i < items.size(); ++i) {
        const TBaseCustomClass& item = *items[i];
        const std::vector<int32_t>& at = positions.In(item.Fields());
        if (!displayTexts) {
            AppendItemLine(out, item, at, static_cast<int64_t>(i) + 1);
        } else {
            for (size_t f = 0; f < at.size(); ++f) {
                if (f > 0) out += ',';
                if (at[f] < 0) continue;
                const std::string value = EncodeFieldText(item.DisplayTextAt(at[f]));
                if (value.find(',') != std::string::npos) out += '"' + value + '"';
                else out += value;
            }
        }
        out += "\r\n";
    }
    return out;
}

void ExportList(const TBaseCustomListClass& list, const std::string& fileName, const TColumnListClass& columns,
                bool displayTexts) {
    // An export always keeps the file it replaces as the ".BAK".
    WriteFileAtomic(fileName, ExportText(list, columns, displayTexts), true);
}

void ItemText(const TBaseCustomListClass& list, int32_t index, std::string& text) {
    if (index < 0 || index >= list.Count()) return;
    const TBaseCustomClass& item = *list.Items()[static_cast<size_t>(index)];
    std::vector<int32_t> positions(static_cast<size_t>(item.FieldCount()));
    for (int32_t i = 0; i < item.FieldCount(); ++i) positions[static_cast<size_t>(i)] = i;
    std::string line;
    AppendItemLine(line, item, positions, static_cast<int64_t>(index) + 1);
    text = std::move(line);
}

void PasteText(TBaseCustomListClass& list, const std::string& text) {
    const std::vector<std::string_view> lines = SplitLines(text);
    if (lines.size() < 3 || lines[0] != ClipboardFirstLine(list)) return;
    const std::vector<std::string> names = SplitCSVLine(lines[1]);
    const auto prototype = list.CreateItem();
    std::vector<int32_t> positions;
    for (const auto& name : names) positions.push_back(prototype->IndexOfField(name));

    // All items are built before any is added: a bad escape leaves the list as it was.
    std::vector<std::unique_ptr<TBaseCustomClass>> items;
    items.reserve(lines.size() - 2);
    std::vector<std::string_view> values;
    for (size_t l = 2; l < lines.size(); ++l) {
        auto item = list.CreateItem();
        SplitCSVLine(lines[l], values);
        for (size_t f = 0; f < positions.size(); ++f) {
            if (positions[f] < 0) continue;
            const std::string_view value = f < values.size() ? values[f] : std::string_view();
            item->SetTextAt(positions[f], DecodeFieldText(value));
        }
        items.push_back(std::move(item));
    }
    for (auto& item : items) list.Add(std::move(item));
    list.SetModified(true);
}

}  // namespace

std::string ClipboardHeaderText(const TBaseCustomListClass& list) {
    return ClipboardFirstLine(list) + "\r\n" + FieldNamesLine(ItemFieldNames(list));
}

void TCartListClass::ExportToFile(const std::string& fileName, const TColumnListClass& columns) {
    ExportList(*this, fileName, columns, false);
}

void THardwareListClass::ExportToFile(const std::string& fileName, const TColumnListClass& columns) {
    ExportList(*this, fileName, columns, true);
}

void TCartListClass::GetItemText(int32_t index, std::string& text) const { ItemText(*this, index, text); }
void THardwareListClass::GetItemText(int32_t index, std::string& text) const { ItemText(*this, index, text); }

void TCartListClass::PasteFromText(const std::string& text) { PasteText(*this, text); }
void THardwareListClass::PasteFromText(const std::string& text) { PasteText(*this, text); }

}  // namespace quorvel
