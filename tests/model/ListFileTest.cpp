#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "ListTestSupport.h"
#include "model/CartListClass.h"
#include "model/ColumnList.h"
#include "model/FieldText.h"
#include "model/HardwareListClass.h"
#include "model/ListFactory.h"
#include "model/ListFile.h"
#include "model/ListFileSlices.h"
#include "model/LocaleFormat.h"
#include "platform/SafeFile.h"
#include "support/Checks.h"
#include "support/GlobalsTest.h"

namespace quorvel {
namespace {

using namespace std::string_literals;
using test::AddItem;
using test::ErrorOf;
using test::OtherList;
using test::SameText;
using test::Snapshot;
using test::Text;

const std::string kMediaHeader =
    "\"TITLE\",\"MFG\",\"BOXED\",\"BOXSEALED\",\"INSTRUCTIONS\",\"OVERLAY\",\"SPECIALCONTROLLER\",\"LABELTYPE\","
    "\"LABELCOLOR\",\"MODELNUMBER\",\"SERIALNUMBER\",\"QUANTITY\",\"RARITY\",\"CONDITION\",\"NOTES\",\"COST\","
    "\"VALUE\",\"HIGHSCORE\",\"MEDIATYPE\",\"MEDIASTATUS\",\"ACQUIREDFROM\",\"DATEACQUIRED\",\"YEARRELEASED\","
    "\"COPYRIGHTYEAR\",\"VIDEOFORMAT\"";

// Texts that the encoding and the line splitting must carry through unchanged.
const std::string kHardTexts[] = {
    "plain",
    "comma, inside",
    "a \"quoted\" word",
    "100% and %41 literally",
    "line\nfeed",
    "carriage\rreturn",
    "both\r\nends",
    "\r\n",
    "high \x80\x9D\xC9\xFF bytes",
    "nul\0inside"s,
    "",
};

class ListFileTest : public test::GlobalsTest {
protected:
    std::unique_ptr<TBaseCustomListClass> Loaded(TListType type, const std::string& name)
    {
        auto list = CreateListObject(type);
        LoadListObject(list.get(), PathOf(name));
        return list;
    }
};

TEST_F(ListFileTest, RoundTripOfHardTextsAndNumbers)
{
    for (const TListType type : {ltMedia, ltHardware}) {
        const char* nameField = type == ltMedia ? "Title" : "Name";
        auto list = CreateListObject(type);
        list->SetPlatform("Zentra \"64\", 50%");
        list->SetOwner("Owner\r\nwith break");
        list->SetDescription("desc \xE9, 10% \x01\0end"s);
        for (const auto& s : kHardTexts)
            AddItem(*list, {{nameField, s}, {"Notes", s}, {"Mfg", std::string("m,") + s}});
        // Numbers and booleans in every form an item may hold them.
        const std::vector<std::pair<test::FieldTexts, std::vector<std::string>>> numbers = {
            {{{"Quantity", int32_t {7}}, {"Cost", Currency {45000}}, {"Boxed", true}}, {"7", "4.5", "-1"}},
            {{{"Quantity", Text("-3")}, {"Cost", Text("0.1234")}, {"Boxed", Text("0")}}, {"-3", "0.1234", "0"}},
            {{{"Quantity", Text("")}, {"Cost", Text("")}, {"Boxed", Text("")}}, {"", "", ""}},
            {{{"Quantity", 2.0}, {"Cost", Text("12,5")}, {"Boxed", Text("TRUE")}}, {"2", "12.5", "-1"}},
            {{{"Quantity", Text(" 12 ")}, {"Cost", int32_t {3}}, {"Boxed", false}}, {"12", "3", "0"}},
        };
        for (const auto& [values, expected] : numbers)
            AddItem(*list, values);

        const Path first = PathOf("first.lst"), second = PathOf("second.lst");
        SaveListObject(list.get(), first, false, false);
        auto back = Loaded(type, "first.lst");
        EXPECT_EQ(back->GetPlatform(), list->GetPlatform());
        EXPECT_EQ(back->GetOwner(), list->GetOwner());
        EXPECT_EQ(back->GetDescription(), list->GetDescription());
        EXPECT_EQ(back->GetListType(), type == ltMedia ? "Media" : "Hardware");
        ASSERT_EQ(back->Count(), list->Count());
        for (size_t i = 0; i < std::size(kHardTexts); ++i) {
            const auto* item = back->GetItem(static_cast<int32_t>(i));
            EXPECT_EQ(ToText(item->GetFieldValue(nameField)), kHardTexts[i]) << i;
            EXPECT_EQ(ToText(item->GetFieldValue("Notes")), kHardTexts[i]) << i;
            EXPECT_EQ(ToText(item->GetFieldValue("Mfg")), "m," + kHardTexts[i]) << i;
        }
        for (size_t n = 0; n < numbers.size(); ++n) {
            const auto* item = back->GetItem(static_cast<int32_t>(std::size(kHardTexts) + n));
            const auto& expected = numbers[n].second;
            EXPECT_EQ(item->GetFieldValue("Quantity"), FieldValue(expected[0])) << n;
            EXPECT_EQ(item->GetFieldValue("Cost"), FieldValue(expected[1])) << n;
            EXPECT_EQ(item->GetFieldValue("Boxed"), FieldValue(expected[2])) << n;
        }
        SaveListObject(back.get(), second, false, false);
        EXPECT_TRUE(SameText(ReadFile("second.lst"), ReadFile("first.lst")));
        std::filesystem::remove(first.Bytes());
        std::filesystem::remove(second.Bytes());
    }
}

// Numbers are written the same whatever the display locale.
TEST_F(ListFileTest, WritesTheValueFormsByFieldType)
{
    LocaleFormat comma;
    comma.DecimalSeparator = ',';
    comma.ThousandSeparator = '.';
    LocaleFormat::SetCurrent(comma);
    TCartListClass list;
    list.SetListType("  Media ");
    list.SetPlatform(" Zentra ");
    list.SetDescription("a, 5%");
    AddItem(list,
            {{"Title", Text("Comet \"Deluxe\"")},
             {"Boxed", true},
             {"Quantity", Text("007")},
             {"Cost", Text("4.50")},
             {"Value", Currency {12345000}},
             {"Rarity", Text("")},
             {"Condition", Text("2")},
             {"DateAcquired", Text("1/2/2003")}});
    list.SaveToFile(PathOf("a.lst"), false, false);
    EXPECT_EQ(ReadFile("a.lst"),
              "QV1.2\r\n\"Media\",\"Zentra\",\"\",\"a, 5%25\"\r\n" + kMediaHeader +
                  "\r\n\"Comet %22Deluxe%22\",\"\",-1,0,0,0,0,\"\",\"\",\"\",\"\",7,,2,\"\",4.5,1234.5,"
                  "\"\",\"\",\"\",\"\",\"1/2/2003\",\"\",\"\",\"\"\r\n");
}

TEST_F(ListFileTest, TypeThatWouldBreakItsFieldIsWrittenWithoutQuotesAndBreaks)
{
    // Only a malformed file brings such a type; the written line must still hold four fields.
    for (const char* type : {"Med\"ia", "Media\r\n", "Media\" ", "\"Media"}) {
        TCartListClass list;
        list.SetListType(type);
        list.SetPlatform("P");
        list.SaveToFile(PathOf("t.lst"), false, true);
        EXPECT_EQ(ReadFile("t.lst").substr(7, 16), "\"Media\",\"P\",\"\",\"") << type;
    }
}

TEST_F(ListFileTest, EmptyListWritesThreeLines)
{
    THardwareListClass list;
    list.SaveToFile(PathOf("h.lst"), false, false);
    const std::string text = ReadFile("h.lst");
    EXPECT_EQ(text.substr(0, 33), "QV1.2\r\n\"Hardware\",\"\",\"\",\"\"\r\n\"NAME");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

// What reading a file gives: the items' texts of a few fields, or the error.
struct ReadCase {
    const char* Name;
    std::string Content;
    std::string Error;  // empty: the read succeeds
    std::vector<std::string> Titles = {};
    std::string Type = "Media";  // taken from the file as it stands
};

TEST_F(ListFileTest, ReadsOrRefusesWholeFiles)
{
    const std::string head = "QV1.2\r\n\"Media\",\"P\",\"O\",\"D\"\r\n\"TITLE\",\"QUANTITY\"\r\n";
    const std::string invalid = "Invalid Cartridge File", version = "Cartridge File is not Version \"QV1.2\"";
    const ReadCase cases[] = {
        {"Empty", "", invalid},
        {"OneLine", "QV1.2\r\n", invalid},
        {"TwoLines", "QV1.2\r\n\"Media\",\"P\",\"O\",\"D\"\r\n", invalid},
        {"TwoLinesCrOnly", "QV1.2\r\r", invalid},
        {"NoLineEnds", "QV1.2" + std::string(100000, 'x'), invalid},
        {"LaterTag", "QV1.3\r\nx\r\ny\r\n", version},
        {"LowerTag", "qv1.2\r\nx\r\ny\r\n", version},
        {"BlankBeforeTag", " QV1.2\r\nx\r\ny\r\n", version},
        {"BlankAfterTag", "QV1.2 \r\nx\r\ny\r\n", version},
        {"BinaryJunk",
         "\x7F"
         "ELF\x02\x01\x01\0\0\0\r\n\xFF\xFE\0\n\x01\x02"s,
         version},
        {"QuotedTag", "\"QV1.2\",junk\nx\ny\n", "", {}, "x"},
        {"ThreeLines", head, "", {}},
        {"BadEscapeInItem", head + "\"ok\",1\r\n\"bad %ZZ\",2\r\n", "'$ZZ' is not a valid integer value"},
        {"EscapeCutShort", head + "\"bad 5%\",2\r\n", "'$' is not a valid integer value"},
        {"BadEscapeInPlatform", "QV1.2\r\n\"Media\",\"P%G\",\"O\",\"D\"\r\n\"TITLE\"\r\n",
         "'$G' is not a valid integer value"},
        {"LfEnds", "QV1.2\n\"Media\",\"P\",\"O\",\"D\"\n\"TITLE\"\n\"a\"\n\"b\"\n", "", {"a", "b"}},
        {"CrEnds", "QV1.2\r\"Media\",\"P\",\"O\",\"D\"\r\"TITLE\"\r\"a\"\r\"b\"\r", "", {"a", "b"}},
        {"NoFinalBreak", head + "\"a\",1\r\n\"b\",2", "", {"a", "b"}},
        {"BlankLineIsAnItem", head + "\"a\",1\r\n\r\n\"b\",2\r\n", "", {"a", "", "b"}},
        {"NulIsData", head + "\"a\0b\",1\r\n"s, "", {"a\0b"s}},
        {"LongLineIgnoresExtraValues", head + "\"a\",1,2,3,\"x\"\r\n", "", {"a"}},
        {"OtherTypeKept", "QV1.2\r\n\"Hardware\",\"P\",\"O\",\"D\"\r\n\"TITLE\"\r\n\"x\"\r\n", "", {"x"}, "Hardware"},
    };
    for (const auto& c : cases) {
        WriteFile("in.lst", c.Content);
        TCartListClass list;
        list.SetListType("Media");
        list.SetPlatform("Before");
        list.SetFileName(Path("before.lst"));
        AddItem(list, {{"Title", Text("kept")}});
        list.SetModified(false);
        const std::string before = Snapshot(list);
        try {
            list.LoadFromFile(PathOf("in.lst"));
            EXPECT_TRUE(c.Error.empty()) << c.Name;
            EXPECT_EQ(test::Column(list, "Title"), c.Titles) << c.Name;
            EXPECT_EQ(list.GetListType(), c.Type) << c.Name;
            EXPECT_EQ(list.GetFileName(), PathOf("in.lst")) << c.Name;
            EXPECT_FALSE(list.IsModified()) << c.Name;
        } catch (const std::exception& e) {
            EXPECT_EQ(e.what(), c.Error) << c.Name;
            EXPECT_EQ(Snapshot(list), before) << c.Name;
        }
    }
}

TEST_F(ListFileTest, HardwareReaderHasItsOwnMessages)
{
    const std::pair<std::string, std::string> cases[] = {
        {"QV1.2\r\nx\r\n", "Invalid Hardware File"},
        {"QV2.0\r\nx\r\ny\r\n", "Hardware File version is not supported."},
    };
    for (const auto& [content, message] : cases) {
        WriteFile("in.lst", content);
        THardwareListClass list;
        EXPECT_EQ(ErrorOf<THardwareListClassException>([&] { list.LoadFromFile(PathOf("in.lst")); }), message);
    }
    TCartListClass media;
    EXPECT_THROW(media.LoadFromFile(PathOf("in.lst")), TCartListClassException);
}

TEST_F(ListFileTest, MissingFileCannotBeOpened)
{
    TCartListClass list;
    EXPECT_EQ(ErrorOf<FileOpenError>([&] { list.LoadFromFile(PathOf("missing.lst")); }),
              "Cannot open file " + PathOf("missing.lst").Bytes());
    EXPECT_THROW(list.LoadFromFile(Path(Dir().string())), FileOpenError);
}

TEST_F(ListFileTest, HeaderColumnsAreMatchedByName)
{
    WriteFile("in.lst",
              "QV1.2\r\n\"Media\",\"\",\"\",\"\"\r\n"
              "\"notes\",\"NoSuchField\",\"Title\",\"\",\"QUANTITY\",\"title\"\r\n"
              "\"n1\",\"x\",\"first\",\"y\",5,\"second\"\r\n"
              "\"n2\"\r\n");
    TCartListClass list;
    list.LoadFromFile(PathOf("in.lst"));
    ASSERT_EQ(list.Count(), 2);
    const auto* full = list.GetItem(0);
    EXPECT_EQ(full->GetFieldValue("Notes"), FieldValue(Text("n1")));
    // Of two columns naming one field the later one wins.
    EXPECT_EQ(full->GetFieldValue("Title"), FieldValue(Text("second")));
    EXPECT_EQ(full->GetFieldValue("Quantity"), FieldValue(Text("5")));
    // A field without a column keeps its default.
    EXPECT_EQ(full->GetFieldValue("Rarity"), FieldValue(int32_t {0}));
    EXPECT_EQ(full->GetFieldValue("DateAcquired"), FieldValue(test::kToday));
    // A short line gives its missing columns the empty text.
    const auto* shortLine = list.GetItem(1);
    EXPECT_EQ(shortLine->GetFieldValue("Quantity"), FieldValue(Text("")));
}

TEST_F(ListFileTest, OldTagsAreNotDecodedAndSaveAsCurrent)
{
    WriteFile("old.lst", "QV1.0\r\n\"Zen%22\",\"Me\",\"Old list\"\r\n\"TITLE\"\r\n\"a%22b\"\r\n");
    for (const TListType type : {ltMedia, ltHardware}) {
        auto list = Loaded(type, "old.lst");
        EXPECT_EQ(list->GetListType(), type == ltMedia ? "Media" : "Hardware");
        EXPECT_EQ(list->GetPlatform(), "Zen%22");
        EXPECT_EQ(list->GetOwner(), "Me");
        EXPECT_EQ(list->GetDescription(), "Old list");
        EXPECT_EQ(list->GetVersion(), "QV1.2");
    }
    auto media = Loaded(ltMedia, "old.lst");
    EXPECT_EQ(media->GetItem(0)->GetFieldValue("Title"), FieldValue(Text("a%22b")));
    SaveListObject(media.get(), PathOf("new.lst"), false, false);
    EXPECT_EQ(ReadFile("new.lst").substr(0, 48), "QV1.2\r\n\"Media\",\"Zen%2522\",\"Me\",\"Old list\"\r\n\"TITL");
}

TEST_F(ListFileTest, SavingOverAFileOnlyWhenAllowed)
{
    TCartListClass list;
    AddItem(list, {{"Title", Text("new")}});
    WriteFile("a.lst", "previous");
    list.SetModified(true);
    EXPECT_EQ(ErrorOf([&] { list.SaveToFile(PathOf("a.lst"), false, false); }), "File Already Exists");
    EXPECT_EQ(ReadFile("a.lst"), "previous");
    EXPECT_TRUE(list.GetModified());
    EXPECT_TRUE(list.GetFileName().empty());

    list.SaveToFile(PathOf("a.lst"), false, true);
    EXPECT_NE(ReadFile("a.lst").find("\"new\""), std::string::npos);
    EXPECT_EQ(list.GetFileName(), PathOf("a.lst"));
    EXPECT_FALSE(list.IsModified());
}

TEST_F(ListFileTest, UnconvertibleValueStopsTheSaveBeforeWriting)
{
    struct Case {
        const char* Field;
        FieldValue Value;
        std::string Message;
    };
    const Case cases[] = {
        {"Quantity", Text("two"), "Invalid variant type conversion in item 2, field QUANTITY"},
        {"Quantity", Text("99999999999"), "Variant overflow in item 2, field QUANTITY"},
        {"Quantity", Text("9999999999"), "Variant overflow in item 2, field QUANTITY"},
        {"Quantity", Text("5.5"), "Invalid variant type conversion in item 2, field QUANTITY"},
        {"Cost", Text("4.5.6"), "Invalid variant type conversion in item 2, field COST"},
        {"Boxed", Text("yes"), "Invalid variant type conversion in item 2, field BOXED"},
        {"Rarity", Text(" "), "Invalid variant type conversion in item 2, field RARITY"},
    };
    for (const auto& c : cases) {
        WriteFile("a.lst", "previous");
        TCartListClass list;
        AddItem(list, {{"Title", Text("fine")}});
        AddItem(list, {{"Title", Text("broken")}, {c.Field, c.Value}}).Modified = true;
        for (const bool backup : {false, true}) {
            EXPECT_EQ(ErrorOf<TBaseCustomListClassException>([&] { list.SaveToFile(PathOf("a.lst"), backup, true); }),
                      c.Message);
            EXPECT_EQ(ReadFile("a.lst"), "previous");
            EXPECT_FALSE(Exists("a.BAK"));
            EXPECT_TRUE(list.GetItem(1)->Modified);
            EXPECT_TRUE(list.GetFileName().empty());
        }
    }
}

// A whole quantity written with a zero fraction, as other programs write it, saves as the number.
TEST_F(ListFileTest, WholeQuantityWithAZeroFractionSaves)
{
    WriteFile("in.lst",
              "QV1.2\r\n\"Media\",\"\",\"\",\"\"\r\n\"TITLE\",\"QUANTITY\"\r\n"
              "\"a\",5.0\r\n\"b\",\" 12.00\"\r\n");
    TCartListClass list;
    list.LoadFromFile(PathOf("in.lst"));
    list.SaveToFile(PathOf("out.lst"), false, true);
    TCartListClass back;
    back.LoadFromFile(PathOf("out.lst"));
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.GetItem(0)->GetFieldValue("Quantity"), FieldValue(Text("5")));
    EXPECT_EQ(back.GetItem(1)->GetFieldValue("Quantity"), FieldValue(Text("12")));
}

TEST_F(ListFileTest, FailedWriteKeepsFileAndFlags)
{
    TCartListClass list;
    AddItem(list, {{"Title", Text("x")}}).Modified = true;
    list.SetFileName(Path("before.lst"));
    WriteFile("dir.lst/inside", "");
    for (const Path& target : {PathOf("no/such/folder.lst"), PathOf("dir.lst")}) {
        EXPECT_THROW(list.SaveToFile(target, true, true), FileWriteError) << target;
        EXPECT_TRUE(list.GetItem(0)->Modified);
        EXPECT_EQ(list.GetFileName(), Path("before.lst"));
    }
    EXPECT_TRUE(std::filesystem::is_directory(Dir() / "dir.lst"));
}

struct PeekCase {
    const char* Name;
    std::string Content;
    TListType Type;
    std::vector<std::string> Info;  // type, owner, platform, description
};

TEST_F(ListFileTest, PeeksReadTheFirstLines)
{
    const std::vector<std::string> unknown(4, "Unknown");
    const PeekCase cases[] = {
        {"Media",
         "QV1.2\r\n\"Media\",\"Zen%2C\",\"Me%22\",\"D\"\r\n\"TITLE\"\r\n",
         ltMedia,
         {"Media", "Me\"", "Zen,", "D"}},
        {"HardwareAnyCase", "QV1.2\n\"HARDWARE\",\"P\",\"O\",\"D\"\n\n", ltHardware, {"HARDWARE", "O", "P", "D"}},
        {"OtherType", "QV1.2\r\n\"Software\",\"P\",\"O\",\"D\"\r\nx", ltNone, {"Software", "O", "P", "D"}},
        {"OldTag", "QV1.1\r\n\"P%41\",\"O%41\",\"D%41\"\r\nx\r\n", ltMedia, {"Media", "OA", "P%41", "DA"}},
        {"BadEscapeShownRaw",
         "QV1.2\r\n\"Media\",\"P%\",\"O%zz\",\"D\"\r\nx\r\n",
         ltMedia,
         {"Media", "O%zz", "P%", "D"}},
        {"TwoLines", "QV1.2\r\n\"Media\",\"P\",\"O\",\"D\"\r\n", ltNone, unknown},
        {"UnknownTag", "QV1.3\r\n\"Media\",\"P\",\"O\",\"D\"\r\nx\r\n", ltNone, unknown},
        {"Empty", "", ltNone, unknown},
        {"Junk", "\xFF\xD8\xFF\xE0\0\x10JFIF\0"s + std::string(50000, '\x01'), ltNone, unknown},
        {"LongFirstLine", std::string(100000, 'Q'), ltNone, unknown},
    };
    for (const auto& c : cases) {
        WriteFile("p.lst", c.Content);
        EXPECT_EQ(GetListFileType(PathOf("p.lst")), c.Type) << c.Name;
        std::vector<std::string> info(4);
        GetListFileInfo(PathOf("p.lst"), info[0], info[1], info[2], info[3]);
        EXPECT_EQ(info, c.Info) << c.Name;
    }
    std::vector<std::string> info(4);
    EXPECT_EQ(GetListFileType(PathOf("missing.lst")), ltNone);
    GetListFileInfo(PathOf("missing.lst"), info[0], info[1], info[2], info[3]);
    EXPECT_EQ(info, unknown);
    EXPECT_EQ(GetListFileType(Path(Dir().string())), ltNone);
}

TEST_F(ListFileTest, DispatchersLeaveOtherObjectsAlone)
{
    WriteFile("in.lst", "QV1.2\r\n\"Media\",\"P\",\"O\",\"D\"\r\n\"TITLE\"\r\n\"a\"\r\n");
    OtherList other;
    TColumnListClass columns;
    std::string text = "unchanged";
    for (TBaseCustomListClass* list :
         {static_cast<TBaseCustomListClass*>(nullptr), static_cast<TBaseCustomListClass*>(&other)}) {
        LoadListObject(list, PathOf("in.lst"));
        SaveListObject(list, PathOf("out.lst"), false, true);
        ExportListObject(list, PathOf("out.csv"), columns);
        PasteListObjectText(list, "QUORVEL MEDIA\r\n\"TITLE\"\r\n\"x\"");
        GetListObjectItemText(list, 0, text);
    }
    EXPECT_EQ(other.Count(), 0);
    EXPECT_EQ(text, "unchanged");
    EXPECT_FALSE(Exists("out.lst"));
    EXPECT_FALSE(Exists("out.csv"));
}

TEST(ListFileLinesTest, LineEndsAllReadTheSame)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"\n\n", {"", ""}},
        {"a\n\r", {"a", ""}},
        {"a\r\r\n", {"a", ""}},
    };
    for (const auto& [text, expected] : cases) {
        const auto lines = SplitLines(text);
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), expected) << text;
    }
}

