#include "ReportTest.h"

#include "platform/IniFile.h"
#include "platform/qt/CommandGuard.h"
#include "reports/CustomReports.h"
#include "reports/ReportColumns.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/reports/ChooseListTypeForm.h"
#include "ui/reports/CustomReportForm.h"
#include "ui/reports/ReportWriters.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <tuple>

namespace quorvel {
namespace {

using test::DataRows;
using test::MessageKind;
using test::ReportTest;
using test::ShownMessage;
using Rows = std::vector<std::string>;

std::string SummaryRow(const char* colour, const std::string& platform, const std::string& owner, int unique, int total)
{
    return std::string("<TR bgcolor=\"") + colour + "\"><TD ALIGN=\"LEFT\">" + platform + "</TD><TD ALIGN=\"LEFT\">" +
        owner + "</TD><TD ALIGN=\"RIGHT\">" + std::to_string(unique) + "</TD><TD ALIGN=\"RIGHT\">" +
        std::to_string(total) + "</TR>";
}

std::string Totals(int unique, int total)
{
    return "<TR bgcolor=\"#FFFFFF\"><TD ALIGN=\"RIGHT\"></TD><TD ALIGN=\"RIGHT\"> Totals</TD><TD ALIGN=\"RIGHT\">" +
        std::to_string(unique) + "</TD><TD ALIGN=\"RIGHT\">" + std::to_string(total) + "</TR>";
}

using CollectionSummaryTest = ReportTest;

TEST_F(CollectionSummaryTest, RowsByPlatformThenOwnerWithTotals)
{
    auto bob = MakeList({{"T", false, 5}, {"T", false, 2}}, ltMedia, "Zentrix 64", "bob");
    auto ada = MakeList({{"T"}}, ltMedia, "zentrix 64", "Ada");
    ada->SetListType("MEDIA");
    auto hardware = MakeList({{"T", false, 9}}, ltHardware, "Aardvark", "Ann");
    auto korvo = MakeList({{"T", false, 3}}, ltMedia, "Korvo <1>", "Cy");
    const std::vector<const TBaseCustomListClass*> lists = {bob.get(), ada.get(), hardware.get(), korvo.get()};

    const auto media = RenderCollectionSummaryReport(lists, "Media", clock);
    EXPECT_EQ(
        DataRows(media),
        (Rows {SummaryRow("#DDDDDD", "Korvo &lt;1&gt;", "Cy", 1, 3), SummaryRow("#FFFFFF", "zentrix 64", "Ada", 1, 1),
               SummaryRow("#DDDDDD", "Zentrix 64", "bob", 2, 7), Totals(4, 11)}));
    const auto lines = media.Lines();
    EXPECT_EQ(lines.at(4), "Collection Summary");
    EXPECT_EQ(lines.at(9), "<TR><TD bgcolor=\"#BBBBBB\">Report</TD><TD>Collection Summary by Platform</TD></TR>");
    EXPECT_EQ(lines.at(14), "<TR><TH>Platform</TH><TH>Owner</TH><TH>Unique Media*</TH><TH>Total  Media</TH></TR>");
    EXPECT_EQ(lines.at(lines.size() - 7),
              "<P><SMALLER><P> * - Unique Count assumes that the list is compressed.  Variations (such as Label Type, "
              "etc...) between carts is also assumed unique.</SMALLER>");

    EXPECT_EQ(DataRows(RenderCollectionSummaryReport({}, "Media", clock)), Rows {Totals(0, 0)});
}

TEST_F(CollectionSummaryTest, QuantityThatIsNoNumberStopsTheSummary)
{
    auto bad = MakeList({{"T", false, 5}, {"T", false, 2}});
    bad->SetFileName(Path("/lists/Zentrix.csv"));
    bad->GetItem(1)->SetFieldValue("Quantity", std::string("2.5"));
    EXPECT_FALSE(RunCommand([&] { MakeCollectionSummaryReport({bad.get()}, "Media", PathOf("sum.html")); }));
    EXPECT_FALSE(Exists("sum.html"));
    EXPECT_EQ(
        fake.messages,
        (std::vector<ShownMessage> {
            {MessageKind::Error, "List Zentrix.csv: Invalid variant type conversion in item 2, field QUANTITY"}}));
    EXPECT_TRUE(MakeCollectionSummaryReport({}, "Media", PathOf("sum.html")));
}

TEST_F(ReportTest, CustomReportStoresDefaultsOnFirstRunAndListsEveryItem)
{
    auto empty = MakeList({});
    EXPECT_FALSE(MakeCustomReport(*empty, "Sales", PathOf("c.html")));
    EXPECT_FALSE(Exists("CustomReports.ini"));

    auto list = MakeList({{"b", true, 2}, {"A", false, 1}});
    ASSERT_TRUE(MakeCustomReport(*list, "Sales", PathOf("c.html")));
    const Path ini = CustomReportsIniFile();
    EXPECT_TRUE(ReadIniBool(ini, "CustomMediaSales", "CustomHeader", false));
    EXPECT_EQ(ReadIniInteger(ini, "CustomMediaSales", "Count", 0), list->GetItem(0)->FieldCount());

    TColumnListClass columns;
    ShowOnly(columns, *list, {"Title"});
    const auto report = RenderCustomReport(*list, columns, "Sales & Co", clock);
    EXPECT_EQ(DataRows(report),
              (Rows {"<TR bgcolor=\"#FFFFFF\"><TD ALIGN=\"LEFT\">A</TD></TR>",
                     "<TR bgcolor=\"#DDDDDD\"><TD ALIGN=\"LEFT\">b</TD></TR>"}));
    EXPECT_EQ(report.Lines().at(9), "<TR><TD bgcolor=\"#BBBBBB\">Report</TD><TD>Sales &amp; Co</TD></TR>");
    EXPECT_EQ(report.Lines().at(16), "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\" WIDTH=\"100%\">");
}

// Cells show what the grid shows: a yes/no as "Yes" or "No" however it is held, a whole number
// holding text that is none as 0.
TEST_F(ReportTest, YesNoAndWholeNumberCellsShowAsInTheGrid)
{
    auto list = MakeList({{"a", std::string("0"), std::string("many")},
                          {"b", std::string("-1"), std::string("12")},
                          {"c", true, int32_t {3}},
                          {"d", false, std::string("2.5")}});
    TColumnListClass columns;
    ShowOnly(columns, *list, {"Title", "Boxed", "Quantity"});
    const auto row = [](const char* colour, const char* title, const char* boxed, const char* quantity) {
        return std::string("<TR bgcolor=\"") + colour + "\"><TD ALIGN=\"LEFT\">" + title + "</TD><TD ALIGN=\"LEFT\">" +
            boxed + "</TD><TD ALIGN=\"LEFT\">" + quantity + "</TD></TR>";
    };
    EXPECT_EQ(DataRows(RenderCustomReport(*list, columns, "Cells", clock)),
              (Rows {row("#FFFFFF", "a", "No", "0"), row("#DDDDDD", "b", "Yes", "12"), row("#FFFFFF", "c", "Yes", "3"),
                     row("#DDDDDD", "d", "No", "0")}));
}

// The names of the files themselves are checked with the report commands.
TEST_F(ReportTest, ReportFilePathsAreUtf8AndRefuseNamesThatCannotBeFiles)
{
    EXPECT_EQ(ReportFilePath(Path("/r/"), "Caf\xE9 Sales .html"), Path("/r/Caf\xC3\xA9 Sales .html"));
    for (const char* bad : {"a/b .html", "..", "x\ty"}) {
        EXPECT_EQ(ReportFilePath(Path("/r/"), bad), std::nullopt) << bad;
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
        for (int i = 0; i < form->findChild<QListWidget*>("ReportNameList")->count(); ++i)
            names << form->findChild<QListWidget*>("ReportNameList")->item(i)->text();
        return names;
    }
    void Add(const QString& name)
    {
        form->findChild<QLineEdit*>("ReportNameEdit")->setText(name);
        form->AddButtonClick();
    }
    void Select(std::initializer_list<int> rows)
    {
        form->findChild<QListWidget*>("ReportNameList")->clearSelection();
        for (int row : rows) {
            QListWidgetItem* item = form->findChild<QListWidget*>("ReportNameList")->item(row);
            ASSERT_NE(item, nullptr) << "no row " << row;
            item->setSelected(true);
        }
    }
    Path ini() const { return CustomReportsIniFile(); }
    void WriteNames(const std::vector<std::string>& names) const
    {
        IniFile file = IniFile::Load(ini());
        file.WriteIndexedList("ReportList", "Rpt", names);
        file.Save();
    }

    TFieldOrderForm fieldOrder;
    std::unique_ptr<TCustomReportForm> form;
};

// Names stay in order ignoring case, duplicates kept; every way of closing saves them.
TEST_F(CustomReportFormTest, NamesKeptInOrderIgnoringCaseAndSavedOnEveryClose)
{
    Show([&] {
        for (const char* name : {"beta", "Alpha", "beta", "Gamma"})
            Add(name);
        return int(QDialog::Rejected);
    });
    Show([&] {
        EXPECT_EQ(Names(), (QStringList {"Alpha", "beta", "beta", "Gamma"}));
        Select({0, 3});
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(std::tuple(form->GetSelectedCount(), form->GetSelectedReport(1)), std::tuple(2, std::string("Gamma")));
    EXPECT_EQ(ReadIniString(ini(), "ReportList", "Rpt3", ""), "Gamma");
    // Escape rejects; the close box closes.
    for (bool escape : {true, false}) {
        form->show();
        Add("delta");
        escape ? form->reject() : void(form->close());
    }
    EXPECT_EQ(ReadIniInteger(ini(), "ReportList", "Count", 0), 6);

    // Names that cannot be sections, or be part of the report's file name, are refused as printing
    // would refuse them; blanks around a name stay.
    const QString notASection = "A report name can not be blank or contain \"[\" or \"]\".";
    const std::pair<const char*, QString> refused[] = {
        {"   ", notASection}, {"a[b", notASection},  {"a]", notASection}, {"x\ny", notASection},
        {"x\ry", notASection}, {"A/B", "\"A/B\" can not be used as a file name."}, {"A\\B", "\"A\\B\" can not be used as a file name."},
    };
    for (const auto& [bad, message] : refused) {
        Add(QString::fromLatin1(bad));
        EXPECT_EQ(fake.messages, (std::vector<ShownMessage> {{MessageKind::Warning, message}})) << bad;
        EXPECT_FALSE(Names().contains(QString::fromLatin1(bad)));
        fake.messages.clear();
    }
    Add(" Sales 2 ");
    EXPECT_TRUE(Names().contains(" Sales 2 "));
}

TEST_F(CustomReportFormTest, ConfigureCarriesTheSetToTheNextNewName)
{
    WriteNames({"One", "Two=2"});  // "=" cannot stand in a section name: the file's form of it is used
    const auto hideAll = [](QDialog& d) {
        static_cast<TFieldOrderForm&>(d).UnCheckAllButtonClick();
        return int(QDialog::Accepted);
    };
    Show([&] {
        Select({0, 1});
        fake.dialogAnswers.push_back(hideAll);
        fake.dialogAnswers.push_back([&](QDialog& d) {  // the second name starts from the first's set
            TColumnListClass seen;
            static_cast<TFieldOrderForm&>(d).GetColumns(seen);
            EXPECT_TRUE(seen.GetColumn(0)->Hidden);
            return int(QDialog::Rejected);
        });
        form->ConfigureButtonClick();
        return int(QDialog::Rejected);
    });
    EXPECT_TRUE(fake.dialogAnswers.empty());
    for (const char* section : {"CustomMediaOne", "CustomMediaTwo%3D2"}) {
        EXPECT_TRUE(ReadIniBool(ini(), section, "CustomHeader", false)) << section;
        EXPECT_TRUE(ReadIniBool(ini(), section, "Hidden0", false)) << section;
    }
    EXPECT_FALSE(ReadIniBool(ini(), "CustomHardwareOne", "CustomHeader", false));
}

TEST_F(CustomReportFormTest, RemoveAsksAndErasesOnlyThisTypesSections)
{
    for (const char* section : {"CustomMediaOne", "CustomMediaTwo", "CustomHardwareOne", "CustomMediaThree"})
        WriteIniBool(ini(), section, "CustomHeader", true);
    WriteNames({"One", "Two", "Three"});
    Show([&] {
        Select({0, 2});  // One, Two (Three sorts between them)
        fake.confirmAnswers = {false, true};
        form->RemoveButtonClick();
        EXPECT_EQ(Names(), (QStringList {"One", "Three", "Two"}));
        form->RemoveButtonClick();
        EXPECT_EQ(Names(), QStringList {"Three"});
        EXPECT_FALSE(form->findChild<QPushButton*>("RemoveButton")->isEnabled());
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(fake.messages.size(), 2u);
    for (auto [section, kept] : {std::pair {"CustomMediaOne", false},
                                 {"CustomMediaTwo", false},
                                 {"CustomHardwareOne", true},
                                 {"CustomMediaThree", true}})
        EXPECT_EQ(ReadIniBool(ini(), section, "CustomHeader", false), kept) << section;
    EXPECT_EQ(ReadIniInteger(ini(), "ReportList", "Count", 0), 1);
}

// Each showing starts from "Media", whatever the last use chose.
TEST_F(ReportTest, ChooserStartsFromMediaOnEveryShowing)
{
    TChooseListTypeForm form;
    for (auto [pick, chosen] : {std::pair {1, "Hardware"}, {-1, "Media"}}) {
        fake.dialogAnswers.push_back([&](QDialog&) {
            EXPECT_EQ(form.findChild<QComboBox*>("ListTypeCB")->currentText(), "Media");
            if (pick >= 0)
                form.findChild<QComboBox*>("ListTypeCB")->setCurrentIndex(pick);
            return int(QDialog::Accepted);
        });
        ExecDialog(form);
        EXPECT_EQ(form.GetListType(), chosen);
    }
}

}  // namespace
}  // namespace quorvel
