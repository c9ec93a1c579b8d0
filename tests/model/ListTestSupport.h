#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "model/BaseCustomListClass.h"
#include "model/ItemClasses.h"

namespace quorvel::test {

using FieldTexts = std::vector<std::pair<std::string, FieldValue>>;

// Appends an item of the list's kind holding these values, as a reader would leave it (not modified).
inline TBaseCustomClass& AddItem(TBaseCustomListClass& list, const FieldTexts& values)
{
    auto item = list.CreateItem();
    for (const auto& [name, value] : values)
        item->SetFieldValue(name, value);
    item->Modified = false;
    TBaseCustomClass& added = *item;
    list.Add(std::move(item));
    return added;
}

// A list of no known class, which the factory routines and dispatchers must leave alone.
class OtherList : public TBaseCustomListClass {
public:
    OtherList() : TBaseCustomListClass(MediaFieldSet()) { }
    std::unique_ptr<TBaseCustomClass> CreateItem() const override { return std::make_unique<TCartClass>(); }
    TListType Kind() const override { return ltNone; }
};

inline FieldValue Text(const char* s) { return std::string(s); }

// One field's stored text of every item, in list order.
inline std::vector<std::string> Column(const TBaseCustomListClass& list, const std::string& field)
{
    std::vector<std::string> texts;
    for (const auto& item : list.Items())
        texts.push_back(ToText(item->GetFieldValue(field)));
    return texts;
}

// Everything a reader may change, as one comparable text: header values, file name, flags and
// every item's values with their kinds.
inline std::string Snapshot(const TBaseCustomListClass& list)
{
    std::string s = list.GetVersion() + "|" + list.GetFileName().Bytes() + "|" + (list.GetModified() ? "M" : "-") +
        "|" + list.GetListType() + "|" + list.GetPlatform() + "|" + list.GetOwner() + "|" + list.GetDescription() +
        "|counts " + std::to_string(list.ModifiedItemCount()) + " " + std::to_string(list.QuantitySum()) + "\n";
    for (const auto& item : list.Items()) {
        s += item->Modified ? "M" : "-";
        for (int32_t i = 0; i < item->FieldCount(); ++i)
            s += "|" + std::to_string(item->ValueAt(i).index()) + ":" + ToText(item->ValueAt(i));
        s += "\n";
    }
    return s;
}

}  // namespace quorvel::test
