#include "model/DataField.h"

#include "model/LocaleFormat.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"

namespace quorvel {

namespace {

bool IsNumericType(int32_t dataType)
{
    return dataType == dtSmallint || dataType == dtInteger || dataType == dtSingle || dataType == dtDouble ||
        dataType == dtByte;
}

}  // namespace

std::vector<std::string> LoadLookupList(const Path& fileName, const std::string& section)
{
    if (fileName.empty() || section.empty())
        return {};
    return IniFile::Load(fileName).ReadIndexedList(section, section);
}

std::optional<Path> ResolveLookupFile(const std::string& fileKey, const Path& configFolder,
                                      const std::string& platform, const std::string& listType)
{
    std::string name;
    if (fileKey == "%PLATFORM%")
        name = platform;
    else if (fileKey == "%LISTTYPE%")
        name = listType;
    else if (fileKey == "%GENERAL%")
        name = "General";
    else
        return std::nullopt;
    if (!IsSafeName(name))
        return Path();
    return ResolveTextFileNoCase(configFolder, name + ".INI");
}

FieldValue FieldDefinition::DefaultValue() const
{
    if (DefaultIsToday)
        return TodayText();
    return Default;
}

bool FieldDefinition::IsNumeric() const { return IsNumericType(DataType); }

TDataFieldClass::TDataFieldClass(const FieldDefinition& definition, FieldValue value)
    : Name(definition.Name), Caption(definition.Caption), DataType(definition.DataType), Value(std::move(value)),
      Default(definition.DefaultValue()), Created(true), Required(definition.Required), Min(definition.Min),
      Max(definition.Max), LookupFileKey(definition.LookupFileKey), LookupSection(definition.LookupSection),
      IsLookup(definition.IsLookup)
{
}

void TDataFieldClass::Clear()
{
    Name.clear();
    Caption.clear();
    LookupFile = Path();
    LookupFileKey.clear();
    LookupSection.clear();
    DataType = 0;
    Value = FieldValue {};
    Default = FieldValue {};
    Min = FieldValue {};
    Max = FieldValue {};
    Created = false;
    Required = false;
    IsLookup = false;
}

void TDataFieldClass::Init(const std::string& name, const std::string& caption, int32_t dataType, bool required,
                           const FieldValue& defaultValue)
{
    Clear();
    Name = Cp1252::ToUpper(name);
    Caption = caption;
    DataType = dataType;
    Required = required;
    Default = defaultValue;
    Value = defaultValue;
    Created = true;
}

void TDataFieldClass::SetLookupInfo(const std::string& fileKey, const std::string& section)
{
    LookupFileKey = fileKey;
    LookupSection = section;
}

void TDataFieldClass::CheckCreated() const
{
    if (!Created)
        throw TDataFieldException();
}

FieldValue TDataFieldClass::GetValue() const
{
    CheckCreated();
    return Value;
}

void TDataFieldClass::SetValue(const FieldValue& v)
{
    CheckCreated();
    Value = v;
}

int32_t TDataFieldClass::GetDataType() const
{
    CheckCreated();
    return DataType;
}

std::string TDataFieldClass::GetName() const
{
    CheckCreated();
    return Name;
}

std::string TDataFieldClass::GetCaption() const
{
    CheckCreated();
    return Caption;
}

bool TDataFieldClass::IsNumeric() const
{
    CheckCreated();
    return IsNumericType(DataType);
}

bool TDataFieldClass::IsValidValue(const FieldValue& v) const
{
    CheckCreated();
    return ConvertsTo(v, DataType);
}

int32_t TDataFieldClass::AsInteger() const { return TryToInteger(Value).value_or(0); }

bool TDataFieldClass::AsBoolean() const { return ToBoolean(Value); }

Currency TDataFieldClass::AsCurrency() const { return ToCurrency(Value); }

void TDataFieldClass::LoadLookupList() { LookupList = quorvel::LoadLookupList(LookupFile, LookupSection); }

}  // namespace quorvel
