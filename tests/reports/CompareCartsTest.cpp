// The compare window offscreen with the fake services, and the compare report's lines.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include <filesystem>
#include <tuple>

#include "config/SettingKeys.h"
#include "model/ColumnList.h"
#include "model/ListFactory.h"
#include "reports/CompareCartsReport.h"
#include "reports/CompareTestSupport.h"
#include "reports/ReportColumns.h"
#include "reports/ReportHtml.h"
#include "support/ConfigDirTest.h"
#include "support/qt/FakeServices.h"
#include "ui/reports/CompareCarts.h"

namespace quorvel {
namespace {

using test::Cart;
using test::MakeList;

class CompareCartsTest : public test::ConfigDirTest {
protected:
    void SetUp() override
    {
        ConfigDirTest::SetUp();
        settings->LoadSettings();
        lists.push_back(CreateListObject(ltHardware));
        lists.push_back(MakeList({Cart("Alpha"), Cart("Beta", "3")}, "Zentrix 64", "Ann"));
        lists.push_back(MakeList({Cart("Beta"), Cart("Gamma <&>", "2")}, "Korvo", "Bob"));
        for (size_t i = 0; i < lists.size(); ++i)
            lists[i]->SetOpenedFileName(Path("/lists/" + std::to_string(i)));
        form = std::make_unique<TCompareCartsForm>(*settings);
        form->SetLists(lists);
        form->show();
    }
    void TearDown() override
    {
        form.reset();
        ConfigDirTest::TearDown();
    }

    template <class T> T* Find(const char* name) const { return form->findChild<T*>(name); }
    // The buttons run their commands through the window's own guarded connections.
    void Click(const char* button) const { Find<QPushButton>(button)->click(); }

