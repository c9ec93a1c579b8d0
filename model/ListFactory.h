#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/BaseCustomListClass.h"
#include "model/ListType.h"

namespace quorvel {

class TColumnListClass;

// 1 media, 2 hardware; any other value stands for no item class.
using TItemType = uint8_t;
inline constexpr TItemType itMedia = 1;
inline constexpr TItemType itHardware = 2;

// Lists and items by type code. Every routine that takes an object accepts none, or one of
// another class, and then does nothing (or answers false / none).
std::unique_ptr<TBaseCustomListClass> CreateListObject(TListType listType);
// Frees a media or hardware list with its items; leaves anything else alone.
void FreeListObject(std::unique_ptr<TBaseCustomListClass>& list);
void AssignListObject(TBaseCustomListClass* dest, const TBaseCustomListClass* source);
std::unique_ptr<TBaseCustomClass> CreateItemObject(TItemType itemType);
void AssignItemObject(TBaseCustomClass* dest, const TBaseCustomClass* source);
void FreeItemObject(std::unique_ptr<TBaseCustomClass>& item);
bool IsListObjectModified(const TBaseCustomListClass* list);
void ExpandListObject(TBaseCustomListClass* list);
void CompressListObject(TBaseCustomListClass* list);

// File, export and clipboard dispatchers (defined with the file code).
void LoadListObject(TBaseCustomListClass* list, const Path& fileName);
void SaveListObject(TBaseCustomListClass* list, const Path& fileName, bool backup, bool overwrite);
void ExportListObject(TBaseCustomListClass* list, const Path& fileName, const TColumnListClass& columns);
void PasteListObjectText(TBaseCustomListClass* list, const std::string& text);
void GetListObjectItemText(const TBaseCustomListClass* list, int32_t index, std::string& text);

// "Media", "Hardware": the choices of every list-type selector.
void FillListTypeNames(std::vector<std::string>& strings);
// Case-insensitive, untrimmed: "MEDIA" is ltMedia, " Media" is ltNone.
TListType ListTypeFromName(const std::string& name);
TItemType ListTypeToItemType(TListType listType);

}  // namespace quorvel
