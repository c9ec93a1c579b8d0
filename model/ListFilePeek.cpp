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

// What is shown of lines 1 and 2: the information lines need no more, and a longer value is shown cut.
constexpr size_t kShownBytes = 64u << 10;

// Lines 1 and 2 of a file's start, kept up to kShownBytes each, and whether line 3 begins; the bytes
// are taken in pieces and each byte is looked at once. It stops once line 3 begins, once line 1 is no
// list file's, or at a line longer than a list file may hold (the file is then taken for what its
// lines begin with: the reader refuses it with a message that names the line).
class HeadScanner {
public:
    // Takes the next bytes; true once the start answers the peek.
    bool Take(std::string_view bytes)
    {
        size_t i = 0;
        while (i < bytes.size()) {
            if (afterCR_) {
                afterCR_ = false;
                if (bytes[i] == '\n') {
                    ++i;
                    continue;
                }
            }
            if (ended_) {
                if (begun_ == 2) {
                    begun_ = 3;
                    return true;
                }
                ++begun_;
                ended_ = false;
                length_ = 0;
            }
            const size_t end = LineCursor::LineEnd(bytes, i);
            std::string& kept = kept_[begun_ - 1];
            if (kept.size() < kShownBytes)
                kept.append(bytes.substr(i, std::min(end - i, kShownBytes - kept.size())));
            length_ += end - i;
            if (length_ > TBaseCustomListClass::MaxLineBytes) {
                tooLong_ = true;
                return true;
            }
            i = end;
            if (end == bytes.size())
                break;
            ended_ = true;
            afterCR_ = bytes[end] == '\r';
            ++i;
            if (begun_ == 1 && !IsKnownTag(GetCSVField(kept, 1)))
                return true;
        }
        return begun_ == 1 && !ended_ && !MayStillBeTag(kept_[0]);
    }

    // The lines as the in-memory rules read them; a line past the bound counts as if line 3 followed.
    bool Lines(std::array<std::string_view, 2>& lines) const
    {
        for (size_t l = 0; l < 2; ++l) {
            std::string_view line = kept_[l];
            // A cut value does not end in half an escape.
            if (line.size() == kShownBytes) {
                const size_t escape = line.find('%', line.size() - 2);
                if (escape != std::string_view::npos)
                    line = line.substr(0, escape);
            }
            lines[l] = line;
        }
        return begun_ == 3 || tooLong_;
    }

private:
    std::array<std::string, 2> kept_;
    size_t begun_ = 0;      // lines begun, up to 3
    uint64_t length_ = 0;   // bytes of the line being read
    bool ended_ = true;     // the line being read has ended (or none has begun)
    bool afterCR_ = false;  // the last byte ended a line with a CR (an LF now belongs to it)
    bool tooLong_ = false;
};

// Line 1 and 2 of a list file, or nothing when the start is none.
std::optional<std::array<std::string_view, 2>> ListLines(const HeadScanner& scanner)
{
    std::array<std::string_view, 2> lines;
    if (!scanner.Lines(lines))
        return std::nullopt;
    return lines;
}

TListType TypeOfLines(const HeadScanner& scanner)
{
    const auto lines = ListLines(scanner);
    if (!lines)
        return ltNone;
    const std::string tag = GetCSVField((*lines)[0], 1);
    if (tag == kCurrentTag)
        return ListTypeFromName(GetCSVField((*lines)[1], 1));
    return IsOldTag(tag) ? ltMedia : ltNone;
}

void InfoOfLines(const HeadScanner& scanner, std::string& listType, std::string& owner, std::string& platform,
                 std::string& description)
{
    listType = owner = platform = description = "Unknown";
    const auto lines = ListLines(scanner);
    if (!lines)
        return;
    const std::string tag = GetCSVField((*lines)[0], 1);
    if (!IsKnownTag(tag))
        return;
    const std::vector<std::string> fields = SplitCSVLine((*lines)[1]);
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

HeadScanner ScanText(std::string_view head)
{
    HeadScanner scanner;
    scanner.Take(head);
    return scanner;
}

// Lines 1 and 2 of a file are short: one read of this much nearly always answers a peek.
constexpr size_t kFirstRead = 1024;
constexpr size_t kLargestRead = 1u << 20;
// A buffer grown past this by a long head is not kept for the next peek.
constexpr size_t kKeptBuffer = 64u << 10;

// Scans the start of a file in growing reads through a buffer that the peeks of one thread share (a
// build peeks every file of a folder back to back), and hands the scan to Use; an unreadable file, or
// anything but a regular file, hands nothing.
template <typename Use> auto WithListHead(const Path& fileName, Use&& use)
{
    thread_local std::string buffer;
    struct Trim {
        ~Trim()
        {
            if (buffer.size() > kKeptBuffer)
                std::string().swap(buffer);
        }
    } trim;
    const FileReader file(fileName);
    if (!file.IsOpen())
        return use(static_cast<const HeadScanner*>(nullptr));
    HeadScanner scanner;
    uint64_t at = 0;
    for (size_t chunk = kFirstRead; at < file.Size(); chunk = std::min(chunk * 2, kLargestRead)) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(chunk, file.Size() - at));
        if (buffer.size() < n)
            buffer.resize(n);
        if (!file.ReadAt(at, buffer.data(), n))
            return use(static_cast<const HeadScanner*>(nullptr));
        at += n;
        if (scanner.Take(std::string_view(buffer.data(), n)))
            break;
    }
    return use(&scanner);
}

}  // namespace

TListType ListFileTypeOf(std::string_view head) { return TypeOfLines(ScanText(head)); }

void ListFileInfoOf(std::string_view head, std::string& listType, std::string& owner, std::string& platform,
                    std::string& description)
{
    InfoOfLines(ScanText(head), listType, owner, platform, description);
}

TListType GetListFileType(const Path& fileName)
{
    return WithListHead(fileName, [](const HeadScanner* scan) { return scan ? TypeOfLines(*scan) : ltNone; });
}

void GetListFileInfo(const Path& fileName, std::string& listType, std::string& owner, std::string& platform,
                     std::string& description)
{
    WithListHead(fileName, [&](const HeadScanner* scan) {
        InfoOfLines(scan ? *scan : HeadScanner(), listType, owner, platform, description);
    });
}

ListFilePeek PeekListFile(const Path& fileName)
{
    ListFilePeek peek;
    WithListHead(fileName, [&peek](const HeadScanner* scan) {
        if (!scan)
            return;
        peek.Type = TypeOfLines(*scan);
        if (peek.Type != ltNone)
            InfoOfLines(*scan, peek.ListType, peek.Owner, peek.Platform, peek.Description);
    });
    return peek;
}

}  // namespace quorvel
