// The compare window offscreen with the fake services, and the compare report's lines.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>

#include <filesystem>

#include "model/ColumnList.h"
#include "model/ListFactory.h"
#include "reports/CompareCarts.h"
#include "reports/CompareCartsReport.h"
#include "reports/ReportColumns.h"
#include "reports/ReportHtml.h"
#include "support/ConfigDirTest.h"
#include "support/qt/FakeServices.h"

namespace quorvel {
namespace {

using Item = std::vector<std::pair<const char*, std::string>>;

std::unique_ptr<TBaseCustomListClass> MakeList(TListType type, const char* platform, const char* owner,
                                               const std::vector<Item>& items) {
    auto list = CreateListObject(type);
    list->SetListType(type == ltMedia ? "Media" : "Hardware");
    list->SetPlatform(platform);
    list->SetOwner(owner);
    list->SetDescription(std::string(owner) + "'s");
    for (const auto& values : items) {
        auto item = list->CreateItem();
        for (const auto& [name, value] : values) item->SetFieldValue(name, value);
        list->Add(std::move(item));
    }
    return list;
}

Item Cart(const char* title, const char* qty = "1") { return {{"Title", title}, {"Quantity", qty}, {"Mfg", "Acme"}}; }

class CompareCartsTest : public test::ConfigDirTest {
protected:
    void SetUp() override {
        ConfigDirTest::SetUp();
        settings->LoadSettings();
        hardware = MakeList(ltHardware, "Zentrix 64", "Hal", {});
        one = MakeList(ltMedia, "Zentrix 64", "Ann", {Cart("Alpha"), Cart("Beta", "3")});
        two = MakeList(ltMedia, "Korvo", "Bob", {Cart("Beta"), Cart("Gamma <&>", "2")});
        three = MakeList(ltMedia, "Korvo", "Cy", {});
        form = std::make_unique<TCompareCartsForm>(*settings);
    }
    void TearDown() override {
        form.reset();
        ConfigDirTest::TearDown();
    }
    std::vector<CompareListEntry> Open(std::initializer_list<std::pair<const char*, TBaseCustomListClass*>> lists) {
        std::vector<CompareListEntry> entries;
        for (const auto& [id, list] : lists) entries.push_back({id, list});
        return entries;
    }
    IniFile States() const { return IniFile::Load(TCompareCartsForm::WindowStatesFile()); }

