#include "platform/FileNames.h"
#include "ReportTest.h"

#include "model/ItemSort.h"
#include "platform/qt/CommandGuard.h"
#include "reports/CartReports.h"
#include "reports/ReportColumns.h"

namespace quorvel {
namespace {

using test::MessageKind;
using test::ReportTest;
using test::ShownMessage;

TEST(ReportHtmlTest, InsertedTextIsEscapedAndBecomesUtf8)
{
    struct Case {
        std::string cp1252, html;
    };
    const std::string a15(15, 'a'), b15(15, 'b'), a8(8, 'a'), a7(7, 'a'), b8(8, 'b');
    for (const Case& c : {Case {"<B>\"x\"</B> & \x80", "&lt;B&gt;&quot;x&quot;&lt;/B&gt; &amp; \xE2\x82\xAC"},
                          Case {"Caf\xE9 \x99", "Caf\xC3\xA9 \xE2\x84\xA2"}, Case {"", ""},
                          // Words of up to 30 characters are never broken; longer ones may break every 8.
                          Case {"$12,840.50 11/6/1996 Yes", "$12,840.50 11/6/1996 Yes"},
                          Case {a15 + b15 + " " + a15 + b15, a15 + b15 + " " + a15 + b15},
                          Case {"x " + a15 + b15 + "c", "x " + a8 + "<wbr>" + a7 + "b<wbr>" + b8 + "<wbr>bbbbbbc"},
                          Case {a15 + "&" + a15 + "\xE9\xE9\tz",
                                a8 + "<wbr>" + a7 + "&amp;<wbr>" + a8 + "<wbr>" + a7 + "\xC3\xA9<wbr>\xC3\xA9\tz"},
                          Case {"\xE9 " + a15 + b15 + b15,
                                "\xC3\xA9 " + a8 + "<wbr>" + a7 + "b<wbr>" + b8 + "<wbr>" + b8 + "<wbr>" + b8 +
                                    "<wbr>bbbbb"}})
        EXPECT_EQ(HtmlText(c.cp1252), c.html) << c.cp1252;
}

// A value of up to 12 characters without a blank is never broken, also where a browser would break
// it (after a hyphen, a dash, a question mark); values with no such character stay as they are.
TEST(ReportHtmlTest, ShortValuesAreKeptOnOneLine)
{
    const std::pair<std::string, std::string> cases[] = {
        {"QV-3708", "<NOBR>QV-3708</NOBR>"},
        {"CX-2806-ABCD", "<NOBR>CX-2806-ABCD</NOBR>"},
        {"2024-03-14", "<NOBR>2024-03-14</NOBR>"},
        {"R&D-7", "<NOBR>R&amp;D-7</NOBR>"},
        {"Why?Not", "<NOBR>Why?Not</NOBR>"},
        {"Go!Go", "<NOBR>Go!Go</NOBR>"},
        {"A|B", "<NOBR>A|B</NOBR>"},
        {"-x", "<NOBR>-x</NOBR>"},
        {"5-", "<NOBR>5-</NOBR>"},
        {"A\x96" "B", "<NOBR>A\xE2\x80\x93" "B</NOBR>"},
        {"A\x97" "B", "<NOBR>A\xE2\x80\x94" "B</NOBR>"},
        {"Wait\x85", "<NOBR>Wait\xE2\x80\xA6</NOBR>"},
        {"co\xAD" "op", "<NOBR>co\xC2\xAD" "op</NOBR>"},
        {"x\xB4y", "<NOBR>x\xC2\xB4y</NOBR>"},
        // Longer, or with a blank: the browser may break it as any text.
        {"CX-2806-ABCDE", "CX-2806-ABCDE"},
        {"QV-3708 boxed", "QV-3708 boxed"},
        {"QV- 3708", "QV- 3708"},
        // Nothing to break at: a number's sign, dates and prices without a hyphen, a lone mark.
        {"-5", "-5"},
        {"-12.50", "-12.50"},
        {"-", "-"},
        {"QV3708", "QV3708"},
        {"03/14/2024", "03/14/2024"},
        {"$1,234.50", "$1,234.50"},
    };
    for (const auto& [cp1252, html] : cases)
        EXPECT_EQ(HtmlText(cp1252), html) << cp1252;
}

TEST(ReportHtmlTest, DateHasLocaleNamesAndAHandBuiltTwelveHourClock)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    struct Case {
        QTime time;
        QLocale locale;
        std::string text;
    };
    for (const Case& c :
         {Case {QTime(14, 29), us, "Saturday, December 5, 2026, 02:29 PM"},
          Case {QTime(0, 5), us, "Saturday, December 5, 2026, 12:05 AM"},
          Case {QTime(12, 0), us, "Saturday, December 5, 2026, 12:00 PM"},
          Case {QTime(9, 7), QLocale(QLocale::German, QLocale::Germany), "Samstag, Dezember 5, 2026, 09:07 AM"}})
        EXPECT_EQ(ReportDateText({QDateTime(QDate(2026, 12, 5), c.time), c.locale}), c.text);
}

TEST(ReportHtmlTest, JustificationOutsideTheRangeIsLeft)
{
    for (auto [j, cell] : {std::pair {1, "CENTER"}, {2, "RIGHT"}, {0, "LEFT"}, {-1, "LEFT"}, {3, "LEFT"}})
        EXPECT_EQ(JustifiedCell(j), "<TD ALIGN=\"" + std::string(cell) + "\">") << j;
}

// Label rows and stripes are checked with each report; here the frame, the footer and the header.
TEST_F(ReportTest, SkeletonFrameFooterAndEscapedHeader)
{
    auto list = MakeList({{"A"}});
    TColumnListClass columns;
    ShowOnly(columns, *list, {"Title", "Quantity"});
    columns.GetColumn(0)->Name = "T&tle";
    HtmlReport report(clock);
    report.Begin("A & B " + std::string(40, 'x'));
    report.OpenData(true);
    report.HeaderRow(columns, "<TH>L</TH>");
    report.Finish();
    const std::vector<std::string> expected = {
        "<!DOCTYPE HTML>",
        "<HTML>",
        "<META CHARSET=\"UTF-8\">",
        "<TITLE>",
        "A &amp; B " + std::string(40, 'x'),  // a title is no markup: no break opportunities
        "</TITLE>",
        "<BODY>",
        "<FONT FACE=\"Verdana, sans-serif\">",
        "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\">",
        "</TABLE>",
        "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\" WIDTH=\"100%\">",
        "<TR><TH>L</TH><TH>T&amp;tle</TH><TH>Qty</TH></TR>",
        "</TABLE>",
        "<CENTER>",
        "<P>Report Generated by Quorvel.  Copyright Pelmora. All rights reserved.",
        "<BR>Visit the Pelmora at <A HREF=\"https://www.pelmora.example/\">https://www.pelmora.example/</A>",
        "</CENTER>",
        "</FONT>",
        "</BODY>",
        "</HTML>"};
    EXPECT_EQ(report.Lines(), expected);

    // The maker's site as configured, escaped like any inserted text.
    G_ConfigFiles = Path(Dir().string() + "/");
    WriteFile("Sites.ini", "[Sites]\r\nMakerSite=https://m.test/?a=1&b=\"2\"\r\n");
    HtmlReport configured(clock);
    configured.Finish();
    const std::vector<std::string> lines = configured.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "<BR>Visit the Pelmora at <A HREF=\"https://m.test/?a=1&amp;b=&quot;2&quot;/\">"
                        "https://m.test/?a=1&amp;b=&quot;2&quot;/</A>"),
              lines.end());
}

