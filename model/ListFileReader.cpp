#include "model/ListFile.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "model/CartListClass.h"
#include "model/FieldText.h"
#include "model/HardwareListClass.h"
#include "model/ListFileFormat.h"
#include "model/ListFileSlices.h"
#include "model/Utils.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

namespace quorvel {

using namespace listfile;

namespace {

std::string FieldOf(const std::vector<std::string_view>& fields, size_t index)
{
    return index < fields.size() ? std::string(fields[index]) : std::string();
}

// The messages and old-tag type of one reader.
struct ReaderKind {
    std::string_view Invalid;
    std::string_view Version;
    std::string_view OldTagType;
    bool Hardware;
};

constexpr ReaderKind kMediaReader {"Invalid Cartridge File", "Cartridge File is not Version \"QV1.2\"", "Media", false};
constexpr ReaderKind kHardwareReader {"Invalid Hardware File", "Hardware File version is not supported.", "Hardware",
                                      true};

[[noreturn]] void Fail(const ReaderKind& kind, std::string_view message)
{
    if (kind.Hardware)
        throw THardwareListClassException(std::string(message));
    throw TCartListClassException(std::string(message));
}

const ReaderKind& KindOf(const TBaseCustomListClass& list)
{
    return list.Kind() == ltHardware ? kHardwareReader : kMediaReader;
}

// Items of the item lines of Text (whole lines), each a copy of Prototype with the columns' fields
// set to the line's values as text; the items and their texts are made in Arena, and counted through
// Intake with their shares in Shares.
void ReadItemChunk(std::string_view text, const TBaseCustomClass& prototype, const ColumnMap& columns, bool decode,
                   ItemArena& arena, const ItemIntake& intake, ItemCounts& shares,
                   std::vector<std::unique_ptr<TBaseCustomClass>>& items)
{
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.Next(line)) {
        // A copy of the fresh item is cheaper than building defaults again, and the same. The line's
        // texts, decoded or not, take at most the line's bytes.
        auto item = prototype.CloneIn(arena, line.size());
        // A short line gives the remaining columns the empty text, not their defaults.
        columns.ForEachValue(line, [&](int32_t p, std::string_view field, bool percent) {
            if (decode && percent)
                item->SetTextIn(p, DecodeFieldText(field), arena);
            else
                item->SetTextIn(p, field, arena);
        });
        item->Modified = false;
        intake.Count(*item, shares);
        items.push_back(std::move(item));
    }
}

[[noreturn]] void LineTooLong(uint64_t lineNumber)
{
    throw TBaseCustomListClassException("Line " + std::to_string(lineNumber) + " of this file is " +
                                        LongerThanLineBound() + ". The list was not changed.");
}

void CheckLineLength(std::string_view line, uint64_t lineNumber)
{
    if (line.size() > TBaseCustomListClass::MaxLineBytes)
        LineTooLong(lineNumber);
}

// Item lines come after the three head lines.
constexpr uint64_t kFirstItemLine = 4;

// Refuses the first line in file order that a slice found too long: TooLong holds, per slice, the
// number (from 1) of its first such line or 0.
void CheckSliceLines(const std::vector<size_t>& counts, const std::vector<size_t>& tooLong)
{
    uint64_t before = kFirstItemLine - 1;
    for (size_t t = 0; t < counts.size(); ++t) {
        if (tooLong[t] > 0)
            LineTooLong(before + tooLong[t]);
        before += counts[t];
    }
}

// The number (from 1) of the first line of Lines longer than a list file's line may be, or 0.
size_t FirstLongLine(std::string_view lines)
{
    const size_t at = FirstLineLongerThan(lines, TBaseCustomListClass::MaxLineBytes);
    return at == std::string_view::npos ? 0 : at + 1;
}

// CountLines in one pass over Text, 16 bytes at a time: the reader counts every line of a big file
// before it makes an item, and two searches per line (for the LF, then for a lone CR) took longer.
size_t CountBlockLines(std::string_view text)
{
    if (text.empty())
        return 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    size_t ends = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'), zero = _mm_setzero_si128();
    // Each byte of Sums counts the line ends at its place, for up to 255 steps.
    while (end - p > 16) {
        __m128i sums = zero;
        for (int step = 0; step < 255 && end - p > 16; ++step, p += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
            // An LF ends a line, and a CR that no LF follows.
            const __m128i crLf = _mm_and_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(next, lf));
            const __m128i isEnd = _mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, cr));
            sums = _mm_sub_epi8(sums, _mm_andnot_si128(crLf, isEnd));
        }
        const __m128i total = _mm_sad_epu8(sums, zero);
        ends += static_cast<size_t>(_mm_cvtsi128_si32(total) + _mm_extract_epi16(total, 4));
    }