    test::FakeServices fakes;
    std::unique_ptr<TBaseCustomListClass> hardware, one, two, three;
    std::unique_ptr<TCompareCartsForm> form;
};

TEST_F(CompareCartsTest, FirstShowDefaultsAndPreselection) {
    form->SetLists(Open({{"h", hardware.get()}, {"1", one.get()}, {"2", two.get()}}));
    form->show();
    EXPECT_EQ(form->windowTitle(), "Compare Media Lists");
    EXPECT_EQ(form->size(), QSize(640, 470));
    EXPECT_EQ(form->LeftPanel->width(), 304);
    for (QCheckBox* box : {form->IgnoreLabelTypeCB, form->IgnoreLabelColorCB, form->IgnorePunctuation, form->IgnoreMfgCB})
        EXPECT_TRUE(box->isChecked()) << box->text().toStdString();
    EXPECT_FALSE(form->MinQtyCB->isChecked());
    EXPECT_EQ(form->MinQtyEdit->value(), 2);
    // Hardware lists get no entry: entry 0 is list one.
    EXPECT_EQ(form->CartListOneCB->count(), 2);
    EXPECT_EQ(form->CartListOneCB->itemText(0), "Zentrix 64 (Ann)");
    EXPECT_EQ(form->CartListOneCB->currentIndex(), 0);
    EXPECT_EQ(form->CartListTwoCB->currentIndex(), 1);
    EXPECT_TRUE(form->CompareButton->isEnabled());
    EXPECT_FALSE(form->ReportButton->isEnabled());
    EXPECT_FALSE(form->CustomizeLeftView->isEnabled());
}

TEST_F(CompareCartsTest, SelectionsFollowListsNotPositions) {
    form->SetLists(Open({{"1", one.get()}, {"2", two.get()}, {"3", three.get()}}));
    form->show();
    EXPECT_EQ(form->CartListOneCB->currentIndex(), -1);  // three lists: nothing chosen
    EXPECT_FALSE(form->CompareButton->isEnabled());
    form->CartListOneCB->setCurrentIndex(1);
    form->CartListTwoCB->setCurrentIndex(2);
    EXPECT_TRUE(form->CompareButton->isEnabled());
    form->CartListTwoCB->setCurrentIndex(1);
    EXPECT_FALSE(form->CompareButton->isEnabled());  // a list against itself
    form->CartListTwoCB->setCurrentIndex(2);

    form->SetLists(Open({{"2", two.get()}, {"3", three.get()}}));  // list one closed
    EXPECT_EQ(form->CartListOneCB->currentText(), "Korvo (Bob)");
    EXPECT_EQ(form->CartListTwoCB->currentText(), "Korvo (Cy)");
    form->SetLists(Open({{"3", three.get()}, {"1", one.get()}}));  // list two closed
    EXPECT_EQ(form->CartListOneCB->currentIndex(), -1);
    EXPECT_EQ(form->CartListTwoCB->currentText(), "Korvo (Cy)");
    EXPECT_FALSE(form->CompareButton->isEnabled());
}

TEST_F(CompareCartsTest, CompareFillsBothGridsAndAnErrorKeepsThem) {
    form->SetLists(Open({{"1", one.get()}, {"2", two.get()}}));
    form->show();
    form->MinQtyCB->setChecked(false);
    form->CompareButtonClick();
    ASSERT_TRUE(fakes.messages.empty());
    ASSERT_EQ(form->GetLeftList().Count(), 1);  // in two, not in one
    EXPECT_EQ(form->GetLeftList().GetItem(0)->GetFieldAsString("Title"), "Gamma <&>");
    EXPECT_EQ(form->GetLeftList().GetPlatform(), "Zentrix 64");
    EXPECT_EQ(form->GetLeftList().GetListType(), "Media");
    ASSERT_EQ(form->GetRightList().Count(), 1);
    EXPECT_EQ(form->GetRightList().GetOwner(), "Bob");
    EXPECT_EQ(form->leftListView->model()->rowCount(), 1);
    EXPECT_EQ(form->ProgressBar1->value(), 100);
    EXPECT_TRUE(form->ReportButton->isEnabled());
    EXPECT_TRUE(form->CustomizeLeftView->isEnabled());

    form->MinQtyCB->setChecked(true);
    form->MinQtyEdit->setValue(3);
    two->GetItem(0)->SetFieldValue("Quantity", std::string("lots"));
    form->CompareButtonClick();
    ASSERT_EQ(fakes.messages.size(), 1u);
    EXPECT_EQ(fakes.messages[0].text.toStdString(),
              "Invalid variant type conversion in item 1 of list two, field QUANTITY");
    EXPECT_EQ(form->GetLeftList().Count(), 1);
    EXPECT_TRUE(form->CompareButton->isEnabled());
    EXPECT_TRUE(form->ExitButton->isEnabled());
}

TEST_F(CompareCartsTest, ClosingKeepsStateInWindowStatesIni) {
    form->SetLists(Open({{"1", one.get()}, {"2", two.get()}}));
    form->show();
    form->IgnoreMfgCB->setChecked(false);
    form->MinQtyCB->setChecked(true);
    form->MinQtyEdit->setValue(5);
    form->resize(700, 500);
    form->ExitButtonClick();
    EXPECT_FALSE(form->isVisible());
    const IniFile ini = States();
    std::vector<std::string> keys;
    for (const auto& [key, value] : ini.SectionValues("MediaCompare")) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"WindowState", "WindowX", "WindowY", "WindowW", "WindowH",
                                              "IgnoreLabelType", "IgnoreLabelColor", "IgnorePunctuation",
                                              "IgnoreMfg", "UseMinQty", "MinQtyCount", "LeftPanel"}));
    EXPECT_EQ(ini.ReadString("MediaCompare", "WindowW", ""), "700");
    EXPECT_EQ(ini.ReadString("MediaCompare", "IgnoreMfg", ""), "0");
    EXPECT_EQ(ini.ReadString("MediaCompare", "MinQtyCount", ""), "5");

    TCompareCartsForm again(*settings);
    again.show();
    EXPECT_EQ(again.size(), QSize(700, 500));
    EXPECT_FALSE(again.IgnoreMfgCB->isChecked());
    EXPECT_TRUE(again.MinQtyCB->isChecked());
    EXPECT_EQ(again.MinQtyEdit->value(), 5);
    again.close();
}

