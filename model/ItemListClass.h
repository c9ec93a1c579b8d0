#pragma once

#include <cstdint>
#include <string>

#include "model/BaseCustomListClass.h"

namespace quorvel {

class TColumnListClass;

// What the media and hardware lists share besides their items: the list file, the export file and
// the clipboard text (defined with the file code). Construction leaves the process sorting by Title,
// ascending.
class TItemListClass : public TBaseCustomListClass {
public:
    void LoadFromFile(const Path& fileName);
    void SaveToFile(const Path& fileName, bool backup, bool overwrite);
    // A hardware list exports the display texts of its values.
    void ExportToFile(const Path& fileName, const TColumnListClass& columns);
    void GetItemText(int32_t index, std::string& text) const;
    void PasteFromText(const std::string& text);

protected:
    explicit TItemListClass(const FieldSet& fields);
};

}  // namespace quorvel
