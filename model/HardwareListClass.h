#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/BaseCustomListClass.h"
#include "model/ItemClasses.h"

namespace quorvel {

class TColumnListClass;

class THardwareListClassException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A hardware list: THardwareClass items. Construction leaves the process sorting by Title,
// ascending (a field hardware items lack, so such a sort keeps the list's order).
class THardwareListClass : public TBaseCustomListClass {
public:
    THardwareListClass();
    ~THardwareListClass() override = default;

    std::unique_ptr<TBaseCustomClass> CreateItem() const override { return std::make_unique<THardwareClass>(); }
    TListType Kind() const override { return ltHardware; }

    // List file, export file and clipboard text (defined with the file code).
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName, bool backup, bool overwrite);
    void ExportToFile(const std::string& fileName, const TColumnListClass& columns);
    void GetItemText(int32_t index, std::string& text) const;
    void PasteFromText(const std::string& text);
};

}  // namespace quorvel
