#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/BaseCustomListClass.h"
#include "model/ListFactory.h"

namespace quorvel {

// A file that could not be opened or read: "Cannot open file " + name.
class FileOpenError : public std::runtime_error {
public:
    explicit FileOpenError(const std::string& fileName) : std::runtime_error("Cannot open file " + fileName) {}
};

// The list type of a list file from its first lines; ltNone for anything that is no list file,
// an unreadable file included. Reads only the start of the file.
TListType GetListFileType(const std::string& fileName);
// The list properties of a list file; "Unknown" four times for anything that is no list file.
// A value whose escapes do not decode is answered as it stands in the file.
void GetListFileInfo(const std::string& fileName, std::string& listType, std::string& owner, std::string& platform,
                     std::string& description);

// Type and properties from one read of the start of a file; a file that cannot be read is no list.
struct ListFilePeek {
    TListType Type = ltNone;
    std::string ListType, Owner, Platform, Description;
};
ListFilePeek PeekListFile(const std::string& fileName);

// The same over the first bytes of a file (whatever of it has been read).
TListType ListFileTypeOf(std::string_view head);
void ListFileInfoOf(std::string_view head, std::string& listType, std::string& owner, std::string& platform,
                    std::string& description);

// The lines of a text: CR, LF and CR LF end a line; a final line break starts no further line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The list-file reader and writer over bytes in memory; LoadFromFile and SaveToFile wrap them.
// Reading replaces the list's content only when the whole text reads; Name becomes its FileName.
void ReadListFileText(TBaseCustomListClass& list, std::string_view text, const std::string& name);
// The whole file as it would be saved; throws, naming item and field, for a value that does not convert.
std::string ListFileText(const TBaseCustomListClass& list);

// The field names of the list's first item, or of a fresh item of its kind when it has none.
std::vector<std::string> ItemFieldNames(const TBaseCustomListClass& list);
// The names upper-cased, each in double quotes, joined by commas.
std::string FieldNamesLine(const std::vector<std::string>& names);

// One item line into Out over fields resolved once (-1: no such field, written as empty text).
// ItemNumber (1-based, 0 unknown) names the item in a conversion error.
void AppendItemLine(std::string& out, const TBaseCustomClass& item, const std::vector<int32_t>& positions,
                    int64_t itemNumber);

}  // namespace quorvel