#endif
    for (; p < end; ++p)
        if (*p == '\n' || (*p == '\r' && (p + 1 == end || p[1] != '\n')))
            ++ends;
    // A last line without its line break counts as well.
    return ends + (end[-1] != '\n' && end[-1] != '\r' ? 1 : 0);
}

// What the three first lines of a list file say, and where its item lines begin.
struct ListHead {
    std::string ListType, Platform, Owner, Description;
    std::string_view Header;  // the field-name line, inside the text read
    bool Decode = false;
    size_t ItemsAt = 0;
};

ListHead ReadListHead(const ReaderKind& kind, std::string_view text)
{
    LineCursor cursor(text);
    std::string_view first, second, header;
    // A line past the bound is named even where the lines after it are missing.
    uint64_t number = 0;
    for (std::string_view* line : {&first, &second, &header}) {
        if (!cursor.Next(*line))
            Fail(kind, kind.Invalid);
        CheckLineLength(*line, ++number);
    }
    const std::string tag = GetCSVField(first, 1);
    if (!IsKnownTag(tag))
        Fail(kind, kind.Version);

    ListHead head;
    std::vector<std::string_view> fields;
    SplitCSVLine(second, fields);
    head.Decode = tag == kCurrentTag;
    if (head.Decode) {
        head.ListType = FieldOf(fields, 0);
        head.Platform = DecodeFieldText(FieldOf(fields, 1));
        head.Owner = DecodeFieldText(FieldOf(fields, 2));
        head.Description = DecodeFieldText(FieldOf(fields, 3));
    } else {
        head.ListType = kind.OldTagType;
        head.Platform = FieldOf(fields, 0);
        head.Owner = FieldOf(fields, 1);
        head.Description = FieldOf(fields, 2);
    }
    head.Header = header;
    head.ItemsAt = cursor.Position();
    return head;
}

using ItemVector = std::vector<std::unique_ptr<TBaseCustomClass>>;

// The items one thread made from a part of the file, and their shares of the list's counts.
struct ItemPart {
    ItemVector Items;
    ItemCounts Shares;
};

// The item lines are counted in all slices before any item is made, so that a file of line breaks
// is refused at the cost of reading it.
void CheckItemCount(const std::vector<size_t>& counts)
{
    size_t total = 0;
    for (const size_t count : counts)
        total += count;
    const auto limit = static_cast<size_t>(TBaseCustomListClass::MaxItems);
    if (total > limit) {
        throw TBaseCustomListClassException("This file holds more than " + std::to_string(limit) +
                                            " items. The list was not changed.");
    }
}

// What ItemsMadeByReader answers; added to once per block of lines.
std::atomic<uint64_t> itemsMade {0};

// What makes the items of a file's lines, counted through Intake.
struct ItemMaker {
    const TBaseCustomClass& Prototype;
    const ColumnMap& Columns;
    bool Decode;
    ItemIntake& Intake;

