#pragma once

#include "model/ListFactory.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvel::test {

// A list of the kind with one item per value, each holding it in Field; items are left unmodified.
inline std::unique_ptr<TBaseCustomListClass> ListOfValues(const std::string& field,
                                                          const std::vector<std::string>& values,
                                                          const std::string& platform = "", TListType kind = ltMedia)
{
    auto list = CreateListObject(kind);
    list->SetPlatform(platform);
    for (const auto& value : values) {
        list->Add(list->CreateItem());
        list->GetItem(list->Count() - 1)->SetFieldValue(field, value);
        list->GetItem(list->Count() - 1)->Modified = false;
    }
    return list;
}

// Field of every item in list order; Mark is appended to the value of a modified item.
inline std::vector<std::string> ValuesOf(const TBaseCustomListClass& list, const std::string& field,
                                         const std::string& mark = "")
{
    std::vector<std::string> values;
    for (const auto& item : list.Items())
        values.push_back(item->GetFieldAsString(field) + (item->Modified ? mark : ""));
    return values;
}

}  // namespace quorvel::test
