#include "platform/FileNames.h"

#include "platform/Cp1252.h"

#include <filesystem>
#include <system_error>

namespace quorvel {

namespace fs = std::filesystem;

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string result(folder);
    if (result.empty())
        return std::string(name);
    if (result.back() != '/')
        result += '/';
    while (!name.empty() && name.front() == '/')
        name.remove_prefix(1);
    result += name;
    return result;
}

std::string WithTrailingSlash(std::string_view folder)
{
    std::string result(folder);
    if (!result.empty() && result.back() != '/')
        result += '/';
    return result;
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

std::string ExtractFileExt(std::string_view path)
{
    const size_t dot = ExtDot(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext)
{
    const size_t dot = ExtDot(path);
    std::string result(path.substr(0, dot));
    result += ext;
    return result;
}

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string ExtractFilePath(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string ExtractFileDir(std::string_view path)
{
    const size_t start = NameStart(path);
    if (start == 0)
        return std::string();
    if (start == 1)
        return "/";
    return std::string(path.substr(0, start - 1));
}

std::optional<std::string> FindFileNoCase(std::string_view folder, std::string_view name)
{
    if (name.empty())
        return std::nullopt;
    const std::string exact = JoinPath(folder, name);
    std::error_code ec;
    if (fs::exists(exact, ec))
        return exact;
    const fs::path dir = folder.empty() ? fs::path(".") : fs::path(std::string(folder));
    fs::directory_iterator it(dir, ec);
    if (ec)
        return std::nullopt;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        const std::string entry = it->path().filename().string();
        if (Cp1252::EqualsNoCase(entry, name))
            return JoinPath(folder, entry);
    }
    return std::nullopt;
}

std::string ResolveFileNoCase(const std::string& path)
{
    std::error_code ec;
    if (path.empty() || fs::exists(path, ec))
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
        if (c == '/' || c == '\\')
            part += '-';
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

std::string AbsoluteCleanPath(const std::string& path)
{
    if (path.empty())
        return path;
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec)
        absolute = path;
    std::string result = absolute.lexically_normal().string();
    if (result.size() > 1 && result.back() == '/')
        result.pop_back();
    return result;
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool DirectoryExists(const std::string& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

}  // namespace quorvel
