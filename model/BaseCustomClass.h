#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/DataField.h"
#include "model/FieldSet.h"
#include "model/ItemArena.h"
#include "model/ValueSlot.h"

namespace quorvel {

// Raised for a position outside a list or field set: "List index out of bounds (N)".
class ListIndexError : public std::out_of_range {
public:
    explicit ListIndexError(int64_t index);
};

// What a list keeps over its items as they change, so that asking costs nothing: how many have their
// modified flag set, and the sum of their Quantity values (a value that is no whole number counts 0).
struct ItemCounts {
    int64_t Modified = 0;
    int64_t Quantity = 0;
};

// An item's modified flag. It reads and is set like a bool; while its item belongs to a list it also
// keeps that list's counts. A copy takes the value only: the copy belongs to no list yet.
class ModifiedFlag {
public:
    ModifiedFlag() = default;
    ModifiedFlag(const ModifiedFlag& other) noexcept : bits_(other.bits_ & kSet) { }
    ModifiedFlag& operator=(const ModifiedFlag& other) noexcept { return *this = bool(other); }
    ModifiedFlag& operator=(bool set) noexcept
    {
        if (set != bool(*this)) {
            if (ItemCounts* counts = Counts())
                counts->Modified += set ? 1 : -1;
            bits_ ^= kSet;
        }
        return *this;
    }
    ~ModifiedFlag() { CountIn(nullptr); }
    operator bool() const noexcept { return (bits_ & kSet) != 0; }

private:
    friend class TBaseCustomClass;
    // From now on counted in Counts (nullptr: in none).
    void CountIn(ItemCounts* counts) noexcept
    {
        const bool set = *this;
        if (ItemCounts* old = Counts(); old && set)
            --old->Modified;
        bits_ = reinterpret_cast<uintptr_t>(counts) | (set ? kSet : 0);
        if (counts && set)
            ++counts->Modified;
    }
    ItemCounts* Counts() const noexcept { return reinterpret_cast<ItemCounts*>(bits_ & ~kSet); }
    // Counted in Counts from now on, by whoever adds what the flag adds to them (for many items counted
    // on several threads at once).
    void PointAt(ItemCounts* counts) noexcept { bits_ = reinterpret_cast<uintptr_t>(counts) | (bits_ & kSet); }

    // The counts' address (aligned, so its lowest bit is free) and the flag in that bit: an item
    // stays as small as it was with a bare bool.
    static constexpr uintptr_t kSet = 1;
    uintptr_t bits_ = 0;
};

// One item: its kind's shared field set, a value per field and the modified flag.
// Fields are addressed by name ignoring case; a name that matches no field reads as the empty
// value and is ignored on writes. Values are stored as 16-byte slots: inside the item object for the
// kinds that give it room (see InlineValueStorage), else in one block of their own.
class TBaseCustomClass {
public:
    ModifiedFlag Modified;

    explicit TBaseCustomClass(const FieldSet& fields);
    virtual ~TBaseCustomClass();
    TBaseCustomClass& operator=(const TBaseCustomClass&) = delete;

    // A copy of the same kind with the same values and flag.
    virtual std::unique_ptr<TBaseCustomClass> Clone() const;
    // The same made in Arena, with room there for TextRoom bytes of its texts (see SetTextIn).
    virtual std::unique_ptr<TBaseCustomClass> CloneIn(ItemArena& arena, size_t textRoom) const;

    // Items live in memory of their own, or in an arena's (CloneIn); delete frees either.
    static void* operator new(size_t size) { return ItemArena::AllocateAlone(size); }
    static void* operator new(size_t size, ItemArena& arena, size_t textRoom)
    {
        return arena.AllocateItem(size, textRoom);
    }
    static void operator delete(void* item) noexcept { ItemArena::Free(item); }
    static void operator delete(void* item, ItemArena& arena, size_t) noexcept
    {
        (void)item;
        arena.UndoItem();
    }

    const FieldSet& Fields() const { return *fields_; }
    void ResetValues();

    // A standalone copy of the field at that position (changes to it do not reach the item);
    // raises ListIndexError outside 0 .. FieldCount() - 1.
    TDataFieldClass GetField(int32_t index) const;
    int32_t FieldCount() const { return fields_->Count(); }
    std::vector<std::string> GetFieldNames() const { return fields_->Names(); }
    int32_t IndexOfField(std::string_view name) const { return fields_->IndexOf(name); }
    bool HasField(std::string_view name) const { return IndexOfField(name) >= 0; }
    int32_t GetFieldType(std::string_view name) const;
    FieldValue GetFieldValue(std::string_view name) const;
    void SetFieldValue(std::string_view name, const FieldValue& value);
    // The display text of the value; "" for a name that matches no field. Never throws.
    std::string GetFieldAsString(std::string_view name) const;
    // Values by field name from Source, then Source's modified flag.
    void Assign(const TBaseCustomClass& source);

