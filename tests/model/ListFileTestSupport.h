#pragma once

#include <string>

#include "model/BaseCustomListClass.h"

namespace quorvel::test {

// Everything a reader may change, as one comparable text: header values, file name, flags and
// every item's values with their kinds.
inline std::string Snapshot(const TBaseCustomListClass& list)
{
    std::string s = list.GetVersion() + "|" + list.GetFileName() + "|" + (list.GetModified() ? "M" : "-") + "|" +
        list.GetListType() + "|" + list.GetPlatform() + "|" + list.GetOwner() + "|" + list.GetDescription() + "\n";
    for (const auto& item : list.Items()) {
        s += item->Modified ? "M" : "-";
        for (int32_t i = 0; i < item->FieldCount(); ++i)
            s += "|" + std::to_string(item->ValueAt(i).index()) + ":" + ToText(item->ValueAt(i));
        s += "\n";
    }
    return s;
}

}  // namespace quorvel::test
