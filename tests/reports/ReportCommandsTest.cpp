#include "ui/CommandGroupTest.h"

#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/Version.h"
#include "reports/CartChartForm.h"
#include "reports/ChooseListTypeForm.h"
#include "reports/CustomReportForm.h"
#include "reports/ReportCommands.h"
#include "reports/WebCommands.h"
#include "ui/CustomPropertyDialog.h"
#include "ui/FieldOrderForm.h"
#include "ui/InventoryForm.h"
#include "ui/SplashForm.h"

#include <QLineEdit>
#include <QListWidget>

namespace quorvel {
namespace {

class ReportCommandsTest : public test::CommandGroupTest {
protected:
    void SetUp() override
    {
        CommandGroupTest::SetUp();
        MakeRecordingForm();
        auto group = std::make_unique<ReportCommands>(*form, fieldOrder, propertyDialog);
        reports = group.get();
        form->AttachCommandGroup(std::move(group));
        form->AttachCommandGroup(std::make_unique<WebCommands>(*form, splash));
        reportPath = settings->GetSetting("ReportPath");
    }

    TBaseCustomListClass& AddList(TListType kind, const std::string& platform, const char* quantity = "1")
    {
        auto list = CreateListObject(kind);
        list->SetPlatform(platform);
        list->SetOwner("Sam");
        test::AddItem(*list, {{kind == ltMedia ? "Title" : "Name", test::Text("Alpha")},
                              {"Quantity", test::Text(quantity)}, {"Rarity", "3"}});
        list->SetOpenedFileName(programDir + platform + std::to_string(form->OpenLists().size()) + ".csv");
        TBaseCustomListClass& added = *list;
        form->AppendOpenList(std::move(list));
        form->SetCurrentList(&added);
        form->RefreshTabs();
        form->UpdateMenuState();
        return added;
    }
    // The writers answer Result and note the files they were asked for.
    void FakeWriters(bool result)
    {
        auto note = [this, result](const std::string& file) {
            written.push_back(file);
            if (result)
                WriteFile(file.substr(programDir.size()), "<HTML>");
            return result;
        };
        reports->WriteInventoryReport = reports->WriteBinReport = reports->WriteTradeReport =
            [note](const TBaseCustomListClass&, const std::string& file) { return note(file); };
        reports->WriteCustomReport = [note](const TBaseCustomListClass&, const std::string&, const std::string& file) {
            return note(file);
        };
        reports->WriteSummaryReport = [note](const std::vector<const TBaseCustomListClass*>&, const std::string&,
                                             const std::string& file) { return note(file); };
    }
    void ChooseCustomReports(std::vector<const char*> names)
    {
        fake.dialogAnswers.push_back([names](QDialog& dialog) {
            auto& custom = static_cast<TCustomReportForm&>(dialog);
            custom.ReportNameList->clear();
            for (const char* name : names) {
                custom.ReportNameEdit->setText(name);
                custom.AddButtonClick();
            }
            custom.ReportNameList->selectAll();
            return int(QDialog::Accepted);
        });
    }

