#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Path.h"

namespace quorvel {

// The configured platforms, kept sorted without regard to case. Other windows ask it whether a list's
// platform is configured and copy its names; the options dialog edits it.
class PlatformList {
public:
    // Replaces the names by those of section Platforms of the file. Empty values are skipped; names
    // that are no valid platform name are skipped and returned, one per name, for the caller to report.
    // A file that exists and cannot be read throws FileReadError and changes nothing.
    std::vector<std::string> Load(const Path& platformsFile);
    // Rewrites section Platforms (Count, then PlatForm0, PlatForm1, ... in list order) when the names
    // were changed since Load or the last Save: otherwise the user's own edits of the file, and names
    // refused at load, stay.
    void Save(const Path& platformsFile) const;
    bool Changed() const { return changed_; }

    const std::vector<std::string>& Names() const { return names_; }
    // Exact but ignoring case.
    bool Contains(std::string_view name) const;
    int IndexOf(std::string_view name) const;
    void SetNames(std::vector<std::string> names);

    // False for a name holding one of ? " / \ < > * | : $, and for any name that is not a safe file
    // name part (empty, "." or "..", control characters): platform names become file names.
    static bool IsValidPlatformName(std::string_view name);
    // The characters a platform name may not hold, as the messages list them.
    static constexpr const char* RefusedCharacters = "?\"/\\<>*|:$";
    static bool HasRefusedCharacter(std::string_view name);
    // The platform's own file in G_ConfigFiles (found ignoring case); nothing for an invalid name.
    static std::optional<Path> PlatformFile(std::string_view name);

private:
    std::vector<std::string> names_;
    mutable bool changed_ = false;
};

// Sorts names without regard to case, keeping the order of names that differ only in case.
void SortNoCase(std::vector<std::string>& names);

}  // namespace quorvel
