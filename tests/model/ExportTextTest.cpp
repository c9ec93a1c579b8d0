#include <gtest/gtest.h>

#include "ListTestSupport.h"
#include "model/CartListClass.h"
#include "model/ColumnList.h"
#include "model/ExportText.h"
#include "model/HardwareListClass.h"
#include "model/ListFactory.h"
#include "model/LocaleFormat.h"
#include "support/Checks.h"
#include "support/GlobalsTest.h"

namespace quorvel {
namespace {

using namespace std::string_literals;
using test::AddItem;
using test::Snapshot;
using test::Text;

// Columns over the given fields, in that order; a field starting with "-" is hidden.
void SetColumns(TColumnListClass& columns, const std::vector<std::string>& fields)
{
    columns.Clear();
    for (const auto& f : fields) {
        TColumnClass c;
        // "Field=Caption" names its own caption.
        const size_t eq = f.find('=');
        c.Hidden = f[0] == '-';
        c.Field = f.substr(c.Hidden ? 1 : 0, eq == std::string::npos ? std::string::npos : eq - (c.Hidden ? 1 : 0));
        c.Name = eq == std::string::npos ? "H " + c.Field : f.substr(eq + 1);
        columns.Add(c);
    }
}

class ExportTextTest : public test::GlobalsTest { };

TEST_F(ExportTextTest, RowsOfBothKinds)
{
    LocaleFormat money;
    money.CurrencySymbol = "$";
    LocaleFormat::SetCurrent(money);
    // The list type, the columns, the one item's values and the file written.
    const std::tuple<const char*, TListType, std::vector<std::string>, test::FieldTexts, std::string> cases[] = {
        {"MediaQuotesTexts",
         ltMedia,
         {"Title", "Quantity"},
         {{"Title", Text("Say \"hi\"")}, {"Quantity", Text("3")}},
         "\"H Title\",\"H Quantity\"\r\n\"Say %22hi%22\",3\r\n"},
        {"MediaHiddenColumnLeavesNoGap",
         ltMedia,
         {"-Title", "Boxed", "Cost"},
         {{"Boxed", true}, {"Cost", Text("2.50")}},
         "\"H Boxed\",\"H Cost\"\r\n-1,2.5\r\n"},
        {"QuoteInACaptionKeepsTheColumnCount",
         ltMedia,
         {"Title=12\" \"Pro\"", "Quantity"},
         {{"Title", Text("x")}},
         "\"12%22 %22Pro%22\",\"H Quantity\"\r\n\"x\",1\r\n"},
        {"AllHidden", ltMedia, {"-Title", "-Notes"}, {{"Title", Text("x")}}, "\r\n\r\n"},
        {"HardwareDisplayTexts",
         ltHardware,
         {"Name", "Quantity", "Boxed"},
         {{"Name", Text("Pad \"Pro\" 5%")}, {"Quantity", Text("2")}, {"Boxed", Text("-1")}},
         "\"H Name\",\"H Quantity\",\"H Boxed\"\r\nPad %22Pro%22 5%25,2,Yes\r\n"},
        {"HardwareEmptyFirstValue",
         ltHardware,
         {"Notes", "Name"},
         {{"Name", Text("Pad")}},
         "\"H Notes\",\"H Name\"\r\n,Pad\r\n"},
        {"HardwareCommaIsQuoted",
         ltHardware,
         {"Cost", "Notes", "Name"},
         {{"Cost", Text("1234.5")}, {"Notes", Text("a, b\r\nc")}, {"Name", Text("Pad")}},
         "\"H Cost\",\"H Notes\",\"H Name\"\r\n\"$1,234.50\",\"a, b%0D%0Ac\",Pad\r\n"},
    };
    for (const auto& [name, type, fields, values, expected] : cases) {
        auto list = CreateListObject(type);
        AddItem(*list, values);
        TColumnListClass columns;
        SetColumns(columns, fields);
        ExportListObject(list.get(), PathOf("out.csv"), columns);
        EXPECT_EQ(ReadFile("out.csv"), expected) << name;
    }
}

TEST_F(ExportTextTest, ExportKeepsTheReplacedFileAndNeverTouchesTheList)
{
    WriteFile("out.csv", "before");
    TCartListClass list;
    AddItem(list, {{"Title", Text("a")}});
    list.SetModified(false);
    const std::string before = Snapshot(list);
    TColumnListClass columns;
    columns.SetTemplate(list.GetItem(0));
    list.ExportToFile(PathOf("out.csv"), columns);
    EXPECT_EQ(ReadFile("out.BAK"), "before");
    EXPECT_EQ(ReadFile("out.csv").substr(0, 17), "\"Title\",\"Mfg\",\"Bo");
    EXPECT_EQ(Snapshot(list), before);
}

TEST_F(ExportTextTest, UnconvertibleMediaValueWritesNothing)
{
    WriteFile("out.csv", "before");
    TCartListClass list;
    AddItem(list, {{"Quantity", Text("1")}});
    AddItem(list, {{"Quantity", Text("lots")}});
    TColumnListClass columns;
    SetColumns(columns, {"Title", "Quantity"});
    EXPECT_EQ(test::ErrorOf<TBaseCustomListClassException>([&] { list.ExportToFile(PathOf("out.csv"), columns); }),
              "Invalid variant type conversion in item 2, field QUANTITY");
    EXPECT_EQ(ReadFile("out.csv"), "before");
    EXPECT_FALSE(Exists("out.BAK"));
}

// Clipboard text of some items of a list, as the main window puts it together.
std::string ClipboardText(const TBaseCustomListClass& list, const std::vector<int32_t>& rows)
{
    std::string text = ClipboardHeaderText(list);
    for (int32_t row : rows) {
        std::string line;
        GetListObjectItemText(&list, row, line);
        text += "\r\n" + line;
    }
    return text;
}

TEST(ClipboardTextTest, HeaderLines)
{
    auto media = CreateListObject(ltMedia);
    const std::string header = ClipboardHeaderText(*media);
    EXPECT_EQ(header.substr(0, 31), "QUORVEL MEDIA\r\n\"TITLE\",\"MFG\",\"B");
    EXPECT_EQ(header.substr(header.size() - 14), ",\"VIDEOFORMAT\"");
    auto hardware = CreateListObject(ltHardware);
    EXPECT_EQ(ClipboardHeaderText(*hardware).substr(0, 25), "QUORVEL HARDWARE\r\n\"NAME\",");
}

TEST(ClipboardTextTest, CopiedItemsPasteBackEqual)
{
    auto source = CreateListObject(ltMedia);
    AddItem(*source, {{"Title", Text("skip me")}});
    AddItem(*source, {{"Title", Text("Line\r\nbreak, \"quoted\" 100%")}, {"Quantity", Text("2")}, {"Boxed", true}});
    AddItem(*source, {{"Title", FieldValue("\xC9toile\0x"s)}, {"Notes", Text("a\nb\rc")}, {"Cost", Currency {12345}}});
    const std::string text = ClipboardText(*source, {1, 2});

    auto target = CreateListObject(ltMedia);
    AddItem(*target, {{"Title", Text("already here")}});
    target->SetModified(false);
    PasteListObjectText(target.get(), text);
    ASSERT_EQ(target->Count(), 3);
    EXPECT_TRUE(target->GetModified());
    EXPECT_FALSE(target->GetItem(0)->Modified);
    for (int32_t i = 1; i <= 2; ++i) {
        std::string copied, pasted;
        GetListObjectItemText(source.get(), i, copied);
        GetListObjectItemText(target.get(), i, pasted);
        EXPECT_EQ(pasted, copied);
        EXPECT_TRUE(target->GetItem(i)->Modified);
    }
    EXPECT_EQ(test::Column(*target, "Title")[1], "Line\r\nbreak, \"quoted\" 100%");

    // A final line break adds no item.
    auto again = CreateListObject(ltMedia);
    PasteListObjectText(again.get(), text + "\r\n");
    EXPECT_EQ(again->Count(), 2);
}

TEST(ClipboardTextTest, TextOfAnotherFormIsIgnored)
{
    auto media = CreateListObject(ltMedia);
    AddItem(*media, {{"Title", Text("a")}});
    const std::string mediaText = ClipboardText(*media, {0});
    const std::string header = ClipboardHeaderText(*media);
    const std::string cases[] = {
        "",
        header,
        header + "\r\n",
        "QUORVEL MEDIA",
        "QUORVEL MEDIA \r\n\"TITLE\"\r\n\"x\"",
        "quorvel media\r\n\"TITLE\"\r\n\"x\"",
        "QUORVEL HARDWARE\r\n\"TITLE\"\r\n\"x\"",
        "plain text\r\nfrom\r\nelsewhere",
    };
    for (const auto& text : cases) {
        auto list = CreateListObject(ltMedia);
        list->SetModified(false);
        PasteListObjectText(list.get(), text);
        EXPECT_EQ(list->Count(), 0) << text;
        EXPECT_FALSE(list->GetModified()) << text;
    }
    auto hardware = CreateListObject(ltHardware);
    hardware->SetModified(false);
    PasteListObjectText(hardware.get(), mediaText);
    EXPECT_EQ(hardware->Count(), 0);
    EXPECT_FALSE(hardware->GetModified());
}

// Text the list could not save later is refused whole; an empty number is how an unset one is kept.
TEST(ClipboardTextTest, ValuesThatDoNotConvertLeaveTheListAsItWas)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\"TITLE\"\r\n\"good\"\r\n\"bad %X\"", "'$X' is not a valid integer value"},
        {"\"TITLE\",\"QUANTITY\"\r\n\"a\",2\r\n\"b\",abc", "Invalid variant type conversion in line 4, field QUANTITY"},
        {"\"TITLE\",\"BOXED\"\r\n\"a\",maybe", "Invalid variant type conversion in line 3, field BOXED"},
        {"\"COST\"\r\n1.5\r\n\r\n12 dollars", "Invalid variant type conversion in line 5, field COST"},
        {"\"TITLE\",\"QUANTITY\",\"BOXED\",\"COST\"\r\n\"a\",,,\r\n\"b\",3,-1,2.5", "no error"},
    };
    for (const auto& [lines, message] : cases) {
        auto list = CreateListObject(ltMedia);
        AddItem(*list, {{"Title", Text("kept")}});
        list->SetModified(false);
        const std::string before = Snapshot(*list);
        EXPECT_EQ(test::ErrorOf([&] { PasteListObjectText(list.get(), std::string("QUORVEL MEDIA\r\n") + lines); }),
                  message);
        if (std::string_view(message) != "no error")
            EXPECT_EQ(Snapshot(*list), before) << lines;
        else
            EXPECT_EQ(list->Count(), 3);
    }
}

TEST(ClipboardTextTest, ItemTextOutsideTheListLeavesTextAlone)
{
    auto list = CreateListObject(ltHardware);
    AddItem(*list, {{"Name", Text("Pad")}});
    for (int32_t index : {-1, 1, 5}) {
        std::string text = "unchanged";
        GetListObjectItemText(list.get(), index, text);
        EXPECT_EQ(text, "unchanged") << index;
    }
    std::string text;
    GetListObjectItemText(list.get(), 0, text);
    EXPECT_EQ(text.substr(0, 14), "\"Pad\",\"\",\"\",\"\"");
}

}  // namespace
}  // namespace quorvel
