#include "model/ListFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <exception>
#include <optional>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

#include "model/CartListClass.h"
#include "model/FieldText.h"
#include "model/HardwareListClass.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/SafeFile.h"

namespace quorvel {

namespace {

constexpr std::string_view kCurrentTag = "QV1.2";

bool IsOldTag(std::string_view tag) { return tag == "QV1.0" || tag == "QV1.1"; }
bool IsKnownTag(std::string_view tag) { return tag == kCurrentTag || IsOldTag(tag); }

// Walks the lines of a text without copying them.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const char* begin = text_.data() + pos_;
        const char* end = text_.data() + text_.size();
        const char* p = begin;
        while (p != end && *p != '\n' && *p != '\r') ++p;
        line = std::string_view(begin, static_cast<size_t>(p - begin));
        if (p != end) {
            if (*p == '\r' && p + 1 != end && p[1] == '\n') ++p;
            ++p;
        }
        pos_ = static_cast<size_t>(p - text_.data());
        return true;
    }
    size_t Position() const { return pos_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

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

void AppendQuoted(std::string& out, std::string_view s) {
    out += '"';
    out.append(s);
    out += '"';
}

void AppendNumber(std::string& out, int32_t n) {
    std::array<char, 16> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n).ptr;
    out.append(buffer.data(), end);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whole-number text exactly as the integer writer would put it: no sign but "-", no leading zero,
// no "-0", few enough digits to fit.
bool IsPlainInteger(std::string_view s, size_t maxDigits) {
    if (!s.empty() && s.front() == '-') s.remove_prefix(1);
    if (s.empty() || s.size() > maxDigits || (s.front() == '0' && s.size() > 1)) return false;
    for (const char c : s)
        if (!IsDigit(c)) return false;
    return true;
}

// A stored text that the writer would write unchanged, so that converting it can be skipped
// (most values of a list that was read from a file).
bool IsWrittenForm(std::string_view s, TFieldDataType type) {
    switch (type) {
    case dtBoolean: return s == "0" || s == "-1";
    case dtInteger: return IsPlainInteger(s, 9) && s != "-0";
    case dtCurrency: {
        const size_t dot = s.find('.');
        const std::string_view whole = s.substr(0, dot);
        if (!IsPlainInteger(whole, 14) || whole == "-0") return false;
        if (dot == std::string_view::npos) return true;
        const std::string_view fraction = s.substr(dot + 1);
        if (fraction.empty() || fraction.size() > 4 || fraction.back() == '0') return false;
        for (const char c : fraction)
            if (!IsDigit(c)) return false;
        return true;
    }
    default: return false;
    }
}

// Reads at most Limit bytes from the start of a regular file; nothing when it cannot be opened.
// Stops as soon as Enough says the bytes so far answer the question.
template <typename Enough>
std::optional<std::string> ReadHead(const std::string& path, size_t limit, Enough enough) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string head;
    size_t chunk = 4096;
    while (head.size() < limit) {
        const size_t old = head.size();
        head.resize(old + std::min(chunk, limit - old));
        const ssize_t n = ::read(fd, head.data() + old, head.size() - old);
        if (n < 0 && errno == EINTR) {
            head.resize(old);
            continue;
        }
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        head.resize(old + static_cast<size_t>(n));
        if (n == 0 || enough(std::string_view(head))) break;
        chunk = std::min<size_t>(chunk * 2, 1 << 20);
    }
    ::close(fd);
    return head;
}

// Up to three lines of the start of a file.
struct HeadLines {
    std::array<std::string_view, 3> Lines;
    size_t Count = 0;
};

HeadLines FirstLines(std::string_view head) {
    HeadLines result;
    LineCursor cursor(head);
    std::string_view line;
    while (result.Count < 3 && cursor.Next(line)) result.Lines[result.Count++] = line;
    return result;
}

// Whether the first field of a line can still turn out to be a known tag once more bytes arrive.
bool MayStillBeTag(std::string_view firstLine) {
    if (!firstLine.empty() && firstLine.front() == '"') {
        const size_t close = firstLine.find('"', 1);
        if (close != std::string_view::npos) return IsKnownTag(firstLine.substr(1, close - 1));
        return firstLine.size() - 1 <= kCurrentTag.size();
    }
    const size_t comma = firstLine.find(',');
    if (comma != std::string_view::npos) return IsKnownTag(firstLine.substr(0, comma));
    return firstLine.size() <= kCurrentTag.size();
}

// Lines 1 and 2 with a byte of line 3, or proof that line 1 is no list file's.
bool HeadAnswers(std::string_view head) {
    const HeadLines lines = FirstLines(head);
    if (lines.Count >= 3) return true;
    if (lines.Count == 0) return false;
    const bool firstEnded = lines.Count > 1 || head.size() > lines.Lines[0].size();
    if (firstEnded) return !IsKnownTag(GetCSVField(lines.Lines[0], 1));
    return !MayStillBeTag(lines.Lines[0]);
}

// Line 2 may hold a long description; a start beyond this is no list file the peeks answer for.
constexpr size_t kHeadLimit = 16u << 20;

std::optional<std::string> ReadListHead(const std::string& fileName) {
    return ReadHead(fileName, kHeadLimit, HeadAnswers);
}

// How many threads share a job that could be cut into at most Pieces slices.
size_t SliceCount(size_t pieces) {
    return std::min<size_t>({std::max(1u, std::thread::hardware_concurrency()), 8, pieces});
}

// Runs Work(t) for every slice t on a thread of its own; when slices fail, the failure of the
// first slice (the first in list or file order) is the one raised.
template <typename Work>
void RunSlices(size_t slices, Work work) {
    if (slices == 1) {
        work(0);
        return;
    }
    std::vector<std::exception_ptr> failures(slices);
    {
        std::vector<std::jthread> workers;
        for (size_t t = 0; t < slices; ++t) {
            workers.emplace_back([&, t] {
                try {
                    work(t);
                } catch (...) {
                    failures[t] = std::current_exception();
                }
            });
        }
    }
    for (const auto& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

// Items of the item lines of Text (whole lines), each a copy of Prototype with the columns' fields
// set to the line's values as text.
void ReadItemChunk(std::string_view text, const TBaseCustomClass& prototype, const std::vector<int32_t>& positions,
                   bool decode, std::vector<std::unique_ptr<TBaseCustomClass>>& items) {
    const size_t columns = positions.size();
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.Next(line)) {
        // A copy of the fresh item is cheaper than building defaults again, and the same.
        auto item = prototype.Clone();
        size_t f = 0;
        ForEachCSVField(line, ',', [&](std::string_view field) {
            if (f >= columns) return false;
            const int32_t p = positions[f++];
            if (p < 0) return true;
            if (decode && field.find('%') != std::string_view::npos) item->SetTextAt(p, DecodeFieldText(field));
            else item->SetTextAt(p, field);
            return true;
        });
        // A short line gives the remaining columns the empty text, not their defaults.
        for (; f < columns; ++f)
            if (positions[f] >= 0) item->SetTextAt(positions[f], {});
        item->Modified = false;
        items.push_back(std::move(item));
    }
}

// Where the line after Pos begins: just past the first line end at or after Pos.
size_t NextLineStart(std::string_view text, size_t pos) {
    while (pos < text.size() && text[pos] != '\n' && text[pos] != '\r') ++pos;
    if (pos < text.size() && text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
    return std::min(pos + 1, text.size());
}

// Big lists are read in slices of whole lines on several threads; the slices are joined in file
// order and the first failure in file order is the one reported.
std::vector<std::unique_ptr<TBaseCustomClass>> ReadItemLines(std::string_view text, const TBaseCustomClass& prototype,
                                                             const std::vector<int32_t>& positions, bool decode) {
    const size_t threads = SliceCount(text.size() / (1u << 20) + 1);
    std::vector<std::vector<std::unique_ptr<TBaseCustomClass>>> slices(threads);
    if (threads == 1) {
        ReadItemChunk(text, prototype, positions, decode, slices[0]);
        return std::move(slices[0]);
    }
    std::vector<size_t> bounds{0};
    for (size_t t = 1; t < threads; ++t)
        bounds.push_back(std::max(bounds.back(), NextLineStart(text, text.size() / threads * t)));
    bounds.push_back(text.size());
    RunSlices(threads, [&](size_t t) {
        ReadItemChunk(text.substr(bounds[t], bounds[t + 1] - bounds[t]), prototype, positions, decode, slices[t]);
    });
    size_t total = 0;
    for (const auto& slice : slices) total += slice.size();
    std::vector<std::unique_ptr<TBaseCustomClass>> items;
    items.reserve(total);
    for (auto& slice : slices)
        for (auto& item : slice) items.push_back(std::move(item));
    return items;
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.Next(line)) lines.push_back(line);
    return lines;
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

    const std::vector<std::string> names = SplitCSVLine(Cp1252::ToUpper(header));
    const auto prototype = list.CreateItem();
    std::vector<int32_t> positions;
    positions.reserve(names.size());
    for (const auto& n : names) positions.push_back(prototype->IndexOfField(n));
    std::vector<std::unique_ptr<TBaseCustomClass>> items =
        ReadItemLines(text.substr(cursor.Position()), *prototype, positions, decode);

    list.Clear();
    for (auto& item : items) list.Add(std::move(item));
    list.SetFileName(name);
    list.SetListType(listType);
    list.SetPlatform(platform);
    list.SetOwner(owner);
    list.SetDescription(description);
    list.SetModified(false);
}

void AppendItemLine(std::string& out, const TBaseCustomClass& item, const std::vector<int32_t>& positions,
                    int64_t itemNumber) {
    const FieldSet& set = item.Fields();
    bool firstValue = true;
    for (const int32_t p : positions) {
        if (!firstValue) out += ',';
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
                if (kind == ValueKind::Text) AppendFieldText(out, item.TextAt(p));
                else AppendFieldText(out, ToText(item.ValueAt(p)));
                out += '"';
            }
            continue;
        }
        if (kind == ValueKind::Text) {
            const std::string_view text = item.TextAt(p);
            // An empty text (a short or blank item line) stays empty and reads back the same.
            if (text.empty()) continue;
            if (IsWrittenForm(text, type)) {
                out += text;
                continue;
            }
        }
        const FieldValue v = item.ValueAt(p);
        try {
            switch (type) {
            case dtInteger: AppendNumber(out, ToInteger(v)); break;
            case dtDouble: out += DoubleToText(ToDouble(v)); break;
            case dtCurrency: out += CurrencyToText(ToCurrency(v)); break;
            default: out += ToBoolean(v) ? "-1" : "0"; break;
            }
        } catch (const std::runtime_error& e) {
            // Only the conversion and overflow errors come from here.
            if (itemNumber <= 0) throw;
            throw TBaseCustomListClassException(std::string(e.what()) + " in item " + std::to_string(itemNumber) +
                                                ", field " + definition.Name);
        }
    }
}

