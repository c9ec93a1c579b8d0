// What a list read costs at the least with this program's items, beside `list_roundtrip FILE`:
// load_floor FILE read|memory|split [THREADS], each in a fresh process. Prints the wall and processor
// time of one of:
//   read    the file read in the reader's blocks of 512 KiB and cut into lines;
//   memory  the same, and for every line the room of a media item in an item arena (with room for
//           its texts), its 25 value slots made empty;
//   split   the same, and every line cut at each comma, the pieces stored in the slots (the long ones
//           in the arena) — no quotes, escapes, column map, defaults, checks or item objects;
//   fields  as split, but each line's commas found in one pass over it, 16 bytes at a time.
// With THREADS (1 unless given), the file is cut into ranges at line starts, 8 for each thread, that
// the threads take in turn from a shared counter, as the list reader's slices are; each thread keeps
// its own arena.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <thread>
#include <vector>

#include "model/ItemArena.h"
#include "model/ItemClasses.h"
#include "model/ListFileSlices.h"
#include "model/ValueSlot.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using namespace quorvel;

double ProcessorMs()
{
    struct rusage usage { };
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

enum class Floor { Read, Memory, Split, Fields };

// Calls Field(piece) for each piece of Line between commas, up to Count pieces, finding the commas in
// one pass over the line: a mask of the commas in each 16 bytes, taken bit by bit.
template <typename Field> void ForEachCommaPiece(std::string_view line, int32_t count, Field field)
{
    size_t start = 0;
    int32_t pieces = 0;
    size_t at = 0;
#if defined(__SSE2__)
    const __m128i comma = _mm_set1_epi8(',');
    for (; at + 16 <= line.size(); at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + at));
        for (auto mask = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, comma))); mask != 0;
             mask &= mask - 1) {
            const size_t end = at + static_cast<size_t>(__builtin_ctz(mask));
            field(line.substr(start, end - start));
            if (++pieces == count)
                return;
            start = end + 1;
        }
    }
#endif
    for (; at < line.size(); ++at) {
        if (line[at] != ',')
            continue;
        field(line.substr(start, at - start));
        if (++pieces == count)
            return;
        start = at + 1;
    }
    field(line.substr(start));
}

// Where the first line that starts at or after Offset starts (Size when none does).
uint64_t LineStartFrom(const FileReader& file, uint64_t offset)
{
    if (offset == 0)
        return 0;
    std::string probe(4096, '\0');
    for (uint64_t at = offset - 1; at < file.Size();) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(probe.size(), file.Size() - at));
        if (!file.ReadAt(at, probe.data(), n))
            return file.Size();
        const size_t newline = std::string_view(probe.data(), n).find('\n');
        if (newline != std::string_view::npos)
            return at + newline + 1;
        at += n;
    }
    return file.Size();
}