    void Make(std::string_view lines, ItemArena& arena, ItemPart& part) const
    {
        const size_t before = part.Items.size();
        try {
            ReadItemChunk(lines, Prototype, Columns, Decode, arena, Intake, part.Shares, part.Items);
        } catch (...) {
            itemsMade.fetch_add(part.Items.size() - before, std::memory_order_relaxed);
            throw;
        }
        itemsMade.fetch_add(part.Items.size() - before, std::memory_order_relaxed);
    }
};

// The parts' items in order, their shares added to the intake's counts.
ItemVector JoinSlices(std::vector<PerThread<ItemPart>>& parts, ItemIntake& intake)
{
    for (const auto& part : parts)
        intake.Add(part.Value.Shares);
    if (parts.size() == 1)
        return std::move(parts[0].Value.Items);
    size_t total = 0;
    for (const auto& part : parts)
        total += part.Value.Items.size();
    ItemVector items;
    items.reserve(total);
    for (auto& part : parts) {
        std::move(part.Value.Items.begin(), part.Value.Items.end(), std::back_inserter(items));
        ItemVector().swap(part.Value.Items);
    }
    return items;
}

// Big lists are read in slices of whole lines on several threads; the slices are joined in file
// order and the first failure in file order is the one reported.
ItemVector ReadItemLines(std::string_view text, const ItemMaker& maker)
{
    const size_t threads = SliceCount(text.size() / (1u << 20) + 1);
    std::vector<size_t> bounds {0};
    for (size_t t = 1; t < threads; ++t)
        bounds.push_back(std::max(bounds.back(), LineCursor::NextLineStart(text, text.size() / threads * t)));
    bounds.push_back(text.size());
    const auto slice = [&](size_t t) { return text.substr(bounds[t], bounds[t + 1] - bounds[t]); };
    std::vector<size_t> counts(threads), tooLong(threads);
    RunSlices(threads, [&](size_t t) {
        counts[t] = CountLines(slice(t));
        tooLong[t] = FirstLongLine(slice(t));
    });
    CheckSliceLines(counts, tooLong);
    CheckItemCount(counts);
    std::vector<PerThread<ItemPart>> slices(threads);
    RunSlices(threads, [&](size_t t) {
        ItemArena arena;
        maker.Make(slice(t), arena, slices[t].Value);
    });
    return JoinSlices(slices, maker.Intake);
}

[[noreturn]] void Unreadable(const Path& fileName) { throw FileOpenError(fileName); }

// Where the line after the one that holds Pos begins in the file's bytes up to End, as
// LineCursor::NextLineStart finds it in the whole text. Inside a line longer than a list file's may
// be the search gives up with End: the slice that holds the line's start then refuses it.
uint64_t NextLineStartIn(const FileReader& file, uint64_t pos, uint64_t end, const Path& fileName)
{
    char window[4096];
    const uint64_t stop = std::min(end, pos + TBaseCustomListClass::MaxLineBytes + 2);
    while (pos < stop) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(sizeof window, stop - pos));
        if (!file.ReadAt(pos, window, n))
            Unreadable(fileName);
        for (size_t i = 0; i < n; ++i) {
            if (window[i] != '\n' && window[i] != '\r')
                continue;
            const uint64_t at = pos + i;
            if (window[i] == '\n' || at + 1 >= end)
                return at + 1;
            char next = 0;
            if (i + 1 < n)
                next = window[i + 1];
            else if (!file.ReadAt(at + 1, &next, 1))
                Unreadable(fileName);
            return next == '\n' ? at + 2 : at + 1;
        }
        pos += n;
    }
    return end;
}