TEST(ListFileItemLineTest, BuildsOverTheNamedFields)
{
    TCartClass item;
    item.SetFieldValue("Title", Text("T,1"));
    item.SetFieldValue("Quantity", int32_t {3});
    item.SetFieldValue("Boxed", Text("-1"));
    EXPECT_EQ(TBaseCustomListClass::BuildItemLine(item, {"quantity", "TITLE", "Boxed", "Cost"}), "3,\"T,1\",-1,0");
    EXPECT_EQ(TBaseCustomListClass::BuildItemLine(item, {}), "");
    item.SetFieldValue("Quantity", Text("x"));
    EXPECT_THROW(TBaseCustomListClass::BuildItemLine(item, {"Quantity"}), VariantConversionError);
}

// A list file of many item lines with every kind of line end, big enough to be read in slices.
struct BigFile {
    std::string Text;
    std::vector<std::string> Titles;
};

BigFile MakeBigFile(size_t lines)
{
    BigFile big;
    big.Text = "QV1.2\r\n\"Media\",\"P\",\"O\",\"D\"\r\n\"TITLE\",\"NOTES\"\r\n";
    const char* const ends[] = {"\r", "\n", "\r\n"};
    for (size_t i = 0; i < lines; ++i) {
        if (i % 7 == 3) {
            // Not a bare LF: after a CR that would make one line end.
            big.Titles.emplace_back();
            big.Text += "\r\n";
            continue;
        } else {
            big.Titles.push_back("title %" + std::to_string(i));
            big.Text += "\"title %25" + std::to_string(i) + "\",\"" + std::string(40, 'n') + "\"";
        }
        big.Text += ends[i % 3];
    }
    return big;
}