    TFieldOrderForm fieldOrder;
    TCustomPropertyDialog propertyDialog;
    TSplashForm splash;
    ReportCommands* reports = nullptr;
    std::string reportPath;
    std::vector<std::string> written;
};

TEST_F(ReportCommandsTest, ReportFileNamesAndWhatAWrittenReportLeaves)
{
    struct Case {
        const char* entry;
        const char* platform;
        std::vector<const char*> custom;
        std::vector<std::string> files;
        size_t refused;  // names that can be no file name, each refused with a message
    } cases[] = {
        {"InventoryReportMainMenu", "Zentrix 64", {}, {"Zentrix 64 Media Inventory Report.html"}, 0},
        {"BinReportMainMenu", "Zentrix #64?", {}, {"Zentrix #64? Media Bin Report.html"}, 0},
        {"TradeReportMainMenu", "Zentrix 64", {}, {"Zentrix 64 Media Trade Report.html"}, 0},
        {"CustomReportMainMenu", "Zentrix 64", {"Sales", "A/B", "By Year"},
         {"Zentrix 64 By Year .html", "Zentrix 64 Sales .html"}, 1},
        {"BinReportMainMenu", "Zen/trix", {}, {}, 1},
    };
    for (bool result : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.entry) + " " + c.platform + (result ? " written" : " failed"));
            while (!form->OpenLists().empty())
                form->TakeOpenList(0);
            AddList(ltMedia, c.platform);
            FakeWriters(result);
            written.clear();
            fake.openedUrls.clear();
            fake.messages.clear();
            recording->nodes.clear();
            if (!c.custom.empty())
                ChooseCustomReports(c.custom);
            Trigger(c.entry);
            std::vector<std::string> expected;
            std::vector<QUrl> urls;
            std::vector<std::pair<ExplorerRoot, std::string>> nodes;
            for (const std::string& name : c.files) {
                expected.push_back(JoinPath(reportPath, name));
                if (result) {
                    urls.push_back(QUrl::fromLocalFile(ToQString(expected.back())));
                    nodes.emplace_back(ExplorerRoot::Reports, expected.back());
                }
            }
            EXPECT_EQ(written, expected);
            EXPECT_EQ(fake.messages.size(), c.refused);
            EXPECT_EQ(fake.openedUrls, urls);
            EXPECT_EQ(recording->nodes, nodes);
        }
    }
}

TEST_F(ReportCommandsTest, WrittenReportsOpenInTheBrowser)
{
    AddList(ltMedia, "Zentrix #64?");
    fake.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Accepted); });
    Trigger("BinReportMainMenu");
    const std::string file = JoinPath(reportPath, "Zentrix #64? Media Bin Report.html");
    ASSERT_TRUE(FileExists(file));
    ASSERT_EQ(fake.openedUrls.size(), 1u);
    EXPECT_EQ(fake.openedUrls[0].toLocalFile(), ToQString(file));
    EXPECT_EQ(recording->nodes, (std::vector<std::pair<ExplorerRoot, std::string>>{{ExplorerRoot::Reports, file}}));
}

TEST_F(ReportCommandsTest, SummaryAsksForTheTypeOnlyForMixedLists)
{
    struct Case {
        std::vector<TListType> lists;
        std::optional<int> chooser;  // the chooser's answer when it is shown
        const char* file;            // none: nothing written
    } cases[] = {
        {{ltMedia, ltMedia, ltMedia}, std::nullopt, "Media Collection Summary.html"},
        {{ltMedia, ltHardware, ltMedia}, QDialog::Accepted, "Media Collection Summary.html"},
        {{ltMedia, ltHardware, ltMedia}, QDialog::Rejected, nullptr},
    };
    for (const Case& c : cases) {
        while (!form->OpenLists().empty())
            form->TakeOpenList(0);
        for (TListType kind : c.lists)
            AddList(kind, "Zentrix 64");
        FakeWriters(true);
        written.clear();
        bool shown = false;
        if (c.chooser)
            fake.dialogAnswers.push_back([&](QDialog& dialog) {
                shown = true;
                EXPECT_EQ(&dialog, &reports->ChooseListTypeForm());
                return *c.chooser;
            });
        Trigger("byPlatformReportMainMenu");
        EXPECT_EQ(shown, c.chooser.has_value());
        EXPECT_EQ(written, c.file ? std::vector<std::string>{JoinPath(reportPath, c.file)} : std::vector<std::string>{});
    }
}

