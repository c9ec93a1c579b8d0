#include "platform/IniFile.h"

#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <stdexcept>

namespace quorvel {

namespace {

constexpr size_t npos = std::string_view::npos;

std::string Unquote(std::string_view value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && Cp1252::EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// Up to 11 decimal digits and nothing else (enough for any int, too few to overflow).
std::optional<int64_t> ParseDigits(std::string_view digits)
{
    if (digits.empty() || digits.size() > 11)
        return std::nullopt;
    int64_t n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// A whole number written the plain way ("7", not "07" or "+7"), as a list index is written.
std::optional<int64_t> CanonicalIndex(std::string_view digits)
{
    if (digits.size() > 1 && digits.front() == '0')
        return std::nullopt;
    return ParseDigits(digits);
}

std::optional<int> ParseInteger(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::string_view hex = text.substr(2);
        if (hex.size() > 8)
            return std::nullopt;
        uint32_t n = 0;
        for (const char c : hex) {
            const int d = HexDigitValue(c);
            if (d < 0)
                return std::nullopt;
            n = n * 16 + static_cast<uint32_t>(d);
        }
        return static_cast<int>(static_cast<int32_t>(n));
    }
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const auto digits = ParseDigits(text);
    if (!digits)
        return std::nullopt;
    const int64_t n = negative ? -*digits : *digits;
    if (n < INT_MIN || n > INT_MAX)
        return std::nullopt;
    return static_cast<int>(n);
}

std::string NeutraliseLineBreaks(std::string_view value)
{
    std::string result(value);
    std::replace(result.begin(), result.end(), '\r', ' ');
    std::replace(result.begin(), result.end(), '\n', ' ');
    return result;
}

}  // namespace

IniFile IniFile::Load(const quorvel::Path& path)
{
    const quorvel::Path resolved = ResolveFileNoCase(path);
    const auto content = path.empty() ? std::nullopt : ReadWholeFile(resolved);
    IniFile ini = Parse(resolved, content ? *content : std::string_view());
    ini.unreadable_ = !content && !path.empty() && FileExists(resolved);
    return ini;
}

IniFile IniFile::LoadReadable(const quorvel::Path& path)
{
    IniFile ini = Load(path);
    if (ini.unreadable_)
        throw FileReadError(ini.path_);
    return ini;
}

IniFile IniFile::Parse(const quorvel::Path& path, std::string_view content)
{
    IniFile ini;
    ini.path_ = path;
    LineCursor cursor(content);
    std::string_view text;
    while (cursor.Next(text)) {
        Line line;
        line.text = std::string(text);
        const std::string_view t = TrimBlanks(line.text);
        if (!t.empty() && t.front() == '[') {
            const size_t close = t.find(']');
            line.kind = Kind::Section;
            line.name = std::string(TrimBlanks(t.substr(1, close == npos ? npos : close - 1)));
        } else if (!t.empty() && t.front() != ';') {
            const size_t eq = t.find('=');
            if (eq != npos) {
                line.kind = Kind::Pair;
                line.name = std::string(TrimBlanks(t.substr(0, eq)));
                line.value = std::string(TrimBlanks(t.substr(eq + 1)));
            }
        }
        ini.lines_.push_back(std::move(line));
    }
    return ini;
}

size_t IniFile::FindSection(std::string_view section) const
{
    const std::string_view name = TrimBlanks(section);
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && Cp1252::EqualsNoCase(lines_[i].name, name))
            return i;
    return npos;
}

size_t IniFile::SectionEnd(size_t h) const
{
    size_t i = h + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section)
        ++i;
    return i;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const
{
    const size_t h = FindSection(section);
    if (h == npos)
        return std::nullopt;
    const std::string_view name = TrimBlanks(key);
    const size_t end = SectionEnd(h);
    for (size_t i = h + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Pair && Cp1252::EqualsNoCase(lines_[i].name, name))
            return Unquote(lines_[i].value);
    return std::nullopt;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    if (auto value = Value(section, key))
        return std::move(*value);
    return std::string(def);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const
{
    const auto value = Value(section, key);
    if (!value)
        return def;
    return ToInteger(*value, def);
}

int IniFile::ToInteger(std::string_view text, int def) { return ParseInteger(text).value_or(def); }

std::optional<int64_t> IniFile::KeyIndex(std::string_view key, std::string_view prefix)
{
    if (!StartsWithNoCase(key, prefix))
        return std::nullopt;
    return CanonicalIndex(key.substr(prefix.size()));
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section) != npos; }

std::vector<std::string> IniFile::SectionNames() const
{
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.kind != Kind::Section)
            continue;
        const bool seen = std::any_of(names.begin(), names.end(),
                                      [&](const std::string& n) { return Cp1252::EqualsNoCase(n, line.name); });
        if (!seen)
            names.push_back(line.name);
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> IniFile::SectionValues(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> pairs;
    const size_t h = FindSection(section);
    if (h == npos)
        return pairs;
    const size_t end = SectionEnd(h);
    for (size_t i = h + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Pair)
            pairs.emplace_back(lines_[i].name, Unquote(lines_[i].value));
    return pairs;
}

std::vector<std::string> IniFile::ReadIndexedList(std::string_view section, std::string_view prefix,
                                                  bool keepEmpty) const
{
    std::vector<std::string> result;
    const size_t h = FindSection(section);
    if (h == npos)
        return result;
    const int count = ReadInteger(section, "Count", 0);
    if (count <= 0)
        return result;
    const size_t end = SectionEnd(h);
    std::vector<std::pair<int64_t, size_t>> found;  // index, line
    for (size_t i = h + 1; i < end; ++i) {
        const Line& line = lines_[i];
        if (line.kind != Kind::Pair)
            continue;
        const auto index = KeyIndex(line.name, prefix);
        if (index && *index < count)
            found.emplace_back(*index, i);
    }
    // Stable: of two keys with the same index the first one wins, as a lookup by name would.
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t k = 0; k < found.size(); ++k) {
        if (k > 0 && found[k].first == found[k - 1].first)
            continue;
        std::string value = Unquote(lines_[found[k].second].value);
        if (keepEmpty || !value.empty())
            result.push_back(std::move(value));
    }
    return result;
}

