#include "model/PropertyLayout.h"

#include "model/FieldSet.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/SafeFile.h"

#include <algorithm>
#include <map>

namespace quorvel {

namespace {

constexpr size_t kTopOffset = 0;
constexpr size_t kLeftOffset = 4;
constexpr size_t kWidthOffset = 8;
constexpr size_t kHeightOffset = 12;
constexpr size_t kFieldNameOffset = 16;
constexpr size_t kCaptionOffset = 272;
constexpr size_t kCaptionLocationOffset = 528;
constexpr size_t kOptionTabOffset = 532;
constexpr size_t kMaxText = kLayoutTextSize - 1;
// An INI layout is a few kilobytes; a bigger file is read only this far.
constexpr size_t kMaxCdlBytes = 1 << 20;

int32_t ReadInt32(std::string_view record, size_t offset)
{
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v |= uint32_t(static_cast<unsigned char>(record[offset + i])) << (8 * i);
    return static_cast<int32_t>(v);
}

void WriteInt32(std::string& record, size_t offset, int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i)
        record[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string ReadText(std::string_view record, size_t offset)
{
    const size_t length = static_cast<unsigned char>(record[offset]);
    return std::string(record.substr(offset + 1, length));
}

void WriteText(std::string& record, size_t offset, std::string_view text)
{
    text = text.substr(0, kMaxText);
    record[offset] = static_cast<char>(text.size());
    std::copy(text.begin(), text.end(), record.begin() + static_cast<std::ptrdiff_t>(offset + 1));
}

int32_t Clamp(int32_t v, int32_t low, int32_t high) { return std::clamp(v, low, high); }

// Places inside the dialog, sizes never negative, and a dialog big enough for its fixed buttons.
void BringIntoRange(PropertyLayout& layout)
{
    layout.Width = Clamp(layout.Width, kMinDialogWidth, kMaxLayoutExtent);
    layout.Height = Clamp(layout.Height, kMinDialogHeight, kMaxLayoutExtent);
    for (auto& c : layout.Controls) {
        c.Top = Clamp(c.Top, 0, kMaxLayoutExtent);
        c.Left = Clamp(c.Left, 0, kMaxLayoutExtent);
        c.Width = Clamp(c.Width, 0, kMaxLayoutExtent);
        c.Height = Clamp(c.Height, 0, kMaxLayoutExtent);
    }
}

}  // namespace

PropertyLayout ParseCdbLayout(std::string_view bytes)
{
    PropertyLayout layout;
    const size_t records = std::min(bytes.size() / kLayoutRecordSize, kMaxLayoutControls + 1);
    for (size_t r = 0; r < records; ++r) {
        const std::string_view record = bytes.substr(r * kLayoutRecordSize, kLayoutRecordSize);
        if (r == 0) {
            layout.Width = ReadInt32(record, kWidthOffset);
            layout.Height = ReadInt32(record, kHeightOffset);
            continue;
        }
        LayoutRecord c;
        c.Top = ReadInt32(record, kTopOffset);
        c.Left = ReadInt32(record, kLeftOffset);
        c.Width = ReadInt32(record, kWidthOffset);
        c.Height = ReadInt32(record, kHeightOffset);
        c.FieldName = ReadText(record, kFieldNameOffset);
        c.Caption = ReadText(record, kCaptionOffset);
        c.CaptionLocation = ReadInt32(record, kCaptionLocationOffset);
        c.OptionTab = ReadInt32(record, kOptionTabOffset);
        layout.Controls.push_back(std::move(c));
    }
    BringIntoRange(layout);
    return layout;
}

std::string CdbLayoutBytes(const PropertyLayout& layout)
{
    std::string bytes;
    bytes.reserve((layout.Controls.size() + 1) * kLayoutRecordSize);
    const auto append = [&bytes](const LayoutRecord& c) {
        std::string record(kLayoutRecordSize, '\0');
        WriteInt32(record, kTopOffset, c.Top);
        WriteInt32(record, kLeftOffset, c.Left);
        WriteInt32(record, kWidthOffset, c.Width);
        WriteInt32(record, kHeightOffset, c.Height);
        WriteText(record, kFieldNameOffset, c.FieldName);
        WriteText(record, kCaptionOffset, c.Caption);
        WriteInt32(record, kCaptionLocationOffset, c.CaptionLocation);
        WriteInt32(record, kOptionTabOffset, c.OptionTab);
        bytes += record;
    };
    LayoutRecord dialog {0, 0, layout.Width, layout.Height, "", "", -1, -1};
    append(dialog);
    for (const auto& c : layout.Controls)
        append(c);
    return bytes;
}

PropertyLayout ParseCdlLayout(const Path& path, std::string_view content)
{
    const IniFile ini = IniFile::Parse(path, content);
    PropertyLayout layout;
    layout.Width = ini.ReadInteger("Dialog", "Width", 530);
    layout.Height = ini.ReadInteger("Dialog", "Height", 475);
    const int count = ini.ReadInteger("Controls", "ControlCount", 0);

    // Only the entry keys present are visited, first spelling wins: a huge count costs nothing.
    std::map<int, std::string> entries;
    for (const auto& [key, value] : ini.SectionValues("Controls")) {
        (void)value;
        if (key.size() <= 7 || key.size() > 17 || !Cp1252::EqualsNoCase(std::string_view(key).substr(0, 7), "Control"))
            continue;
        const std::string digits = key.substr(7);
        if (!std::all_of(digits.begin(), digits.end(), [](char ch) { return ch >= '0' && ch <= '9'; }) ||
            (digits.size() > 1 && digits.front() == '0'))
            continue;
        const long long index = std::stoll(digits);
        if (index < count)
            entries.emplace(static_cast<int>(index), key);
    }
    for (const auto& [index, key] : entries) {
        if (layout.Controls.size() >= kMaxLayoutControls)
            break;
        const std::string section = ini.ReadString("Controls", key, "");
        if (section.empty())
            continue;
        LayoutRecord c;
        c.Top = ini.ReadInteger(section, "Top", 16);
        c.Left = ini.ReadInteger(section, "Left", 88);
        c.Width = ini.ReadInteger(section, "Width", 300);
        c.Height = ini.ReadInteger(section, "Height", 21);
        c.FieldName = ini.ReadString(section, "FieldName", "").substr(0, kMaxText);
        c.Caption = ini.ReadString(section, "Caption", "").substr(0, kMaxText);
        c.CaptionLocation = ini.ReadInteger(section, "CaptionLocation", 0);
        c.OptionTab = ini.ReadInteger(section, "OptionTab", -1);
        layout.Controls.push_back(std::move(c));
    }
    BringIntoRange(layout);
    return layout;
}

std::string CdlLayoutText(const PropertyLayout& layout)
{
    IniFile ini = IniFile::Parse(Path(), "");
    ini.SetValue("Dialog", "Width", std::to_string(layout.Width));
    ini.SetValue("Dialog", "Height", std::to_string(layout.Height));
    ini.SetValue("Controls", "ControlCount", std::to_string(layout.Controls.size()));
    for (size_t i = 0; i < layout.Controls.size(); ++i) {
        const std::string section = "Control" + std::to_string(i);
        const LayoutRecord& c = layout.Controls[i];
        ini.SetValue("Controls", section, section);
        ini.SetValue(section, "Top", std::to_string(c.Top));
        ini.SetValue(section, "Left", std::to_string(c.Left));
        ini.SetValue(section, "Width", std::to_string(c.Width));
        ini.SetValue(section, "Height", std::to_string(c.Height));
        ini.SetValue(section, "FieldName", c.FieldName);
        ini.SetValue(section, "Caption", c.Caption);
        ini.SetValue(section, "CaptionLocation", std::to_string(c.CaptionLocation));
        ini.SetValue(section, "OptionTab", std::to_string(c.OptionTab));
    }
    return ini.ToString();
}

std::optional<Path> FindLayoutFile(const Path& configFolder, const std::string& listType,
                                   const std::string& platform, Path* missingName)
{
    const std::string ext = ".CDB";
    const std::string prefix = "Properties_" + listType + "_";
    const std::string fallback = prefix + "Default" + ext;
    if (missingName)
        *missingName = JoinPath(configFolder, PathFromText(fallback));
    if (!IsSafeName(listType))
        return std::nullopt;
    if (IsSafeName(platform)) {
        if (auto own = FindTextFileNoCase(configFolder, prefix + platform + ext); own && !DirectoryExists(*own))
            return own;
    }
    if (auto fallbackFile = FindTextFileNoCase(configFolder, fallback); fallbackFile && !DirectoryExists(*fallbackFile))
        return fallbackFile;
    return std::nullopt;
}

std::optional<PropertyLayout> LoadLayoutFile(const Path& path)
{
    const bool cdl = Cp1252::EqualsNoCase(ExtractFileExt(path), ".CDL");
    const size_t limit = cdl ? kMaxCdlBytes : (kMaxLayoutControls + 1) * kLayoutRecordSize;
    const auto bytes = ReadFileStart(path, limit);
    if (!bytes)
        return std::nullopt;
    return cdl ? ParseCdlLayout(path, *bytes) : ParseCdbLayout(*bytes);
}

void SaveCdbLayout(const Path& path, const PropertyLayout& layout)
{
    WriteFileAtomic(path, CdbLayoutBytes(layout));
}

PropertyLayout DefaultPropertyLayout(const FieldSet& fields)
{
    constexpr int32_t kMargin = 12;
    constexpr int32_t kTopMargin = 8;
    constexpr int32_t kColumnWidth = 200;
    constexpr int32_t kColumnGap = 16;
    constexpr int32_t kControlHeight = 24;
    constexpr int32_t kRowGap = 8;
    constexpr int32_t kOptionWidth = 26;
    constexpr int32_t kManufacturersPage = 5;
    constexpr int32_t kLookupDataPage = 6;

    // A check box shows its own caption; edits and drop-down lists carry a label above them.
    const auto cellHeight = [&](const FieldDefinition& f) {
        return f.DataType == dtBoolean ? kControlHeight + 6 : kLayoutLabelHeight + 2 + kControlHeight + kRowGap;
    };
    const auto& defs = fields.Definitions();
    // The split into two columns that keeps the taller one lowest, field order kept.
    size_t split = defs.size();
    int32_t best = INT32_MAX;
    for (size_t s = 0; s <= defs.size(); ++s) {
        int32_t first = 0;
        int32_t second = 0;
        for (size_t i = 0; i < defs.size(); ++i)
            (i < s ? first : second) += cellHeight(defs[i]);
        if (std::max(first, second) < best) {
            best = std::max(first, second);
            split = s;
        }
    }

    PropertyLayout layout;
    layout.Width = kMargin + 2 * kColumnWidth + kColumnGap + kMargin + kLayoutButtonColumn;
    layout.Height = std::max(kTopMargin + best + kMargin - kRowGap, 3 * 32 + 2 * kMargin);
    int32_t y = kTopMargin;
    for (size_t i = 0; i < defs.size(); ++i) {
        if (i == split)
            y = kTopMargin;
        const FieldDefinition& f = defs[i];
        const int32_t left = kMargin + (i < split ? 0 : kColumnWidth + kColumnGap);
        LayoutRecord c;
        c.FieldName = f.Name;
        c.Caption = f.Caption;
        c.Left = left;
        c.Height = kControlHeight;
        if (f.DataType == dtBoolean) {
            c.Top = y;
            c.Width = kColumnWidth;
            c.CaptionLocation = 0;
            layout.Controls.push_back(c);
        } else {
            c.Top = y + kLayoutLabelHeight + 2;
            c.CaptionLocation = 1;
            c.Width = f.IsLookup ? kColumnWidth - kOptionWidth - 4 : kColumnWidth;
            layout.Controls.push_back(c);
            if (f.IsLookup) {
                LayoutRecord option = c;
                option.Caption = "...";
                option.Left = left + kColumnWidth - kOptionWidth;
                option.Width = kOptionWidth;
                option.CaptionLocation = 0;
                option.OptionTab =
                    Cp1252::EqualsNoCase(f.LookupFileKey, "%PLATFORM%") ? kManufacturersPage : kLookupDataPage;
                layout.Controls.push_back(option);
            }
        }
        y += cellHeight(f);
    }
    return layout;
}

}  // namespace quorvel