TEST(ListFileSlicesTest, FirstBadEscapeInFileOrderIsReported)
{
    BigFile big = MakeBigFile(60000);
    const size_t late = big.Text.rfind("title %25");
    big.Text.replace(late + 6, 3, "%Z9");
    const size_t early = big.Text.find("title %25100\"");
    big.Text.replace(early + 6, 3, "%Y1");
    TCartListClass list;
    AddItem(list, {{"Title", Text("kept")}});
    const std::string before = Snapshot(list);
    EXPECT_EQ(ErrorOf<FieldTextDecodeError>([&] { ReadListFileText(list, big.Text, Path("big.lst")); }),
              "'$Y1' is not a valid integer value");
    EXPECT_EQ(Snapshot(list), before);
}

// Pieces made on several threads (the calling thread among them) are handed on in order, each once;
// the first failure in piece order, of making or of handing on, is the one raised, and nothing after it
// is handed on.
TEST(ListFileSlicesTest, PiecesAreHandedOnInOrderUpToTheFirstFailure)
{
    constexpr size_t kPieces = 300;
    const struct {
        const char* Name;
        std::vector<size_t> MakeFails;
        size_t HandOnFails;   // kPieces: never
        size_t FirstFailure;  // kPieces: none
    } cases[] = {
        {"none", {}, kPieces, kPieces},
        {"making", {150, 37, 299}, kPieces, 37},
        {"handing on", {}, 64, 64},
        {"handing on before a making", {200}, 120, 120},
        {"the last piece", {299}, kPieces, 299},
    };
    for (const auto& c : cases) {
        for (const size_t threads : {size_t(2), size_t(3), size_t(8)}) {
            SCOPED_TRACE(std::string(c.Name) + ", threads " + std::to_string(threads));
            std::vector<size_t> handed;
            std::string failure;
            try {
                MakeInOrder(
                    kPieces, threads,
                    [&](size_t piece, std::string& out) {
                        if (std::find(c.MakeFails.begin(), c.MakeFails.end(), piece) != c.MakeFails.end())
                            throw std::runtime_error("make " + std::to_string(piece));
                        out = std::to_string(piece);
                    },
                    [&](std::string_view text) {
                        if (handed.size() == c.HandOnFails)
                            throw std::runtime_error("hand on " + std::to_string(handed.size()));
                        handed.push_back(std::stoul(std::string(text)));
                    });
            } catch (const std::runtime_error& e) {
                failure = e.what();
            }
            ASSERT_EQ(handed.size(), c.FirstFailure);
            for (size_t i = 0; i < handed.size(); ++i)
                ASSERT_EQ(handed[i], i);
            const bool inHandOn = c.FirstFailure == c.HandOnFails;
            EXPECT_EQ(failure,
                      c.FirstFailure == kPieces ? ""
                                                : (inHandOn ? "hand on " : "make ") + std::to_string(c.FirstFailure));
        }
    }
}