TEST_F(ReportCommandsTest, ChartsShowTheirWindowOnlyWithAChart)
{
    struct Case {
        const char* entry;
        const char* quantity;
        bool shown;
    } cases[] = {
        {"byManufacturerMainMenu", "2", true}, {"byRarityMainMenu", "2", true},  {"byConditionMainMenu", "2", true},
        {"CostVsValueMainMenu", "2", true},    {"byPlatformMainMenu", "2", true}, {"byRarityMainMenu", "two", false},
        {"byPlatformMainMenu", "two", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.entry) + " " + c.quantity);
        while (!form->OpenLists().empty())
            form->TakeOpenList(0);
        AddList(ltMedia, "Zentrix 64", c.quantity);
        AddList(ltMedia, "Korvo Handheld", c.quantity);
        fake.messages.clear();
        bool shown = false;
        fake.dialogAnswers.push_back([&](QDialog& dialog) {
            shown = &dialog == &reports->ChartForm();
            return int(QDialog::Accepted);
        });
        Trigger(c.entry);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(fake.messages.size(), c.shown ? 0u : 1u);
        fake.dialogAnswers.clear();
    }
}

TEST_F(ReportCommandsTest, WebAndMailAddressesGoToTheShell)
{
    const QString subject = "Quorvel%20" + VersionString();
    struct Case {
        const char* entry;
        QString url;
    } cases[] = {
        {"ReportaBug1", "mailto:support@pelmora.example?Subject=" + subject + "%20Bug%20Report"},
        {"RequestaFeature1", "mailto:support@pelmora.example?Subject=" + subject + "%20Feature%20Request"},
        {"AskaQuestion1", "mailto:support@pelmora.example?Subject=" + subject + "%20Question"},
        {"QuorvelHomePage1", "https://www.pelmora.example/index.asp?opt=10&data=3&cbt=20"},
        {"Pelmora1", "https://www.pelmora.example/"},
        {"Cartwell1", "https://www.cartwell.example/"},
        {"GamersLedgerCollectorsGuide1", "https://www.gamersledger.example/"},
        {"Snipercade1", "https://www.snipercade.example/"},
        {"StarLadderHighScoreDatabase1", "https://www.starladder.example/"},
        {"Help1", QUrl::fromLocalFile(ToQString(ShippedDataDir() + "help/index.html")).toString(QUrl::FullyEncoded)},
    };
    for (const Case& c : cases) {
        fake.openedUrls.clear();
        Trigger(c.entry);
        ASSERT_EQ(fake.openedUrls.size(), 1u) << c.entry;
        EXPECT_EQ(fake.openedUrls[0].toString(QUrl::FullyEncoded), c.url);
    }
    EXPECT_EQ(WebCommands::SupportMailLink("1.0", " A&B=C"),
              "mailto:support@pelmora.example?Subject=Quorvel%201.0%20A%26B%3DC");
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ReportCommandsTest, AboutUpdateCheckAndInventoryReachTheirWindows)
{
    // Without a version there is nothing to ask; with one the page carries it.
    for (const QString& address : {QString(), QString("https://www.pelmora.example/index.asp?VER=1.2.3.4")}) {
        UpdateCheckURL = address;
        fake.openedUrls.clear();
        Trigger("CheckForUpdatesMainMenu");
        EXPECT_EQ(fake.openedUrls, address.isEmpty() ? std::vector<QUrl>{} : std::vector<QUrl>{QUrl(address)});
    }
    UpdateCheckURL.clear();

    splash.show();
    Trigger("About1");  // the start-up splash is still up: nothing happens
    splash.hide();
    bool about = false;
    fake.dialogAnswers.push_back([&](QDialog& dialog) {
        about = &dialog == &splash && splash.AboutMode;
        return int(QDialog::Accepted);
    });
    Trigger("About1");
    EXPECT_TRUE(about);

    TBaseCustomListClass& list = AddList(ltMedia, "Zentrix 64");
    bool counted = false;
    fake.dialogAnswers.push_back([&](QDialog& dialog) {
        counted = &dialog == &reports->InventoryForm();
        return int(QDialog::Accepted);
    });
    form->Action("InventoryListMainMenu")->trigger();
    EXPECT_TRUE(counted);
    EXPECT_EQ(form->ListDisplay().GetList(), &list);
}

}  // namespace
}  // namespace quorvel
