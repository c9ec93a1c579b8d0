#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/FieldValue.h"

#include "platform/Path.h"

namespace quorvel {

class TDataFieldException : public std::runtime_error {
public:
    TDataFieldException() : std::runtime_error("Field Object Not Created Correctly.") { }
};

// The fixed facts of one field, shared by every item of a kind.
struct FieldDefinition {
    std::string Name;  // upper case: the list-file column name
    std::string Caption;
    TFieldDataType DataType = 0;
    FieldValue Default;
    bool DefaultIsToday = false;  // the default is today's date text, taken when a value is reset
    bool Required = false;
    FieldValue Min;
    FieldValue Max;
    std::string LookupFileKey;  // "%PLATFORM%", "%GENERAL%" or "%LISTTYPE%"
    std::string LookupSection;
    bool IsLookup = false;

    FieldValue DefaultValue() const;
    bool IsNumeric() const;
    bool HasRange() const { return IsAssigned(Min) || IsAssigned(Max); }
};

// The values of a Count-indexed lookup section (keys Section0, Section1, ...) in key order.
// Empty and missing entries are skipped; the Count is not trusted to bound the work.
std::vector<std::string> LoadLookupList(const Path& fileName, const std::string& section);

// The lookup file a field's key names, in the configuration folder: "%PLATFORM%" the platform's INI,
// "%LISTTYPE%" the list type's, "%GENERAL%" General.INI. Nothing for any other key (the caller keeps
// what it had); "" when the platform or list type cannot be part of a file name, which then reads as
// a missing file.
std::optional<Path> ResolveLookupFile(const std::string& fileKey, const Path& configFolder,
                                      const std::string& platform, const std::string& listType);

// One standalone field, as the dialogs use it. Items do not hold these: they share FieldDefinitions.
class TDataFieldClass {
public:
    std::string Name;
    std::string Caption;
    int32_t DataType = 0;
    FieldValue Value;
    FieldValue Default;
    bool Created = false;
    bool Required = false;
    FieldValue Min;
    FieldValue Max;
    Path LookupFile;  // written by the dialog that resolves LookupFileKey
    std::string LookupFileKey;
    std::string LookupSection;
    std::vector<std::string> LookupList;
    bool IsLookup = false;

    TDataFieldClass() = default;
    // A field set up from a shared definition, holding the given value.
    TDataFieldClass(const FieldDefinition& definition, FieldValue value);

    // Resets every fact except LookupList.
    void Clear();
    void Init(const std::string& name, const std::string& caption, int32_t dataType, bool required,
              const FieldValue& defaultValue);
    void SetLookupInfo(const std::string& fileKey, const std::string& section);

    // These raise TDataFieldException until Init has run.
    FieldValue GetValue() const;
    void SetValue(const FieldValue& v);
    int32_t GetDataType() const;
    std::string GetName() const;
    std::string GetCaption() const;
    bool IsNumeric() const;
    bool IsValidValue(const FieldValue& v) const;

    void ResetValue() { Value = Default; }
    int32_t AsInteger() const;    // 0 when the value does not convert
    bool AsBoolean() const;       // raises VariantConversionError
    Currency AsCurrency() const;  // raises VariantConversionError
    void LoadLookupList();
    std::vector<std::string> GetLookupList() const { return LookupList; }
    bool HasLookupFile() const { return !LookupFile.empty(); }
    bool HasRange() const { return IsAssigned(Min) || IsAssigned(Max); }

private:
    void CheckCreated() const;
};

}  // namespace quorvel