    test::FakeServices fakes;
    std::vector<std::unique_ptr<TBaseCustomListClass>> lists;
    std::unique_ptr<TCompareCartsForm> form;
};

// The keys and their order are the file's; the untouched ones keep their defaults.
TEST_F(CompareCartsTest, WindowStatesRoundTrip)
{
    Find<QCheckBox>("IgnoreMfgCB")->setChecked(false);
    Find<QCheckBox>("MinQtyCB")->setChecked(true);
    Find<QSpinBox>("MinQtyEdit")->setValue(5);
    // Sizes above the window's least one, which follows the desktop font.
    const QSize size = form->minimumSize() + QSize(70, 30);
    form->resize(size);
    const int leftPanel = Find<QWidget>("LeftPanel")->width();
    Click("ExitButton");
    EXPECT_FALSE(form->isVisible());
    std::vector<std::string> keys;
    for (const auto& [key, value] : IniFile::Load(TCompareCartsForm::WindowStatesFile()).SectionValues("MediaCompare"))
        keys.push_back(key + "=" + (key.starts_with("WindowX") || key.starts_with("WindowY") ? "" : value));
    const auto number = [](const char* key, int value) { return key + std::to_string(value); };
    EXPECT_EQ(keys,
              (std::vector<std::string> {"WindowState=0", "WindowX=", "WindowY=", number("WindowW=", size.width()),
                                         number("WindowH=", size.height()), "IgnoreLabelType=1", "IgnoreLabelColor=1",
                                         "IgnorePunctuation=1", "IgnoreMfg=0", "UseMinQty=1", "MinQtyCount=5",
                                         number("LeftPanel=", leftPanel)}));
    TCompareCartsForm again(*settings);
    again.show();
    EXPECT_EQ(std::tuple(again.size(), again.findChild<QCheckBox*>("IgnoreMfgCB")->isChecked(),
                         again.findChild<QCheckBox*>("MinQtyCB")->isChecked(),
                         again.findChild<QSpinBox*>("MinQtyEdit")->value()),
              std::tuple(size, false, true, 5));
}

// The entries and how they follow the open lists are checked with the compare command.
TEST_F(CompareCartsTest, CombosHoldMediaListsByIdentity)
{
    Find<QComboBox>("CartListTwoCB")->setCurrentIndex(0);
    EXPECT_FALSE(Find<QPushButton>("CompareButton")->isEnabled());  // a list against itself
    lists.push_back(MakeList({}, "Korvo", "Cy"));
    lists.back()->SetOpenedFileName(Path("/lists/3"));
    Find<QComboBox>("CartListTwoCB")->setCurrentIndex(1);
    lists.erase(lists.begin() + 1);  // list one closes, a third list opens
    form->SetLists(lists);
    EXPECT_EQ(Find<QComboBox>("CartListOneCB")->currentIndex(), -1);
    EXPECT_EQ(Find<QComboBox>("CartListTwoCB")->currentText(), "Korvo (Bob)");
    EXPECT_FALSE(Find<QPushButton>("CompareButton")->isEnabled());
    Find<QComboBox>("CartListOneCB")->setCurrentIndex(1);
    EXPECT_TRUE(Find<QPushButton>("CompareButton")->isEnabled());
}

TEST_F(CompareCartsTest, CompareFillsBothGridsAndAnErrorKeepsThem)
{
    EXPECT_FALSE(Find<QPushButton>("ReportButton")->isEnabled());  // nothing to report before a comparison
    Click("CompareButton");
    ASSERT_TRUE(fakes.messages.empty());
    ASSERT_EQ(form->GetLeftList().Count(), 1);  // in two, not in one
    EXPECT_EQ(form->GetLeftList().GetItem(0)->GetFieldAsString("Title"), "Gamma <&>");
    EXPECT_EQ(form->GetLeftList().GetPlatform(), "Zentrix 64");  // the report's header comes from these
    EXPECT_EQ(form->GetRightList().GetOwner(), "Bob");
    EXPECT_EQ(Find<QTableView>("leftListView")->model()->rowCount(), 1);
    EXPECT_TRUE(Find<QPushButton>("ReportButton")->isEnabled());

    lists[2]->GetItem(0)->SetFieldValue("Quantity", std::string("lots"));
    Click("CompareButton");
    ASSERT_EQ(fakes.messages.size(), 1u);
    EXPECT_EQ(fakes.messages[0].text, "Invalid variant type conversion in item 1 of list two, field QUANTITY");
    EXPECT_EQ(form->GetLeftList().Count(), 1);
    EXPECT_TRUE(Find<QPushButton>("CompareButton")->isEnabled());
}

// A showing brings back the last results and chooses only a pair for the user; a list that closed, even
// one opened again, is chosen by nobody.
TEST_F(CompareCartsTest, ShowingAgainKeepsResultsNotChoices)
{
    const auto selected = [this] {
        return std::pair(Find<QComboBox>("CartListOneCB")->currentIndex(), Find<QComboBox>("CartListTwoCB")->currentIndex());
    };
    EXPECT_EQ(selected(), std::pair(0, 1));
    Click("CompareButton");
    Click("ExitButton");
    lists.push_back(MakeList({Cart("Delta")}, "Korvo", "Cy"));
    lists.back()->SetOpenedFileName(Path("/lists/3"));
    form->SetLists(lists);
    form->show();
    for (const QTableView* view : {Find<QTableView>("leftListView"), Find<QTableView>("rightListView")})
        EXPECT_EQ(std::pair(view->model()->rowCount(), view->model()->columnCount() > 0), std::pair(1, true));
    EXPECT_EQ(selected(), std::pair(-1, -1));

    Find<QComboBox>("CartListOneCB")->setCurrentIndex(0);
    Find<QComboBox>("CartListTwoCB")->setCurrentIndex(1);
    const Path closed = lists[1]->GetOpenedFileName();
    lists.erase(lists.begin() + 1);
    form->SetLists(lists);
    EXPECT_EQ(selected(), std::pair(-1, 0));
    lists.insert(lists.begin() + 1, MakeList({}, "Zentrix 64", "Ann"));
    lists[1]->SetOpenedFileName(closed);
    form->SetLists(lists);
    EXPECT_EQ(selected(), std::pair(-1, 1));
}

TEST_F(CompareCartsTest, EachBoxFeedsItsOwnOption)
{
    // List two's first item differs from list one's only in its label type, its second (three of
    // them) only in its label colour; the left grid shows what list one lacks.
    AssignListObject(lists[1].get(), MakeList({Cart("Zoo", "1", "X", "Paper", "Red")}).get());
    AssignListObject(lists[2].get(),
                     MakeList({Cart("Zoo", "1", "X", "Foil", "Red"), Cart("Zoo", "3", "X", "Paper", "Blue")}).get());
    const struct {
        bool type, colour, useMin;
        int min;
        std::vector<std::string> left;  // quantities
    } cases[] = {{false, false, false, 5, {"1", "3"}},
                 {true, false, false, 0, {"3"}},
                 {false, true, false, 0, {"1"}},
                 {false, false, true, 2, {"3"}}};
    for (const auto& c : cases) {
        Find<QCheckBox>("IgnoreLabelTypeCB")->setChecked(c.type);
        Find<QCheckBox>("IgnoreLabelColorCB")->setChecked(c.colour);
        Find<QCheckBox>("MinQtyCB")->setChecked(c.useMin);
        Find<QSpinBox>("MinQtyEdit")->setValue(c.min);
        Click("CompareButton");
        std::vector<std::string> left;
        for (const auto& item : form->GetLeftList().Items())
            left.push_back(item->GetFieldAsString("Quantity"));
        EXPECT_EQ(left, c.left) << c.type << c.colour << c.useMin << c.min;
    }
}

// Ticking and unticking Ignore Punctuation decides whether titles differing only in punctuation match.
TEST_F(CompareCartsTest, IgnorePunctuationBoxDecidesWhetherADashCounts)
{
    AssignListObject(lists[1].get(), MakeList({Cart("A-B"), Cart("Zoo")}).get());
    AssignListObject(lists[2].get(), MakeList({Cart("AB"), Cart("Zoo")}).get());
    const auto titles = [](const TCartListClass& list) {
        std::vector<std::string> all;
        for (const auto& item : list.Items())
            all.push_back(item->GetFieldAsString("Title"));
        return all;
    };
    using Titles = std::vector<std::string>;
    const struct {
        bool ticked;
        Titles left, right;  // not in list one, not in list two
    } cases[] = {{true, {}, {}}, {false, {"AB"}, {"A-B"}}, {true, {}, {}}};
    auto* box = Find<QCheckBox>("IgnorePunctuation");
    for (const auto& c : cases) {
        if (box->isChecked() != c.ticked)
            box->click();
        Click("CompareButton");
        EXPECT_EQ(titles(form->GetLeftList()), c.left) << c.ticked;
        EXPECT_EQ(titles(form->GetRightList()), c.right) << c.ticked;
    }
}

TEST_F(CompareCartsTest, ReportGoesToTheReportFolderAndOpens)
{
    Click("CompareButton");
    fakes.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    Click("ReportButton");  // column dialog cancelled: no file
    EXPECT_TRUE(fakes.openedUrls.empty());
    fakes.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Accepted); });
    Click("ReportButton");
    const std::string file = settings->GetSetting(setting::ReportPath) + "Media Compare Report.html";
    ASSERT_EQ(fakes.openedUrls.size(), 1u);
    EXPECT_EQ(fakes.openedUrls[0].toLocalFile().toStdString(), file);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(ReadIniBool(ReportsIniFile(), "CustomMediaCompareReportHeader", "CustomHeader", false));
}

