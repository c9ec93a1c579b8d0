#include "model/ListFile.h"

#include <array>
#include <charconv>
#include <numeric>

#include "model/CartListClass.h"
#include "model/FieldText.h"
#include "model/HardwareListClass.h"
#include "model/ListFileFormat.h"
#include "model/ListFileSlices.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

namespace quorvel {

using namespace listfile;

namespace {

void AppendQuoted(std::string& out, std::string_view s)
{
    out += '"';
    out.append(s);
    out += '"';
}

void AppendNumber(std::string& out, int32_t n)
{
    std::array<char, 16> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n).ptr;
    out.append(buffer.data(), end);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whole-number text exactly as the integer writer would put it: no sign but "-", no leading zero,
// no "-0", few enough digits to fit.
bool IsPlainInteger(std::string_view s, size_t maxDigits)
{
    if (!s.empty() && s.front() == '-')
        s.remove_prefix(1);
    if (s.empty() || s.size() > maxDigits || (s.front() == '0' && s.size() > 1))
        return false;
    for (const char c : s)
        if (!IsDigit(c))
            return false;
    return true;
}

// A stored text that the writer would write unchanged, so that converting it can be skipped
// (most values of a list that was read from a file).
bool IsWrittenForm(std::string_view s, TFieldDataType type)
{
    switch (type) {
    case dtBoolean:
        return s == "0" || s == "-1";
    case dtInteger:
        return IsPlainInteger(s, 9) && s != "-0";
    case dtCurrency: {
        const size_t dot = s.find('.');
        const std::string_view whole = s.substr(0, dot);
        if (!IsPlainInteger(whole, 14) || whole == "-0")
            return false;
        if (dot == std::string_view::npos)
            return true;
        const std::string_view fraction = s.substr(dot + 1);
        if (fraction.empty() || fraction.size() > 4 || fraction.back() == '0')
            return false;
        for (const char c : fraction)
            if (!IsDigit(c))
                return false;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

void AppendItemLine(std::string& out, const TBaseCustomClass& item, const std::vector<int32_t>& positions,
                    int64_t itemNumber)
{
    const FieldSet& set = item.Fields();
    bool firstValue = true;
    for (const int32_t p : positions) {
        if (!firstValue)
            out += ',';
        firstValue = false;
        if (p < 0) {
            out += "\"\"";
            continue;
        }
        const FieldDefinition& definition = set[p];
        const TFieldDataType type = definition.DataType;
        const bool numeric = type == dtInteger || type == dtDouble || type == dtCurrency || type == dtBoolean;
        const ValueKind kind = item.KindAt(p);
        if (!numeric) {
            if (kind == ValueKind::Unassigned) {
                out += "\"\"";
            } else {
                out += '"';
                if (kind == ValueKind::Text)
                    AppendFieldText(out, item.TextAt(p));
                else
                    AppendFieldText(out, ToText(item.ValueAt(p)));
                out += '"';
            }
            continue;
        }
        if (kind == ValueKind::Text) {
            const std::string_view text = item.TextAt(p);
            // An empty text (a short or blank item line) stays empty and reads back the same.
            if (text.empty())
                continue;
            if (IsWrittenForm(text, type)) {
                out += text;
                continue;
            }
        }
        const FieldValue v = item.ValueAt(p);
        try {
            switch (type) {
            case dtInteger:
                AppendNumber(out, ToInteger(v));
                break;
            case dtDouble:
                out += DoubleToText(ToDouble(v));
                break;
            case dtCurrency:
                out += CurrencyToText(ToCurrency(v));
                break;
            default:
                out += ToBoolean(v) ? "-1" : "0";
                break;
            }
        } catch (const std::runtime_error& e) {
            // Only the conversion and overflow errors come from here.
            if (itemNumber <= 0)
                throw;
            throw ItemValueError(e.what(), itemNumber, definition.Name);
        }
    }
}

std::string TBaseCustomListClass::BuildItemLine(const TBaseCustomClass& item,
                                                const std::vector<std::string>& fieldNames)
{
    std::vector<int32_t> positions;
    positions.reserve(fieldNames.size());
    for (const auto& n : fieldNames)
        positions.push_back(item.IndexOfField(n));
    std::string line;
    AppendItemLine(line, item, positions, 0);
    return line;
}

std::vector<std::string> ItemFieldNames(const TBaseCustomListClass& list)
{
    return list.Count() > 0 ? list.GetItem(0)->GetFieldNames() : list.CreateItem()->GetFieldNames();
}

std::string FieldNamesLine(const std::vector<std::string>& names)
{
    std::string line;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            line += ',';
        AppendQuoted(line, Cp1252::ToUpper(names[i]));
    }
    return line;
}

namespace {

std::string LineTooLongToSave(const std::string& what)
{
    return what + " a line " + LongerThanLineBound() + ". The list was not saved.";
}

void AppendPropertiesLine(std::string& out, bool hardware, const std::string& listType, std::string_view platform,
                          std::string_view owner, std::string_view description)
{
    if (hardware) {
        AppendQuoted(out, "Hardware");
    } else {
        // The type is read back undecoded, so it cannot be encoded: what would end its field or
        // its line (only a malformed file brings such a type) is left out.
        std::string type = listType;
        std::erase_if(type, [](char c) { return c == '"' || c == '\r' || c == '\n'; });
        AppendQuoted(out, TrimBlanks(type));
    }
    for (const std::string_view value : {platform, owner, description}) {
        out += ",\"";
        AppendFieldText(out, TrimBlanks(value));
        out += '"';
    }
}

// Each byte of a value is written as at most three, with room for quotes, comma and any number.
uint64_t RoughBytes(std::string_view text) { return 3 * uint64_t(text.size()) + 48; }

// Hands the file's text to Emit in pieces, in order. Big lists are made in chunks on several
// threads, a few chunks ahead of the one handed on, so that the text is never held whole.
template <typename Emit> void EmitListFile(const TBaseCustomListClass& list, Emit emit)
{
    std::string out;
    out += kCurrentTag;
    out += "\r\n";
    AppendPropertiesLine(out, list.Kind() == ltHardware, list.GetListType(), list.GetPlatform(), list.GetOwner(),
                         list.GetDescription());
    if (out.size() - kCurrentTag.size() - 2 > TBaseCustomListClass::MaxLineBytes)
        throw TBaseCustomListClassException(LineTooLongToSave("The list's properties make"));
    out += "\r\n";

    const std::vector<std::string> names = ItemFieldNames(list);
    const size_t namesAt = out.size();
    out += FieldNamesLine(names);
    if (out.size() - namesAt > TBaseCustomListClass::MaxLineBytes)
        throw TBaseCustomListClassException(LineTooLongToSave("The field names make"));
    out += "\r\n";
    emit(std::string_view(out));

    const auto& items = list.Items();
    // Chunks of about 90 KB: their texts fit in memory the heaps already hold, where chunks twice
    // the size took fresh pages at every save.
    constexpr size_t kChunk = 512;
    const size_t chunks = (items.size() + kChunk - 1) / kChunk;
    MakeInOrder(
        chunks, SliceCount(items.size() / 16384 + 1),
        [&](size_t chunk, std::string& text) {
            FieldPositions positions(names);
            const size_t end = std::min(items.size(), (chunk + 1) * kChunk);
            for (size_t i = chunk * kChunk; i < end; ++i) {
                const size_t at = text.size();
                AppendItemLine(text, *items[i], positions.In(items[i]->Fields()), static_cast<int64_t>(i) + 1);
                // A line the reader would refuse is never written: values are refused when they are
                // set, so only a value that grows when written (an old file's "%") comes here.
                if (text.size() - at > TBaseCustomListClass::MaxLineBytes)
                    throw TBaseCustomListClassException(LineTooLongToSave("Item " + std::to_string(i + 1) + " makes"));
                text += "\r\n";
            }
        },
        emit);
}

void SaveListFile(TBaseCustomListClass& list, const Path& fileName, bool backup, bool overwrite)
{
    if (!backup && !overwrite && FileExists(fileName))
        throw TBaseCustomListClassException("File Already Exists");
    AtomicFileWriter file(fileName, backup);
    EmitListFile(list, [&](std::string_view piece) { file.Write(piece); });
    file.Commit();
    list.SetFileName(fileName);
    list.SetModified(false);
    for (const auto& item : list.Items())
        item->Modified = false;
}

}  // namespace

std::string LongerThanLineBound()
{
    return "longer than " + std::to_string(TBaseCustomListClass::MaxLineBytes) +
        " bytes, the most a line of a list file may hold";
}

bool ItemLineFits(const TBaseCustomClass& item, int32_t field, const FieldValue* value)
{
    const int32_t count = item.FieldCount();
    uint64_t rough = 0;
    for (int32_t p = 0; p < count; ++p) {
        std::string_view text = item.TextAt(p);
        if (p == field && value) {
            const auto* newText = std::get_if<std::string>(value);
            text = newText ? std::string_view(*newText) : std::string_view();
        }
        rough += RoughBytes(text);
    }
    if (rough <= TBaseCustomListClass::MaxLineBytes)
        return true;
    std::unique_ptr<TBaseCustomClass> changed;
    if (field >= 0 && field < count && value) {
        changed = item.Clone();
        changed->SetValueAt(field, *value);
    }
    std::vector<int32_t> positions(static_cast<size_t>(count));
    std::iota(positions.begin(), positions.end(), 0);
    std::string line;
    try {
        AppendItemLine(line, changed ? *changed : item, positions, 0);
    } catch (const std::runtime_error&) {
        // A value that does not convert stops the save with a message of its own.
        return true;
    }
    return line.size() <= TBaseCustomListClass::MaxLineBytes;
}

bool PropertiesLineFits(const std::string& listType, std::string_view platform, std::string_view owner,
                        std::string_view description)
{
    if (RoughBytes(listType) + RoughBytes(platform) + RoughBytes(owner) + RoughBytes(description) <=
        TBaseCustomListClass::MaxLineBytes)
        return true;
    std::string line;
    AppendPropertiesLine(line, ListTypeFromName(listType) == ltHardware, listType, platform, owner, description);
    return line.size() <= TBaseCustomListClass::MaxLineBytes;
}

std::string ListFileText(const TBaseCustomListClass& list)
{
    std::string out;
    EmitListFile(list, [&](std::string_view piece) { out += piece; });
    return out;
}

void TItemListClass::SaveToFile(const Path& fileName, bool backup, bool overwrite)
{
    SaveListFile(*this, fileName, backup, overwrite);
}

}  // namespace quorvel
