#include "ReportTest.h"

#include "platform/IniFile.h"
#include "reports/CustomReportForm.h"
#include "reports/CustomReports.h"
#include "reports/ReportFiles.h"
#include "reports/ReportColumns.h"
#include "ui/FieldOrderForm.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quorvel {
namespace {

using test::DataRows;
using test::MessageKind;
using test::ReportTest;
using test::ShownMessage;
using Rows = std::vector<std::string>;

std::string SummaryRow(const char* colour, const std::string& platform, const std::string& owner, int unique, int total)
{
    return std::string("<TR bgcolor=\"") + colour + "\"><TD ALIGN=\"LEFT\">" + platform + "</TD><TD ALIGN=\"LEFT\">" + owner +
           "</TD><TD ALIGN=\"RIGHT\">" + std::to_string(unique) + "</TD><TD ALIGN=\"RIGHT\">" + std::to_string(total) + "</TR>";
}

std::string Totals(int unique, int total)
{
    return "<TR bgcolor=\"#FFFFFF\"><TD ALIGN=\"RIGHT\"></TD><TD ALIGN=\"RIGHT\"> Totals</TD><TD ALIGN=\"RIGHT\">" +
           std::to_string(unique) + "</TD><TD ALIGN=\"RIGHT\">" + std::to_string(total) + "</TR>";
}

class CollectionSummaryTest : public ReportTest {
protected:
    std::unique_ptr<TBaseCustomListClass> Named(const std::string& platform, const std::string& owner,
                                                std::vector<int32_t> quantities, TListType type = ltMedia)
    {
        std::vector<test::TestItem> items;
        for (int32_t q : quantities)
            items.push_back({"T", false, q});
        auto list = MakeList(items, type);
        list->SetPlatform(platform);
        list->SetOwner(owner);
        return list;
    }
};

TEST_F(CollectionSummaryTest, RowsByPlatformThenOwnerWithTotals)
{
    auto bob = Named("Zentrix 64", "bob", {5, 2});
    auto ada = Named("zentrix 64", "Ada", {1});
    ada->SetListType("MEDIA");
    auto hardware = Named("Aardvark", "Ann", {9}, ltHardware);
    auto korvo = Named("Korvo <1>", "Cy", {3});
    const std::vector<const TBaseCustomListClass*> lists = {bob.get(), ada.get(), hardware.get(), korvo.get()};

    const auto media = RenderCollectionSummaryReport(lists, "Media", clock);
    EXPECT_EQ(DataRows(media), (Rows{SummaryRow("#DDDDDD", "Korvo &lt;1&gt;", "Cy", 1, 3),
                                     SummaryRow("#FFFFFF", "zentrix 64", "Ada", 1, 1),
                                     SummaryRow("#DDDDDD", "Zentrix 64", "bob", 2, 7), Totals(4, 11)}));
    const auto lines = media.Lines();
    EXPECT_EQ(Rows(lines.begin() + 2, lines.begin() + 3), Rows{"Collection Summary"});
    EXPECT_EQ(Rows(lines.begin() + 7, lines.begin() + 13),
              (Rows{"<TR><TD bgcolor=\"#BBBBBB\">Report</TD><TD>Collection Summary by Platform</TD></TR>",
                    "<TR><TD bgcolor=\"#DDDDDD\">Date</TD><TD>Saturday, December 5, 2026, 02:29 PM</TD></TR>",
                    "<TR><TD bgcolor=\"#BBBBBB\">List Type</TD><TD>Media</TD></TR>", "</TABLE>",
                    "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\" WIDTH=\"100%\">",
                    "<TR><TH>Platform</TH><TH>Owner</TH><TH>Unique Media*</TH><TH>Total  Media</TH></TR>"}));
    EXPECT_EQ(lines.at(lines.size() - 7),
              "<P><SMALLER><P> * - Unique Count assumes that the list is compressed.  Variations (such as Label Type, "
              "etc...) between carts is also assumed unique.</SMALLER>");

    EXPECT_EQ(DataRows(RenderCollectionSummaryReport({bob.get(), ada.get()}, "Hardware", clock)), Rows{Totals(0, 0)});
    EXPECT_EQ(DataRows(RenderCollectionSummaryReport({}, "Media", clock)), Rows{Totals(0, 0)});
}

TEST_F(CollectionSummaryTest, QuantityThatIsNoNumberStopsTheSummary)
{
    auto bad = Named("Zentrix 64", "bob", {5, 2});
    bad->SetFileName("/lists/Zentrix.csv");
    bad->GetItem(1)->SetFieldValue("Quantity", std::string("2.5"));
    EXPECT_FALSE(MakeCollectionSummaryReport({bad.get()}, "Media", PathOf("sum.html")));
    EXPECT_FALSE(Exists("sum.html"));
    EXPECT_EQ(fake.messages, (std::vector<ShownMessage>{{MessageKind::Error,
                                                         "List Zentrix.csv: Invalid variant type conversion in item 2, field QUANTITY"}}));
    EXPECT_TRUE(MakeCollectionSummaryReport({}, "Media", PathOf("sum.html")));
}

TEST_F(ReportTest, CustomReportStoresDefaultsOnFirstRunAndListsEveryItem)
{
    auto empty = MakeList({});
    EXPECT_FALSE(MakeCustomReport(*empty, "Sales", PathOf("c.html")));
    EXPECT_FALSE(Exists("CustomReports.ini"));

    auto list = MakeList({{"b", true, 2}, {"A", false, 1}});
    ASSERT_TRUE(MakeCustomReport(*list, "Sales", PathOf("c.html")));
    const std::string ini = CustomReportsIniFile();
    EXPECT_TRUE(ReadIniBool(ini, "CustomMediaSales", "CustomHeader", false));
    EXPECT_EQ(ReadIniInteger(ini, "CustomMediaSales", "Count", 0), list->GetItem(0)->FieldCount());

    TColumnListClass columns;
    ShowOnly(columns, *list, {"Title"});
    const auto report = RenderCustomReport(*list, columns, "Sales & Co", clock);
    EXPECT_EQ(DataRows(report), (Rows{"<TR bgcolor=\"#FFFFFF\"><TD ALIGN=\"LEFT\">A</TD></TR>",
                                      "<TR bgcolor=\"#DDDDDD\"><TD ALIGN=\"LEFT\">b</TD></TR>"}));
    const auto lines = report.Lines();
    EXPECT_EQ(lines.at(7), "<TR><TD bgcolor=\"#BBBBBB\">Report</TD><TD>Sales &amp; Co</TD></TR>");
    EXPECT_EQ(lines.at(12), "<TR><TD bgcolor=\"#DDDDDD\">List Type</TD><TD>Media</TD></TR>");
    EXPECT_EQ(lines.at(14), "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\" WIDTH=\"100%\">");
}

TEST_F(ReportTest, ReportFileNamesAndNamesThatCannotBeFiles)
{
    auto list = MakeList({{"A"}});
    EXPECT_EQ(ListReportFileName(*list, "Bin Report"), "Zentrix 64 Media Bin Report.html");
    EXPECT_EQ(CustomReportFileName(*list, "Sales"), "Zentrix 64 Sales .html");
    EXPECT_EQ(SummaryReportFileName("Hardware"), "Hardware Collection Summary.html");
    EXPECT_EQ(ReportFilePath("/r/", "Caf\xE9 Sales .html"), "/r/Caf\xC3\xA9 Sales .html");
    for (const char* bad : {"a/b .html", "..", "x\ty"}) {
        EXPECT_EQ(ReportFilePath("/r/", bad), std::nullopt) << bad;
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].kind, MessageKind::Warning);
        fake.messages.clear();
    }
}