bool IniFile::IsValidSectionName(std::string_view name)
{
    name = TrimBlanks(name);
    return !name.empty() && name.find_first_of("]=\r\n") == npos;
}

std::string IniFile::HoldableSectionName(std::string_view name)
{
    if (IsValidSectionName(name))
        return std::string(name);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string held;
    for (const char c : name) {
        if (c == ']' || c == '=' || c == '\r' || c == '\n') {
            const auto byte = static_cast<unsigned char>(c);
            held += '%';
            held += kHex[byte >> 4];
            held += kHex[byte & 15];
        } else {
            held += c;
        }
    }
    return held;
}

bool IniFile::IsValidKeyName(std::string_view name)
{
    // A key starting with "[" or ";" would read back as a section header or a comment.
    name = TrimBlanks(name);
    return !name.empty() && name.find_first_of("]=\r\n") == npos && name.front() != '[' && name.front() != ';';
}

void IniFile::CheckNames(std::string_view section, std::string_view key) const
{
    if (!IsValidSectionName(section))
        throw std::invalid_argument("Invalid section name \"" + std::string(section) + "\" for " + path_.Bytes());
    if (!IsValidKeyName(key))
        throw std::invalid_argument("Invalid key name \"" + std::string(key) + "\" for " + path_.Bytes());
}

void IniFile::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    CheckNames(section, key);
    const std::string_view keyName = TrimBlanks(key);
    Line pair;
    pair.kind = Kind::Pair;
    pair.name = std::string(keyName);
    const std::string text = NeutraliseLineBreaks(value);
    pair.value = std::string(TrimBlanks(text));

    size_t h = FindSection(section);
    if (h == npos) {
        Line header;
        header.kind = Kind::Section;
        header.name = std::string(TrimBlanks(section));
        header.text = "[" + header.name + "]";
        lines_.push_back(std::move(header));
        h = lines_.size() - 1;
    }
    const size_t end = SectionEnd(h);
    size_t insertAt = h + 1;
    for (size_t i = h + 1; i < end; ++i) {
        Line& line = lines_[i];
        if (line.kind != Kind::Pair)
            continue;
        if (Cp1252::EqualsNoCase(line.name, keyName)) {
            line.value = pair.value;
            line.text = line.name + "=" + text;
            return;
        }
        insertAt = i + 1;
    }
    pair.text = pair.name + "=" + text;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(pair));
}

void IniFile::EraseSection(std::string_view section)
{
    const std::string_view name = TrimBlanks(section);
    std::vector<Line> kept;
    kept.reserve(lines_.size());
    bool erasing = false;
    for (Line& line : lines_) {
        if (line.kind == Kind::Section)
            erasing = Cp1252::EqualsNoCase(line.name, name);
        if (!erasing)
            kept.push_back(std::move(line));
    }
    lines_ = std::move(kept);
}

void IniFile::WriteIndexedList(std::string_view section, std::string_view prefix,
                               const std::vector<std::string>& values)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    pairs.reserve(values.size() + 1);
    pairs.emplace_back("Count", std::to_string(values.size()));
    for (size_t i = 0; i < values.size(); ++i)
        pairs.emplace_back(std::string(prefix) + std::to_string(i), values[i]);
    ReplaceSection(section, pairs);
}

void IniFile::ReplaceSection(std::string_view section, const std::vector<std::pair<std::string, std::string>>& pairs)
{
    if (!IsValidSectionName(section))
        throw std::invalid_argument("Invalid section name \"" + std::string(section) + "\" for " + path_.Bytes());
    for (const auto& [key, value] : pairs)
        CheckNames(section, key);

    const size_t h = FindSection(section);
    size_t at = lines_.size();
    Line header;
    header.kind = Kind::Section;
    header.name = std::string(TrimBlanks(section));
    header.text = "[" + header.name + "]";
    if (h != npos) {
        at = h;
        header = lines_[h];
    }
    EraseSection(section);

    std::vector<Line> block;
    block.reserve(pairs.size() + 1);
    block.push_back(std::move(header));
    for (const auto& [key, value] : pairs) {
        Line pair;
        pair.kind = Kind::Pair;
        pair.name = std::string(TrimBlanks(key));
        const std::string text = NeutraliseLineBreaks(value);
        pair.value = std::string(TrimBlanks(text));
        pair.text = pair.name + "=" + text;
        block.push_back(std::move(pair));
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(block.begin()),
                  std::make_move_iterator(block.end()));
}

std::string IniFile::ToString() const
{
    size_t size = 0;
    for (const Line& line : lines_)
        size += line.text.size() + 2;
    std::string out;
    out.reserve(size);
    for (const Line& line : lines_) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

void IniFile::Save() const
{
    // Writing over a file that could not be read would drop its other lines.
    if (unreadable_)
        throw FileReadError(path_);
    WriteFileAtomic(path_, ToString());
}

}  // namespace quorvel
