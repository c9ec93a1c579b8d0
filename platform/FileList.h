#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Attribute bits of a directory entry, as the program's results carry them. Linux has no such bits:
// read-only is a file without its owner's write permission, hidden a name beginning with "." other
// than "." and ".." themselves, system anything that is neither a regular file nor a folder (devices,
// pipes, sockets, broken links).
inline constexpr int32_t faReadOnly = 1;
inline constexpr int32_t faHidden = 2;
inline constexpr int32_t faSysFile = 4;
inline constexpr int32_t faVolumeID = 8;
inline constexpr int32_t faDirectory = 16;
inline constexpr int32_t faArchive = 32;

enum TFileTypes { ftNormal, ftReadOnly, ftHidden, ftSysFile, ftVolumeID, ftDirectory, ftArchive };

// A set of TFileTypes, one bit each in declaration order.
class TFileListFileTypes {
public:
    TFileListFileTypes() = default;
    TFileListFileTypes(std::initializer_list<TFileTypes> types)
    {
        for (const auto type : types)
            bits_ |= Bit(type);
    }
    bool Has(TFileTypes type) const { return (bits_ & Bit(type)) != 0; }
    bool operator==(const TFileListFileTypes&) const = default;

private:
    static uint8_t Bit(TFileTypes type) { return static_cast<uint8_t>(1u << type); }
    uint8_t bits_ = 0;
};

enum TSortByField { sfName, sfSize, sfDate, sfAttributes };

// One directory entry as the search meets it.
struct TSearchRec {
    std::string Name;  // the entry's name, without its folder
    double Time = 0;   // last write, local time, days since 30 December 1899
    int64_t Size = 0;
    int32_t Attr = 0;
};

// One file found.
struct TcSearchRec {
    std::string FileName;  // the folder searched, ending with "/", + the entry's name
    double Date = 0;       // last write, local time, days since 30 December 1899
    int64_t Size = 0;
    int32_t Attr = 0;
};

// Lists the files of a folder that match a name mask and a set of file types, optionally going
// breadth-first into subfolders, optionally sorted. The search runs to its end without letting the
// window system run anything in between, so nothing can start a second search meanwhile.
class TcFileList {
public:
    using GetFileEvent = std::function<void(const std::string& currentPath, TSearchRec& searchRec, bool& abortProcess)>;
    using ChangeDirEvent = std::function<void(const std::string& currentPath, bool& abortProcess)>;

    TcFileList() = default;
    TcFileList(const TcFileList&) = delete;
    TcFileList& operator=(const TcFileList&) = delete;

    // Wildcards "*" and "?", matched ignoring case; "*.*" (and "*") match every name. An empty mask
    // becomes "*.*" at the first search.
    std::string SearchMask;
    // Without it nothing is searched.
    std::string SearchPath;
    // Raised for every entry the search meets: its name matches the mask, and it is no hidden, system or
    // folder entry unless that kind is asked for (folders are met too when searching subfolders). "."
    // and ".." are met like any folder; they are never results. Setting AbortProcess ends the search.
    GetFileEvent OnGetFile;
    // Raised when the search moves into a queued subfolder.
    ChangeDirEvent OnChangeDir;
    TFileListFileTypes FileTypes;
    TSortByField SortBy = sfName;
    bool SearchSubDirectories = false;

    bool Sorted() const { return sorted_; }
    // Stores the value; true sorts the results at once.
    void SetSorted(bool sorted);

    // Replaces the results. With subfolders, the folders met through the mask are visited breadth-first
    // ("*.*" visits every one, "*.csv" only those whose names end in ".csv"), except those whose names
    // begin with "."; a folder reached twice (through links) is searched once, and a folder where
    // nothing matches does not end the search.
    void Search();
    int32_t Count() const { return static_cast<int32_t>(results_.size()); }
    // Null outside 0 .. Count() - 1.
    const TcSearchRec* Items(int32_t index) const;
    void Clear() { results_.clear(); }
    void Delete(int32_t index);
    // By SortBy, ascending, when Sorted; equal keys keep their order.
    void Sort();

    // Whether Name matches Mask ignoring case, with the rules of SearchMask.
    static bool MatchesMask(const std::string& name, const std::string& mask);

private:
    struct SearchState;

    bool MatchesFileTypes(int32_t attr) const;
    int32_t ExcludedAttributes() const;
    // One folder of the search; true when a callback asked to stop.
    bool SearchFolder(SearchState& state);
    // Keeps an entry the mask and types let through and raises OnGetFile; true when it asked to stop.
    bool ReportEntry(const std::string& currentPath, std::string_view name, int32_t attr, int64_t size, double time);

    std::vector<std::unique_ptr<TcSearchRec>> results_;
    bool sorted_ = false;
};

}  // namespace quorvel