// The lines of the file's bytes Begin .. End through Buffer, a thread's own for all its chunks,
// handed to Lines in blocks of whole lines (the buffer grows only for a line longer than itself).
// False when it stopped at a line longer than a list file's line may be, before the buffer grew far
// past the bound.
template <typename Lines>
bool ReadLineBlocks(const FileReader& file, uint64_t begin, uint64_t end, const Path& fileName, std::string& buffer,
                    Lines lines)
{
    // Cleared once per thread, not per chunk: a chunk is only a few times the buffer's size.
    if (buffer.empty())
        buffer.resize(size_t(1) << 19);
    size_t kept = 0;  // the start of a line carried over from the last block
    uint64_t at = begin;
    while (at < end) {
        if (kept == buffer.size()) {
            // Kept may end in the CR of a CR LF.
            if (kept > TBaseCustomListClass::MaxLineBytes + 1)
                return false;
            buffer.resize(std::min<size_t>(buffer.size() * 2, TBaseCustomListClass::MaxLineBytes + 2));
        }
        const size_t n = static_cast<size_t>(std::min<uint64_t>(buffer.size() - kept, end - at));
        if (!file.ReadAt(at, buffer.data() + kept, n))
            Unreadable(fileName);
        at += n;
        const size_t size = kept + n;
        const std::string_view bytes(buffer.data(), size);
        if (at == end) {
            lines(bytes);
            return true;
        }
        // A CR at the very end may be the first half of a CR LF: its line waits for the next block.
        const size_t last = bytes.back() == '\n' ? size - 1 : bytes.substr(0, size - 1).find_last_of("\r\n");
        if (last == std::string_view::npos) {
            kept = size;
            continue;
        }
        lines(bytes.substr(0, last + 1));
        kept = size - last - 1;
        std::memmove(buffer.data(), buffer.data() + last + 1, kept);
    }
    if (kept > 0)
        lines(std::string_view(buffer.data(), kept));
    return true;
}

// The file's item lines read in chunks of whole lines on several threads, each chunk through a small
// buffer: the file's text is never held whole while the items are made. The chunks are many and
// handed out in turn, so that a thread that is slowed does not hold up the others at the end.
//
// The lines of all chunks are counted before any item is made, so that a file with more lines than a
// list may hold items, or with a line too long, is refused at the cost of reading it. A file with no
// more bytes than a list may hold items cannot hold more lines, nor a line too long: it is read once.
ItemVector ReadItemFile(const FileReader& file, uint64_t begin, const ItemMaker& maker, const Path& fileName)
{
    const uint64_t end = file.Size();
    const uint64_t size = end - begin;
    constexpr uint64_t kMinChunk = 1 << 20;
    const size_t threads = SliceCount(size / kMinChunk + 1);
    const uint64_t chunkSize = std::max<uint64_t>(kMinChunk, size / (threads * 8) + 1);
    std::vector<uint64_t> bounds {begin};
    while (bounds.back() < end && end - bounds.back() > chunkSize)
        bounds.push_back(std::max(bounds.back() + 1, NextLineStartIn(file, bounds.back() + chunkSize, end, fileName)));
    if (bounds.back() < end || bounds.size() == 1)
        bounds.push_back(end);
    const size_t chunks = bounds.size() - 1;
    // The workers' heaps are made by the first pass already.
    std::optional<AllocatorGrowth> growth;
    if (threads > 1)
        growth.emplace();
    std::vector<size_t> counts(chunks);
    std::vector<PerThread<std::string>> buffers(threads);
    if (size > static_cast<uint64_t>(TBaseCustomListClass::MaxItems)) {
        std::vector<size_t> tooLong(chunks);
        RunChunks(chunks, threads, [&](size_t c, size_t t) {
            const bool whole = ReadLineBlocks(file, bounds[c], bounds[c + 1], fileName, buffers[t].Value,
                                              [&](std::string_view block) {
                // Only a block bigger than the bound can hold too long a line.
                if (tooLong[c] == 0 && FirstLongLine(block) > 0)
                    tooLong[c] = counts[c] + FirstLongLine(block);
                counts[c] += CountBlockLines(block);
            });
            if (!whole && tooLong[c] == 0)
                tooLong[c] = counts[c] + 1;
        });
        CheckSliceLines(counts, tooLong);
        CheckItemCount(counts);
    }
    std::vector<PerThread<ItemPart>> parts(chunks);
    std::vector<PerThread<ItemArena>> arenas(threads);
    RunChunks(chunks, threads, [&](size_t c, size_t t) {
        ItemPart& part = parts[c].Value;
        part.Items.reserve(counts[c]);
        ReadLineBlocks(file, bounds[c], bounds[c + 1], fileName, buffers[t].Value,
                       [&](std::string_view block) { maker.Make(block, arenas[t].Value, part); });
    });
    return JoinSlices(parts, maker.Intake);
}

