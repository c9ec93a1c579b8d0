#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/BaseCustomClass.h"
#include "model/ListType.h"
#include "platform/Path.h"

namespace quorvel {

// The one sort field and direction of every list (1 ascending, -1 descending). Constructing any
// list resets them; callers that want an order set both right before Sort.
extern std::string G_SortField;
extern int32_t G_SortDirection;

class TBaseCustomListClassException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The wording of a value that stops an operation: What + " in item " + N (+ " of " + List) + ", field " +
// Field, N counted from 1.
TBaseCustomListClassException ItemValueError(std::string_view what, int64_t itemNumber, std::string_view fieldName,
                                             std::string_view listName = {});

// Items made for a list outside it, on several threads at once (a list read): each is counted as it
// is made, while it is in the cache, so that TakeItems puts them in place without touching them
// again. The counts live with the intake until then: items dropped on a failure leave counts of
// their own, never a list's. An intake outlives the items it counted.
class ItemIntake {
public:
    ItemIntake() : counts_(std::make_unique<ItemCounts>()) { }

    // Counts a fresh item, counted nowhere yet; its shares go to Shares (the calling thread's own).
    void Count(TBaseCustomClass& item, ItemCounts& shares) const noexcept { item.CountInLater(counts_.get(), shares); }
    // Adds the shares of one thread once its items are made.
    void Add(const ItemCounts& shares) noexcept
    {
        counts_->Modified += shares.Modified;
        counts_->Quantity += shares.Quantity;
    }

private:
    friend class TBaseCustomListClass;
    std::unique_ptr<ItemCounts> counts_;
};

// One collection list: header values, the owned items and the list's modified flag.
// Header values are reached through their accessors only: the setters of the values the user edits
// mark the list modified, so that no window can change a list without the "unsaved changes" question.
class TBaseCustomListClass {
public:
    // Every field name of the list's item kind but QUANTITY: what makes two items the same copy.
    const std::vector<std::string> KeyFieldNames;

    TBaseCustomListClass(const TBaseCustomListClass&) = delete;
    TBaseCustomListClass& operator=(const TBaseCustomListClass&) = delete;
    virtual ~TBaseCustomListClass() = default;

    // A fresh item of the list's own kind.
    virtual std::unique_ptr<TBaseCustomClass> CreateItem() const = 0;
    // ltMedia or ltHardware.
    virtual TListType Kind() const = 0;

    void AssignProperties(const TBaseCustomListClass& source);
    const std::string& GetVersion() const { return Version; }
    void SetVersion(const std::string& tag) { Version = tag; }
    const Path& GetFileName() const { return FileName; }
    void SetFileName(const Path& fileName) { FileName = fileName; }
    const Path& GetOpenedFileName() const { return OpenedFileName; }
    void SetOpenedFileName(const Path& path) { OpenedFileName = path; }
    // The list type's name as the file spells it ("Media", "Hardware").
    const std::string& GetListType() const { return ListType; }
    void SetListType(const std::string& name) { ListType = name; }
    // The list's own flag; IsModified also asks the items.
    bool GetModified() const { return Modified; }
    void SetModified(bool modified) { Modified = modified; }
    const std::string& GetPlatform() const { return Platform; }
    const std::string& GetOwner() const { return Owner; }
    const std::string& GetDescription() const { return Description; }
    void SetPlatform(const std::string& s);
    void SetOwner(const std::string& s);
    void SetDescription(const std::string& s);

    void Clear();
    void Add(std::unique_ptr<TBaseCustomClass> item);
    // Adds the items at the end; an empty list takes their vector as it is (a big read holds no copy).
    void AddItems(std::vector<std::unique_ptr<TBaseCustomClass>> items);
    // Replaces the items by Items, every one made and counted through Intake (which is spent).
    void TakeItems(std::vector<std::unique_ptr<TBaseCustomClass>> items, ItemIntake intake);
    // Raise ListIndexError for a position outside 0 .. Count() - 1 and then change nothing.
    void Delete(int32_t index);
    // Removes the items at these positions (any order, repeats allowed) in one pass.
    void DeleteItems(const std::vector<int32_t>& indices);
    TBaseCustomClass* GetItem(int32_t index) const;
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    const std::vector<std::unique_ptr<TBaseCustomClass>>& Items() const { return items_; }

    // Stable sort by G_SortField and G_SortDirection.
    void Sort();
    static void SetSortField(const std::string& fieldName) { G_SortField = fieldName; }
    static const std::string& GetSortField() { return G_SortField; }
    static void SetSortDirection(int32_t direction) { G_SortDirection = direction; }

    // A deep copy of Source's header values and items, made as items of this list's kind.
    virtual void Assign(const TBaseCustomListClass& source);
    // The list's own flag or any item's flag.
    bool IsModified() const { return Modified || counts_->Modified > 0; }
    // How many items have their flag set (kept by the items themselves).
    int64_t ModifiedItemCount() const { return counts_->Modified; }
    // The sum of the items' Quantity values, a value that is no whole number counting 0 (kept by the
    // items themselves).
    int64_t QuantitySum() const { return counts_->Quantity; }
    // Splits every item of Quantity 2 or more into single copies (the item itself is the first);
    // then sorts by Title. Refuses a result above MaxItems. A failure leaves the list as it was.
    void ExpandQuantities();
    // Merges every group of items with equal key fields into its first item, whose Quantity becomes
    // the group's sum, and frees the others; then sorts by Title. A failure leaves the list as it was.
    void CompressQuantities();

    // No list holds more items: loading, pasting and expanding refuse a bigger result.
    static constexpr int64_t MaxItems = 1000000;
    static constexpr int64_t MaxExpandedItems = MaxItems;
    // No line of a list file holds more bytes (its line break not counted): reading refuses a longer
    // line, and no value is taken that would make the list write one.
    static constexpr uint64_t MaxLineBytes = uint64_t(32) << 20;

    // One item line of a list file over the named fields (defined with the list-file code).
    static std::string BuildItemLine(const TBaseCustomClass& item, const std::vector<std::string>& fieldNames);

protected:
    // Resets the sort state; KeyFieldNames come from a fresh item of the kind.
    explicit TBaseCustomListClass(const FieldSet& itemFields);

private:
    std::string Version = "QV1.2";
    Path FileName;
    Path OpenedFileName;
    bool Modified = false;
    std::string Platform;
    std::string Owner;
    std::string Description;
    std::string ListType;

    // Puts a new item vector in place after an operation built it whole.
    void ReplaceItems(std::vector<std::unique_ptr<TBaseCustomClass>> items);
    // Counts the items that came into the list from First on.
    void CountFlags(size_t first);

    // Declared before the items, which leave them as they are destroyed. Never null; a read list's
    // items bring counts of their own (TakeItems).
    std::unique_ptr<ItemCounts> counts_ = std::make_unique<ItemCounts>();
    std::vector<std::unique_ptr<TBaseCustomClass>> items_;
};

}  // namespace quorvel