std::string TBaseCustomListClass::BuildItemLine(const TBaseCustomClass& item, const std::vector<std::string>& fieldNames) {
    std::vector<int32_t> positions;
    positions.reserve(fieldNames.size());
    for (const auto& n : fieldNames) positions.push_back(item.IndexOfField(n));
    std::string line;
    AppendItemLine(line, item, positions, 0);
    return line;
}

namespace {

// Calls Line(i, text) for the item lines of items Begin .. End - 1, in order, text without line end.
template <typename Line>
void BuildItemLines(const std::vector<std::unique_ptr<TBaseCustomClass>>& items, size_t begin, size_t end,
                    const std::vector<std::string>& names, Line onLine) {
    FieldPositions positions(names);
    std::string line;
    for (size_t i = begin; i < end; ++i) {
        line.clear();
        AppendItemLine(line, *items[i], positions.In(items[i]->Fields()), static_cast<int64_t>(i) + 1);
        onLine(line);
    }
}

// The item lines, each ended by CR LF. Big lists are built on several threads: a first pass sizes
// each slice (and finds a value that does not convert before anything is kept), a second writes
// the slices into their places, so the text is never held twice.
void AppendItemLines(std::string& out, const std::vector<std::unique_ptr<TBaseCustomClass>>& items,
                     const std::vector<std::string>& names) {
    const size_t count = items.size();
    const size_t slices = SliceCount(count / 16384 + 1);
    if (slices == 1) {
        BuildItemLines(items, 0, count, names, [&](const std::string& line) {
            out += line;
            out += "\r\n";
        });
        return;
    }
    const auto range = [&](size_t t) { return std::pair(count * t / slices, count * (t + 1) / slices); };
    std::vector<size_t> starts(slices + 1, 0);
    RunSlices(slices, [&](size_t t) {
        const auto [begin, end] = range(t);
        size_t bytes = 0;
        BuildItemLines(items, begin, end, names, [&](const std::string& line) { bytes += line.size() + 2; });
        starts[t + 1] = bytes;
    });
    starts[0] = out.size();
    for (size_t t = 0; t < slices; ++t) starts[t + 1] += starts[t];
    out.resize(starts[slices]);
    RunSlices(slices, [&](size_t t) {
        const auto [begin, end] = range(t);
        char* at = out.data() + starts[t];
        BuildItemLines(items, begin, end, names, [&](const std::string& line) {
            at = std::copy(line.begin(), line.end(), at);
            *at++ = '\r';
            *at++ = '\n';
        });
    });
}

}  // namespace

