#include "platform/FileNames.h"

#include "platform/Cp1252.h"

#include <filesystem>
#include <system_error>

namespace quorvel {

namespace fs = std::filesystem;

Path JoinPath(const Path& folder, FixedName name) { return JoinPath(folder, Path::FromBytes(name.View())); }

Path PathFromText(std::string_view text) { return Path(Cp1252::ToUtf8(text)); }

Path JoinPath(const Path& folder, const Path& fileName)
{
    std::string_view name = fileName.Bytes();
    std::string result = folder.Bytes();
    if (result.empty())
        return Path(std::string(name));
    if (result.back() != '/')
        result += '/';
    while (!name.empty() && name.front() == '/')
        name.remove_prefix(1);
    result += name;
    return Path(std::move(result));
}

Path WithTrailingSlash(const Path& folder)
{
    std::string result = folder.Bytes();
    if (!result.empty() && result.back() != '/')
        result += '/';
    return Path(std::move(result));
}

namespace {

size_t NameStart(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

// Position of the extension's dot in the last name part, or npos.
size_t ExtDot(std::string_view path)
{
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < NameStart(path))
        return std::string_view::npos;
    return dot;
}

}  // namespace

std::string ExtractFileExt(const Path& file)
{
    const std::string_view path = file.Bytes();
    const size_t dot = ExtDot(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

Path ChangeFileExt(const Path& file, std::string_view ext)
{
    const std::string_view path = file.Bytes();
    const size_t dot = ExtDot(path);
    std::string result(path.substr(0, dot));
    result += ext;
    return Path(std::move(result));
}

Path ExtractFileName(const Path& file)
{
    const std::string_view path = file.Bytes();
    return Path::FromBytes(path.substr(NameStart(path)));
}

Path ExtractFilePath(const Path& file)
{
    const std::string_view path = file.Bytes();
    return Path::FromBytes(path.substr(0, NameStart(path)));
}

Path ExtractFileDir(const Path& file)
{
    const std::string_view path = file.Bytes();
    const size_t start = NameStart(path);
    if (start == 0)
        return Path();
    if (start == 1)
        return Path("/");
    return Path::FromBytes(path.substr(0, start - 1));
}

namespace {

// A name as text to compare ignoring case: UTF-8 read as the code page's characters where it can be,
// else its bytes as they are (a name an older program wrote in Windows-1252).
std::string NameText(std::string_view bytes)
{
    auto text = Cp1252::FromUtf8(bytes);
    return text ? std::move(*text) : std::string(bytes);
}

// The first entry of Folder that Matches, or nothing.
template <typename Matches> std::optional<Path> FindEntry(const Path& folder, Matches matches)
{
    std::error_code ec;
    const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder.Bytes());
    fs::directory_iterator it(dir, ec);
    if (ec)
        return std::nullopt;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        const std::string entry = it->path().filename().string();
        if (matches(entry))
            return JoinPath(folder, Path(entry));
    }
    return std::nullopt;
}

bool Exists(const Path& path)
{
    std::error_code ec;
    return fs::exists(path.Bytes(), ec);
}

}  // namespace

std::optional<Path> FindFileNoCase(const Path& folder, const Path& name)
{
    if (name.empty())
        return std::nullopt;
    Path exact = JoinPath(folder, name);
    if (Exists(exact))
        return exact;
    const std::string text = NameText(name.Bytes());
    return FindEntry(folder, [&](const std::string& entry) { return Cp1252::EqualsNoCase(NameText(entry), text); });
}

std::optional<Path> FindFileNoCase(const Path& folder, FixedName name)
{
    return FindFileNoCase(folder, Path::FromBytes(name.View()));
}

std::optional<Path> FindTextFileNoCase(const Path& folder, std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    for (Path exact : {JoinPath(folder, PathFromText(text)), JoinPath(folder, Path::FromBytes(text))}) {
        if (Exists(exact))
            return exact;
    }
    return FindEntry(folder, [&](const std::string& entry) {
        return Cp1252::EqualsNoCase(NameText(entry), text) || Cp1252::EqualsNoCase(entry, text);
    });
}

Path ResolveTextFileNoCase(const Path& folder, std::string_view text)
{
    if (auto found = FindTextFileNoCase(folder, text))
        return *found;
    return JoinPath(folder, PathFromText(text));
}

Path ResolveFileNoCase(const Path& path)
{
    std::error_code ec;
    if (path.empty() || fs::exists(path.Bytes(), ec))
        return path;
    if (auto found = FindFileNoCase(ExtractFileDir(path), ExtractFileName(path)))
        return *found;
    return path;
}

bool IsSafeNamePart(std::string_view part) { return part.empty() || IsSafeName(part); }

std::string SafeNamePart(std::string_view text)
{
    std::string part;
    part.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        // The file dialog reads text in double quotes as a list of names, and "~" or "~user" as a
        // home folder: what it shows must be the name written.
        if (c == '/' || c == '\\' || (c == '~' && part.empty()))
            part += '-';
        else if (c == '"')
            part += '\'';
        else if (c >= 0x20 && c != 0x7F)
            part += ch;
    }
    return part;
}

bool IsSafeName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\')
            return false;
    }
    return true;
}

Path AbsoluteCleanPath(const Path& path)
{
    if (path.empty())
        return path;
    std::error_code ec;
    fs::path absolute = fs::absolute(path.Bytes(), ec);
    if (ec)
        absolute = path.Bytes();
    std::string result = absolute.lexically_normal().string();
    if (result.size() > 1 && result.back() == '/')
        result.pop_back();
    return Path(std::move(result));
}

bool FileExists(const Path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path.Bytes(), ec);
}

bool DirectoryExists(const Path& path)
{
    std::error_code ec;
    return fs::is_directory(path.Bytes(), ec);
}

}  // namespace quorvel
