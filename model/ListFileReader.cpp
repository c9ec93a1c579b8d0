#include "model/ListFile.h"

#include <memory>

#include "model/CartListClass.h"
#include "model/FieldText.h"
#include "model/HardwareListClass.h"
#include "model/ListFileFormat.h"
#include "model/ListFileSlices.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

namespace quorvel {

using namespace listfile;

namespace {

std::string FieldOf(const std::vector<std::string_view>& fields, size_t index) {
    return index < fields.size() ? std::string(fields[index]) : std::string();
}

// The messages and old-tag type of one reader.
struct ReaderKind {
    std::string_view Invalid;
    std::string_view Version;
    std::string_view OldTagType;
    bool Hardware;
};

constexpr ReaderKind kMediaReader{"Invalid Cartridge File", "Cartridge File is not Version \"QV1.2\"", "Media", false};
constexpr ReaderKind kHardwareReader{"Invalid Hardware File", "Hardware File version is not supported.", "Hardware",
                                     true};

[[noreturn]] void Fail(const ReaderKind& kind, std::string_view message) {
    if (kind.Hardware) throw THardwareListClassException(std::string(message));
    throw TCartListClassException(std::string(message));
}

const ReaderKind& KindOf(const TBaseCustomListClass& list) {
    return list.Kind() == ltHardware ? kHardwareReader : kMediaReader;
}

// Items of the item lines of Text (whole lines), each a copy of Prototype with the columns' fields
// set to the line's values as text.
void ReadItemChunk(std::string_view text, const TBaseCustomClass& prototype, const ColumnMap& columns, bool decode,
                   std::vector<std::unique_ptr<TBaseCustomClass>>& items) {
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.Next(line)) {
        // A copy of the fresh item is cheaper than building defaults again, and the same.
        auto item = prototype.Clone();
        // A short line gives the remaining columns the empty text, not their defaults.
        columns.ForEachValue(line, [&](int32_t p, std::string_view field) {
            if (decode && field.find('%') != std::string_view::npos) item->SetTextAt(p, DecodeFieldText(field));
            else item->SetTextAt(p, field);
        });
        item->Modified = false;
        items.push_back(std::move(item));
    }
}

// Big lists are read in slices of whole lines on several threads; the slices are joined in file
// order and the first failure in file order is the one reported. The lines are counted first (in the
// slices too), so that a file of line breaks is refused before it makes millions of items.
std::vector<std::unique_ptr<TBaseCustomClass>> ReadItemLines(std::string_view text, const TBaseCustomClass& prototype,
                                                             const ColumnMap& columns, bool decode) {
    const size_t threads = SliceCount(text.size() / (1u << 20) + 1);
    std::vector<size_t> bounds{0};
    for (size_t t = 1; t < threads; ++t)
        bounds.push_back(std::max(bounds.back(), LineCursor::NextLineStart(text, text.size() / threads * t)));
    bounds.push_back(text.size());
    const auto slice = [&](size_t t) { return text.substr(bounds[t], bounds[t + 1] - bounds[t]); };

    std::vector<size_t> counts(threads);
    RunSlices(threads, [&](size_t t) { counts[t] = CountLines(slice(t)); });
    size_t total = 0;
    for (const size_t count : counts) total += count;
    if (total > static_cast<size_t>(TBaseCustomListClass::MaxItems)) {
        throw TBaseCustomListClassException("This file holds more than " +
                                            std::to_string(TBaseCustomListClass::MaxItems) +
                                            " items. The list was not changed.");
    }

    std::vector<std::vector<std::unique_ptr<TBaseCustomClass>>> slices(threads);
    RunSlices(threads, [&](size_t t) { ReadItemChunk(slice(t), prototype, columns, decode, slices[t]); });
    if (threads == 1) return std::move(slices[0]);
    std::vector<std::unique_ptr<TBaseCustomClass>> items;
    items.reserve(total);
    for (auto& part : slices)
        for (auto& item : part) items.push_back(std::move(item));
    return items;
}

void LoadListFile(TBaseCustomListClass& list, const std::string& fileName) {
    const auto text = ReadWholeFile(fileName);
    if (!text) throw FileOpenError(fileName);
    ReadListFileText(list, *text, fileName);
}

}  // namespace

ColumnMap::ColumnMap(const std::vector<std::string>& names, const TBaseCustomClass& prototype) {
    positions_.reserve(names.size());
    for (const auto& n : names) positions_.push_back(prototype.IndexOfField(n));
    std::vector<bool> seen(static_cast<size_t>(prototype.FieldCount()), false);
    for (size_t c = positions_.size(); c-- > 0;) {
        int32_t& p = positions_[c];
        if (p < 0) continue;
        if (seen[static_cast<size_t>(p)]) p = -1;
        else {
            seen[static_cast<size_t>(p)] = true;
            filled_.emplace_back(c, p);
        }
    }
    std::reverse(filled_.begin(), filled_.end());
    positions_.resize(filled_.empty() ? 0 : filled_.back().first + 1);
}

void ReadListFileText(TBaseCustomListClass& list, std::string_view text, const std::string& name) {
    const ReaderKind& kind = KindOf(list);
    LineCursor cursor(text);
    std::string_view first, second, header;
    if (!cursor.Next(first) || !cursor.Next(second) || !cursor.Next(header)) Fail(kind, kind.Invalid);
    const std::string tag = GetCSVField(first, 1);
    if (!IsKnownTag(tag)) Fail(kind, kind.Version);

    // Everything is read aside first: a failure leaves the list as it was.
    std::vector<std::string_view> fields;
    SplitCSVLine(second, fields);
    const bool decode = tag == kCurrentTag;
    std::string listType, platform, owner, description;
    if (decode) {
        listType = FieldOf(fields, 0);
        platform = DecodeFieldText(FieldOf(fields, 1));
        owner = DecodeFieldText(FieldOf(fields, 2));
        description = DecodeFieldText(FieldOf(fields, 3));
    } else {
        listType = kind.OldTagType;
        platform = FieldOf(fields, 0);
        owner = FieldOf(fields, 1);
        description = FieldOf(fields, 2);
    }

    const std::string_view itemLines = text.substr(cursor.Position());
    const auto prototype = list.CreateItem();
    const ColumnMap columns(SplitCSVLine(Cp1252::ToUpper(header)), *prototype);
    std::vector<std::unique_ptr<TBaseCustomClass>> items = ReadItemLines(itemLines, *prototype, columns, decode);

    list.Clear();
    for (auto& item : items) list.Add(std::move(item));
    list.SetFileName(name);
    list.SetListType(listType);
    list.SetPlatform(platform);
    list.SetOwner(owner);
    list.SetDescription(description);
    list.SetModified(false);
}

void TCartListClass::LoadFromFile(const std::string& fileName) { LoadListFile(*this, fileName); }
void THardwareListClass::LoadFromFile(const std::string& fileName) { LoadListFile(*this, fileName); }

}  // namespace quorvel
