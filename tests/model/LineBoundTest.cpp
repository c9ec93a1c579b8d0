#include <gtest/gtest.h>

#include <functional>

#include "ListTestSupport.h"
#include "model/CartListClass.h"
#include "model/ExportText.h"
#include "model/ListFactory.h"
#include "model/ListFile.h"
#include "support/Checks.h"
#include "support/GlobalsTest.h"

namespace quorvel {
namespace {

using test::AddItem;
using test::ErrorOf;
using test::SameText;
using test::Snapshot;
using test::Text;

constexpr size_t kBound = TBaseCustomListClass::MaxLineBytes;
const std::string kTag = "QV1.2\r\n";
const std::string kHeader = "\"TITLE\",\"NOTES\"\r\n";
const std::string kProperties = "\"Media\",\"P\",\"O\",\"D\"\r\n";

// A line of exactly Length bytes: a quoted title, then quoted notes filled up.
std::string ItemLine(size_t length)
{
    const std::string start = "\"t\",\"";
    return start + std::string(length - start.size() - 1, 'n') + "\"";
}
// Line 2 of exactly Length bytes, its description filled up.
std::string PropertiesLine(size_t length)
{
    const std::string start = "\"Media\",\"P\",\"O\",\"";
    return start + std::string(length - start.size() - 1, 'd') + "\"";
}

std::string TooLong(const std::string& what, const char* outcome)
{
    return what + " longer than " + std::to_string(kBound) +
        " bytes, the most a line of a list file may hold. The list was not " + outcome + ".";
}
std::string Refusal(int line) { return TooLong("Line " + std::to_string(line) + " of this file is", "changed"); }

class LineBoundTest : public test::GlobalsTest { };

// A line at the bound reads, one byte more is refused naming the line, from a file as from memory;
// the list keeps what it held.
TEST_F(LineBoundTest, ReadingRefusesALineOverTheBoundNamingIt)
{
    std::string manyLines;
    for (int i = 0; i < 60000; ++i)
        manyLines += ItemLine(40) + "\r\n";
    const struct {
        const char* Name;
        std::string Text;
        std::string Error;  // "" loads
    } cases[] = {
        {"line 2 at the bound", kTag + PropertiesLine(kBound) + "\r\n" + kHeader + "\"a\"\r\n", ""},
        {"line 2 over", kTag + PropertiesLine(kBound + 1) + "\r\n" + kHeader + "\"a\"\r\n", Refusal(2)},
        {"line 2 over, the last line", kTag + PropertiesLine(kBound + 1), Refusal(2)},
        {"line 1 over", "QV1.2," + std::string(kBound - 5, 'x') + "\r\n" + kProperties + kHeader, Refusal(1)},
        {"field names over", kTag + kProperties + "\"TITLE\"" + std::string(kBound - 6, ' ') + "\r\n\"a\"\r\n",
         Refusal(3)},
        {"item at the bound, CR", kTag + kProperties + kHeader + ItemLine(kBound) + "\r" + ItemLine(10), ""},
        {"item at the bound, CR LF, last", kTag + kProperties + kHeader + "\"a\"\n" + ItemLine(kBound) + "\r\n", ""},
        {"item over, LF", kTag + kProperties + kHeader + "\"a\"\n\"b\"\n" + ItemLine(kBound + 1) + "\n\"c\"", Refusal(6)},
        {"item over, the last line", kTag + kProperties + kHeader + ItemLine(kBound + 1), Refusal(4)},
        {"item far over", kTag + kProperties + kHeader + ItemLine(3 * kBound) + "\r\n\"c\"", Refusal(4)},
        {"item over after many lines", kTag + kProperties + kHeader + manyLines + ItemLine(kBound + 2) + "\r\n",
         Refusal(60004)},
        {"first of two long lines", kTag + kProperties + kHeader + manyLines + ItemLine(kBound + 1) + "\r\n" +
             manyLines + ItemLine(2 * kBound) + "\r\n",
         Refusal(60004)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteFile("in.lst", c.Text);
        TCartListClass fromFile, fromText;
        AddItem(fromFile, {{"Title", Text("kept")}});
        AddItem(fromText, {{"Title", Text("kept")}});
        const std::string before = Snapshot(fromFile), error = c.Error.empty() ? "no error" : c.Error;
        EXPECT_EQ(ErrorOf<TBaseCustomListClassException>([&] { fromFile.LoadFromFile(PathOf("in.lst")); }), error);
        EXPECT_EQ(ErrorOf<TBaseCustomListClassException>([&] { ReadListFileText(fromText, c.Text, PathOf("in.lst")); }),
                  error);
        // Refused, both keep what they held; read, both hold the same.
        EXPECT_TRUE(SameText(Snapshot(fromFile), c.Error.empty() ? Snapshot(fromText) : before));
        EXPECT_TRUE(SameText(Snapshot(fromText), c.Error.empty() ? Snapshot(fromFile) : before));
    }
}

// A file read in chunks side by side refuses as if its lines had all been counted first: a line too
// long, then too many items, then the first value in file order that does not read.
TEST_F(LineBoundTest, RefusalsComeInTheOrderOfACountFirst)
{
    const std::string head = kTag + kProperties + kHeader;
    std::string many, tooMany;  // 60 000 lines of 42 bytes; one line more than a list may hold
    for (int i = 0; i < 60000; ++i)
        many += ItemLine(40) + "\r\n";
    for (int64_t i = 0; i <= TBaseCustomListClass::MaxItems; ++i)
        tooMany += "\"t\"\r\n";
    const std::string early = "\"%Y1\"\r\n", late = "\"%Z9\"\r\n";
    const std::string earlyError = "'$Y1' is not a valid integer value", lateError = "'$Z9' is not a valid integer value";
    const std::string tooManyError = "This file holds more than 1000000 items. The list was not changed.";
    const struct {
        const char* Name;
        std::string Text;
        std::string Error;
    } cases[] = {
        {"a bad value, then a long line", head + early + many + ItemLine(kBound + 1) + "\r\n", Refusal(60005)},
        {"a bad value, then too many lines", head + early + tooMany, tooManyError},
        {"a long line, then too many lines", head + ItemLine(kBound + 1) + "\n" + tooMany, Refusal(4)},
        {"two bad values far apart", head + many + early + many + late + many, earlyError},
        {"a bad value at the end", head + many + many + late, lateError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteFile("in.lst", c.Text);
        TCartListClass fromFile, fromText;
        AddItem(fromFile, {{"Title", Text("kept")}});
        const std::string before = Snapshot(fromFile);
        EXPECT_EQ(ErrorOf([&] { fromFile.LoadFromFile(PathOf("in.lst")); }), c.Error);
        EXPECT_EQ(ErrorOf([&] { ReadListFileText(fromText, c.Text, PathOf("in.lst")); }), c.Error);
        EXPECT_TRUE(SameText(Snapshot(fromFile), before));
    }
}

// The Explorer's peek never refuses a list for a long value and shows a bounded start of it.
TEST_F(LineBoundTest, PeeksShowALongValueCut)
{
    std::string escapes;
    for (int i = 0; i < 100000; ++i)
        escapes += "%41";
    const struct {
        const char* Name;
        std::string Text;
        char DescriptionFill;  // the description is cut and made of this byte; 0: exactly "D"
    } cases[] = {
        {"description of 17 MiB", kTag + PropertiesLine(17 << 20) + "\r\n" + kHeader, 'd'},
        {"description over the bound, no line 3", kTag + PropertiesLine(kBound + 1), 'd'},
        {"bad escapes shown as they stand, cut",
         kTag + "\"Media\",\"P\",\"O\",\"" + std::string(3 << 20, '%') + "\"\r\nx", '%'},
        {"escapes cut whole", kTag + "\"Media\",\"P\",\"O\",\"" + escapes + "\"\r\nx", 'A'},
        {"short lines", kTag + kProperties + "x", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteFile("p.lst", c.Text);
        const ListFilePeek peek = PeekListFile(PathOf("p.lst"));
        EXPECT_EQ(peek.Type, ltMedia);
        EXPECT_EQ(peek.Owner, "O");
        EXPECT_LE(peek.Description.size(), 64u << 10);
        if (c.DescriptionFill) {
            EXPECT_GT(peek.Description.size(), 1000u);
            EXPECT_EQ(peek.Description, std::string(peek.Description.size(), c.DescriptionFill));
        }
        // The peek of the bytes in memory says the same.
        EXPECT_EQ(ListFileTypeOf(c.Text), ltMedia);
        std::string type, owner, platform, description;
        ListFileInfoOf(c.Text, type, owner, platform, description);
        EXPECT_EQ(description, peek.Description);
    }
}

// The size of an item's line with empty notes: what every byte of notes adds to.
size_t EmptyNotesLine(const TBaseCustomClass& item)
{
    auto copy = item.Clone();
    copy->SetFieldValue("Notes", Text(""));
    return TBaseCustomListClass::BuildItemLine(*copy, copy->GetFieldNames()).size();
}

// Values are refused where they would make a line the reader refuses; the writer never writes one.
TEST_F(LineBoundTest, ValuesThatWouldMakeALongLineAreRefused)
{
    TCartListClass list;
    TBaseCustomClass& item = AddItem(list, {{"Title", Text("t")}, {"Quantity", int32_t {1}}});
    const size_t itemRoom = kBound - EmptyNotesLine(item);
    const size_t propertiesRoom = kBound - std::string("\"Media\",\"P\",\"O\",\"\"").size();
    const int32_t notes = item.IndexOfField("Notes");
    // Each makes a value that is written in Room bytes plus or minus a few.
    const struct {
        const char* Name;
        std::function<std::string(size_t room)> Make;
        bool Fits;
    } cases[] = {
        {"at the bound", [](size_t room) { return std::string(room, 'n'); }, true},
        {"one over", [](size_t room) { return std::string(room + 1, 'n'); }, false},
        {"escapes written at the bound", [](size_t room) { return std::string(room / 3, '%') + std::string(room % 3, 'n'); },
         true},
        {"escapes written one over",
         [](size_t room) { return std::string(room / 3 - 3, '%') + "\"\r\n" + std::string(room % 3 + 1, 'n'); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const FieldValue value = c.Make(itemRoom);
        EXPECT_EQ(ItemLineFits(item, notes, &value), c.Fits);
        auto changed = item.Clone();
        changed->SetValueAt(notes, value);
        EXPECT_EQ(ItemLineFits(*changed), c.Fits);
        const std::string line = TBaseCustomListClass::BuildItemLine(*changed, changed->GetFieldNames());
        EXPECT_EQ(line.size() <= kBound, c.Fits);

        const std::string description = c.Make(propertiesRoom);
        EXPECT_EQ(PropertiesLineFits("Media", "P", "O", description), c.Fits);
        EXPECT_EQ(PropertiesLineFits("Media", " P ", "O", description), c.Fits) << "blanks are not written";

        // Pasting such a value changes nothing.
        const std::string before = Snapshot(list);
        const std::string paste = ClipboardHeaderText(list) + "\r\n\"x\"\r\n" + line + "\r\n";
        if (c.Fits) {
            // What the program writes, its Open reads.
            TCartListClass saved;
            saved.Add(changed->Clone());
            saved.SetDescription(description);
            saved.SaveToFile(PathOf("saved.lst"), false, true);
            TCartListClass again;
            again.LoadFromFile(PathOf("saved.lst"));
            EXPECT_TRUE(again.GetDescription() == description);

            PasteListObjectText(&list, paste);
            ASSERT_EQ(list.Count(), 3);
            EXPECT_TRUE(ToText(list.GetItem(2)->ValueAt(notes)) == std::get<std::string>(value));
            list.DeleteItems({1, 2});
        } else {
            EXPECT_EQ(ErrorOf<TBaseCustomListClassException>([&] { PasteListObjectText(&list, paste); }),
                      TooLong("Line 4 would make an item's line", "changed"));
            EXPECT_TRUE(SameText(Snapshot(list), before));
        }
    }
}

// A value that grows when written (an old file's "%" is written escaped) stops the save naming the
// item, and nothing on disk changes.
TEST_F(LineBoundTest, SaveRefusesALineItsOpenWouldRefuse)
{
    const struct {
        const char* Name;
        std::function<void(TCartListClass&)> Grow;
        std::string Error;
    } cases[] = {
        {"item 2", [](TCartListClass& l) { l.GetItem(1)->SetFieldValue("Notes", std::string(kBound / 2, '%')); },
         TooLong("Item 2 makes a line", "saved")},
        {"properties", [](TCartListClass& l) { l.SetDescription(std::string(kBound / 2, '"')); },
         TooLong("The list's properties make a line", "saved")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TCartListClass list;
        AddItem(list, {{"Title", Text("a")}});
        AddItem(list, {{"Title", Text("b")}});
        c.Grow(list);
        WriteFile("a.lst", "previous");
        EXPECT_EQ(ErrorOf<TBaseCustomListClassException>([&] { list.SaveToFile(PathOf("a.lst"), true, true); }),
                  c.Error);
        EXPECT_EQ(ReadFile("a.lst"), "previous");
        EXPECT_FALSE(Exists("a.BAK"));
    }
}

}  // namespace
}  // namespace quorvel