// Puts what was read into the list; nothing before this changes it.
void FillList(TBaseCustomListClass& list, ListHead& head, ItemVector items, ItemIntake& intake, const Path& name)
{
    list.Clear();
    list.TakeItems(std::move(items), std::move(intake));
    list.SetFileName(name);
    list.SetListType(head.ListType);
    list.SetPlatform(head.Platform);
    list.SetOwner(head.Owner);
    list.SetDescription(head.Description);
    list.SetModified(false);
}

void LoadListFile(TBaseCustomListClass& list, const Path& fileName)
{
    const FileReader file(fileName);
    if (!file.IsOpen())
        Unreadable(fileName);
    // The three first lines, read in growing steps until a fourth line begins or the file ends; a line
    // longer than the bound stops the reading before it is read whole.
    std::string start;
    for (size_t step = 1 << 14;; step *= 2) {
        const size_t size = static_cast<size_t>(std::min<uint64_t>(file.Size(), start.size() + step));
        const size_t old = start.size();
        start.resize(size);
        if (!file.ReadAt(old, start.data() + old, size - old))
            Unreadable(fileName);
        if (size == file.Size() || MoreLinesThan(start, 3))
            break;
        if (const size_t line = FirstLongLine(start))
            LineTooLong(line);
    }
    ListHead head = ReadListHead(KindOf(list), start);
    const auto prototype = list.CreateItem();
    const ColumnMap columns(head.Header, *prototype);
    ItemIntake intake;
    const ItemMaker maker {*prototype, columns, head.Decode, intake};
    FillList(list, head, ReadItemFile(file, head.ItemsAt, maker, fileName), intake, fileName);
}

}  // namespace

ColumnMap::ColumnMap(std::string_view nameLine, const TBaseCustomClass& prototype)
{
    // The last column that names each field.
    std::vector<size_t> last(static_cast<size_t>(prototype.FieldCount()), std::string_view::npos);
    size_t column = 0;
    ForEachCSVField(nameLine, ',', [&](std::string_view name) {
        // No field has an empty name: a line of commas looks nothing up.
        if (const int32_t p = name.empty() ? -1 : prototype.IndexOfField(name); p >= 0)
            last[static_cast<size_t>(p)] = column;
        ++column;
        return true;
    });
    for (size_t p = 0; p < last.size(); ++p)
        if (last[p] != std::string_view::npos)
            filled_.emplace_back(last[p], static_cast<int32_t>(p));
    std::sort(filled_.begin(), filled_.end());
}

void ReadListFileText(TBaseCustomListClass& list, std::string_view text, const Path& name)
{
    // Everything is read aside first: a failure leaves the list as it was.
    ListHead head = ReadListHead(KindOf(list), text);
    const auto prototype = list.CreateItem();
    const ColumnMap columns(head.Header, *prototype);
    ItemIntake intake;
    const ItemMaker maker {*prototype, columns, head.Decode, intake};
    FillList(list, head, ReadItemLines(text.substr(head.ItemsAt), maker), intake, name);
}

uint64_t ItemsMadeByReader() { return itemsMade.load(); }

void TItemListClass::LoadFromFile(const Path& fileName) { LoadListFile(*this, fileName); }

}  // namespace quorvel
