#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Path.h"

namespace quorvel {

class PlatformList;

// The reference data of the configuration folder: the platform list (Platforms.ini), each platform's
// manufacturers and System ID (the platform's own INI file) and the lookup tables (General.ini). Files
// are named from G_ConfigFiles and G_PlatformsFile at each call; reads never fail, writes throw
// FileWriteError.
class ReferenceData {
public:
    // The options dialog shows every entry of a manufacturer or lookup list, empty ones included; the
    // lookup list of a field offers only the entries that hold text.
    enum class EmptyEntries { Keep, Skip };

    // Platforms.ini -> the list; the names refused, one per name, for the caller to report.
    static std::vector<std::string> LoadPlatforms(PlatformList& platforms);
    // The list -> Platforms.ini, only when it was changed.
    static void SavePlatforms(const PlatformList& platforms);

    // Section Mfg of the platform's file; nothing for a name that cannot be a file name.
    static std::vector<std::string> Manufacturers(std::string_view platform, EmptyEntries empty);
    static void SaveManufacturers(std::string_view platform, const std::vector<std::string>& names);
    // Key SystemID of section SystemID of the platform's file ("" when absent).
    static std::string SystemId(std::string_view platform);
    static void SaveSystemId(std::string_view platform, std::string_view id);
    // The platform's file for a write; a name that cannot be a file name throws
    // std::runtime_error ("The Platform Name ... can not be used as a file name.").
    static Path WritablePlatformFile(std::string_view platform);

    static Path GeneralFile();
    // The table names of section Lookup of General.ini; empty entries are skipped. This and
    // LookupValues throw FileReadError for a General.ini that exists and cannot be read.
    static std::vector<std::string> LookupTables();
    // A table's section: its name with every blank removed ("Media Type" -> "MediaType").
    static std::string LookupSection(std::string_view table);
    static std::vector<std::string> LookupValues(std::string_view section, EmptyEntries empty);
    static void SaveLookupValues(std::string_view section, const std::vector<std::string>& values);

    // The file a field's lookup key names in the configuration folder: "%PLATFORM%" the platform's,
    // "%LISTTYPE%" the list type's, "%GENERAL%" General.INI. Nothing for any other key; "" when the
    // name cannot be a file name, which reads as a missing file.
    static std::optional<Path> FieldLookupFile(const std::string& fileKey, const std::string& platform,
                                               const std::string& listType);
    // A lookup section of that file, in key order.
    static std::vector<std::string> FieldLookupValues(const Path& file, std::string_view section,
                                                      EmptyEntries empty);
};

}  // namespace quorvel