// Whichever side sets the pace, making or handing on, every piece is made once and handed on once, in
// order: the calling thread then makes pieces or only hands them on.
TEST(ListFileSlicesTest, EachPieceIsMadeOnceWhicheverSideIsSlower)
{
    constexpr size_t kPieces = 60;
    using std::chrono::microseconds;
    const struct {
        const char* Name;
        microseconds Make, HandOn;
        bool Uneven = false;  // each piece takes 0 to 3 times as long, so threads sleep and wake at odd times
    } cases[] = {
        {"making slower", microseconds(300), microseconds(0)},
        {"handing on slower", microseconds(0), microseconds(300)},
        {"alike", microseconds(100), microseconds(100)},
        {"uneven", microseconds(100), microseconds(100), true},
    };
    for (const auto& c : cases) {
        for (const size_t threads : {size_t(2), size_t(4), size_t(8)}) {
            SCOPED_TRACE(std::string(c.Name) + ", threads " + std::to_string(threads));
            std::vector<std::atomic<int>> made(kPieces);
            std::vector<size_t> handed;
            MakeInOrder(
                kPieces, threads,
                [&](size_t piece, std::string& out) {
                    std::this_thread::sleep_for(c.Uneven ? c.Make * static_cast<int>(piece * 7 % 4) : c.Make);
                    ++made[piece];
                    out = std::to_string(piece);
                },
                [&](std::string_view text) {
                    std::this_thread::sleep_for(c.Uneven ? c.HandOn * static_cast<int>(handed.size() * 5 % 4) : c.HandOn);
                    handed.push_back(std::stoul(std::string(text)));
                });
            ASSERT_EQ(handed.size(), kPieces);
            for (size_t i = 0; i < kPieces; ++i) {
                EXPECT_EQ(handed[i], i);
                EXPECT_EQ(made[i].load(), 1) << "piece " << i;
            }
        }
    }
}

