#include "model/ItemListClass.h"
#include "model/ListFactory.h"

#include <type_traits>

namespace quorvel {

namespace {

// Calls Action with a media or hardware list as the class that holds their file code; anything else
// is left alone.
template <typename List, typename Action> void WithKnownList(List* list, Action action)
{
    using Known = std::conditional_t<std::is_const_v<List>, const TItemListClass, TItemListClass>;
    if (list && (list->Kind() == ltMedia || list->Kind() == ltHardware))
        action(static_cast<Known&>(*list));
}

}  // namespace

void LoadListObject(TBaseCustomListClass* list, const Path& fileName)
{
    WithKnownList(list, [&](auto& l) { l.LoadFromFile(fileName); });
}

void SaveListObject(TBaseCustomListClass* list, const Path& fileName, bool backup, bool overwrite)
{
    WithKnownList(list, [&](auto& l) { l.SaveToFile(fileName, backup, overwrite); });
}

void ExportListObject(TBaseCustomListClass* list, const Path& fileName, const TColumnListClass& columns)
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