std::vector<std::string> ItemFieldNames(const TBaseCustomListClass& list) {
    return list.Count() > 0 ? list.GetItem(0)->GetFieldNames() : list.CreateItem()->GetFieldNames();
}

std::string FieldNamesLine(const std::vector<std::string>& names) {
    std::string line;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) line += ',';
        AppendQuoted(line, Cp1252::ToUpper(names[i]));
    }
    return line;
}

std::string ListFileText(const TBaseCustomListClass& list) {
    std::string out;
    out += kCurrentTag;
    out += "\r\n";
    if (KindOf(list).Hardware) {
        AppendQuoted(out, "Hardware");
    } else {
        // The type is read back undecoded, so it cannot be encoded: what would end its field or
        // its line (only a malformed file brings such a type) is left out.
        std::string type = list.GetListType();
        std::erase_if(type, [](char c) { return c == '"' || c == '\r' || c == '\n'; });
        AppendQuoted(out, TrimBlanks(type));
    }
    for (const std::string* value : {&list.GetPlatform(), &list.GetOwner(), &list.GetDescription()}) {
        out += ",\"";
        AppendFieldText(out, TrimBlanks(*value));
        out += '"';
    }
    out += "\r\n";

    const std::vector<std::string> names = ItemFieldNames(list);
    out += FieldNamesLine(names);
    out += "\r\n";

    AppendItemLines(out, list.Items(), names);
    return out;
}

