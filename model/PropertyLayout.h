#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Path.h"

namespace quorvel {

class FieldSet;

// One entry of a property-dialog layout: a control (or, first in a record file, the dialog itself).
struct LayoutRecord {
    int32_t Top = 16;
    int32_t Left = 88;
    int32_t Width = 300;
    int32_t Height = 21;
    std::string FieldName;  // an item field's internal name, compared ignoring case
    std::string Caption;
    int32_t CaptionLocation = 0;  // 0 label left of the control, 1 above it
    int32_t OptionTab = -1;       // -1 a data control, else an option button opening that options page
    bool operator==(const LayoutRecord&) const = default;
};

// A whole layout: the dialog's size and its controls in display and tab order. What the readers
// return is always usable: sizes and places are brought into range, the number of controls is bounded.
struct PropertyLayout {
    int32_t Width = 530;
    int32_t Height = 475;
    std::vector<LayoutRecord> Controls;
    bool operator==(const PropertyLayout&) const = default;
};

inline constexpr size_t kLayoutRecordSize = 536;
inline constexpr size_t kLayoutTextSize = 256;
// More controls than any item has fields and option buttons; the rest of a damaged file is ignored.
inline constexpr size_t kMaxLayoutControls = 64;
// Places and sizes are kept within this many pixels.
inline constexpr int32_t kMaxLayoutExtent = 4096;
inline constexpr int32_t kMinDialogWidth = 200;
inline constexpr int32_t kMinDialogHeight = 150;

// ".CDB": fixed 536-byte records without a header, little-endian, the first describing the dialog.
// A partial last record is ignored; an empty file gives the default size and no controls.
PropertyLayout ParseCdbLayout(std::string_view bytes);
std::string CdbLayoutBytes(const PropertyLayout& layout);

// ".CDL": the INI form (sections "Dialog", "Controls" and one per entry).
PropertyLayout ParseCdlLayout(const Path& path, std::string_view content);
std::string CdlLayoutText(const PropertyLayout& layout);

// The layout file for a list type and platform in the configuration folder, found ignoring case:
// "Properties_" + ListType + "_" + Platform, else "Properties_" + ListType + "_Default", with
// ".CDB". A platform that cannot be part of a file name uses the default. Nothing
// when neither exists; MissingName then receives the default file's path.
std::optional<Path> FindLayoutFile(const Path& configFolder, const std::string& listType,
                                   const std::string& platform, Path* missingName = nullptr);
// Reads the file in the form its extension names; nothing when it cannot be read. Only the first
// records a layout can use are read from a huge file.
std::optional<PropertyLayout> LoadLayoutFile(const Path& path);
// Writes the record form atomically; throws FileWriteError.
void SaveCdbLayout(const Path& path, const PropertyLayout& layout);

// The layout shipped for an item kind: every field in field order with its caption, in two columns
// left of the dialog's fixed buttons, and an option button beside each lookup field that opens the
// Manufacturers page (platform lists) or the Lookup Data page (general lists).
PropertyLayout DefaultPropertyLayout(const FieldSet& fields);

// Where the dialog keeps its fixed buttons: a column this wide at the right of the client area.
inline constexpr int32_t kLayoutButtonColumn = 100;
// The room a caption label above a control takes in the default layouts.
inline constexpr int32_t kLayoutLabelHeight = 18;

}  // namespace quorvel