TEST_F(CompareCartsTest, ReportGoesToTheReportFolderAndOpens) {
    form->SetLists(Open({{"1", one.get()}, {"2", two.get()}}));
    form->show();
    form->CompareButtonClick();
    fakes.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    form->ReportButtonClick();  // column dialog cancelled: no file
    EXPECT_TRUE(fakes.openedUrls.empty());
    fakes.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Accepted); });
    form->ReportButtonClick();
    const std::string file = settings->GetSetting("ReportPath") + "Media Compare Report.html";
    ASSERT_EQ(fakes.openedUrls.size(), 1u);
    EXPECT_EQ(fakes.openedUrls[0].toLocalFile().toStdString(), file);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(ReadIniBool(ReportsIniFile(), "CustomMediaCompareReportHeader", "CustomHeader", false));
}

TEST_F(CompareCartsTest, ReportGoldenLines) {
    const auto left = MakeList(ltMedia, "Zentrix 64", "Ann & Co", {});
    const auto right = MakeList(ltMedia, "Korvo", "Bob", {Cart("Zed"), Cart("A <b>", "2")});
    TColumnListClass columns;
    columns.SetTemplate(right->GetItem(0));
    for (auto& column : columns.Columns)
        column->Hidden = column->Field != "TITLE" && column->Field != "QUANTITY";
    for (auto& column : columns.Columns)
        if (column->Field == "QUANTITY") column->Justification = 2;
    HtmlReport report({QDateTime(QDate(2026, 12, 5), QTime(14, 29)), QLocale::c()});
    BuildCompareReport(report, *left, *right, columns);
    const std::vector<std::string> lines = report.Lines();
    const std::vector<std::string> head = {
        "<HTML>", "<TITLE>", "Cartridge Comparision", "</TITLE>", "<BODY>", "<FONT FACE=\"Verdana\">",
        "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\">",
        "<TR><TD bgcolor=\"#BBBBBB\">Platform</TD><TD>Zentrix 64</TD></TR>",
        "<TR><TD bgcolor=\"#DDDDDD\">Owner</TD><TD>Ann &amp; Co</TD></TR>",
        "<TR><TD bgcolor=\"#BBBBBB\">Description</TD><TD>Ann &amp; Co's</TD></TR>", "</TABLE>",
        "<P><CENTER>The following is a list of Media that could be added to your collection.</CENTER>",
        "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\">", "<TR><TH>Title</TH><TH>Qty</TH></TR>", "</TABLE>",
        "<FONT FACE=\"Verdana\">"};
    ASSERT_GE(lines.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + head.size()), head);
    const std::vector<std::string> rows = {
        "<TR bgcolor=\"#FFFFFF\"><TD ALIGN=\"LEFT\">A &lt;b&gt;</TD><TD ALIGN=\"RIGHT\">2</TD></TR>",
        "<TR bgcolor=\"#DDDDDD\"><TD ALIGN=\"LEFT\">Zed</TD><TD ALIGN=\"RIGHT\">1</TD></TR>", "<CENTER>"};
    const auto at = std::find(lines.begin(), lines.end(), rows[0]);
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(std::vector<std::string>(at, at + 3), (std::vector<std::string>{rows[0], rows[1], "</TABLE>"}));
    EXPECT_EQ(at[3], "<CENTER>");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"</CENTER>", "</FONT>", "</BODY>", "</HTML>"}));
}

}  // namespace
}  // namespace quorvel