namespace {

void LoadListFile(TBaseCustomListClass& list, const std::string& fileName) {
    const auto text = ReadWholeFile(fileName);
    if (!text) throw FileOpenError(fileName);
    ReadListFileText(list, *text, fileName);
}

void SaveListFile(TBaseCustomListClass& list, const std::string& fileName, bool backup, bool overwrite) {
    if (!backup && !overwrite && FileExists(fileName)) throw TBaseCustomListClassException("File Already Exists");
    WriteFileAtomic(fileName, ListFileText(list), backup);
    list.SetFileName(fileName);
    list.SetModified(false);
    for (const auto& item : list.Items()) item->Modified = false;
}

}  // namespace

void TCartListClass::LoadFromFile(const std::string& fileName) { LoadListFile(*this, fileName); }
void THardwareListClass::LoadFromFile(const std::string& fileName) { LoadListFile(*this, fileName); }

void TCartListClass::SaveToFile(const std::string& fileName, bool backup, bool overwrite) {
    SaveListFile(*this, fileName, backup, overwrite);
}

void THardwareListClass::SaveToFile(const std::string& fileName, bool backup, bool overwrite) {
    SaveListFile(*this, fileName, backup, overwrite);
}

TListType ListFileTypeOf(std::string_view head) {
    const HeadLines lines = FirstLines(head);
    if (lines.Count < 3) return ltNone;
    const std::string tag = GetCSVField(lines.Lines[0], 1);
    if (tag == kCurrentTag) return ListTypeFromName(GetCSVField(lines.Lines[1], 1));
    return IsOldTag(tag) ? ltMedia : ltNone;
}

void ListFileInfoOf(std::string_view head, std::string& listType, std::string& owner, std::string& platform,
                    std::string& description) {
    listType = owner = platform = description = "Unknown";
    const HeadLines lines = FirstLines(head);
    if (lines.Count < 3) return;
    const std::string tag = GetCSVField(lines.Lines[0], 1);
    if (!IsKnownTag(tag)) return;
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

TListType GetListFileType(const std::string& fileName) {
    const auto head = ReadListHead(fileName);
    return head ? ListFileTypeOf(*head) : ltNone;
}

void GetListFileInfo(const std::string& fileName, std::string& listType, std::string& owner, std::string& platform,
                     std::string& description) {
    const auto head = ReadListHead(fileName);
    ListFileInfoOf(head ? std::string_view(*head) : std::string_view(), listType, owner, platform, description);
}

}  // namespace quorvel