class CustomReportFormTest : public ReportTest {
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        form = std::make_unique<TCustomReportForm>(fieldOrder);
        form->ListType = "Media";
    }
    void TearDown() override
    {
        form.reset();
        ReportTest::TearDown();
    }
    // Shows the window; Work runs while it is open and answers how it closes.
    int Show(std::function<int()> work)
    {
        fake.dialogAnswers.push_back([work](QDialog&) { return work(); });
        return ExecDialog(*form);
    }
    QStringList Names() const
    {
        QStringList names;
        for (int i = 0; i < form->ReportNameList->count(); ++i)
            names << form->ReportNameList->item(i)->text();
        return names;
    }
    void Add(const QString& name)
    {
        form->ReportNameEdit->setText(name);
        form->AddButtonClick();
    }
    void Select(std::initializer_list<int> rows)
    {
        form->ReportNameList->clearSelection();
        for (int row : rows)
            form->ReportNameList->item(row)->setSelected(true);
    }
    std::string ini() const { return CustomReportsIniFile(); }

    TFieldOrderForm fieldOrder;
    std::unique_ptr<TCustomReportForm> form;
};

TEST_F(CustomReportFormTest, NamesKeptInOrderIgnoringCaseAndSavedOnEveryClose)
{
    for (int result : {int(QDialog::Rejected), int(QDialog::Accepted)}) {
        Show([&] {
            EXPECT_FALSE(form->AddButton->isEnabled() && form->ReportNameEdit->text().isEmpty());
            Add("beta");
            Add("Alpha");
            Add("beta");
            Add("Gamma");
            return result;
        });
    }
    EXPECT_EQ(ReadIniInteger(ini(), "ReportList", "Count", 0), 8);
    Show([&] {
        EXPECT_EQ(Names(), (QStringList{"Alpha", "Alpha", "beta", "beta", "beta", "beta", "Gamma", "Gamma"}));
        Select({0, 6});
        EXPECT_TRUE(form->PrintButton->isEnabled());
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(form->GetSelectedCount(), 2);
    EXPECT_EQ(form->GetSelectedReport(1), "Gamma");
    EXPECT_EQ(ReadIniString(ini(), "ReportList", "Rpt7", ""), "Gamma");

    // Escape and the close box save too.
    form->show();
    Add("delta");
    form->reject();
    EXPECT_EQ(ReadIniInteger(ini(), "ReportList", "Count", 0), 9);
    form->show();
    Add("Epsilon");
    form->close();
    EXPECT_EQ(ReadIniInteger(ini(), "ReportList", "Count", 0), 10);
    EXPECT_EQ(ReadIniString(ini(), "ReportList", "Rpt7", ""), "Epsilon");
}

TEST_F(CustomReportFormTest, NamesThatCannotBeSectionsAreRefused)
{
    form->show();
    for (const char* bad : {"   ", "a[b", "a]", "x\ny", "x\ry"}) {
        Add(QString::fromLatin1(bad));
        EXPECT_EQ(fake.messages, (std::vector<ShownMessage>{{MessageKind::Warning,
                                                             "A report name can not be blank or contain \"[\" or \"]\"."}}))
            << bad;
        fake.messages.clear();
    }
    Add(" Sales 2 ");
    EXPECT_EQ(Names(), QStringList{" Sales 2 "});
    form->hide();
}

TEST_F(CustomReportFormTest, ConfigureCarriesTheSetToTheNextNewName)
{
    WriteIniString(ini(), "ReportList", "Count", "2");
    WriteIniString(ini(), "ReportList", "Rpt0", "One");
    WriteIniString(ini(), "ReportList", "Rpt1", "Two");
    const auto hideAll = [](QDialog& d) {
        static_cast<TFieldOrderForm&>(d).UnCheckAllButtonClick();
        return int(QDialog::Accepted);
    };
    std::vector<bool> firstShown;
    Show([&] {
        Select({0, 1});
        fake.dialogAnswers.push_back(hideAll);
        fake.dialogAnswers.push_back([&](QDialog& d) {
            TColumnListClass seen;
            static_cast<TFieldOrderForm&>(d).GetColumns(seen);
            firstShown.push_back(seen.GetColumn(0)->Hidden);
            return int(QDialog::Rejected);
        });
        form->ConfigureButtonClick();
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(firstShown, std::vector<bool>{true});
    for (const char* section : {"CustomMediaOne", "CustomMediaTwo"}) {
        EXPECT_TRUE(ReadIniBool(ini(), section, "CustomHeader", false)) << section;
        EXPECT_TRUE(ReadIniBool(ini(), section, "Hidden0", false)) << section;
    }
    EXPECT_FALSE(ReadIniBool(ini(), "CustomHardwareOne", "CustomHeader", false));
}

TEST_F(CustomReportFormTest, RemoveAsksAndErasesOnlyThisTypesSections)
{
    for (const char* section : {"CustomMediaOne", "CustomMediaTwo", "CustomHardwareOne", "CustomMediaThree"})
        WriteIniBool(ini(), section, "CustomHeader", true);
    WriteIniString(ini(), "ReportList", "Count", "3");
    WriteIniString(ini(), "ReportList", "Rpt0", "One");
    WriteIniString(ini(), "ReportList", "Rpt1", "Two");
    WriteIniString(ini(), "ReportList", "Rpt2", "Three");
    Show([&] {
        Select({0, 2});  // One, Two (Three sorts between them)
        fake.confirmAnswers = {false, true};
        form->RemoveButtonClick();
        EXPECT_EQ(Names(), (QStringList{"One", "Three", "Two"}));
        form->RemoveButtonClick();
        EXPECT_EQ(Names(), QStringList{"Three"});
        EXPECT_FALSE(form->RemoveButton->isEnabled());
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(fake.messages.size(), 2u);
    EXPECT_FALSE(ReadIniBool(ini(), "CustomMediaOne", "CustomHeader", false));
    EXPECT_FALSE(ReadIniBool(ini(), "CustomMediaTwo", "CustomHeader", false));
    EXPECT_TRUE(ReadIniBool(ini(), "CustomHardwareOne", "CustomHeader", false));
    EXPECT_TRUE(ReadIniBool(ini(), "CustomMediaThree", "CustomHeader", false));
    EXPECT_EQ(ReadIniInteger(ini(), "ReportList", "Count", 0), 1);
}

}  // namespace
}  // namespace quorvel
