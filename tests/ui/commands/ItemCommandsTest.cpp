#include "platform/FileNames.h"
#include "ui/CommandGroupTest.h"

#include "config/SettingKeys.h"
#include "model/PropertyLayout.h"
#include "platform/qt/PlainText.h"
#include "ui/commands/ItemCommands.h"
#include "ui/dialogs/ItemAddForm.h"
#include "ui/window/MenuNames.h"
#include "ui/grid/ListGridView.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <algorithm>
#include <chrono>

namespace quorvel {
namespace {

using test::MessageKind;
using test::ShownMessage;
using Texts = std::vector<std::string>;

// The main window with the media layout of the property dialog, and media lists shown in it.
class ItemCommandsTest : public test::CommandGroupTest {
protected:
    void SetUp() override
    {
        CommandGroupTest::SetUp();
        SaveCdbLayout(ConfigPath("Properties_Media_Default.CDB"), DefaultPropertyLayout(MediaFieldSet()));
    }

    // A list of items with these titles and quantities, shown as the current list.
    TBaseCustomListClass& Open(const std::vector<std::pair<const char*, const char*>>& items)
    {
        auto list = CreateListObject(ltMedia);
        list->SetPlatform("Zentrix 64");
        for (const auto& [title, quantity] : items)
            test::AddItem(*list, {{"Title", test::Text(title)}, {"Quantity", test::Text(quantity)}});
        TBaseCustomListClass& shown = *list;
        form->AddList(std::move(list));
        form->RefreshTabs();
        form->RefreshListView();
        return shown;
    }
    Texts Of(const char* field) const { return test::Column(*form->CurrentList(), field); }
    int GridRows() const { return form->Grid().model()->rowCount(); }
    int Selected() const { return form->ListDisplay().SelectedCount(); }
    QMenu* ChangeMenu() const { return form->findChild<QMenu*>(entry::ChangeParent); }
};

TEST_F(ItemCommandsTest, QuantitiesChangeNumbersOnlyAndReportTheOthersOnce)
{
    const struct {
        const char* quantity;
        int step;
        const char* expected;
    } cases[] = {{"0", 1, "1"},  {"41", 1, "42"},  {"7x", 1, "7x"}, {"2147483647", 1, "2147483647"},
                 {"0", -1, "0"}, {"-2", -1, "-2"}, {"3", -1, "2"},  {"", -1, ""},
                 {"5", 0, "5"}};
    const char* titles[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I"};
    std::vector<std::pair<const char*, const char*>> items;
    for (size_t i = 0; i < std::size(cases); ++i)
        items.emplace_back(titles[i], cases[i].quantity);
    Open(items);
    for (const int step : {1, -1}) {
        std::vector<int> rows;
        for (size_t i = 0; i < std::size(cases); ++i)
            if (cases[i].step == step)
                rows.push_back(int(i));
        SelectRows(rows);
        Trigger(step > 0 ? entry::IncreaseQuantityPopupMenu : entry::DecreaseQuantityPopupMenu);
    }
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(Of("Quantity")[i], cases[i].expected) << titles[i];
    const QString skipped = " Media skipped: their Quantity is not a number that can be changed.";
    EXPECT_EQ(
        fake.messages,
        (std::vector<ShownMessage> {{MessageKind::Warning, "2" + skipped}, {MessageKind::Warning, "1" + skipped}}));
}

TEST_F(ItemCommandsTest, PlusTwiceRaisesTheSameItemWhileTheGridSortsByQuantity)
{
    QTest::keyClick(&form->Grid(), '+');  // no list yet: nothing to raise
    Open({{"A", "1"}, {"B", "2"}, {"C", "5"}});
    int column = 0;
    while (form->ListDisplay().GetColumnField(column) != "QUANTITY" && column < 30)
        ++column;
    form->ListDisplay().TreeHeaderClick(column);
    SelectRows({0});
    QTest::keyClick(&form->Grid(), '+');
    QTest::keyClick(&form->Grid(), '=');
    EXPECT_EQ(Of("Title"), (Texts {"B", "A", "C"}));
    EXPECT_EQ(Of("Quantity"), (Texts {"2", "3", "5"}));
    EXPECT_EQ(form->ListDisplay().SelectedRows(), std::vector<int32_t> {1});
}

// After a click on a row, typed keys search the titles; "-", "+" and "=" belong to the search while
// one is under way and change the selected quantities only outside one.
TEST_F(ItemCommandsTest, SignsTypedDuringASearchAreSearchTextElseTheyChangeQuantities)
{
    auto* grid = qobject_cast<ListGridView*>(&form->Grid());
    ASSERT_TRUE(grid);
    auto now = std::chrono::steady_clock::time_point {};
    grid->SetSearchClock([&] { return now; });
    const struct {
        const char* keys;  // "~": the search's time passes
        const char* current;
        Texts quantities;  // of the three titles below
    } cases[] = {
        {"delta-f", "Delta-Force Strike", {"5", "2", "1"}},
        {"echo+", "Echo+ Run", {"5", "2", "1"}},
        {"delta=", "Delta Astro", {"5", "2", "1"}},
        {"delt~-", "Delta Astro", {"4", "2", "1"}},
        {"delta~+", "Delta Astro", {"6", "2", "1"}},
        {"-", "Echo+ Run", {"5", "2", "0"}},
        {"+=", "Echo+ Run", {"5", "2", "3"}},
        {"delta~e", "Echo+ Run", {"5", "2", "1"}},
        {"delta~-f", "Delta Astro", {"4", "2", "1"}},
        {"dd", "Delta-Force Strike", {"5", "2", "1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        form->CloseAllLists();
        Open({{"Delta Astro", "5"}, {"Delta-Force Strike", "2"}, {"Echo+ Run", "1"}});
        grid->setCurrentIndex(grid->model()->index(2, 0));
        now += std::chrono::hours(1);
        for (const char* key = c.keys; *key; ++key) {
            if (*key == '~')
                now += std::chrono::seconds(1);
            else
                QTest::keyClick(grid, *key);
        }
        EXPECT_EQ(Of("Title").at(size_t(grid->currentIndex().row())), c.current);
        EXPECT_EQ(Of("Quantity"), c.quantities);
    }
}

TEST_F(ItemCommandsTest, RemoveExpandAndCompressActOnYesOnlyAndClearTheSelection)
{
    Open({{"A", "2"}, {"B", "3"}, {"C", "1"}});
    form->ListDisplay().TreeHeaderClick(0);  // the first time descending: C B A
    const struct {
        const char* entry;
        std::vector<int> rows;
        bool yes;
        const char* items;  // each item's title and quantity afterwards
    } cases[] = {
        {entry::RemoveButton, {0, 2}, false, "C1 B3 A2"}, {entry::RemoveButton, {0, 2}, true, "B3"},
        {entry::ExpandListMainMenu, {0}, false, "B3"},    {entry::ExpandListPopupMenu, {0}, true, "B1 B1 B1"},
        {entry::CompressListMainMenu, {0}, true, "B3"},   {entry::CompressListPopupMenu, {0}, false, "B3"},
    };
    for (const auto& c : cases) {
        SelectRows(c.rows);
        fake.confirmAnswers = {c.yes};
        Trigger(c.entry);
        std::string items;
        for (size_t i = 0; i < Of("Title").size(); ++i)
            items += (i ? " " : "") + Of("Title")[i] + Of("Quantity")[i];
        EXPECT_EQ(items, c.items) << c.entry << c.yes;
        EXPECT_EQ(GridRows(), int(Of("Title").size()));
        EXPECT_EQ(Selected(), c.yes ? 0 : int(c.rows.size())) << c.entry << c.yes;
        if (c.yes && c.rows.size() == 2) {
            EXPECT_EQ(Status(), "2 Media were removed.");
        }
    }
    std::vector<ShownMessage> asked;
    for (const char* question : {"remove the 2 Media selected?", "Expand this list?",
                                 "Compress this list? Compressing this list can cause you to lose information "
                                 "about specfic items."})
        asked.insert(asked.end(), 2, {MessageKind::Confirmation, QString("Are you sure you want to ") + question});
    EXPECT_EQ(fake.messages, asked);

    form->CurrentList()->GetItem(0)->SetFieldValue("Quantity", int32_t(1000001));
    fake.confirmAnswers = {true};
    Trigger(entry::ExpandListMainMenu);
    EXPECT_EQ(fake.messages.back(),
              (ShownMessage {MessageKind::Error,
                             "Expanding this list would make more than 1000000 items. The list was not changed."}));
    EXPECT_EQ(Of("Quantity"), Texts {"1000001"});
    EXPECT_EQ(GridRows(), 1);
}

TEST_F(ItemCommandsTest, NewItemIsAddedOnOkOnlyAndGivesColumnsAndTheChangeMenu)
{
    TBaseCustomListClass& list = Open({});
    for (const bool ok : {false, true}) {
        fake.dialogAnswers.push_back([ok](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "New Media");
            for (const auto& info : static_cast<TCustomPropertyDialog&>(dialog).GetControlInfos())
                if (QString::fromStdString(info->FieldName).compare("Title", Qt::CaseInsensitive) == 0)
                    static_cast<WholeLineEdit*>(info->Control)->setText("Zap");
            return ok ? QDialog::Accepted : QDialog::Rejected;
        });
        Trigger(entry::NewItemMainMenu);
        emit ChangeMenu()->aboutToShow();
        EXPECT_EQ(list.Count(), ok ? 1 : 0);
        EXPECT_EQ(ChangeMenu()->actions().size(), ok ? 25 : 0);
    }
    EXPECT_EQ(Of("Title"), Texts {"Zap"});
    EXPECT_GT(form->Grid().model()->columnCount(), 0);
    EXPECT_EQ(GridRows(), 1);
    // Enter edits the selected item.
    SelectRows({0});
    fake.dialogAnswers.push_back([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit Media");
        return QDialog::Rejected;
    });
    QTest::keyClick(&form->Grid(), Qt::Key_Return);
    EXPECT_TRUE(fake.dialogAnswers.empty());
}

TEST_F(ItemCommandsTest, ChangeSetsTheChosenFieldOfTheSelectedItemsOnOkOnly)
{
    Open({{"A", "1"}, {"B", "1"}, {"C", "1"}});
    for (const bool ok : {false, true}) {
        SelectRows({0, 2});
        emit ChangeMenu()->aboutToShow();
        fake.dialogAnswers.push_back([ok](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Change Notes");
            dynamic_cast<WholeLineEdit*>(dialog.findChild<QWidget*>("ValueEdit"))->setText(ok ? "mint" : "worn");
            return ok ? QDialog::Accepted : QDialog::Rejected;
        });
        for (QAction* entry : ChangeMenu()->actions())
            if (entry->text() == "Notes")
                entry->trigger();
    }
    EXPECT_TRUE(fake.dialogAnswers.empty());
    EXPECT_EQ(Of("Notes"), (Texts {"mint", "", "mint"}));
}

// A value that would make one selected item's line longer than a list file holds changes no item.
TEST_F(ItemCommandsTest, ChangeRefusesAValueThatWouldMakeALineTooLong)
{
    TBaseCustomListClass& list = Open({{"A", "1"}, {"B", "1"}, {"C", "1"}});
    TBaseCustomClass& item = *list.GetItem(1);
    const auto lineSize = [&] { return TBaseCustomListClass::BuildItemLine(item, item.GetFieldNames()).size(); };
    const size_t notes = TBaseCustomListClass::MaxLineBytes - 1 - lineSize();
    item.SetFieldValue("Notes", std::string(notes, 'n'));
    ASSERT_EQ(lineSize(), TBaseCustomListClass::MaxLineBytes - 1);
    const struct {
        const char* Title;
        std::string Message;  // "" taken
    } cases[] = {
        {"xyz",
         "This value would make the line of item 2 longer than " + std::to_string(TBaseCustomListClass::MaxLineBytes) +
             " bytes, the most a line of a list file may hold. Nothing was changed."},
        {"xy", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Title);
        fake.messages.clear();
        SelectRows({0, 1});
        emit ChangeMenu()->aboutToShow();
        fake.dialogAnswers.push_back([&c](QDialog& dialog) {
            dynamic_cast<WholeLineEdit*>(dialog.findChild<QWidget*>("ValueEdit"))->setText(c.Title);
            return QDialog::Accepted;
        });
        for (QAction* entry : ChangeMenu()->actions())
            if (entry->text() == "Title")
                entry->trigger();
        if (c.Message.empty()) {
            EXPECT_TRUE(fake.messages.empty());
            Texts titles = Of("Title");
            std::sort(titles.begin(), titles.end());
            EXPECT_EQ(titles, (Texts {"C", "xy", "xy"}));
        } else {
            EXPECT_EQ(fake.messages, (std::vector<ShownMessage> {{MessageKind::Error, QString::fromStdString(c.Message)}}));
            EXPECT_EQ(Of("Title"), (Texts {"A", "B", "C"}));
        }
    }
    EXPECT_EQ(lineSize(), TBaseCustomListClass::MaxLineBytes);
}

TEST_F(ItemCommandsTest, AddFromListCopiesTheCheckedMasterItemsOrSaysThereIsNone)
{
    Open({});
    Trigger(entry::AddFromListButton);
    EXPECT_EQ(fake.messages,
              (std::vector<ShownMessage> {{MessageKind::Information,
                                           "There are no master lists for this platform.  Use the New... "
                                           "option from the menu to add a new item."}}));
    EXPECT_EQ(Status(), "Adding Media...");
    auto master = CreateListObject(ltMedia);
    master->SetPlatform("ZENTRIX 64");
    test::AddItem(*master, {{"Title", test::Text("Pix")}});
    test::AddItem(*master, {{"Title", test::Text("Orb")}});
    SaveListObject(master.get(), JoinPath(settings->GetFolder(setting::MasterCartPath), "Series 1.2.csv"), false, true);
    fake.dialogAnswers.push_back([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Add Media for Zentrix 64");
        static_cast<TItemAddForm&>(dialog).GetListDisplay().SetChecked(1, true);
        return QDialog::Accepted;
    });
    Trigger(entry::AddFromListMainMenu);
    EXPECT_EQ(Of("Title"), Texts {"Orb"});
    EXPECT_EQ(GridRows(), 1);
    EXPECT_EQ(Status(), "Done.");
}

TEST_F(ItemCommandsTest, MoreInfoAddressEncodesEveryValueAndSkipsEmptyOnes)
{
    const std::string page = "https://www.cartwell.example/software_page.html?";
    const struct {
        std::string id, title, maker, query;
    } cases[] = {
        {"17", "Star Run", "Fennel Soft", "SystemID=17&SoftwareName=Star%20Run&CompanyName=Fennel%20Soft"},
        {"", "A&B=C?", "", "SoftwareName=A%26B%3DC%3F"},
        {"", "", "Caf\xE9 #1", "CompanyName=Caf%C3%A9%20%231"},
        {"", "", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ItemCommands::MoreInfoAddress(c.id, c.title, c.maker).toStdString(),
                  c.query.empty() ? "" : page + c.query);
    Open({{"Star Run", "1"}});
    SelectRows({0});
    Trigger(entry::MoreInfoMainMenu);
    ASSERT_EQ(fake.openedUrls.size(), 1u);
    EXPECT_EQ(fake.openedUrls[0].toEncoded().toStdString(), page + "SystemID=17&SoftwareName=Star%20Run");

    WriteConfig("Sites.ini", {"[Sites]", "Cartwell=https://cartwell.test/db"});
    Trigger(entry::MoreInfoMainMenu);
    ASSERT_EQ(fake.openedUrls.size(), 2u);
    EXPECT_EQ(fake.openedUrls[1].toEncoded().toStdString(),
              "https://cartwell.test/db/software_page.html?SystemID=17&SoftwareName=Star%20Run");
}

}  // namespace
}  // namespace quorvel
