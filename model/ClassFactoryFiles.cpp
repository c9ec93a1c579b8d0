#include "model/CartListClass.h"
#include "model/HardwareListClass.h"
#include "model/ListFactory.h"

namespace quorvel {

namespace {

// Calls Action with the list as its own class; anything else is left alone.
template <typename List, typename Action> void WithKnownList(List* list, Action action)
{
    constexpr bool isConst = std::is_const_v<List>;
    using Media = std::conditional_t<isConst, const TCartListClass, TCartListClass>;
    using Hardware = std::conditional_t<isConst, const THardwareListClass, THardwareListClass>;
    if (!list)
        return;
    if (list->Kind() == ltMedia)
        action(static_cast<Media&>(*list));
    else if (list->Kind() == ltHardware)
        action(static_cast<Hardware&>(*list));
}

}  // namespace

void LoadListObject(TBaseCustomListClass* list, const std::string& fileName)
{
    WithKnownList(list, [&](auto& l) { l.LoadFromFile(fileName); });
}

void SaveListObject(TBaseCustomListClass* list, const std::string& fileName, bool backup, bool overwrite)
{
    WithKnownList(list, [&](auto& l) { l.SaveToFile(fileName, backup, overwrite); });
}

void ExportListObject(TBaseCustomListClass* list, const std::string& fileName, const TColumnListClass& columns)
{
    WithKnownList(list, [&](auto& l) { l.ExportToFile(fileName, columns); });
}

void PasteListObjectText(TBaseCustomListClass* list, const std::string& text)
{
    WithKnownList(list, [&](auto& l) { l.PasteFromText(text); });
}

void GetListObjectItemText(const TBaseCustomListClass* list, int32_t index, std::string& text)
{
    WithKnownList(list, [&](const auto& l) { l.GetItemText(index, text); });
}

}  // namespace quorvel
