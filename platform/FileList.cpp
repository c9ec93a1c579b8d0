#include "platform/FileList.h"

#include "platform/Cp1252.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <ctime>
#include <deque>
#include <set>
#include <utility>

namespace quorvel {

namespace {

constexpr double kUnixEpochDays = 25569.0;  // 1 January 1970 in days since 30 December 1899

double LocalDays(const struct timespec& time)
{
    struct tm local { };
    const time_t seconds = time.tv_sec;
    localtime_r(&seconds, &local);
    const double shifted = static_cast<double>(seconds + local.tm_gmtoff) + time.tv_nsec / 1e9;
    return kUnixEpochDays + shifted / 86400.0;
}

using Identity = std::pair<dev_t, ino_t>;

// "." and "..": the folder itself and its parent, which every folder lists.
bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }

// A name that Linux hides from listings; "." and ".." are plain folders, as on systems with attributes.
bool IsHiddenName(std::string_view name) { return !name.empty() && name.front() == '.' && !IsDotEntry(name); }

// The attributes of an entry from its status (followed through a link; a broken link is the link's).
int32_t AttrOf(const struct stat& st, bool ok, std::string_view name)
{
    int32_t attr = 0;
    if (!ok || (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)))
        attr |= faSysFile;
    if (ok && S_ISDIR(st.st_mode))
        attr |= faDirectory;
    if (ok && (st.st_mode & S_IWUSR) == 0)
        attr |= faReadOnly;
    if (IsHiddenName(name))
        attr |= faHidden;
    return attr;
}

// Relative to the open folder, so that each entry costs a one-name lookup rather than a path walk.
bool StatAt(int dirFd, const char* name, struct stat& st)
{
    return ::fstatat(dirFd, name, &st, 0) == 0 || ::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0;
}

bool MaskMatches(std::string_view name, std::string_view mask)
{
    // Iterative wildcard match with one back-tracking point per "*".
    size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() &&
            (mask[m] == '?' ||
             Cp1252::ToUpper(static_cast<unsigned char>(mask[m])) ==
                 Cp1252::ToUpper(static_cast<unsigned char>(name[n])))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

}  // namespace

bool TcFileList::MatchesMask(const std::string& name, const std::string& mask)
{
    if (mask == "*.*" || mask == "*")
        return true;
    return MaskMatches(name, mask);
}

void TcFileList::SetSorted(bool sorted)
{
    sorted_ = sorted;
    if (sorted_)
        Sort();
}

const TcSearchRec* TcFileList::Items(int32_t index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return results_[static_cast<size_t>(index)].get();
}

void TcFileList::Delete(int32_t index)
{
    if (index >= 0 && index < Count())
        results_.erase(results_.begin() + index);
}

void TcFileList::Sort()
{
    if (!sorted_)
        return;
    const auto key = [this](const TcSearchRec& a, const TcSearchRec& b) {
        switch (SortBy) {
        case sfName:
            return a.FileName < b.FileName;
        case sfSize:
            return a.Size < b.Size;
        case sfDate:
            return a.Date < b.Date;
        case sfAttributes:
            return a.Attr < b.Attr;
        }
        return false;
    };
    std::stable_sort(results_.begin(), results_.end(), [&key](const auto& a, const auto& b) { return key(*a, *b); });
}

bool TcFileList::MatchesFileTypes(int32_t attr) const
{
    return FileTypes.Has(ftNormal) || (FileTypes.Has(ftReadOnly) && (attr & faReadOnly)) ||
        (FileTypes.Has(ftHidden) && (attr & faHidden)) || (FileTypes.Has(ftSysFile) && (attr & faSysFile)) ||
        (FileTypes.Has(ftVolumeID) && (attr & faVolumeID)) || (FileTypes.Has(ftDirectory) && (attr & faDirectory));
}

