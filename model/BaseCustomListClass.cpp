#include "model/BaseCustomListClass.h"

#include <algorithm>
#include <iterator>

#include "model/ItemSort.h"
#include "model/ListFileSlices.h"

namespace quorvel {

TBaseCustomListClassException ItemValueError(std::string_view what, int64_t itemNumber, std::string_view fieldName,
                                             std::string_view listName)
{
    std::string text(what);
    text += " in item " + std::to_string(itemNumber);
    if (!listName.empty())
        text.append(" of ").append(listName);
    text.append(", field ").append(fieldName);
    return TBaseCustomListClassException(text);
}

std::string G_SortField;
int32_t G_SortDirection = 1;

namespace {

std::vector<std::string> KeyFieldNamesOf(const FieldSet& fields)
{
    std::vector<std::string> names = fields.Names();
    std::erase(names, "QUANTITY");
    return names;
}

}  // namespace

TBaseCustomListClass::TBaseCustomListClass(const FieldSet& itemFields) : KeyFieldNames(KeyFieldNamesOf(itemFields))
{
    G_SortField.clear();
    G_SortDirection = 1;
}

void TBaseCustomListClass::AssignProperties(const TBaseCustomListClass& source)
{
    Version = source.Version;
    FileName = source.FileName;
    OpenedFileName = source.OpenedFileName;
    Modified = source.Modified;
    Platform = source.Platform;
    Owner = source.Owner;
    Description = source.Description;
    ListType = source.ListType;
}

void TBaseCustomListClass::SetPlatform(const std::string& s)
{
    Platform = s;
    Modified = true;
}

void TBaseCustomListClass::SetOwner(const std::string& s)
{
    Owner = s;
    Modified = true;
}

void TBaseCustomListClass::SetDescription(const std::string& s)
{
    Description = s;
    Modified = true;
}

void TBaseCustomListClass::Clear()
{
    items_.clear();
    FileName = Path();
    Modified = true;
}

void TBaseCustomListClass::Add(std::unique_ptr<TBaseCustomClass> item)
{
    if (!item)
        return;
    items_.push_back(std::move(item));
    CountFlags(items_.size() - 1);
    Modified = true;
}

void TBaseCustomListClass::AddItems(std::vector<std::unique_ptr<TBaseCustomClass>> items)
{
    std::erase(items, nullptr);
    if (items.empty())
        return;
    const size_t first = items_.size();
    if (items_.empty())
        items_ = std::move(items);
    else
        std::move(items.begin(), items.end(), std::back_inserter(items_));
    CountFlags(first);
    Modified = true;
}

void TBaseCustomListClass::TakeItems(std::vector<std::unique_ptr<TBaseCustomClass>> items, ItemIntake intake)
{
    // The items leaving go first: they take their shares from the counts they leave with.
    items_.clear();
    counts_ = std::move(intake.counts_);
    items_ = std::move(items);
    Modified = true;
}

void TBaseCustomListClass::Delete(int32_t index)
{
    if (index < 0 || index >= Count())
        throw ListIndexError(index);
    items_.erase(items_.begin() + index);
    Modified = true;
}

void TBaseCustomListClass::DeleteItems(const std::vector<int32_t>& indices)
{
    if (indices.empty())
        return;
    std::vector<bool> doomed(items_.size());
    for (int32_t index : indices) {
        if (index < 0 || index >= Count())
            throw ListIndexError(index);
        doomed[static_cast<size_t>(index)] = true;
    }
    size_t kept = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (!doomed[i])
            items_[kept++] = std::move(items_[i]);
    }
    items_.resize(kept);
    Modified = true;
}

TBaseCustomClass* TBaseCustomListClass::GetItem(int32_t index) const
{
    if (index < 0 || index >= Count())
        throw ListIndexError(index);
    return items_[static_cast<size_t>(index)].get();
}

void TBaseCustomListClass::Sort() { SortItems(items_, G_SortField, G_SortDirection); }

void TBaseCustomListClass::Assign(const TBaseCustomListClass& source)
{
    if (&source == this)
        return;
    std::vector<std::unique_ptr<TBaseCustomClass>> copies;
    copies.reserve(source.items_.size());
    for (const auto& item : source.items_) {
        auto copy = CreateItem();
        copy->Assign(*item);
        copies.push_back(std::move(copy));
    }
    AssignProperties(source);
    items_ = std::move(copies);
    CountFlags(0);
    // Adding items marks the list, whatever Source's flag was.
    if (!items_.empty())
        Modified = true;
}

void TBaseCustomListClass::CountFlags(size_t first)
{
    // Counting an item of this list again changes nothing. Many new items (a read list) are counted
    // in slices, each into counts of its own that are added up after.
    const size_t count = items_.size() - first;
    const size_t slices = SliceCount(count / 65536 + 1);
    if (slices == 1) {
        for (size_t i = first; i < items_.size(); ++i)
            items_[i]->CountIn(counts_.get());
        return;
    }
    std::vector<PerThread<ItemCounts>> sliceCounts(slices);
    std::vector<PerThread<std::vector<size_t>>> elsewhere(slices);
    RunSlices(slices, [&](size_t t) {
        for (size_t i = first + count * t / slices, end = first + count * (t + 1) / slices; i < end; ++i) {
            TBaseCustomClass& item = *items_[i];
            if (item.CountedIn(nullptr))
                item.CountInLater(counts_.get(), sliceCounts[t].Value);
            else if (!item.CountedIn(counts_.get()))
                elsewhere[t].Value.push_back(i);  // counted in another list's counts, left to this thread
        }
    });
    for (size_t t = 0; t < slices; ++t) {
        counts_->Modified += sliceCounts[t].Value.Modified;
        counts_->Quantity += sliceCounts[t].Value.Quantity;
        for (const size_t i : elsewhere[t].Value)
            items_[i]->CountIn(counts_.get());
    }
}

void TBaseCustomListClass::ReplaceItems(std::vector<std::unique_ptr<TBaseCustomClass>> items)
{
    // An empty list stays as it was; items new to the list mark it.
    if (!items.empty()) {
        items_ = std::move(items);
        CountFlags(0);
        Modified = true;
    }
    G_SortField = "Title";
    G_SortDirection = 1;
    Sort();
}

}  // namespace quorvel
