#include "model/ExportText.h"

#include "model/CartListClass.h"
#include "model/ColumnList.h"
#include "model/FieldSet.h"
#include "model/FieldText.h"
#include "model/FieldValue.h"
#include "model/HardwareListClass.h"
#include "model/ListFile.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

namespace quorvel {

namespace {

std::string ClipboardFirstLine(const TBaseCustomListClass& list)
{
    return "QUORVEL " + Cp1252::ToUpper(list.GetListType());
}

std::vector<std::string> VisibleFields(const TColumnListClass& columns)
{
    std::vector<std::string> fields;
    for (const auto& column : columns.Columns)
        if (!column->Hidden)
            fields.push_back(column->Field);
    return fields;
}

std::string ExportHeader(const TColumnListClass& columns)
{
    std::string header;
    bool first = true;
    for (const auto& column : columns.Columns) {
        if (column->Hidden)
            continue;
        if (!first)
            header += ',';
        first = false;
        // Encoded like the values, so that a quote in a caption cannot end its column early.
        header += '"';
        AppendFieldText(header, column->Name);
        header += '"';
    }
    return header;
}

// Media rows are item lines over the visible fields; hardware rows their display texts, encoded,
// and quoted when they hold a comma so that every row keeps the header's column count.
std::string ExportText(const TBaseCustomListClass& list, const TColumnListClass& columns, bool displayTexts)
{
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
                if (f > 0)
                    out += ',';
                if (at[f] < 0)
                    continue;
                const std::string value = EncodeFieldText(item.DisplayTextAt(at[f]));
                if (value.find(',') != std::string::npos)
                    out += '"' + value + '"';
                else
                    out += value;
            }
        }
        out += "\r\n";
    }
    return out;
}

void ExportList(const TBaseCustomListClass& list, const Path& fileName, const TColumnListClass& columns,
                bool displayTexts)
{
    // An export always keeps the file it replaces as the ".BAK".
    WriteFileAtomic(fileName, ExportText(list, columns, displayTexts), true);
}

void ItemText(const TBaseCustomListClass& list, int32_t index, std::string& text)
{
    if (index < 0 || index >= list.Count())
        return;
    const TBaseCustomClass& item = *list.Items()[static_cast<size_t>(index)];
    std::vector<int32_t> positions(static_cast<size_t>(item.FieldCount()));
    for (int32_t i = 0; i < item.FieldCount(); ++i)
        positions[static_cast<size_t>(i)] = i;
    std::string line;
    AppendItemLine(line, item, positions, static_cast<int64_t>(index) + 1);
    text = std::move(line);
}

// Whether the list writer can write Text in a field of that type. The empty text is how an unset
// number is kept, so it passes.
bool WriterConverts(std::string_view text, TFieldDataType type)
{
    if (text.empty())
        return true;
    switch (type) {
    case dtInteger:
        return TryTextToInteger(text).has_value();
    case dtDouble:
        return TryTextToDouble(text).has_value();
    case dtCurrency:
        return TryTextToCurrency(text).has_value();
    case dtBoolean:
        return TryTextToBoolean(text).has_value();
    default:
        return true;
    }
}

void PasteText(TBaseCustomListClass& list, const std::string& text)
{
    std::string_view rest = text;
    std::string_view first, second;
    LineCursor cursor(rest);
    if (!cursor.Next(first) || !cursor.Next(second) || first != ClipboardFirstLine(list))
        return;
    rest.remove_prefix(cursor.Position());
    if (rest.empty())
        return;
    const int64_t room = TBaseCustomListClass::MaxItems - list.Count();
    if (room < 0 || MoreLinesThan(rest, static_cast<size_t>(room))) {
        throw TBaseCustomListClassException("Pasting would make more than " +
                                            std::to_string(TBaseCustomListClass::MaxItems) +
                                            " items. The list was not changed.");
    }
    const ColumnMap columns(second, *list.CreateItem());

    // All items are built before any is added: a bad escape, or a value the list could not save
    // ("abc" for a quantity), leaves the list as it was.
    std::vector<std::unique_ptr<TBaseCustomClass>> items;
    LineCursor lines(rest);
    std::string_view line;
    int64_t lineNumber = 2;
    while (lines.Next(line)) {
        ++lineNumber;
        auto item = list.CreateItem();
        const FieldSet& fields = item->Fields();
        columns.ForEachValue(line, [&](int32_t p, std::string_view value) {
            const std::string decoded = DecodeFieldText(value);
            if (!WriterConverts(decoded, fields[p].DataType))
                throw TBaseCustomListClassException(std::string(VariantConversionError().what()) + " in line " +
                                                    std::to_string(lineNumber) + ", field " + fields[p].Name);
            item->SetTextAt(p, decoded);
        });
        if (!ItemLineFits(*item))
            throw TBaseCustomListClassException("Line " + std::to_string(lineNumber) + " would make an item's line " +
                                                LongerThanLineBound() + ". The list was not changed.");
        items.push_back(std::move(item));
    }
    for (auto& item : items)
        list.Add(std::move(item));
    list.SetModified(true);
}

}  // namespace

std::string ClipboardHeaderText(const TBaseCustomListClass& list)
{
    return ClipboardFirstLine(list) + "\r\n" + FieldNamesLine(ItemFieldNames(list));
}

void TItemListClass::ExportToFile(const Path& fileName, const TColumnListClass& columns)
{
    ExportList(*this, fileName, columns, Kind() == ltHardware);
}

void TItemListClass::GetItemText(int32_t index, std::string& text) const { ItemText(*this, index, text); }

void TItemListClass::PasteFromText(const std::string& text) { PasteText(*this, text); }

}  // namespace quorvel