    // Positional access for loops that resolved a name once; the position must be valid.
    FieldValue ValueAt(int32_t index) const { return slots_[index].Value(); }
    void SetValueAt(int32_t index, const FieldValue& value);
    std::string DisplayTextAt(int32_t index) const;
    // The same without building a FieldValue: the value's kind, the text of a text value ("" for
    // any other kind), and storing a text.
    ValueKind KindAt(int32_t index) const { return slots_[index].Kind(); }
    std::string_view TextAt(int32_t index) const { return slots_[index].Text(); }
    void SetTextAt(int32_t index, std::string_view text);
    // The same for an item just made by CloneIn(Arena, ...), the text stored in its text room. It fills
    // a fresh item, so it leaves the modified flag as it is; inline, as a list read calls it for every
    // value of every line.
    void SetTextIn(int32_t index, std::string_view text, ItemArena& arena)
    {
        if (index == fields_->QuantityIndex()) [[unlikely]] {
            SetQuantityTextIn(text, arena);
            return;
        }
        ValueSlot& slot = slots_[index];
        if (text.size() > ValueSlot::kInlineText)
            if (char* room = arena.AllocateText(text.size())) {
                slot.SetText(text, room);
                return;
            }
        slot.SetText(text);
    }

    // Where items are walked faster than memory answers, each is asked for some items ahead: all the
    // lines of its first kPrefetchBytes, which hold its own fields and its values (an item of either
    // kind is smaller; asking past its end is harmless). Asking for the first line alone left the
    // values a field or two on to be waited for.
    static constexpr size_t kPrefetchBytes = 512;
    void Prefetch() const noexcept
    {
        const char* bytes = reinterpret_cast<const char*>(this);
        for (size_t at = 0; at < kPrefetchBytes; at += 64)
            __builtin_prefetch(bytes + at);
    }

protected:
    TBaseCustomClass(const TBaseCustomClass& other);
    // For kinds that keep their values inside the item object: Storage has room for Capacity slots
    // and outlives this base. A field set with more fields keeps its values in a block instead.
    TBaseCustomClass(const FieldSet& fields, void* storage, int32_t capacity);
    TBaseCustomClass(const TBaseCustomClass& other, void* storage, int32_t capacity);

private:
    friend class TBaseCustomListClass;
    friend class ItemIntake;
    // From now on counted in Counts (nullptr: in none); Counts must not be shared with another thread.
    void CountIn(ItemCounts* counts) noexcept;
    // Whether the item is counted in Counts already, and its Quantity's share of a sum.
    bool CountedIn(const ItemCounts* counts) const noexcept { return Modified.Counts() == counts; }
    // For an item counted nowhere: counted in Counts from now on, its shares added to Shares instead
    // (which the caller adds to Counts later), so that several threads may count items at once.
    void CountInLater(ItemCounts* counts, ItemCounts& shares) noexcept
    {
        shares.Modified += Modified ? 1 : 0;
        shares.Quantity += QuantityShare();
        Modified.PointAt(counts);
    }
    int64_t QuantityShare() const noexcept { return quantityShare_; }
    // The Quantity value as a whole number, 0 when it is none.
    int32_t ComputeQuantityShare() const noexcept;
    // SetTextIn for the Quantity field, keeping the item's share of a sum.
    void SetQuantityTextIn(std::string_view text, ItemArena& arena);
    // Runs Change on the slot at Index, keeping the Quantity sum of the item's list.
    template <typename Change> void ChangeSlot(int32_t index, Change change);

    template <typename MakeSlot> void MakeSlots(void* storage, int32_t capacity, MakeSlot make);

    const FieldSet* fields_;
    ValueSlot* slots_ = nullptr;
    bool ownsSlots_ = false;
    // ComputeQuantityShare() kept as the value changes, so that counting the item in a list reads no
    // value (in the padding after the flag above: the item does not grow).
    int32_t quantityShare_ = 0;
};

// Room for N value slots inside an item object. An item kind derives from it before
// TBaseCustomClass, so that the room exists before the values are made in it.
template <int32_t N> class InlineValueStorage {
protected:
    static constexpr int32_t kValueCapacity = N;

    InlineValueStorage() { }
    InlineValueStorage(const InlineValueStorage&) = delete;
    InlineValueStorage& operator=(const InlineValueStorage&) = delete;
    void* ValueStorage() { return bytes_; }

private:
    alignas(ValueSlot) unsigned char bytes_[N * sizeof(ValueSlot)];
};

// The display text of a value held by a field of that definition: whole numbers in decimal ("0"
// when the value does not convert), money in the locale format, booleans as "Yes" / "No"; a money
// or boolean value that does not convert shows its raw text.
std::string DisplayText(const FieldDefinition& definition, const FieldValue& value);

}  // namespace quorvel