// The calling thread starts no piece of its own while another thread makes the first one: the
// first piece would wait for it as long as it took.
TEST(ListFileSlicesTest, CallerMakesNothingBeforeTheFirstPieceMadeElsewhere)
{
    for (const size_t threads : {size_t(2), size_t(8)}) {
        SCOPED_TRACE("threads " + std::to_string(threads));
        const auto caller = std::this_thread::get_id();
        std::atomic<bool> firstHanded {false};
        std::atomic<int> madeByCallerBefore {0};
        MakeInOrder(
            16, threads,
            [&](size_t piece, std::string& out) {
                const bool onCaller = std::this_thread::get_id() == caller;
                if (!onCaller)
                    std::this_thread::sleep_for(std::chrono::milliseconds(piece == 0 ? 20 : 2));
                else if (piece != 0 && !firstHanded)
                    ++madeByCallerBefore;
                out = std::to_string(piece);
            },
            [&](std::string_view text) { firstHanded = firstHanded || text == "0"; });
        EXPECT_EQ(madeByCallerBefore.load(), 0);
    }
}

// Workers with nothing left to make wait for the end of the job: with fewer pieces than threads, or
// none, every piece is still handed on once, in order, and the job ends.
TEST(ListFileSlicesTest, FewerPiecesThanThreadsEnd)
{
    for (const size_t pieces : {size_t(0), size_t(1), size_t(3)}) {
        for (const size_t threads : {size_t(2), size_t(8)}) {
            SCOPED_TRACE("pieces " + std::to_string(pieces) + ", threads " + std::to_string(threads));
            std::vector<size_t> handed;
            MakeInOrder(
                pieces, threads, [](size_t piece, std::string& out) { out = std::to_string(piece); },
                [&](std::string_view text) { handed.push_back(std::stoul(std::string(text))); });
            ASSERT_EQ(handed.size(), pieces);
            for (size_t i = 0; i < pieces; ++i)
                EXPECT_EQ(handed[i], i);
        }
    }
}

