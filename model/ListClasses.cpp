#include "model/CartListClass.h"
#include "model/FieldValueIndex.h"
#include "model/HardwareListClass.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"

namespace quorvel {

namespace {

// The first item whose field's match text equals the wanted one.
template <typename TextOf>
int32_t FirstMatch(const TBaseCustomListClass& list, std::string_view fieldName, const std::string& wanted,
                   TextOf textOf)
{
    FieldPositions positions({std::string(fieldName)});
    const FieldValue none;
    for (int32_t i = 0; i < list.Count(); ++i) {
        const TBaseCustomClass& item = *list.Items()[static_cast<size_t>(i)];
        const int32_t position = positions.In(item.Fields())[0];
        if (textOf(position < 0 ? none : item.ValueAt(position)) == wanted)
            return i;
    }
    return -1;
}

}  // namespace

TItemListClass::TItemListClass(const FieldSet& fields) : TBaseCustomListClass(fields) { SetSortField("Title"); }

int32_t TCartListClass::IndexOfFieldValue(std::string_view fieldName, std::string_view value) const
{
    return FirstMatch(*this, fieldName, Cp1252::ToUpper(value), MatchText);
}

int32_t TCartListClass::IndexOfFieldValueLoose(std::string_view fieldName, std::string_view value) const
{
    return FirstMatch(*this, fieldName, StripNonAlphaNumeric(Cp1252::ToUpper(value)), LooseMatchText);
}

FieldValueIndex::FieldValueIndex(const TBaseCustomListClass& list, std::string_view fieldName, Match match)
    : match_(match)
{
    first_.reserve(static_cast<size_t>(list.Count()));
    FieldPositions positions({std::string(fieldName)});
    const FieldValue none;
    for (int32_t i = 0; i < list.Count(); ++i) {
        const TBaseCustomClass& item = *list.Items()[static_cast<size_t>(i)];
        const int32_t position = positions.In(item.Fields())[0];
        const FieldValue& value = position < 0 ? none : item.ValueAt(position);
        first_.emplace(match == Match::Exact ? MatchText(value) : LooseMatchText(value), i);
    }
}

std::string FieldValueIndex::Normalised(std::string_view value) const
{
    std::string upper = Cp1252::ToUpper(value);
    return match_ == Match::Exact ? upper : StripNonAlphaNumeric(upper);
}

int32_t FieldValueIndex::Find(std::string_view value) const
{
    auto it = first_.find(Normalised(value));
    return it == first_.end() ? -1 : it->second;
}

}  // namespace quorvel