TEST_F(CompareCartsTest, ReportGoldenLines)
{
    const auto left = MakeList({}, "Zentrix 64", "Ann & Co");
    const auto right = MakeList({Cart("Zed"), Cart("A <b>", "2")});
    TColumnListClass columns;
    columns.SetTemplate(right->GetItem(0));
    for (auto& column : columns.Columns) {
        column->Hidden = column->Field != "TITLE" && column->Field != "QUANTITY";
        if (column->Field == "QUANTITY")
            column->Justification = 2;
    }
    const std::vector<std::string> lines =
        RenderCompareReport(*left, *right, columns, {QDateTime(QDate(2026, 12, 5), QTime(14, 29)), QLocale::c()})
            .Lines();
    const std::vector<std::string> head = {
        "<!DOCTYPE HTML>",
        "<HTML>",
        "<META CHARSET=\"UTF-8\">",
        "<TITLE>",
        "Cartridge Comparision",
        "</TITLE>",
        "<BODY>",
        "<FONT FACE=\"Verdana, sans-serif\">",
        "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\">",
        "<TR><TD bgcolor=\"#BBBBBB\">Platform</TD><TD>Zentrix 64</TD></TR>",
        "<TR><TD bgcolor=\"#DDDDDD\">Owner</TD><TD>Ann &amp; Co</TD></TR>",
        "<TR><TD bgcolor=\"#BBBBBB\">Description</TD><TD>Ann &amp; Co's</TD></TR>",
        "</TABLE>",
        "<P><CENTER>The following is a list of Media that could be added to your collection.</CENTER>",
        "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\">",
        "<TR><TH>Title</TH><TH>Qty</TH></TR>",
        "</TABLE>",
        "<FONT FACE=\"Verdana, sans-serif\">"};
    ASSERT_GE(lines.size(), head.size() + 16);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + head.size()), head);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 26, lines.begin() + 30),
              (std::vector<std::string> {
                  "<TR bgcolor=\"#FFFFFF\"><TD ALIGN=\"LEFT\">A &lt;b&gt;</TD><TD ALIGN=\"RIGHT\">2</TD></TR>",
                  "<TR bgcolor=\"#DDDDDD\"><TD ALIGN=\"LEFT\">Zed</TD><TD ALIGN=\"RIGHT\">1</TD></TR>", "</TABLE>",
                  "<CENTER>"}));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string> {"</CENTER>", "</FONT>", "</BODY>", "</HTML>"}));
}

}  // namespace
}  // namespace quorvel