// The view has the order of a sorted copy; the list and the global sort field stay as they were.
TEST_F(ReportTest, SortedViewMatchesASortedCopyAndChangesNothing)
{
    auto list = MakeList({{"delta", false, 3}, {"Alpha", false, 10}, {"charlie", false, 9}, {"Bravo", false, 10}});
    for (const std::string key : {"Title", "Quantity", ""}) {
        auto copy = CreateListObject(ltMedia);  // resets the direction to ascending
        copy->Assign(*list);
        copy->SetSortField(key);
        copy->Sort();
        G_SortField = "MFG";
        std::vector<std::string> viewed, copied;
        for (uint32_t i : SortedView(*list, key))
            viewed.push_back(list->GetItem(static_cast<int32_t>(i))->GetFieldAsString("Title"));
        for (int32_t i = 0; i < copy->Count(); ++i)
            copied.push_back(copy->GetItem(i)->GetFieldAsString("Title"));
        EXPECT_EQ(viewed, copied) << key;
        EXPECT_EQ(G_SortField, "MFG");
        EXPECT_EQ(list->GetItem(0)->GetFieldAsString("Title"), "delta");
    }
}

TEST_F(ReportTest, FailedWriteKeepsTheOldReportAndSaysSo)
{
    WriteFile("old.htm", "old");
    HtmlReport report(clock);
    report.Begin("x");
    const auto render = [&] { return report; };
    EXPECT_TRUE(RunCommand([&] { WriteReport(render, PathOf("old.htm")); }));
    EXPECT_EQ(ReadFile("old.htm"), report.Bytes());
    const Path blocked = JoinPath(PathOf("old.htm"), "r.htm");
    EXPECT_FALSE(RunCommand([&] { WriteReport(render, blocked); }));
    EXPECT_EQ(fake.messages, (std::vector<ShownMessage> {{MessageKind::Error,
                                                          QString::fromStdString("Unable to write to " + blocked.Bytes() +
                                                                                 ": Not a directory")}}));
    EXPECT_EQ(ReadFile("old.htm"), report.Bytes());
}

}  // namespace
}  // namespace quorvel
