#include "model/ItemClasses.h"

#include "model/Utils.h"
#include "platform/Cp1252.h"

namespace quorvel {

namespace {

// Defaults of the built-in fields; built on first use so that no start-up order matters.
struct Defaults {
    const FieldValue kText = std::string();
    const FieldValue kFalse = false;
    const FieldValue kZero = int32_t {0};
    const FieldValue kOne = int32_t {1};
    const FieldValue kNoMoney = Currency {};
};

// The fields both kinds share, in the same order.
void AddCountsAndWorth(FieldSet& f, const Defaults& d)
{
    f.AddField("Quantity", "Qty", dtInteger, false, d.kOne);
    f.AddRangeField("Rarity", "Rarity", dtInteger, false, d.kZero, 0, 10);
    f.AddRangeField("Condition", "Condition", dtInteger, false, d.kZero, 0, 10);
    f.AddField("Notes", "Notes", dtString, false, d.kText);
    f.AddField("Cost", "Cost", dtCurrency, false, d.kNoMoney);
    f.AddField("Value", "Value", dtCurrency, false, d.kNoMoney);
}

void AddAcquisition(FieldSet& f, const Defaults& d)
{
    f.AddField("AcquiredFrom", "Acquired From", dtString, false, d.kText);
    f.AddField("DateAcquired", "Date Acquired", dtString, false, d.kText);
    f.DefaultToToday();
    f.AddField("YearReleased", "Year Released", dtString, false, d.kText);
}

FieldSet BuildMediaFieldSet()
{
    const Defaults d;
    FieldSet f;
    f.AddField("Title", "Title", dtString, true, d.kText);
    f.AddLookupField("Mfg", "Mfg", dtString, false, d.kText, "%PLATFORM%", "Mfg");
    f.AddField("Boxed", "Boxed", dtBoolean, false, d.kFalse);
    f.AddField("BoxSealed", "Box Sealed", dtBoolean, false, d.kFalse);
    f.AddField("Instructions", "Instructions", dtBoolean, false, d.kFalse);
    f.AddField("Overlay", "Overlay", dtBoolean, false, d.kFalse);
    f.AddField("SpecialController", "Special Controller Required", dtBoolean, false, d.kFalse);
    f.AddLookupField("LabelType", "Label Type", dtString, false, d.kText, "%GENERAL%", "LabelType");
    f.AddLookupField("LabelColor", "Label Color", dtString, false, d.kText, "%GENERAL%", "LabelColor");
    f.AddField("ModelNumber", "Model Number", dtString, false, d.kText);
    f.AddField("SerialNumber", "Serial Number", dtString, false, d.kText);
    AddCountsAndWorth(f, d);
    f.AddField("HighScore", "High Score", dtString, false, d.kText);
    f.AddLookupField("MediaType", "Media Type", dtString, false, d.kText, "%GENERAL%", "MediaType");
    f.AddLookupField("MediaStatus", "Media Status", dtString, false, d.kText, "%GENERAL%", "MediaStatus");
    AddAcquisition(f, d);
    f.AddField("CopyrightYear", "Copyright Year", dtString, false, d.kText);
    f.AddLookupField("VideoFormat", "Video Format", dtString, false, d.kText, "%GENERAL%", "VideoFormat");
    return f;
}

FieldSet BuildHardwareFieldSet()
{
    const Defaults d;
    FieldSet f;
    f.AddField("Name", "Name", dtString, true, d.kText);
    f.AddLookupField("Mfg", "Mfg", dtString, false, d.kText, "%PLATFORM%", "Mfg");
    f.AddField("ModelNumber", "Model Number", dtString, false, d.kText);
    f.AddField("SerialNumber", "Serial Number", dtString, false, d.kText);
    f.AddField("Boxed", "Boxed", dtBoolean, false, d.kFalse);
    f.AddField("BoxSealed", "Box Sealed", dtBoolean, false, d.kFalse);
    f.AddField("Instructions", "Instructions", dtBoolean, false, d.kFalse);
    AddCountsAndWorth(f, d);
    AddAcquisition(f, d);
    f.AddLookupField("VideoFormat", "Video Format", dtString, false, d.kText, "%GENERAL%", "VideoFormat");
    f.AddLookupField("SwitchCount", "Number of Switches", dtString, false, d.kText, "%GENERAL%", "SwitchCount");
    f.AddLookupField("PortCount", "Number of Ports", dtString, false, d.kText, "%GENERAL%", "PortCount");
    f.AddLookupField("ButtonCount", "Number of Buttons", dtString, false, d.kText, "%GENERAL%", "ButtonCount");
    return f;
}

}  // namespace

const FieldSet& MediaFieldSet()
{
    static const FieldSet set = BuildMediaFieldSet();
    return set;
}

const FieldSet& HardwareFieldSet()
{
    static const FieldSet set = BuildHardwareFieldSet();
    return set;
}

std::unique_ptr<TBaseCustomClass> TCartClass::Clone() const
{
    return std::unique_ptr<TBaseCustomClass>(new TCartClass(*this));
}

std::unique_ptr<TBaseCustomClass> TCartClass::CloneIn(ItemArena& arena, size_t textRoom) const
{
    return std::unique_ptr<TBaseCustomClass>(new (arena, textRoom) TCartClass(*this));
}

std::unique_ptr<TBaseCustomClass> THardwareClass::Clone() const
{
    return std::unique_ptr<TBaseCustomClass>(new THardwareClass(*this));
}

std::unique_ptr<TBaseCustomClass> THardwareClass::CloneIn(ItemArena& arena, size_t textRoom) const
{
    return std::unique_ptr<TBaseCustomClass>(new (arena, textRoom) THardwareClass(*this));
}

std::string MatchText(const FieldValue& value) { return Cp1252::ToUpper(ToText(value)); }

std::string LooseMatchText(const FieldValue& value) { return StripNonAlphaNumeric(MatchText(value)); }

bool TCartClass::FieldMatches(std::string_view fieldName, std::string_view value) const
{
    return MatchText(GetFieldValue(fieldName)) == Cp1252::ToUpper(value);
}

bool TCartClass::FieldMatchesLoose(std::string_view fieldName, std::string_view value) const
{
    return LooseMatchText(GetFieldValue(fieldName)) == StripNonAlphaNumeric(Cp1252::ToUpper(value));
}

}  // namespace quorvel
