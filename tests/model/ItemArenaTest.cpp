#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "model/ItemArena.h"
#include "model/ItemClasses.h"

namespace quorvel {
namespace {

using ItemVector = std::vector<std::unique_ptr<TBaseCustomClass>>;

std::string LongText(size_t i) { return "A title long enough for a block of its own, number " + std::to_string(i); }

// Items made in arenas (several blocks' worth, with long texts lent by the arena) keep their values
// after the arena is gone, copies own their texts, and the items may go in any order, on another
// thread, or all at once: the sanitizer build finds a block freed too early or never.
TEST(ItemArenaTest, ItemsOutliveTheirArenaAndGoInAnyOrder)
{
    const TCartClass prototype;
    const int32_t title = prototype.IndexOfField("Title");
    const int32_t notes = prototype.IndexOfField("Notes");
    ItemVector items;
    {
        ItemArena arena;
        for (size_t i = 0; i < 30001; ++i) {
            const std::string text = LongText(i);
            auto item = prototype.CloneIn(arena, 2 * text.size());
            item->SetTextIn(title, text, arena);
            item->SetTextIn(notes, "short", arena);
            // Changing a lent text to one of another length gives it a block of its own.
            if (i % 1000 == 0)
                item->SetTextAt(title, text + "!");
            items.push_back(std::move(item));
        }
    }
    ItemVector copies;
    for (size_t i = 0; i < items.size(); i += 97)
        copies.push_back(items[i]->Clone());
    std::mt19937 random(9);
    std::shuffle(items.begin(), items.end(), random);
    items.resize(items.size() / 2);
    std::thread([&] { items.erase(items.begin(), items.begin() + 1000); }).join();
    for (const auto& item : items) {
        const std::string notesText(item->TextAt(notes));
        ASSERT_EQ(notesText, "short");
    }
    items.clear();
    for (size_t k = 0; k < copies.size(); ++k) {
        const size_t i = k * 97;
        EXPECT_EQ(copies[k]->TextAt(title), i % 1000 == 0 ? LongText(i) + "!" : LongText(i));
    }
}

// A text that does not fit the room asked for is stored in a block of its own, not past the room.
TEST(ItemArenaTest, TextBeyondTheRoomGetsABlockOfItsOwn)
{
    const THardwareClass prototype;
    ItemVector items;
    ItemArena arena;
    for (int i = 0; i < 3; ++i) {
        auto item = prototype.CloneIn(arena, 0);
        item->SetTextIn(0, std::string(size_t(5) << 20, char('a' + i)), arena);
        items.push_back(std::move(item));
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(items[size_t(i)]->TextAt(0), std::string(size_t(5) << 20, char('a' + i)));
}

// Texts that fill a block to an odd last byte are followed by items in a new block, never past the
// end of that one (the sanitizer build finds a write beyond it).
TEST(ItemArenaTest, ItemsAfterABlockFilledToAnOddEndGoIntoANewBlock)
{
    const TCartClass prototype;
    const int32_t title = prototype.IndexOfField("Title");
    const std::string small = "a title past fifteen bytes";
    ItemVector items;
    std::vector<std::string> expected;
    ItemArena arena;
    for (const size_t size : {(size_t(1) << 20) + 1, (size_t(3) << 17) + 3, size_t(70001), size_t(65535)}) {
        for (const std::string& text : {std::string(size, char('a' + size % 26)), small}) {
            auto item = prototype.CloneIn(arena, text.size());
            item->SetTextIn(title, text, arena);
            items.push_back(std::move(item));
            expected.push_back(text);
        }
    }
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_TRUE(items[i]->TextAt(title) == expected[i]) << i;
}

}  // namespace
}  // namespace quorvel
