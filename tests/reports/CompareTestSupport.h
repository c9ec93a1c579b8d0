#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/CartListClass.h"

namespace quorvel::test {

using Item = std::vector<std::pair<const char*, std::string>>;

inline Item Cart(const char* title, const char* qty = "1", const char* mfg = "Acme", const char* type = "Black",
                 const char* colour = "Red")
{
    return {{"Title", title}, {"Quantity", qty}, {"Mfg", mfg}, {"LabelType", type}, {"LabelColor", colour}};
}

// A media list of these items, as a reader leaves them (not modified).
inline std::unique_ptr<TCartListClass> MakeList(const std::vector<Item>& items, const char* platform = "",
                                                const char* owner = "")
{
    auto list = std::make_unique<TCartListClass>();
    list->SetListType("Media");
    list->SetPlatform(platform);
    list->SetOwner(owner);
    list->SetDescription(std::string(owner) + "'s");
    for (const auto& values : items) {
        auto item = list->CreateItem();
        for (const auto& [name, value] : values)
            item->SetFieldValue(name, value);
        item->Modified = false;
        list->Add(std::move(item));
    }
    return list;
}

}  // namespace quorvel::test
