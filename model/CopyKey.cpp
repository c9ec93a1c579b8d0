#include "model/CopyKey.h"

#include <functional>

namespace quorvel {

std::string_view StoredText(const TBaseCustomClass& item, int32_t position, std::string& spare)
{
    if (position < 0)
        return {};
    if (item.KindAt(position) == ValueKind::Text)
        return item.TextAt(position);
    spare = ToText(item.ValueAt(position));
    return spare;
}

uint64_t CopyKey::Hash(const TBaseCustomClass& item)
{
    uint64_t h = 0x9E3779B97F4A7C15ull;
    for (int32_t position : a_.In(item.Fields()))
        h = (h ^ std::hash<std::string_view> {}(StoredText(item, position, spareA_))) * 0x100000001B3ull;
    return h;
}

bool CopyKey::Equal(const TBaseCustomClass& a, const TBaseCustomClass& b)
{
    const std::vector<int32_t>& pa = a_.In(a.Fields());
    const std::vector<int32_t>& pb = b_.In(b.Fields());
    for (size_t k = 0; k < pa.size(); ++k)
        if (StoredText(a, pa[k], spareA_) != StoredText(b, pb[k], spareB_))
            return false;
    return true;
}

}  // namespace quorvel
