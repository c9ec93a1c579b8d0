#include "model/ListFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "model/FieldText.h"
#include "model/ListFileFormat.h"
#include "model/Utils.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

namespace quorvel {

using namespace listfile;

namespace {

// Up to three lines of the start of a file.
struct HeadLines {
    std::array<std::string_view, 3> Lines;
    size_t Count = 0;
};

HeadLines FirstLines(std::string_view head)
{
    HeadLines result;
    LineCursor cursor(head);
    std::string_view line;
    while (result.Count < 3 && cursor.Next(line))
        result.Lines[result.Count++] = line;
    return result;
}

// Whether the first field of a line can still turn out to be a known tag once more bytes arrive.
bool MayStillBeTag(std::string_view firstLine)
{
    if (!firstLine.empty() && firstLine.front() == '"') {
        const size_t close = firstLine.find('"', 1);
        if (close != std::string_view::npos)
            return IsKnownTag(firstLine.substr(1, close - 1));
        return firstLine.size() - 1 <= kCurrentTag.size();
    }
    const size_t comma = firstLine.find(',');
    if (comma != std::string_view::npos)
        return IsKnownTag(firstLine.substr(0, comma));
    return firstLine.size() <= kCurrentTag.size();
}

// Lines 1 and 2 with a byte of line 3, or proof that line 1 is no list file's.
bool HeadAnswers(std::string_view head)
{
    const HeadLines lines = FirstLines(head);
    if (lines.Count >= 3)
        return true;
    if (lines.Count == 0)
        return false;
    const bool firstEnded = lines.Count > 1 || head.size() > lines.Lines[0].size();
    if (firstEnded)
        return !IsKnownTag(GetCSVField(lines.Lines[0], 1));
    return !MayStillBeTag(lines.Lines[0]);
}

// The writer puts no bound on line 2 (a description of any length), so neither does the peek: it stops
// once line 3 has begun, at the end of the file, or as soon as line 1 is no list file's tag.
constexpr size_t kHeadLimit = SIZE_MAX;
// Lines 1 and 2 of a list file are short: one read of this much nearly always answers a peek.
constexpr size_t kFirstRead = 1024;
// A buffer grown past this by a long head is not kept for the next peek.
constexpr size_t kKeptBuffer = 64u << 10;

// Reads the start of a file until HeadAnswers, the end of the file or the limit, into a buffer that the
// peeks of one thread share (a build peeks every file of a folder back to back), and hands it to Use;
// an unreadable file, or anything but a regular file, hands nothing.
template <typename Use> auto WithListHead(const Path& fileName, Use&& use)
{
    thread_local std::string buffer;
    const std::optional<size_t> used = ReadFileStartInto(fileName, kHeadLimit, buffer, HeadAnswers, kFirstRead);
    struct Trim {
        ~Trim()
        {
            if (buffer.size() > kKeptBuffer)
                std::string().swap(buffer);
        }
    } trim;
    return use(used ? std::optional<std::string_view>(std::string_view(buffer.data(), *used)) : std::nullopt);
}

}  // namespace

TListType ListFileTypeOf(std::string_view head)
{
    const HeadLines lines = FirstLines(head);
    if (lines.Count < 3)
        return ltNone;
    const std::string tag = GetCSVField(lines.Lines[0], 1);
    if (tag == kCurrentTag)
        return ListTypeFromName(GetCSVField(lines.Lines[1], 1));
    return IsOldTag(tag) ? ltMedia : ltNone;
}

void ListFileInfoOf(std::string_view head, std::string& listType, std::string& owner, std::string& platform,
                    std::string& description)
{
    listType = owner = platform = description = "Unknown";
    const HeadLines lines = FirstLines(head);
    if (lines.Count < 3)
        return;
    const std::string tag = GetCSVField(lines.Lines[0], 1);
    if (!IsKnownTag(tag))
        return;
    const std::vector<std::string> fields = SplitCSVLine(lines.Lines[1]);
    const auto field = [&](size_t i) { return i < fields.size() ? fields[i] : std::string(); };
    // A peek answers whatever it can: a value that does not decode is shown as it stands.
    const auto decoded = [](const std::string& raw) {
        std::string out;
        return TryDecodeFieldText(raw, out) ? out : raw;
    };
    if (tag == kCurrentTag) {
        listType = field(0);
        platform = decoded(field(1));
        owner = decoded(field(2));
        description = decoded(field(3));
    } else {
        listType = "Media";
        platform = field(0);
        owner = decoded(field(1));
        description = decoded(field(2));
    }
}

TListType GetListFileType(const Path& fileName)
{
    return WithListHead(fileName,
                        [](std::optional<std::string_view> head) { return head ? ListFileTypeOf(*head) : ltNone; });
}

void GetListFileInfo(const Path& fileName, std::string& listType, std::string& owner, std::string& platform,
                     std::string& description)
{
    WithListHead(fileName, [&](std::optional<std::string_view> head) {
        ListFileInfoOf(head.value_or(std::string_view()), listType, owner, platform, description);
    });
}

ListFilePeek PeekListFile(const Path& fileName)
{
    ListFilePeek peek;
    WithListHead(fileName, [&peek](std::optional<std::string_view> head) {
        if (!head)
            return;
        peek.Type = ListFileTypeOf(*head);
        if (peek.Type != ltNone)
            ListFileInfoOf(*head, peek.ListType, peek.Owner, peek.Platform, peek.Description);
    });
    return peek;
}

}  // namespace quorvel