// Files are read through a buffer of this size per slice; line ends at its edges must read as the
// same text does in memory, and save back as the in-memory writer writes it.
constexpr size_t kReadBuffer = size_t(1) << 19;

std::string LineOf(size_t length, const char* end) { return "\"" + std::string(length - 2, 't') + "\"" + end; }

TEST_F(ListFileTest, FilesReadInBlocksAsTheirTextReads)
{
    const std::string head = "QV1.2\r\n\"Media\",\"P\",\"O\",\"D\"\r\n\"TITLE\",\"NOTES\"\r\n";
    const struct {
        const char* Name;
        std::string Text;
    } cases[] = {
        {"CR LF split by the buffer", head + LineOf(kReadBuffer - 1, "\r\n") + LineOf(10, "\r\n")},
        {"CR alone at the buffer's end", head + LineOf(kReadBuffer - 1, "\r") + LineOf(10, "\r")},
        {"LF at the buffer's end", head + LineOf(kReadBuffer - 1, "\n") + "\n" + LineOf(10, "")},
        {"line longer than the buffer", head + LineOf(3 * kReadBuffer, "\r\n") + LineOf(5, "")},
        {"every line end over several slices", MakeBigFile(60000).Text},
        {"no item line", head.substr(0, head.size() - 2)},
        {"blank item lines", head + "\r\n\r\n\n\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteFile("in.lst", c.Text);
        TCartListClass fromText, fromFile;
        ReadListFileText(fromText, c.Text, PathOf("in.lst"));
        fromFile.LoadFromFile(PathOf("in.lst"));
        EXPECT_TRUE(SameText(Snapshot(fromFile), Snapshot(fromText)));
        fromFile.SaveToFile(PathOf("out.lst"), false, true);
        EXPECT_TRUE(SameText(ReadFile("out.lst"), ListFileText(fromText)));
    }
    // A file saved by the program reads and saves back byte for byte.
    const BigFile file = MakeBigFile(60000);
    ASSERT_GT(file.Text.size(), 2u << 20);
    TCartListClass big;
    ReadListFileText(big, file.Text, Path("big.lst"));
    EXPECT_TRUE(test::Column(big, "Title") == file.Titles);
    WriteFile("in.lst", ListFileText(big));
    TCartListClass list;
    list.LoadFromFile(PathOf("in.lst"));
    list.SaveToFile(PathOf("out.lst"), false, true);
    EXPECT_TRUE(SameText(ReadFile("out.lst"), ReadFile("in.lst")));
}

// A read list's counts come from its items as they are made, on every thread: the quantity sum is the
// one walked item by item, changes after the read still move it, and a refused read leaves the counts
// of the list it would have replaced.
TEST_F(ListFileTest, ReadItemsBringTheirCounts)
{
    std::string text = "QV1.2\r\n\"Media\",\"P\",\"O\",\"D\"\r\n\"TITLE\",\"QUANTITY\",\"NOTES\"\r\n";
    int64_t sum = 0;
    for (int i = 0; i < 60000; ++i) {
        const bool number = i % 9 != 0;
        text += "\"t" + std::to_string(i) + "\"," + (number ? std::to_string(i % 5) : "\"x\"") + ",\"" +
            std::string(60, 'n') + "\"\r\n";
        sum += number ? i % 5 : 0;
    }
    ASSERT_GT(text.size(), size_t(4) << 20);
    WriteFile("in.lst", text);
    TCartListClass fromText, fromFile;
    ReadListFileText(fromText, text, PathOf("in.lst"));
    fromFile.LoadFromFile(PathOf("in.lst"));
    for (TCartListClass* list : {&fromText, &fromFile}) {
        EXPECT_EQ(list->QuantitySum(), sum);
        EXPECT_EQ(list->ModifiedItemCount(), 0);
        list->GetItem(59999)->SetFieldValue("Quantity", 104);
        list->GetItem(1)->Modified = true;
        EXPECT_EQ(list->QuantitySum(), sum + 100);
        EXPECT_EQ(list->ModifiedItemCount(), 2);
    }
    WriteFile("bad.lst", text + "\"%ZZ\",1\r\n");
    EXPECT_THROW(fromFile.LoadFromFile(PathOf("bad.lst")), FieldTextDecodeError);
    EXPECT_EQ(fromFile.QuantitySum(), sum + 100);
    EXPECT_EQ(fromFile.ModifiedItemCount(), 2);
    fromFile.LoadFromFile(PathOf("in.lst"));
    EXPECT_EQ(fromFile.QuantitySum(), sum);
    fromFile.Clear();
    EXPECT_EQ(fromFile.QuantitySum(), 0);
}

TEST_F(ListFileTest, SaveStoppedInAnyChunkLeavesTheOldFile)
{
    const struct {
        std::vector<int32_t> Broken;
        std::string Message;
    } cases[] = {
        {{0}, "Invalid variant type conversion in item 1, field QUANTITY"},
        {{59999}, "Invalid variant type conversion in item 60000, field QUANTITY"},
        {{50000, 20000}, "Invalid variant type conversion in item 20001, field QUANTITY"},
    };
    TCartListClass list;
    ReadListFileText(list, MakeBigFile(60000).Text, Path("big.lst"));
    for (const auto& c : cases) {
        for (const int32_t i : c.Broken)
            list.GetItem(i)->SetFieldValue("Quantity", Text("many"));
        WriteFile("a.lst", "previous");
        EXPECT_EQ(ErrorOf<TBaseCustomListClassException>([&] { list.SaveToFile(PathOf("a.lst"), true, true); }),
                  c.Message);
        EXPECT_EQ(ReadFile("a.lst"), "previous");
        // Nothing but the file itself: no ".BAK", no temporary file left behind.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir()), {}), 1) << c.Message;
        for (const int32_t i : c.Broken)
            list.GetItem(i)->SetFieldValue("Quantity", Text("1"));
    }
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

std::string Repeated(std::string_view piece, size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// A file refused for its number of lines or a line's length is refused before any item is made,
// whatever its line breaks, and one line fewer loads: the lines are counted exactly first.
TEST_F(ListFileTest, RefusalsComeBeforeAnyItem)
{
    const std::string head = "QV1.2\r\n\"Media\",\"P\",\"O\",\"D\"\r\n\"TITLE\"\r\n";
    const std::string tooMany = "This file holds more than 1000000 items. The list was not changed.";
    constexpr size_t kMost = TBaseCustomListClass::MaxItems;
    const std::string longLine = "Line 1000004 of this file is longer than " +
        std::to_string(TBaseCustomListClass::MaxLineBytes) +
        " bytes, the most a line of a list file may hold. The list was not changed.";
    const struct {
        const char* Name;
        std::string Lines;  // the item lines
        std::string Error;  // "" loads
    } cases[] = {
        {"short items, one too many", Repeated("\"t\"\r\n", kMost + 1), tooMany},
        {"short items, the most", Repeated("\"t\"\r\n", kMost), ""},
        // A CR LF falls on every place of the counter's 16-byte steps and across them.
        {"CR, CR LF and LF mixed, one too many", Repeated("\r\r\n\n", (kMost + 1) / 3) + "\r\n\r\n", tooMany},
        {"CR, CR LF and LF mixed, the most", Repeated("\r\r\n\n", kMost / 3) + "\r\n", ""},
        {"CR only, without a last line break", Repeated("\r", kMost) + "x", tooMany},
        {"LF only, the most and a last line without a break", Repeated("\n", kMost - 1) + "x", ""},
        {"the most, then a line too long", Repeated("\"t\"\n", kMost) + std::string(TBaseCustomListClass::MaxLineBytes + 1, 'x'),
         longLine},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteFile("in.lst", head + c.Lines);
        TCartListClass list;
        AddItem(list, {{"Title", Text("kept")}});
        const uint64_t made = ItemsMadeByReader();
        EXPECT_EQ(ErrorOf([&] { list.LoadFromFile(PathOf("in.lst")); }), c.Error.empty() ? "no error" : c.Error);
        if (c.Error.empty()) {
            EXPECT_EQ(list.Count(), static_cast<int32_t>(kMost));
            EXPECT_EQ(ItemsMadeByReader() - made, kMost);
        } else {
            EXPECT_EQ(ItemsMadeByReader(), made);
            EXPECT_EQ(list.Count(), 1);
        }
    }
}

// A name line keeps only the columns that name a field, the last of several naming one: a line of
// millions of commas or unknown names costs no more than the item's own fields.
TEST(ListFileColumnsTest, NameLinesKeepOnlyTheFieldsTheyName)
{
    const auto prototype = TCartListClass().CreateItem();
    const std::string many = Repeated(",", 1 << 20);
    const struct {
        const char* Name;
        std::string Line;
        size_t Kept;
        std::string Values;  // field: value of "a,b,c,d,e" and "a"
    } cases[] = {
        {"commas only", many, 0, ""},
        {"a field after a million commas", many + "\"title\"", 1, ""},
        {"a field, a million unknown names, then the field again",
         "\"TITLE\"," + Repeated("\"NoSuch\",", 1 << 20) + "\"Notes\",Title", 2, ""},
        {"names of any case and quoting", "notes,\"x\",\"Title\"", 2, "NOTES=a TITLE=c | NOTES=a TITLE="},
        {"the later of two columns wins", "\"TITLE\",\"NOTES\",\"title\",\"\",\"NOTES\"", 2,
         "TITLE=c NOTES=e | TITLE= NOTES="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const ColumnMap columns(c.Line, *prototype);
        EXPECT_EQ(columns.Size(), c.Kept);
        if (c.Values.empty())
            continue;
        const auto names = prototype->GetFieldNames();
        std::string values;
        for (const std::string_view line : {"a,b,c,d,e", "a"}) {
            std::string one;
            columns.ForEachValue(line, [&](int32_t p, std::string_view field) {
                one += (one.empty() ? "" : " ") + names[static_cast<size_t>(p)] + "=" + std::string(field);
            });
            values += (values.empty() ? "" : " | ") + one;
        }
        EXPECT_EQ(values, c.Values);
    }
}

}  // namespace
}  // namespace quorvel
