#include "platform/ProgramFolder.h"

#include "platform/FileNames.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quorvel {

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

NoHomeError::NoHomeError()
    : std::runtime_error("Neither QUORVEL_HOME nor HOME is set to a folder, so there is no place to keep "
                         "the configuration and the lists. Set QUORVEL_HOME to a folder and start again.")
{
}

Path WritableProgramDir()
{
    Path dir(Env("QUORVEL_HOME"));
    if (dir.empty()) {
        const std::string xdg = Env("XDG_DATA_HOME");
        const std::string home = Env("HOME");
        if (!xdg.empty() && xdg.front() == '/')
            dir = JoinPath(Path(xdg), "Quorvel");
        else if (!home.empty() && home.front() == '/')
            dir = JoinPath(Path(home), ".local/share/Quorvel");
        else
            throw NoHomeError();
    }
    dir = WithTrailingSlash(dir);
    // A folder that cannot be made shows up as "Unable to write to ..." at the first write.
    std::error_code ec;
    fs::create_directories(dir.Bytes(), ec);
    return dir;
}

Path ShippedDataDir()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    const fs::path bin = ec ? fs::current_path(ec) : exe.parent_path();
    const fs::path beside = bin / "data";
    if (fs::is_directory(beside, ec))
        return WithTrailingSlash(Path(beside.string()));
    const fs::path installed = (bin / ".." / "share" / "quorvel" / "data").lexically_normal();
    if (fs::is_directory(installed, ec))
        return WithTrailingSlash(Path(installed.string()));
    return WithTrailingSlash(Path(beside.string()));
}

void CopyMissingFiles(const Path& source, const Path& target)
{
    std::error_code ec;
    fs::recursive_directory_iterator it(source.Bytes(), ec);
    if (ec)
        return;
    fs::create_directories(target.Bytes(), ec);
    for (const fs::recursive_directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            return;
        const fs::path relative = it->path().lexically_relative(source.Bytes());
        const fs::path to = fs::path(target.Bytes()) / relative;
        std::error_code ignored;
        if (it->is_directory(ignored))
            fs::create_directories(to, ignored);
        else if (it->is_regular_file(ignored) &&
                 !FindFileNoCase(Path(to.parent_path().string()), Path(to.filename().string()))) {
            // The copy is the user's own to change, however the shipped file was installed.
            if (fs::copy_file(it->path(), to, fs::copy_options::skip_existing, ignored))
                fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ignored);
        }
    }
}

}  // namespace quorvel
