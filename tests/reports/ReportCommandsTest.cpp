#include "platform/qt/PathText.h"
#include "ui/CommandGroupTest.h"

#include "config/SettingKeys.h"
#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/Version.h"
#include "ui/inventory/InventoryForm.h"
#include "ui/window/MenuNames.h"
#include "ui/reports/CompareCarts.h"
#include "ui/reports/CustomReportForm.h"

#include <QComboBox>
#include <QListWidget>

namespace quorvel {
namespace {

class ReportCommandsTest : public test::CommandGroupTest {
protected:
    // Lists of one item, opened in this order; the last is current.
    void SetLists(std::vector<std::pair<TListType, const char*>> lists, const char* quantity = "1")
    {
        form->CloseAllLists();
        for (const auto& [kind, platform] : lists)
            Open(WriteList(platform + std::to_string(form->OpenLists().size()), kind, platform, {"Alpha"}))
                .GetItem(0)
                ->SetFieldValue("Quantity", test::Text(quantity));
        form->UpdateMenuState();
        fake.openedUrls.clear();
        fake.messages.clear();
    }
    // The writers note the files they are asked for and answer Result, leaving the file when true.
    void FakeWriters(bool result)
    {
        auto note = [this, result](const Path& path) {
            const std::string& file = path.Bytes();
            written.push_back(file);
            if (result)
                WriteFile(file.substr(programDir.size()), "<HTML>");
            return result;
        };
        reports->WriteInventoryReport = reports->WriteBinReport = reports->WriteTradeReport =
            [note](const TBaseCustomListClass&, const Path& file) { return note(file); };
        reports->WriteCustomReport = [note](auto&, auto&, const Path& file) { return note(file); };
        reports->WriteSummaryReport = [note](auto&, auto&, const Path& file) { return note(file); };
        written.clear();
        recording->nodes.clear();
    }
    std::string Report(const std::string& name) const
    {
        return JoinPath(settings->GetFolder(setting::ReportPath), Path(name)).Bytes();
    }

    std::vector<std::string> written;
};

TEST_F(ReportCommandsTest, ReportsAreOpenedAndListedOnlyWhenWritten)
{
    WriteConfig("CustomReports.ini", {"[ReportList]", "Count=3", "Rpt0=Sales", "Rpt1=A/B", "Rpt2=By Year"});
    const std::tuple<const char*, const char*, std::vector<std::string>> cases[] = {
        {entry::InventoryReportMainMenu, "Zentrix 64", {"Zentrix 64 Media Inventory Report.html"}},
        {entry::BinReportMainMenu, "Zentrix #64?", {"Zentrix #64? Media Bin Report.html"}},
        {entry::TradeReportMainMenu, "Zentrix 64", {"Zentrix 64 Media Trade Report.html"}},
        // Names that can be no file name are refused with a message; the others go on.
        {entry::CustomReportMainMenu, "Zentrix 64", {"Zentrix 64 By Year .html", "Zentrix 64 Sales .html"}},
        {entry::BinReportMainMenu, "Zen\\trix", {}},
    };
    for (bool result : {false, true}) {
        for (const auto& [entry, platform, files] : cases) {
            SCOPED_TRACE(std::string(entry) + platform + (result ? " written" : " failed"));
            SetLists({{ltMedia, platform}});
            FakeWriters(result);
            if (std::string_view(entry) == entry::CustomReportMainMenu)
                fake.dialogAnswers.push_back([](QDialog& dialog) {
                    dialog.findChild<QListWidget*>("ReportNameList")->selectAll();
                    return int(QDialog::Accepted);
                });
            Trigger(entry);
            std::vector<std::string> expected;
            for (const std::string& name : files)
                expected.push_back(Report(name));
            EXPECT_EQ(written, expected);
            EXPECT_EQ(fake.messages.size(), size_t(files.size() != 1));
            ASSERT_EQ(fake.openedUrls.size(), result ? files.size() : 0u);
            ASSERT_EQ(recording->nodes.size(), result ? files.size() : 0u);
            if (result && !files.empty()) {
                EXPECT_EQ(fake.openedUrls.back(), QUrl::fromLocalFile(ToQString(expected.back())));
                EXPECT_EQ(recording->nodes.back(), std::pair(ExplorerRoot::Reports, Path(expected.back())));
                EXPECT_EQ(Status(), expected.back() + " Saved.");
            }
        }
    }
}

TEST_F(ReportCommandsTest, SummaryAsksForTheTypeOnlyForMixedListsAndStopsOnCancel)
{
    const std::tuple<TListType, std::optional<int>, size_t> cases[] = {
        {ltMedia, std::nullopt, 1}, {ltHardware, QDialog::Accepted, 1}, {ltHardware, QDialog::Rejected, 0}};
    for (const auto& [second, chooser, count] : cases) {
        SetLists({{ltMedia, "Zentrix 64"}, {second, "Korvo Handheld"}, {ltMedia, "Korvo Handheld"}});
        FakeWriters(true);
        if (chooser)
            fake.dialogAnswers.push_back([&](QDialog&) { return *chooser; });
        Trigger(entry::byPlatformReportMainMenu);
        EXPECT_TRUE(fake.dialogAnswers.empty());
        EXPECT_EQ(written, std::vector<std::string>(count, Report("Media Collection Summary.html")));
    }
}

TEST_F(ReportCommandsTest, CompareTakesTheMediaListsAndFollowsThem)
{
    TCompareCartsForm& compare = reports->CompareCartsForm();
    for (bool twoMedia : {false, true}) {
        SetLists({{ltMedia, "Zentrix 64"},
                  {ltHardware, "Korvo Handheld"},
                  {twoMedia ? ltMedia : ltHardware, "Korvo Handheld"}});
        reports->CompareCartridgeListsMainMenuClick();
        EXPECT_EQ(compare.isVisible(), twoMedia);
        EXPECT_EQ(
            fake.messages,
            (std::vector<test::ShownMessage>(!twoMedia,
                                             {test::MessageKind::Information,
                                              "You must have at least 2 media files open in order to compare them."})));
    }
    EXPECT_EQ(compare.findChild<QComboBox*>("CartListOneCB")->count(), 2);
    EXPECT_EQ(compare.findChild<QComboBox*>("CartListTwoCB")->itemText(1), "Korvo Handheld (Sam)");
    form->CloseList(*form->OpenLists()[0]);
    EXPECT_EQ(compare.findChild<QComboBox*>("CartListOneCB")->count(), 1);
    compare.hide();
}

TEST_F(ReportCommandsTest, ChartsShowTheirWindowOnlyWithAChart)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {entry::byManufacturerMainMenu, "2", true}, {entry::byRarityMainMenu, "2", true},
        {entry::byConditionMainMenu, "2", true},    {entry::CostVsValueMainMenu, "2", true},
        {entry::byPlatformMainMenu, "2", true},     {entry::byRarityMainMenu, "two", false},
        {entry::byPlatformMainMenu, "two", false}};
    for (const auto& [entry, quantity, shown] : cases) {
        SetLists({{ltMedia, "Zentrix 64"}, {ltMedia, "Korvo Handheld"}}, quantity);
        fake.dialogAnswers.assign(1, [](QDialog&) { return int(QDialog::Accepted); });
        Trigger(entry);
        EXPECT_EQ(fake.dialogAnswers.empty(), shown) << entry;
        EXPECT_EQ(fake.messages.size(), shown ? 0u : 1u) << entry;
    }
    fake.dialogAnswers.clear();
}

