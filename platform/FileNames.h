#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Path.h"

// File names of the program's own files ignore case; names taken from data must be checked before
// they become part of a path. A backslash is never a separator.
namespace quorvel {

// A name the program gives its own files, spelled in the source (ASCII, the same bytes in every
// encoding). It can be made from a constant only, so text from data never passes for one: such text
// joins a path through PathFromText.
class FixedName {
public:
    consteval FixedName(const char* name) : name_(name) { }
    std::string_view View() const { return name_; }

private:
    const char* name_;
};

// Folder + name with exactly one "/" between them; an empty folder gives the name.
Path JoinPath(const Path& folder, const Path& name);
Path JoinPath(const Path& folder, FixedName name);
// A name part from model text (Windows-1252) as the file system spells it (UTF-8).
Path PathFromText(std::string_view text);
// An empty folder stays empty (it must not become the root).
Path WithTrailingSlash(const Path& folder);

// Extension of the last name part, with its dot ("" when none).
std::string ExtractFileExt(const Path& path);
// Replaces or adds the extension; ext includes its dot (".BAK") or is empty to remove it.
Path ChangeFileExt(const Path& path, std::string_view ext);
Path ExtractFileName(const Path& path);
// The folder part ending with "/" ("" when the path has no folder).
Path ExtractFilePath(const Path& path);
// The folder part without its trailing "/" (except for the root).
Path ExtractFileDir(const Path& path);

// The path of an existing entry of Folder whose name equals Name ignoring case; an exact match wins.
std::optional<Path> FindFileNoCase(const Path& folder, const Path& name);
std::optional<Path> FindFileNoCase(const Path& folder, FixedName name);
// The same for a name from model text: found under its UTF-8 spelling, or under the Windows-1252
// bytes that an older program wrote as the name.
std::optional<Path> FindTextFileNoCase(const Path& folder, std::string_view text);
// That file, else Folder + the UTF-8 spelling (a write then creates it under that name).
Path ResolveTextFileNoCase(const Path& folder, std::string_view text);
// Path itself when it exists, else the existing file of the same folder whose name differs only in
// case, else Path unchanged (a write then creates it with this spelling).
Path ResolveFileNoCase(const Path& path);

// A name part taken from data: not empty, not "." or "..", no "/", "\", NUL or control characters.
bool IsSafeName(std::string_view name);
// A part of a name that may also be empty ("Media_View_.INI" for a list without a platform).
bool IsSafeNamePart(std::string_view part);
// Text made fit to be part of an offered file name: "/", "\" and a leading "~" become "-", a double
// quote becomes "'", NUL and control characters are dropped ("Smith/Jones" gives "Smith-Jones", never
// a folder "Smith"), so that the name the file dialog shows is the file written.
std::string SafeNamePart(std::string_view text);

// Absolute path with "." and ".." resolved lexically; how a list is identified.
Path AbsoluteCleanPath(const Path& path);

bool FileExists(const Path& path);
bool DirectoryExists(const Path& path);

}  // namespace quorvel