// Calls Line for every line that starts in From .. To - 1 of the file, through one buffer as the
// reader keeps it; a line cut by From belongs to the range before.
template <typename Line> bool ForEachFileLine(const FileReader& file, uint64_t from, uint64_t to, Line line)
{
    std::string buffer(size_t(1) << 19, '\0');
    size_t kept = 0;
    for (uint64_t at = LineStartFrom(file, from); at < file.Size();) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(buffer.size() - kept, file.Size() - at));
        if (n == 0 || !file.ReadAt(at, buffer.data() + kept, n))
            return false;
        const uint64_t first = at - kept;  // the file offset of the buffer's first byte
        at += n;
        const std::string_view bytes(buffer.data(), kept + n);
        const size_t last = at == file.Size() ? bytes.size() : bytes.rfind('\n') + 1;
        LineCursor lines(bytes.substr(0, last));
        for (std::string_view text; lines.Next(text);) {
            if (first + static_cast<uint64_t>(text.data() - buffer.data()) >= to)
                return true;
            line(text);
        }
        kept = bytes.size() - last;
        std::memmove(buffer.data(), buffer.data() + last, kept);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string_view mode = argc >= 3 ? argv[2] : "";
    const Floor floor = mode == "read"     ? Floor::Read
                        : mode == "memory" ? Floor::Memory
                        : mode == "fields" ? Floor::Fields
                                           : Floor::Split;
    const long threads = argc == 4 ? std::strtol(argv[3], nullptr, 10) : 1;
    if (argc < 3 || argc > 4 || (floor == Floor::Split && mode != "split") || threads < 1 || threads > 256) {
        std::fprintf(stderr, "usage: %s FILE read|memory|split|fields [THREADS]\n", argv[0]);
        return 2;
    }
    constexpr int32_t kSlots = kMediaFieldCount;
    const double before = ProcessorMs();
    const auto start = std::chrono::steady_clock::now();
    // The allocator's heaps grow as they do while a list is read.
    AllocatorGrowth growth;
    FileReader file {Path(argv[1])};
    if (!file.IsOpen()) {
        std::fprintf(stderr, "Cannot open file %s\n", argv[1]);
        return 1;
    }
    struct Range {
        ItemArena Arena;
        std::vector<ValueSlot*> Items;
        size_t Lines = 0;
        bool Read = false;
    };
    // One per thread.
    std::vector<Range> ranges(static_cast<size_t>(threads));
    const size_t parts = threads == 1 ? 1 : ranges.size() * 8;
    std::atomic<size_t> nextPart {0};
    const auto readRange = [&](size_t t) {
        Range& range = ranges[t];
        range.Read = true;
        const auto store = [&](ValueSlot& slot, std::string_view field) {
            char* room = field.size() > ValueSlot::kInlineText ? range.Arena.AllocateText(field.size()) : nullptr;
            if (room)
                slot.SetText(field, room);
            else
                slot.SetText(field);
        };
        for (size_t part; (part = nextPart.fetch_add(1)) < parts;) {
            const uint64_t from = file.Size() * part / parts, to = file.Size() * (part + 1) / parts;
            range.Read = range.Read && ForEachFileLine(file, from, to, [&](std::string_view line) {
                ++range.Lines;
                if (floor == Floor::Read)
                    return;
                auto* slots = static_cast<ValueSlot*>(range.Arena.AllocateItem(sizeof(TCartClass), line.size()));
                std::uninitialized_default_construct_n(slots, kSlots);
                range.Items.push_back(slots);
                if (floor == Floor::Fields) {
                    int32_t f = 0;
                    ForEachCommaPiece(line, kSlots, [&](std::string_view field) { store(slots[f++], field); });
                    return;
                }
                if (floor != Floor::Split)
                    return;
                int32_t f = 0;
                for (size_t pos = 0; f < kSlots; ++f) {
                    const size_t comma = FindEither(line, pos, ',', ',');
                    store(slots[f], line.substr(pos, comma - pos));
                    if (comma == line.size())
                        break;
                    pos = comma + 1;
                }
            });
        }
    };
    std::vector<std::thread> workers;
    for (size_t t = 1; t < ranges.size(); ++t)
        workers.emplace_back(readRange, t);
    readRange(0);
    for (auto& worker : workers)
        worker.join();
    const double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    size_t lineCount = 0, itemCount = 0;
    for (const Range& range : ranges) {
        if (!range.Read) {
            std::fprintf(stderr, "Cannot read file %s\n", argv[1]);
            return 1;
        }
        lineCount += range.Lines;
        itemCount += range.Items.size();
    }
    const std::string name = threads == 1 ? std::string(mode) : std::string(mode) + std::to_string(threads);
    std::printf("lines %zu\nitems %zu\n%s_ms %.1f\n%s_cpu_ms %.1f\n", lineCount, itemCount, name.c_str(), wall,
                name.c_str(), ProcessorMs() - before);
    // The items are the process's until it ends, as a loaded list's would be.
    return 0;
}
