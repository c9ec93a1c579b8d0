#include "model/ListFactory.h"

#include "model/CartListClass.h"
#include "model/HardwareListClass.h"
#include "platform/Cp1252.h"

namespace quorvel {

namespace {

bool IsKnownList(const TBaseCustomListClass* list)
{
    return list && (list->Kind() == ltMedia || list->Kind() == ltHardware);
}

bool IsKnownItem(const TBaseCustomClass* item)
{
    return dynamic_cast<const TCartClass*>(item) || dynamic_cast<const THardwareClass*>(item);
}

}  // namespace

std::unique_ptr<TBaseCustomListClass> CreateListObject(TListType listType)
{
    std::unique_ptr<TBaseCustomListClass> list;
    if (listType == ltMedia) {
        list = std::make_unique<TCartListClass>();
        list->SetListType("Media");
    } else if (listType == ltHardware) {
        list = std::make_unique<THardwareListClass>();
        list->SetListType("Hardware");
    }
    return list;
}

void FreeListObject(std::unique_ptr<TBaseCustomListClass>& list)
{
    if (IsKnownList(list.get()))
        list.reset();
}

void AssignListObject(TBaseCustomListClass* dest, const TBaseCustomListClass* source)
{
    if (IsKnownList(dest) && source)
        dest->Assign(*source);
}

std::unique_ptr<TBaseCustomClass> CreateItemObject(TItemType itemType)
{
    if (itemType == itMedia)
        return std::make_unique<TCartClass>();
    if (itemType == itHardware)
        return std::make_unique<THardwareClass>();
    return nullptr;
}

void AssignItemObject(TBaseCustomClass* dest, const TBaseCustomClass* source)
{
    if (IsKnownItem(dest) && source)
        dest->Assign(*source);
}

void FreeItemObject(std::unique_ptr<TBaseCustomClass>& item)
{
    if (IsKnownItem(item.get()))
        item.reset();
}

bool IsListObjectModified(const TBaseCustomListClass* list) { return IsKnownList(list) && list->IsModified(); }

void ExpandListObject(TBaseCustomListClass* list)
{
    if (IsKnownList(list))
        list->ExpandQuantities();
}

void CompressListObject(TBaseCustomListClass* list)
{
    if (IsKnownList(list))
        list->CompressQuantities();
}

void FillListTypeNames(std::vector<std::string>& strings) { strings = {"Media", "Hardware"}; }

TListType ListTypeFromName(const std::string& name)
{
    if (Cp1252::EqualsNoCase(name, "Media"))
        return ltMedia;
    if (Cp1252::EqualsNoCase(name, "Hardware"))
        return ltHardware;
    return ltNone;
}

TItemType ListTypeToItemType(TListType listType)
{
    if (listType == ltMedia)
        return itMedia;
    if (listType == ltHardware)
        return itHardware;
    return 0;
}

}  // namespace quorvel