// What one search carries from folder to folder.
struct TcFileList::SearchState {
    std::string CurrentPath;
    int32_t Excluded = 0;  // attributes of entries never reported
    bool MatchAll = false;
    std::deque<std::string> Queue;
    std::set<Identity> Seen;  // folders searched or queued
};

int32_t TcFileList::ExcludedAttributes() const
{
    // Hidden, system, volume and folder entries are met only when their kind is asked for.
    int32_t excluded = 0;
    if (!FileTypes.Has(ftHidden))
        excluded |= faHidden;
    if (!FileTypes.Has(ftSysFile))
        excluded |= faSysFile;
    if (!FileTypes.Has(ftVolumeID))
        excluded |= faVolumeID;
    if (!FileTypes.Has(ftDirectory) && !SearchSubDirectories)
        excluded |= faDirectory;
    return excluded;
}

void TcFileList::Search()
{
    if (SearchPath.empty())
        return;
    if (SearchMask.empty())
        SearchMask = "*.*";
    Clear();

    SearchState state;
    state.Excluded = ExcludedAttributes();
    state.MatchAll = SearchMask == "*.*" || SearchMask == "*";
    state.CurrentPath = SearchPath.back() == '/' ? SearchPath : SearchPath + "/";
    struct stat root { };
    if (::stat(state.CurrentPath.c_str(), &root) == 0)
        state.Seen.insert({root.st_dev, root.st_ino});
    while (!SearchFolder(state) && !state.Queue.empty()) {
        state.CurrentPath = state.Queue.front() + "/";
        state.Queue.pop_front();
        if (OnChangeDir) {
            bool abortProcess = false;
            OnChangeDir(state.CurrentPath, abortProcess);
            if (abortProcess)
                break;
        }
    }
    Sort();
}

bool TcFileList::SearchFolder(SearchState& state)
{
    // Closed however the search of the folder ends, a callback that throws included.
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(state.CurrentPath.c_str()), ::closedir);
    if (!dir)
        return false;
    const int dirFd = ::dirfd(dir.get());
    while (const struct dirent* dirEntry = ::readdir(dir.get())) {
        const std::string_view name(dirEntry->d_name);
        // The mask decides which entries the search meets, folders to descend into included.
        if (IsHiddenName(name) && (state.Excluded & faHidden))
            continue;
        if (!state.MatchAll && !MaskMatches(name, SearchMask))
            continue;
        struct stat st { };
        const bool ok = StatAt(dirFd, dirEntry->d_name, st);
        const int32_t attr = AttrOf(st, ok, name);
        if ((attr & state.Excluded) != 0)
            continue;
        // A name beginning with "." ("." and ".." among them) is never descended into.
        if (SearchSubDirectories && (attr & faDirectory) && name.front() != '.' &&
            state.Seen.insert({st.st_dev, st.st_ino}).second)
            state.Queue.push_back(state.CurrentPath + std::string(name));
        const int64_t size = ok && S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : 0;
        if (ReportEntry(state.CurrentPath, name, attr, size, ok ? LocalDays(st.st_mtim) : 0))
            return true;
    }
    return false;
}

bool TcFileList::ReportEntry(const std::string& currentPath, std::string_view name, int32_t attr, int64_t size,
                             double time)
{
    if (MatchesFileTypes(attr) && !(attr & faDirectory) && !IsDotEntry(name)) {
        auto rec = std::make_unique<TcSearchRec>();
        rec->FileName.reserve(currentPath.size() + name.size());
        rec->FileName += currentPath;
        rec->FileName += name;
        rec->Date = time;
        rec->Size = size;
        rec->Attr = attr;
        results_.push_back(std::move(rec));
    }
    if (!OnGetFile)
        return false;
    TSearchRec searchRec;
    searchRec.Name = name;
    searchRec.Time = time;
    searchRec.Size = size;
    searchRec.Attr = attr;
    bool abortProcess = false;
    OnGetFile(currentPath, searchRec, abortProcess);
    return abortProcess;
}

}  // namespace quorvel
