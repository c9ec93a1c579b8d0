// What a list read costs at the least with this program's items, on one thread, beside
// `list_roundtrip FILE - 1`: load_floor FILE read|memory|split, each in a fresh process. Prints the
// processor time of one of:
//   read    the file read in the reader's blocks of 512 KiB and cut into lines;
//   memory  the same, and for every line the room of a media item in an item arena (with room for
//           its texts), its 25 value slots made empty;
//   split   the same, and every line cut at each comma, the pieces stored in the slots (the long ones
//           in the arena) — no quotes, escapes, column map, defaults, checks or item objects.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <vector>

#include "model/ItemArena.h"
#include "model/ItemClasses.h"
#include "model/ValueSlot.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

namespace {

using namespace quorvel;

double ProcessorMs()
{
    struct rusage usage { };
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

enum class Floor { Read, Memory, Split };

// Calls Line for every line of the file, through one buffer as the reader keeps it.
template <typename Line> bool ForEachFileLine(const Path& path, Line line)
{
    FileReader file(path);
    if (!file.IsOpen())
        return false;
    std::string buffer(size_t(1) << 19, '\0');
    size_t kept = 0;
    for (uint64_t at = 0; at < file.Size();) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(buffer.size() - kept, file.Size() - at));
        if (n == 0 || !file.ReadAt(at, buffer.data() + kept, n))
            return false;
        at += n;
        const std::string_view bytes(buffer.data(), kept + n);
        const size_t last = at == file.Size() ? bytes.size() : bytes.rfind('\n') + 1;
        LineCursor lines(bytes.substr(0, last));
        for (std::string_view text; lines.Next(text);)
            line(text);
        kept = bytes.size() - last;
        std::memmove(buffer.data(), buffer.data() + last, kept);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string_view mode = argc == 3 ? argv[2] : "";
    const Floor floor = mode == "read" ? Floor::Read : mode == "memory" ? Floor::Memory : Floor::Split;
    if (argc != 3 || (floor == Floor::Split && mode != "split")) {
        std::fprintf(stderr, "usage: %s FILE read|memory|split\n", argv[0]);
        return 2;
    }
    constexpr int32_t kSlots = kMediaFieldCount;
    const double before = ProcessorMs();
    const auto start = std::chrono::steady_clock::now();
    ItemArena arena;
    std::vector<ValueSlot*> items;
    size_t lineCount = 0;
    const bool read = ForEachFileLine(Path(argv[1]), [&](std::string_view line) {
        ++lineCount;
        if (floor == Floor::Read)
            return;
        auto* slots = static_cast<ValueSlot*>(arena.AllocateItem(sizeof(TCartClass), line.size()));
        std::uninitialized_default_construct_n(slots, kSlots);
        items.push_back(slots);
        if (floor != Floor::Split)
            return;
        int32_t f = 0;
        for (size_t pos = 0; f < kSlots; ++f) {
            const size_t comma = FindEither(line, pos, ',', ',');
            const std::string_view field = line.substr(pos, comma - pos);
            char* room = field.size() > ValueSlot::kInlineText ? arena.AllocateText(field.size()) : nullptr;
            if (room)
                slots[f].SetText(field, room);
            else
                slots[f].SetText(field);
            if (comma == line.size())
                break;
            pos = comma + 1;
        }
    });
    const double wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!read) {
        std::fprintf(stderr, "Cannot open file %s\n", argv[1]);
        return 1;
    }
    std::printf("lines %zu\nitems %zu\n%s_ms %.1f\n%s_cpu_ms %.1f\n", lineCount, items.size(), argv[2], wall,
                argv[2], ProcessorMs() - before);
    // The items are the process's until it ends, as a loaded list's would be.
    return 0;
}
