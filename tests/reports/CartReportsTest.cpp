#include "ReportTest.h"
#include "support/Checks.h"

#include "platform/qt/CommandGuard.h"
#include "reports/CartReports.h"
#include "reports/CompareCartsReport.h"
#include "reports/ReportColumns.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/reports/BinReportOptionsForm.h"
#include "ui/reports/InventoryReportOptionsForm.h"
#include "ui/reports/ReportWriters.h"
#include "ui/reports/TradeListForm.h"

#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <tuple>

namespace quorvel {
namespace {

using test::DataRows;
using test::MessageKind;
using test::ReportTest;
using test::ShownMessage;
using Rows = std::vector<std::string>;

std::string Row(const char* colour, const std::string& cells)
{
    return std::string("<TR bgcolor=\"") + colour + "\">" + cells + "</TR>";
}
std::string Cells(const std::string& title, const std::string& qty)
{
    return "<TD ALIGN=\"LEFT\">" + title + "</TD><TD ALIGN=\"LEFT\">" + qty + "</TD>";
}
const char* const W = "#FFFFFF";
const char* const G = "#DDDDDD";
const char* const B = "#BBBBBB";

class CartReportsTest : public ReportTest {
protected:
    // Five un-boxed items out of order and one boxed, showing Title and Quantity.
    void SetUp() override
    {
        ReportTest::SetUp();
        list = MakeList(
            {{"E", false, 5}, {"B", false, 2}, {"Boxed", true, 3}, {"A", false, 1}, {"D", false, 4}, {"C", false, 1}});
        ShowOnly(columns, *list, {"Title", "Quantity"});
    }
    std::unique_ptr<TBaseCustomListClass> list;
    TColumnListClass columns;
};

TEST_F(CartReportsTest, BinRowsDealItemsIntoBins)
{
    struct Case {
        int perBin;
        int boxed;
        Rows rows;
    };
    const Case cases[] = {
        {2,
         boUnboxed,
         {Row(B, "<TD>1</TD>" + Cells("A", "1")), Row(W, "<TD>.</TD>" + Cells("B", "2")),
          Row(B, "<TD>2</TD>" + Cells("C", "1")), Row(W, "<TD>.</TD>" + Cells("D", "4")),
          Row(B, "<TD>3</TD>" + Cells("E", "5"))}},
        {1, boBoxed, {Row(B, "<TD>1</TD>" + Cells("Boxed", "3"))}},
        {0,
         boUnboxed,
         {Row(B, "<TD>1</TD>" + Cells("A", "1")), Row(B, "<TD>2</TD>" + Cells("B", "2")),
          Row(B, "<TD>3</TD>" + Cells("C", "1")), Row(B, "<TD>4</TD>" + Cells("D", "4")),
          Row(B, "<TD>5</TD>" + Cells("E", "5"))}},
        {3,
         boBoth,
         {Row(B, "<TD>1</TD>" + Cells("A", "1")), Row(W, "<TD>.</TD>" + Cells("B", "2")),
          Row(G, "<TD>.</TD>" + Cells("Boxed", "3")), Row(B, "<TD>2</TD>" + Cells("C", "1")),
          Row(W, "<TD>.</TD>" + Cells("D", "4")), Row(G, "<TD>.</TD>" + Cells("E", "5"))}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DataRows(RenderBinReport(*list, columns, {c.perBin, c.boxed}, clock)), c.rows)
            << c.perBin << " " << c.boxed;
    EXPECT_EQ(list->GetItem(0)->GetFieldAsString("Title"), "E");

    auto noBoxes = MakeList({{"A"}});
    EXPECT_EQ(DataRows(RenderBinReport(*noBoxes, columns, {2, boBoxed}, clock)), Rows {});
}

TEST_F(CartReportsTest, LabelAndHeaderRowsOfEachReport)
{
    const auto lines = [](const HtmlReport& r) {
        auto all = r.Lines();
        return Rows(all.begin() + 9, all.begin() + static_cast<long>(all.size()) - DataRows(r).size() - 8);
    };
    const std::string date = "<TR><TD bgcolor=\"#DDDDDD\">Date</TD><TD>Saturday, December 5, 2026, 02:29 PM</TD></TR>";
    const auto label = [](const char* colour, const std::string& l, const std::string& v) {
        return std::string("<TR><TD bgcolor=\"") + colour + "\">" + l + "</TD><TD>" + v + "</TD></TR>";
    };
    const std::string open = "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\">";
    EXPECT_EQ(lines(RenderBinReport(*list, columns, {51, boBoth}, clock)),
              (Rows {label(B, "Report", "Bin Report"), date, label(B, "Platform", "Zentrix 64"),
                     label(G, "Owner", "Ada Quill"), label(B, "Description", "Shelf &amp; &lt;attic&gt;"),
                     label(G, "Display", "Both"), label(B, "Media Per Bin", "51"), "</TABLE>", open,
                     "<TR><TH>Bin Number</TH><TH>Title</TH><TH>Qty</TH></TR>"}));
    EXPECT_EQ(lines(RenderInventoryReport(*list, columns, boBoxed, clock)),
              (Rows {label(B, "Report", "Inventory Report"), date, label(B, "Platform", "Zentrix 64"),
                     label(G, "Owner", "Ada Quill"), label(B, "Description", "Shelf &amp; &lt;attic&gt;"),
                     label(G, "Display", "Boxed"), label(B, "List Type", "Media"), "</TABLE>", open,
                     "<TR><TH>Title</TH><TH>Qty</TH><TH>Main Qty</TH><TH>Dupe Qty</TH><TH>Total Qty</TH></TR>"}));
    EXPECT_EQ(lines(RenderTradeReport(*list, columns, {3, true, false}, clock)),
              (Rows {label(B, "Report", "Trade Report"), date, label(B, "Platform", "Zentrix 64"),
                     label(G, "List Type", "Media"), label(B, "Owner", "Ada Quill"),
                     label(G, "Description", "Shelf &amp; &lt;attic&gt;"), label(B, "Trade Boxed", "Yes"),
                     label(G, "Min Qty for Trade", "3"), label(B, "Actual Qty", "No"), "</TABLE>", open,
                     "<TR><TH>Title</TH><TH>Qty</TH></TR>"}));
    EXPECT_EQ(RenderTradeReport(*list, columns, {}, clock).Lines().at(4), "Zentrix 64 - Ada Quill");
}

// Every report writes its cells through the one escaping, so that a model number is never broken.
TEST_F(CartReportsTest, ShortCodesStayWholeInEveryReport)
{
    auto codes = MakeList({{"QV-3708", false, 2}, {"CX-2806", true, 3}});
    auto other = MakeList({{"AB-1234"}});
    ShowOnly(columns, *codes, {"Title", "Quantity"});
    const std::string cell = "<TD ALIGN=\"LEFT\"><NOBR>CX-2806</NOBR></TD>";
    for (const auto& report :
         {RenderBinReport(*codes, columns, {51, boBoth}, clock), RenderInventoryReport(*codes, columns, boBoth, clock),
          RenderTradeReport(*codes, columns, {2, true, false}, clock),
          RenderCompareReport(*codes, *other, columns, clock)})
        EXPECT_NE(report.Bytes().find(cell), std::string::npos) << report.Bytes();
}

TEST_F(CartReportsTest, InventoryRowsEndWithThreeBlanks)
{
    const std::string blanks = "<TD>______</TD><TD>______</TD><TD>______</TD>";
    EXPECT_EQ(DataRows(RenderInventoryReport(*list, columns, boBoxed, clock)),
              (Rows {Row(W, Cells("Boxed", "3") + blanks)}));
    columns.GetColumn(1)->Hidden = true;
    EXPECT_EQ(DataRows(RenderInventoryReport(*list, columns, boUnboxed, clock)).at(1),
              Row(G, "<TD ALIGN=\"LEFT\">B</TD>" + blanks));
}

// The chosen items of a big list, tested on several threads, come in the order of the whole sorted view:
// by title, and items of equal titles (whatever their case) in list order.
TEST_F(CartReportsTest, ChosenItemsOfABigListKeepTheViewsOrder)
{
    constexpr int kItems = 40000;
    const char* const titles[] = {"b", "A", "c", "a"};
    std::vector<test::TestItem> items;
    for (int i = 0; i < kItems; ++i)
        items.push_back({titles[i % 4], (i / 3) % 2 == 0, int32_t {i + 1}});
    auto big = MakeList(items);
    ShowOnly(columns, *big, {"Title", "Quantity"});
    const std::string blanks = "<TD>______</TD><TD>______</TD><TD>______</TD>";
    for (const int option : {boBoxed, boUnboxed}) {
        std::vector<int> chosen;
        for (int i = 0; i < kItems; ++i)
            if (((i / 3) % 2 == 0) == (option == boBoxed))
                chosen.push_back(i);
        std::stable_sort(chosen.begin(), chosen.end(), [&](int x, int y) {
            return std::tolower(*titles[x % 4]) < std::tolower(*titles[y % 4]);
        });
        Rows expected;
        for (size_t k = 0; k < chosen.size(); ++k)
            expected.push_back(Row(k % 2 == 0 ? W : G,
                                   Cells(titles[chosen[k] % 4], std::to_string(chosen[k] + 1)) + blanks));
        EXPECT_EQ(DataRows(RenderInventoryReport(*big, columns, option, clock)), expected) << option;
    }
}

TEST_F(CartReportsTest, TradeRowsShowSpareOrHeldQuantities)
{
    struct Case {
        TradeReportOptions options;
        Rows rows;
    };
    const Case cases[] = {
        {{2, false, false}, {Row(W, Cells("B", "1")), Row(G, Cells("D", "3")), Row(W, Cells("E", "4"))}},
        {{1, false, false},
         {Row(W, Cells("A", "0")), Row(G, Cells("B", "1")), Row(W, Cells("C", "0")), Row(G, Cells("D", "3")),
          Row(W, Cells("E", "4"))}},
        {{3, true, true}, {Row(W, Cells("Boxed", "3")), Row(G, Cells("D", "4")), Row(W, Cells("E", "5"))}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DataRows(RenderTradeReport(*list, columns, c.options, clock)), c.rows) << c.options.MinQuantity;
    columns.GetColumn(1)->Hidden = true;
    EXPECT_EQ(DataRows(RenderTradeReport(*list, columns, {4, false, false}, clock)),
              (Rows {Row(W, "<TD ALIGN=\"LEFT\">D</TD>"), Row(G, "<TD ALIGN=\"LEFT\">E</TD>")}));
}

TEST_F(CartReportsTest, WritersFollowTheColumnSectionCourse)
{
    TFieldOrderForm fieldOrder;
    TBinReportOptionsForm bin(fieldOrder);
    TTradeListForm trade(fieldOrder);
    TInventoryReportOptionsForm inventory(fieldOrder);
    const Path ini = ReportsIniFile();
    const Path out = PathOf("bin.htm");

    auto empty = MakeList({});
    EXPECT_FALSE(MakeBinReport(*empty, out, bin));
    EXPECT_FALSE(Exists("Reports.ini"));

    // First use: defaults stored even when cancelled; Columns... edits dropped by Cancel.
    fake.dialogAnswers.push_back([&](QDialog&) {
        fake.dialogAnswers.push_front([](QDialog& d) {
            static_cast<TFieldOrderForm&>(d).UnCheckAllButtonClick();
            return int(QDialog::Accepted);
        });
        bin.ColumnsButtonClick();
        EXPECT_TRUE(bin.Columns.GetColumn(0)->Hidden);
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(MakeBinReport(*list, out, bin));
    EXPECT_FALSE(Exists("bin.htm"));
    EXPECT_TRUE(ReadIniBool(ini, "CustomMediaBinReportHeader", "CustomHeader", false));
    EXPECT_FALSE(ReadIniBool(ini, "CustomMediaBinReportHeader", "Hidden0", true));

    // OK: the dialog's set is stored sorted, the options are read, the file written.
    fake.dialogAnswers.push_back([&](QDialog&) {
        bin.Columns.GetColumn(0)->Hidden = true;
        bin.Columns.GetColumn(3)->Order = -5;
        bin.findChild<QSpinBox*>("CartsPerBinEdit")->setValue(2);
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(MakeBinReport(*list, out, bin));
    TColumnListClass stored;
    LoadReportColumns(*list, ini, "CustomMediaBinReportHeader", stored);
    EXPECT_EQ(stored.GetColumn(0)->Field, list->GetItem(0)->Fields()[3].Name);
    const std::string html = ReadFile("bin.htm");
    EXPECT_EQ(html.substr(0, 28), "\xEF\xBB\xBF<!DOCTYPE HTML>\r\n<HTML>\r\n");
    EXPECT_NE(html.find("<TD bgcolor=\"#BBBBBB\">Media Per Bin</TD><TD>2</TD>"), std::string::npos);

    // The other reports keep sections of their own; a value that does not convert writes nothing.
    list->GetItem(1)->SetFieldValue("Quantity", std::string("two"));
    fake.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Accepted); });
    EXPECT_FALSE(RunCommand([&] { MakeTradeReport(*list, PathOf("trade.htm"), trade); }));
    EXPECT_FALSE(Exists("trade.htm"));
    EXPECT_TRUE(ReadIniBool(ini, "CustomMediaTradeReportHeader", "CustomHeader", false));
    EXPECT_EQ(fake.messages,
              (std::vector<ShownMessage> {
                  {MessageKind::Error, "Invalid variant type conversion in item 2, field QUANTITY"}}));

    fake.dialogAnswers.push_back([&](QDialog&) {
        inventory.findChild<QRadioButton*>("Both")->setChecked(true);
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(MakeInventoryReport(*list, PathOf("inv.htm"), inventory));
    EXPECT_NE(ReadFile("inv.htm").find("<TD>Both</TD>"), std::string::npos);
}

// The bin report's dialog first opens with 51 items per bin, and a report taken at once uses them.
TEST_F(CartReportsTest, BinDialogOpensWithFiftyOnePerBin)
{
    TFieldOrderForm fieldOrder;
    TBinReportOptionsForm bin(fieldOrder);
    int shown = 0;
    fake.dialogAnswers.push_back([&](QDialog& dialog) {
        shown = dialog.findChild<QSpinBox*>("CartsPerBinEdit")->value();
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(MakeBinReport(*list, PathOf("bin.htm"), bin));
    EXPECT_EQ(shown, 51);
    EXPECT_EQ(bin.Options().CartsPerBin, 51);
    EXPECT_NE(ReadFile("bin.htm").find("<TD bgcolor=\"#BBBBBB\">Media Per Bin</TD><TD>51</TD>"), std::string::npos);
}

// Reports over more rows than one thread makes, against rows worked out here: none lost or repeated
// where the work is cut, bin numbers and stripes running on across the cuts.
TEST_F(CartReportsTest, BigReportsKeepEveryRowAndCountOn)
{
    constexpr int kItems = 70003;
    std::vector<test::TestItem> items;
    for (int i = 0; i < kItems; ++i) {
        char title[16];
        std::snprintf(title, sizeof title, "T%05d", i);
        items.push_back({title, i % 3 == 0, int32_t {1}});
    }
    auto big = MakeList(items);
    ShowOnly(columns, *big, {"Title", "Quantity"});
    const auto firstDifference = [](const Rows& a, const Rows& b) {
        return std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin();
    };

    Rows unboxed;
    for (int i = 0; i < kItems; ++i)
        if (i % 3 != 0)
            unboxed.push_back(Row(unboxed.size() % 2 ? G : W,
                                  Cells(items[i].title, "1") + "<TD>______</TD><TD>______</TD><TD>______</TD>"));
    const Rows inventory = DataRows(RenderInventoryReport(*big, columns, boUnboxed, clock));
    EXPECT_EQ(inventory.size(), unboxed.size());
    EXPECT_EQ(firstDifference(inventory, unboxed), long(unboxed.size()));

    for (const int perBin : {2, 3}) {
        Rows bins;
        for (int i = 0; i < kItems; ++i) {
            const int inBin = i % perBin;
            const std::string number = inBin == 0 ? std::to_string(i / perBin + 1) : ".";
            bins.push_back(
                Row(inBin == 0 ? B : (inBin == 1 ? W : G), "<TD>" + number + "</TD>" + Cells(items[i].title, "1")));
        }
        const Rows rendered = DataRows(RenderBinReport(*big, columns, {perBin, boBoth}, clock));
        ASSERT_EQ(rendered.size(), bins.size()) << perBin;
        EXPECT_EQ(rendered[256], perBin == 2 ? Row(B, "<TD>129</TD>" + Cells("T00256", "1")) : bins[256]);
        EXPECT_EQ(firstDifference(rendered, bins), long(bins.size())) << perBin;
    }
}

// A report streamed into its file is the rendered document byte for byte, however many times its
// buffer is handed over; one stopped by a value that does not convert leaves the old file alone.
TEST_F(CartReportsTest, StreamedReportsAreTheRenderedDocumentOrNothing)
{
    std::vector<test::TestItem> items;
    for (int i = 0; i < 12000; ++i)
        items.push_back({"Title number " + std::to_string(i), i % 3 == 0, int32_t {1 + i % 4}});
    auto big = MakeList(items);
    ShowOnly(columns, *big, {"Title", "Quantity", "Boxed"});
    const std::string rendered = RenderInventoryReport(*big, columns, boBoth, clock).Bytes();
    ASSERT_GT(rendered.size(), 1u << 20);  // handed over at least once
    const struct {
        const char* Name;
        int BrokenItem;  // -1: none
    } cases[] = {{"whole", -1}, {"stopped early", 5}, {"stopped late", 11990}};
    for (const auto& c : cases) {
        WriteFile("r.htm", "old");
        if (c.BrokenItem >= 0)
            big->GetItem(c.BrokenItem)->SetFieldValue("Boxed", FieldValue(std::string("perhaps")));
        // Only a report that shows part of the items reads their Boxed values.
        const int option = c.BrokenItem < 0 ? boBoth : boUnboxed;
        const bool written = RunCommand([&] {
            StreamReport([&](AtomicFileWriter& file) { RenderInventoryReport(*big, columns, option, clock, &file); },
                         PathOf("r.htm"));
        });
        EXPECT_EQ(written, c.BrokenItem < 0) << c.Name;
        EXPECT_TRUE(test::SameText(ReadFile("r.htm"), c.BrokenItem < 0 ? rendered : "old")) << c.Name;
        if (c.BrokenItem >= 0)
            big->GetItem(c.BrokenItem)->SetFieldValue("Boxed", false);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir()), {}), 1) << c.Name;
    }
}

// Items are tested in list order, but a report stopped by values that do not convert names the first
// of them in the report's order, whichever thread met it, and whichever report reads the value.
TEST_F(CartReportsTest, FirstBadValueInReportOrderIsTheOneRaised)
{
    constexpr int kItems = 40000;
    std::vector<test::TestItem> items;
    for (int i = 0; i < kItems; ++i) {
        char title[16];
        std::snprintf(title, sizeof title, "T%05d", kItems - i);  // the report's order is the list's reversed
        items.push_back({title, false, int32_t {1}});
    }
    auto big = MakeList(items);
    ShowOnly(columns, *big, {"Title", "Quantity", "Boxed"});
    const struct {
        const char* Field;
        FieldValue Bad;
        std::function<void()> Render;
    } cases[] = {
        {"BOXED", FieldValue(std::string("perhaps")), [&] { RenderInventoryReport(*big, columns, boUnboxed, clock); }},
        {"QUANTITY", FieldValue(std::string("many")), [&] { RenderTradeReport(*big, columns, {}, clock); }},
    };
    for (const auto& c : cases) {
        for (const int broken : {10, 25000, 39990})
            big->GetItem(broken)->SetFieldValue(c.Field, c.Bad);
        try {
            c.Render();
            ADD_FAILURE() << c.Field;
        } catch (const TBaseCustomListClassException& e) {
            EXPECT_NE(std::string(e.what()).find("in item 39991, field " + std::string(c.Field)), std::string::npos)
                << e.what();
        }
        for (const int broken : {10, 25000, 39990})
            big->GetItem(broken)->SetFieldValue(
                c.Field, c.Field == std::string("BOXED") ? FieldValue(false) : FieldValue(int32_t {1}));
    }
}

}  // namespace
}  // namespace quorvel
