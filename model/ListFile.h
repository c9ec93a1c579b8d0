#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/BaseCustomListClass.h"
#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

namespace quorvel {

// A file that could not be opened or read: "Cannot open file " + name.
class FileOpenError : public FileError {
public:
    explicit FileOpenError(const Path& fileName) : FileError("Cannot open file ", fileName) { }
};

// The list type of a list file from its first lines; ltNone for anything that is no list file,
// an unreadable file included. Reads only the start of the file.
TListType GetListFileType(const Path& fileName);
// The list properties of a list file; "Unknown" four times for anything that is no list file.
// A value whose escapes do not decode is answered as it stands in the file.
void GetListFileInfo(const Path& fileName, std::string& listType, std::string& owner, std::string& platform,
                     std::string& description);

// Type and properties from one read of the start of a file; a file that cannot be read is no list.
struct ListFilePeek {
    TListType Type = ltNone;
    std::string ListType, Owner, Platform, Description;
};
ListFilePeek PeekListFile(const Path& fileName);

// The same over the first bytes of a file (whatever of it has been read).
TListType ListFileTypeOf(std::string_view head);
void ListFileInfoOf(std::string_view head, std::string& listType, std::string& owner, std::string& platform,
                    std::string& description);

// The list-file reader and writer over bytes in memory; LoadFromFile and SaveToFile wrap them.
// Reading replaces the list's content only when the whole text reads; Name becomes its FileName.
void ReadListFileText(TBaseCustomListClass& list, std::string_view text, const Path& name);
// The whole file as it would be saved; throws, naming item and field, for a value that does not convert.
std::string ListFileText(const TBaseCustomListClass& list);

// How many items the list-file reader has made in this process, those of reads that then failed
// included: a file refused for its size or a line's length makes none.
uint64_t ItemsMadeByReader();

// Which item field each column of a field-name line fills, worked out once. Of several columns naming
// one field only the last counts (it would overwrite the others), so that a line costs its own length
// and the fields of one item, however long the name line is. Only the columns that name a field are
// kept: a name line of millions of empty or unknown names costs no more than one of the item's.
class ColumnMap {
public:
    // From the field-name line itself, split as GetCSVField splits (names of any case).
    ColumnMap(std::string_view nameLine, const TBaseCustomClass& prototype);

    // Calls set(position, text) for every field a column names, with the line's value for that column;
    // a field whose column the line lacks gets the empty text. A Set that takes a third argument
    // learns whether the text holds a "%".
    template <typename Set> void ForEachValue(std::string_view line, Set&& set) const
    {
        const auto give = [&](int32_t p, std::string_view field, bool percent) {
            if constexpr (std::is_invocable_v<Set&, int32_t, std::string_view, bool>)
                set(p, field, percent);
            else
                set(p, field);
        };
        size_t column = 0, k = 0;
        const size_t used = filled_.size();
        if (used > 0) {
            ForEachListField(line, [&](std::string_view field, bool percent) {
                if (column++ == filled_[k].first) {
                    give(filled_[k].second, field, percent);
                    ++k;
                }
                return k < used;
            });
        }
        // Only a short line leaves columns without a value.
        for (; k < used; ++k)
            give(filled_[k].second, std::string_view(), false);
    }

    // The columns kept, each with the field it fills.
    size_t Size() const { return filled_.size(); }

private:
    std::vector<std::pair<size_t, int32_t>> filled_;  // column and field, column order
};

// The field names of the list's first item, or of a fresh item of its kind when it has none.
std::vector<std::string> ItemFieldNames(const TBaseCustomListClass& list);
// The names upper-cased, each in double quotes, joined by commas.
std::string FieldNamesLine(const std::vector<std::string>& names);

// "longer than N bytes, the most a line of a list file may hold": what every refusal of a long line says.
std::string LongerThanLineBound();
// Whether the writer makes the line of Item (over its own fields) within MaxLineBytes; with Field, as
// if that field held Value. Cheap unless the item's texts come near the bound.
bool ItemLineFits(const TBaseCustomClass& item, int32_t field = -1, const FieldValue* value = nullptr);
// Whether the writer makes line 2 of a list with these properties within MaxLineBytes.
bool PropertiesLineFits(const std::string& listType, std::string_view platform, std::string_view owner,
                        std::string_view description);

// One item line into Out over fields resolved once (-1: no such field, written as empty text).
// ItemNumber (1-based, 0 unknown) names the item in a conversion error.
void AppendItemLine(std::string& out, const TBaseCustomClass& item, const std::vector<int32_t>& positions,
                    int64_t itemNumber);

}  // namespace quorvel
