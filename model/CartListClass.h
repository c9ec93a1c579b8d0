#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/BaseCustomListClass.h"
#include "model/ItemClasses.h"

namespace quorvel {

class TColumnListClass;

class TCartListClassException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A media list: TCartClass items. Construction leaves the process sorting by Title, ascending.
class TCartListClass : public TBaseCustomListClass {
public:
    TCartListClass();
    ~TCartListClass() override = default;

    std::unique_ptr<TBaseCustomClass> CreateItem() const override { return std::make_unique<TCartClass>(); }
    TListType Kind() const override { return ltMedia; }

    // Index of the first item whose field text equals Value ignoring case, or -1; the loose form
    // also ignores blanks and punctuation. For many look-ups build a FieldValueIndex once.
    int32_t IndexOfFieldValue(std::string_view fieldName, std::string_view value) const;
    int32_t IndexOfFieldValueLoose(std::string_view fieldName, std::string_view value) const;

    // List file, export file and clipboard text (defined with the file code).
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName, bool backup, bool overwrite);
    void ExportToFile(const std::string& fileName, const TColumnListClass& columns);
    void GetItemText(int32_t index, std::string& text) const;
    void PasteFromText(const std::string& text);
};

}  // namespace quorvel