TEST_F(ReportCommandsTest, AddressesAboutUpdateCheckAndInventory)
{
    const QString subject = "?Subject=Quorvel%20" + VersionString() + "%20";
    const QString mail = "mailto:support@pelmora.example" + subject, ownMail = "mailto:help@maker.test" + subject;
    const QString maker = "https://www.pelmora.example/", ownMaker = "https://maker.test/shop/";
    const QString help = QUrl::fromLocalFile(PathToQString(JoinPath(ShippedDataDir(), "help/index.html"))).toString();
    struct Case {
        const char* entry;
        QString version;
        QString placeholder;  // without Sites.ini in the configuration folder
        QString configured;   // with the one written below
    };
    const Case cases[] = {
        {entry::ReportaBug1, "", mail + "Bug%20Report", ownMail + "Bug%20Report"},
        {entry::RequestaFeature1, "", mail + "Feature%20Request", ownMail + "Feature%20Request"},
        {entry::AskaQuestion1, "", mail + "Question", ownMail + "Question"},
        {entry::QuorvelHomePage1, "", maker + "index.asp?opt=10&data=3&cbt=20",
         ownMaker + "index.asp?opt=10&data=3&cbt=20"},
        {entry::Pelmora1, "", maker, ownMaker},
        {entry::Cartwell1, "", "https://www.cartwell.example/", "https://cartwell.test/"},
        {entry::GamersLedgerCollectorsGuide1, "", "https://www.gamersledger.example/",
         "https://www.gamersledger.example/"},
        {entry::Snipercade1, "", "https://www.snipercade.example/", "https://www.snipercade.example/"},
        {entry::StarLadderHighScoreDatabase1, "", "https://www.starladder.example/", "https://ladder.test/"},
        {entry::Help1, "", help, help},
        {entry::CheckForUpdatesMainMenu, "1.2.3.4", maker + "index.asp?OPT=8&DATA=1&VER=1.2.3.4",
         ownMaker + "index.asp?OPT=8&DATA=1&VER=1.2.3.4"},
        {entry::CheckForUpdatesMainMenu, "", "", ""},  // no version, no address: nothing opens
    };
    for (const bool configured : {false, true}) {
        if (configured)  // an empty value and a missing key keep their defaults
            WriteConfig("Sites.ini", {"[Sites]", "MakerSite=https://maker.test/shop", "SupportMail=help@maker.test",
                                      "Cartwell=https://cartwell.test/", "GamersLedger=",
                                      "StarLadder=https://ladder.test/"});
        for (const auto& c : cases) {
            const QString& url = configured ? c.configured : c.placeholder;
            web->Version = c.version;
            fake.openedUrls.clear();
            Trigger(c.entry);
            EXPECT_EQ(fake.openedUrls, url.isEmpty() ? std::vector<QUrl> {} : std::vector<QUrl> {QUrl(url)})
                << c.entry << configured;
        }
    }
    splash.show();
    Trigger(entry::About1);  // the start-up splash is still up: nothing happens
    splash.hide();
    std::vector<QDialog*> shown;
    fake.dialogAnswers.assign(2, [&](QDialog& dialog) {
        shown.push_back(&dialog);
        return 0;
    });
    Trigger(entry::About1);
    SetLists({{ltMedia, "Zentrix 64"}});
    form->Action(entry::InventoryListMainMenu)->trigger();
    EXPECT_EQ(shown, (std::vector<QDialog*> {&splash, &reports->InventoryForm()}));
    EXPECT_TRUE(fake.messages.empty());
}

}  // namespace
}  // namespace quorvel
