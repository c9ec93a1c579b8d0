#include "platform/FileNames.h"
#include "ui/grid/ListDisplay.h"
#include "model/CartListClass.h"
#include "model/HardwareListClass.h"
#include "model/ListFactory.h"
#include "model/ListTestSupport.h"
#include "model/Utils.h"
#include "platform/qt/PlainText.h"
#include "platform/IniFile.h"
#include "support/GlobalsTest.h"
#include "ui/grid/ListTableModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include <filesystem>
#include <tuple>

namespace quorvel {
namespace {

using test::AddItem;
using test::Text;

class ListDisplayTest : public test::GlobalsTest {
protected:
    void SetUp() override
    {
        GlobalsTest::SetUp();
        G_ConfigFiles = Path(Dir().string() + "/");
        grid.setObjectName("CartListView");
        display.SetTree(&grid);
        tester.emplace(&display.Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    void TearDown() override
    {
        tester.reset();
        display.SetTree(nullptr);
        GlobalsTest::TearDown();
    }

    static std::unique_ptr<TBaseCustomListClass> Media(const std::string& platform)
    {
        auto list = CreateListObject(ltMedia);
        list->SetPlatform(platform);
        return list;
    }
    static void Fill(TBaseCustomListClass& list, const std::vector<const char*>& titles)
    {
        for (const char* title : titles)
            AddItem(list, {{"Title", Text(title)}, {"Mfg", Text("Fennel Soft")}});
    }
    void Show(TBaseCustomListClass& list)
    {
        display.SetList(&list);
        display.Refresh();
    }
    std::vector<std::string> Shown(int column = 0) const
    {
        std::vector<std::string> texts;
        for (int r = 0; r < display.Model().rowCount(); ++r)
            texts.push_back(display.Model().index(r, column).data().toString().toStdString());
        return texts;
    }

    QTableView grid;
    TListDisplayClass display;
    std::optional<QAbstractItemModelTester> tester;
};

TEST_F(ListDisplayTest, ViewFileAndSectionNames)
{
    struct Case {
        std::string listType, platform, tree, file, section;
    } cases[] = {
        {"Media", "Game Box 64", "CartListView", "Media_View_Game Box 64.INI", "CartListView_GameBox64"},
        {"Hardware", "Korvo", "AddItemListView", "Hardware_View_Korvo.INI", "AddItemListView_Korvo"},
        {"Media", "../evil", "leftListView", "", "leftListView_../evil"},
        {"Media", "", "CartListView", "Media_View_.INI", "CartListView_"},
        {"Hardware", "..", "CartListView", "", "CartListView_.."},
    };
    for (const Case& c : cases) {
        auto list = CreateListObject(ListTypeFromName(c.listType));
        list->SetPlatform(c.platform);
        const Path file = TListDisplayClass::ViewFileName(*list);
        EXPECT_EQ(file, c.file.empty() ? Path() : JoinPath(G_ConfigFiles, Path(c.file))) << c.platform;
        EXPECT_EQ(TListDisplayClass::ViewSectionName(c.tree, c.platform), c.section);
    }
}

TEST_F(ListDisplayTest, EmptyListShowsNothingUntilTheViewIsReloaded)
{
    auto media = Media("Nova");
    auto& list = *media;
    Show(list);
    EXPECT_EQ(display.Model().columnCount(), 0);
    EXPECT_EQ(display.Model().rowCount(), 0);
    Fill(list, {"Zeta", "Alpha"});
    display.Refresh();
    EXPECT_EQ(display.Model().rowCount(), 0) << "no columns until LoadView";
    display.LoadView();
    display.Resort();
    display.Refresh();
    EXPECT_EQ(display.Model().columnCount(), 25);
    EXPECT_EQ(display.Model().headerData(0, Qt::Horizontal).toString(), "Title");
    EXPECT_EQ(Shown(), (std::vector<std::string> {"Alpha", "Zeta"}));
    EXPECT_EQ(display.TreeGetText(5, 0), "") << "rows beyond the list have no text";
}

TEST_F(ListDisplayTest, CellsShowOneLineCutPastTheBoundTheValueWhole)
{
    const std::string longest(kOneLineBound, 'n');
    const QString cut = QString(kOneLineBound, u'n') + QChar(0x2026);
    const struct {
        std::string title;
        QString shown;
    } cases[] = {
        {"Delta Astro", "Delta Astro"},
        {"Two\r\nlines\nand\rmore", "Two lines and more"},
        {longest, QString::fromStdString(longest)},
        {longest + "n", cut},
        {std::string(20 << 20, 'n'), cut},
        {std::string(kOneLineBound - 1, 'n') + std::string(2 * kOneLineBound, '\n'),
         QString(kOneLineBound - 1, u'n') + u' ' + QChar(0x2026)},
        {"a" + std::string(1000, '\r') + "\n", "a" + QString(kOneLineBound - 1, u' ') + QChar(0x2026)},
    };
    for (const auto& c : cases) {
        auto media = Media("Nova");
        AddItem(*media, {{"Title", FieldValue(c.title)}});
        Show(*media);
        display.LoadView();
        display.Refresh();
        ASSERT_EQ(display.Model().rowCount(), 1);
        EXPECT_EQ(display.Model().index(0, 0).data().toString(), c.shown) << c.title.substr(0, 40);
        EXPECT_EQ(media->GetItem(0)->TextAt(media->GetItem(0)->IndexOfField("Title")), c.title) << "the value is whole";
        display.SetList(nullptr);
    }
}

TEST_F(ListDisplayTest, HeaderClicksToggleTheDirectionOfTheSameColumn)
{
    auto hardware = CreateListObject(ltHardware);
    auto& list = *hardware;
    list.SetPlatform("Nova");
    AddItem(list, {{"Name", Text("b")}, {"Mfg", Text("Y")}});
    AddItem(list, {{"Name", Text("a")}, {"Mfg", Text("Z")}});
    AddItem(list, {{"Name", Text("c")}, {"Mfg", Text("X")}});
    Show(list);
    struct Step {
        int column;
        int direction;
        std::vector<std::string> names;
    } steps[] = {
        {0, -1, {"c", "b", "a"}}, {0, 1, {"a", "b", "c"}}, {1, 1, {"c", "b", "a"}},
        {1, -1, {"a", "b", "c"}}, {0, 1, {"a", "b", "c"}},
    };
    for (const Step& s : steps) {
        grid.horizontalHeader()->sectionClicked(s.column);
        EXPECT_EQ(display.GetSortDirection(), s.direction) << s.column;
        EXPECT_EQ(display.GetSortField(), s.column == 0 ? "NAME" : "MFG");
        EXPECT_EQ(Shown(), s.names);
        EXPECT_EQ(grid.horizontalHeader()->sortIndicatorSection(), s.column);
    }
    // Another list shown after a sort by Mfg is sorted by its first column, and the glyph says so.
    grid.horizontalHeader()->sectionClicked(1);
    auto other = CreateListObject(ltHardware);
    other->SetPlatform("Nova");
    AddItem(*other, {{"Name", Text("b")}, {"Mfg", Text("X")}});
    AddItem(*other, {{"Name", Text("a")}, {"Mfg", Text("Y")}});
    display.SetList(other.get());
    display.Resort();
    display.Refresh();
    EXPECT_EQ(display.GetSortColumn(), 0);
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorSection(), 0);
}

TEST_F(ListDisplayTest, ViewsAreKeptPerGridAndSavedToTheListTheyBelongTo)
{
    auto firstList = Media("Game Box 64"), secondList = Media("Nova");
    auto& first = *firstList;
    auto& second = *secondList;
    Fill(first, {"A"});
    Fill(second, {"B"});
    Show(first);
    grid.horizontalHeader()->resizeSection(0, 222);
    EXPECT_TRUE(display.IsViewDirty());
    Show(second);  // leaving the first list saves its widths
    const IniFile firstView = IniFile::Load(JoinPath(G_ConfigFiles, "Media_View_Game Box 64.INI"));
    EXPECT_EQ(firstView.ReadInteger("CartListView_GameBox64", "Width0", 0), 222);
    EXPECT_FALSE(std::filesystem::exists(JoinPath(G_ConfigFiles, "Media_View_Nova.INI").Bytes()));

    // Another grid keeps its own section of the same file.
    QTableView other;
    other.setObjectName("AddItemListView");
    TListDisplayClass otherDisplay;
    otherDisplay.SetTree(&other);
    otherDisplay.SetList(&first);
    other.horizontalHeader()->resizeSection(0, 99);
    otherDisplay.CaptureColumnWidths();
    otherDisplay.SaveView();
    display.SetList(nullptr);
    display.SetList(&first);
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(0), 222);
    EXPECT_EQ(IniFile::Load(JoinPath(G_ConfigFiles, "Media_View_Game Box 64.INI"))
                  .ReadInteger("AddItemListView_GameBox64", "Width0", 0),
              99);
    otherDisplay.SetTree(nullptr);
}

TEST_F(ListDisplayTest, HiddenColumnsAndUnwritableViews)
{
    auto media = Media("Nova");
    auto& list = *media;
    Fill(list, {"A", "B"});
    Show(list);
    for (auto& column : display.GetColumns().Columns)
        column->Hidden = true;
    display.ApplyColumns();
    display.Refresh();
    EXPECT_EQ(display.Model().columnCount(), 0);
    EXPECT_EQ(display.Model().rowCount(), 2);
    EXPECT_EQ(display.GetSortField(), "TITLE");
    // A folder in the view file's place makes the write fail; the caller never sees it, the owner is told.
    std::filesystem::create_directory(JoinPath(G_ConfigFiles, "Media_View_Nova.INI").Bytes());
    QStringList told;
    display.ViewNotSaved = [&](const QString& text) { told << text; };
    EXPECT_NO_THROW(display.SaveView());
    EXPECT_EQ(told, QStringList {QString::fromStdString("The column layout could not be saved: Unable to write to " +
                                                        G_ConfigFiles.Bytes() + "Media_View_Nova.INI: Is a directory")});
}

TEST_F(ListDisplayTest, IncrementalSearchUsesTheFirstVisibleColumnWhateverTheSort)
{
    auto media = Media("Nova");
    auto& list = *media;
    AddItem(list, {{"Title", Text("Zapper")}, {"Mfg", Text("Abacus")}});
    AddItem(list, {{"Title", Text("Abyss")}, {"Mfg", Text("Moon")}});
    AddItem(list, {{"Title", Text("\xC9tude")}, {"Mfg", Text("Moon")}});
    Show(list);
    grid.horizontalHeader()->sectionClicked(1);  // sort by Mfg: Abacus, Moon, Moon
    EXPECT_EQ(display.TreeIncrementalSearch(0, "ab"), 1) << "Zapper";
    EXPECT_EQ(display.TreeIncrementalSearch(1, "ab"), 0);
    EXPECT_EQ(display.TreeIncrementalSearch(2, "\xE9t"), 0) << "Windows-1252 case";
    EXPECT_EQ(display.TreeIncrementalSearch(7, "ab"), 1);
    grid.setCurrentIndex(display.Model().index(0, 0));
    grid.keyboardSearch("ab");
    EXPECT_EQ(grid.currentIndex().row(), 1);
}

// The columns stay where they were; the grid's own keys scrolled to the last column, no row in view.
TEST_F(ListDisplayTest, HomeAndEndGoToTheFirstAndLastRow)
{
    auto media = Media("Nova");
    Fill(*media, std::vector<const char*>(60, "Title"));
    Show(*media);
    grid.resize(300, 200);
    grid.show();
    QScrollBar* sideways = grid.horizontalScrollBar();
    const int offset = sideways->maximum() / 2;
    ASSERT_GT(offset, 0);
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, int, int> cases[] = {
        {Qt::Key_End, Qt::NoModifier, 59, 1},        {Qt::Key_Home, Qt::NoModifier, 0, 1},
        {Qt::Key_End, Qt::ControlModifier, 59, 1},   {Qt::Key_Home, Qt::ControlModifier, 0, 1},
        {Qt::Key_End, Qt::ShiftModifier, 59, 60}};
    for (const auto& [key, modifiers, row, selected] : cases) {
        sideways->setValue(offset);
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&grid, &press);
        const int top = grid.rowViewportPosition(row);
        EXPECT_EQ(std::tuple(grid.currentIndex().row(), display.SelectedCount(), sideways->value(),
                             top >= 0 && top < grid.viewport()->height()),
                  std::tuple(row, selected, offset, true)) << key;
    }
    // A current cell whose column is out of view keeps the columns where they are too.
    grid.setCurrentIndex(display.Model().index(30, 0));
    sideways->setValue(offset);
    ASSERT_LT(grid.columnViewportPosition(0) + grid.columnWidth(0), 1);
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(&grid, &end);
    EXPECT_EQ(std::tuple(grid.currentIndex().row(), grid.currentIndex().column(), sideways->value()),
              std::tuple(59, 0, offset));
    // Another list starts at its first row and column, not where the one before was scrolled.
    ASSERT_GT(grid.verticalScrollBar()->value(), 0);
    auto other = Media("Nova");
    Fill(*other, std::vector<const char*>(60, "Other"));
    Show(*other);
    QApplication::processEvents();  // the grid lays itself out
    EXPECT_EQ(std::tuple(grid.verticalScrollBar()->value(), sideways->value(), grid.rowAt(0)), std::tuple(0, 0, 0));
}

TEST_F(ListDisplayTest, ChecksAndSelectionFollowTheirItems)
{
    auto media = Media("Nova");
    auto& list = *media;
    Fill(list, {"C", "A", "B"});
    display.SetShowCheckBoxes(true);
    Show(list);
    display.SetChecked(0, true);  // C
    grid.selectionModel()->select(display.Model().index(2, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);  // B
    display.Resort();                                                                        // A, B, C
    EXPECT_EQ(display.CheckedRows(), (std::vector<int32_t> {2}));
    EXPECT_EQ(display.Model().index(2, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(display.SelectedRows(), (std::vector<int32_t> {1}));
    EXPECT_EQ(display.SelectedCount(), 1);
    EXPECT_TRUE(display.Model().setData(display.Model().index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(display.CheckedRows(), (std::vector<int32_t> {0, 2}));
    auto other = Media("Nova");
    display.SetList(other.get());
    display.SetList(&list);
    EXPECT_TRUE(display.CheckedRows().empty()) << "showing a list again clears the marks";
}

}  // namespace
}  // namespace quorvel
