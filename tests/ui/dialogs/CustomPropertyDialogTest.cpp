#include "ui/ConfigFolderTest.h"

#include "model/ItemClasses.h"
#include "model/PropertyLayout.h"
#include "platform/Cp1252.h"
#include "platform/qt/PlainText.h"
#include "ui/UiScale.h"
#include "ui/dialogs/CustomPropertyDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <functional>
#include <random>
#include <tuple>

namespace quorvel {
namespace {

using test::MessageKind;
using test::ShownMessage;

class CustomPropertyDialogTest : public test::ConfigFolderTest {
protected:
    void SetUp() override
    {
        ConfigFolderTest::SetUp();
        WriteSampleConfig();
        G_ConfigFiles = Path(programDir + "Config/");
        dialog.Platform = "Zentrix 64";
        dialog.ListType = "Media";
    }

    void WriteLayout(const PropertyLayout& layout, const char* name = "Properties_Media_Default.CDB") const
    {
        SaveCdbLayout(ConfigPath(name), layout);
    }
    void WriteDefaults() const
    {
        WriteLayout(DefaultPropertyLayout(MediaFieldSet()));
        WriteLayout(DefaultPropertyLayout(HardwareFieldSet()), "Properties_Hardware_Default.CDB");
    }
    void ExpectError(const std::string& text) const
    {
        EXPECT_EQ(fake.messages, (std::vector<ShownMessage> {{MessageKind::Error, QString::fromStdString(text)}}));
    }

    // Shows the dialog for Target while Work runs; a dialog still open then closes without OK.
    int Show(
        TBaseCustomClass& target, std::function<void()> work = [] {})
    {
        dialog.SetCaption("Edit Media");
        dialog.SetItem(&target);
        dialog.SetCancelCaption("&Cancel");
        fake.dialogAnswers.push_back([work](QDialog& d) {
            work();
            return d.isVisible() ? -1 : d.result();
        });
        return ExecDialog(dialog);
    }

    QWidget* ControlOf(const std::string& field) const
    {
        for (const auto& info : dialog.GetControlInfos())
            if (Cp1252::EqualsNoCase(info->FieldName, field) && info->OptionTab == -1)
                return info->Control;
        return nullptr;
    }
    template <typename T> T* Control(const std::string& field) const { return dynamic_cast<T*>(ControlOf(field)); }
    QPushButton* Ok() const { return dialog.findChild<QPushButton*>("OkButton"); }
    // The entries of a drop-down list, joined with ",".
    std::string Entries(const std::string& field) const
    {
        const QComboBox* box = Control<QComboBox>(field);
        QStringList entries;
        for (int i = 0; i < box->count(); ++i)
            entries << box->itemText(i);
        return entries.join(",").toStdString();
    }

    TCustomPropertyDialog dialog;
};

TEST_F(CustomPropertyDialogTest, DefaultLayoutsShowEveryFieldByTypeWithoutOverlap)
{
    WriteDefaults();
    TCartClass media;
    THardwareClass hardware;
    for (TBaseCustomClass* item : {static_cast<TBaseCustomClass*>(&media), static_cast<TBaseCustomClass*>(&hardware)}) {
        dialog.ListType = item == &media ? "Media" : "Hardware";
        Show(*item, [&] {
            EXPECT_TRUE(fake.messages.empty()) << dialog.ListType;
            for (const auto& name : item->GetFieldNames())
                EXPECT_NE(ControlOf(name), nullptr) << name;
            // Every child (controls, labels, fixed buttons) inside the client area, none on another.
            const auto widgets = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (qsizetype i = 0; i < widgets.size(); ++i) {
                const QRect r = widgets[i]->geometry();
                EXPECT_TRUE(dialog.rect().contains(r)) << r.x() << "," << r.y();
                for (qsizetype j = i + 1; j < widgets.size(); ++j)
                    EXPECT_FALSE(r.intersects(widgets[j]->geometry()))
                        << dialog.ListType << " at " << r.x() << "," << r.y();
            }
            // Control kinds show in the values test; the range and lookup entries only here.
            if (item == &media) {
                EXPECT_EQ(Entries("Rarity"), "0,1,2,3,4,5,6,7,8,9,10");
            }
        });
    }
}

TEST_F(CustomPropertyDialogTest, ValuesAreKeptCheckedOnOkOnlyAndNewItemsNeedTitleAndAChange)
{
    WriteDefaults();
    TCartClass item;
    item.SetFieldValue("Mfg", std::string("Old Maker"));  // not in the platform's list
    for (const auto& [field, value] : {std::pair {"Boxed", ""}, {"Overlay", "False"}, {"Instructions", "True"}})
        item.SetFieldValue(field, std::string(value));
    const int result = Show(item, [&] {
        EXPECT_FALSE(Ok()->isEnabled());
        EXPECT_EQ(Control<QComboBox>("Mfg")->currentText(), "Old Maker");
        EXPECT_EQ(Entries("Mfg"), "Brambleworks,Fennel Soft,Old Maker");
        for (const auto& [field, checked] : {std::pair {"Boxed", false}, {"Overlay", false}, {"Instructions", true}})
            EXPECT_EQ(Control<QCheckBox>(field)->isChecked(), checked) << field;
        Control<WholeLineEdit>("Notes")->setText("mint");
        EXPECT_FALSE(Ok()->isEnabled()) << "Title is required";
        Control<WholeLineEdit>("Title")->setText("Star Run");
        EXPECT_TRUE(Ok()->isEnabled());
        Control<WholeLineEdit>("Quantity")->setText("many");
        Control<WholeLineEdit>("Cost")->setText("");
        Ok()->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.findChild<QPushButton*>("ResetButton")->click();
        EXPECT_FALSE(Ok()->isEnabled());
        Control<WholeLineEdit>("Title")->setText("Star Run");
        Ok()->click();
    });
    ASSERT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(
        fake.messages,
        (std::vector<ShownMessage> {{MessageKind::Error, "The value \"many\" is not valid for the field \"QUANTITY\""},
                                    {MessageKind::Error, "The value \"\" is not valid for the field \"COST\""}}));
    dialog.ApplyValues();
    // Edits and drop-down lists give text, check boxes booleans.
    for (const auto& [field, value] :
         std::vector<std::pair<const char*, FieldValue>> {{"Mfg", std::string("Old Maker")},
                                                          {"Quantity", std::string("1")},
                                                          {"Overlay", false},
                                                          {"Instructions", true}})
        EXPECT_EQ(item.GetFieldValue(field), value) << field;

    // Cancel closes with invalid values and changes nothing.
    fake.messages.clear();
    EXPECT_EQ(Show(item, [&] { Control<WholeLineEdit>("Quantity")->setText("many"); }), -1);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(item.GetFieldValue("Quantity"), FieldValue(std::string("1")));
}

// OK is refused for values that would make the item's line longer than a list file holds; a long
// value the layout does not show counts too.
TEST_F(CustomPropertyDialogTest, ValuesThatWouldMakeALongLineAreRefusedOnOk)
{
    PropertyLayout layout;
    layout.Controls = {{40, 100, 150, 24, "Title", "Title", 0, -1}};
    WriteLayout(layout);
    TCartClass item;
    item.SetFieldValue("Title", std::string("t"));
    const size_t line = TBaseCustomListClass::BuildItemLine(item, item.GetFieldNames()).size();
    item.SetFieldValue("Notes", std::string(TBaseCustomListClass::MaxLineBytes - 1 - line, 'n'));
    const int result = Show(item, [&] {
        Control<WholeLineEdit>("Title")->setText("ttt");
        Ok()->click();
        EXPECT_TRUE(dialog.isVisible());
        Control<WholeLineEdit>("Title")->setText("tt");
        Ok()->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    ExpectError("These values would make the item's line longer than " +
                std::to_string(TBaseCustomListClass::MaxLineBytes) +
                " bytes, the most a line of a list file may hold.");
    dialog.ApplyValues();
    EXPECT_EQ(TBaseCustomListClass::BuildItemLine(item, item.GetFieldNames()).size(),
              TBaseCustomListClass::MaxLineBytes);
}

// What would make the line too long is refused as it is typed or pasted, with the bound's message,
// and the edit keeps its value; what fits is taken.
TEST_F(CustomPropertyDialogTest, ValuesThatWouldMakeALongLineAreRefusedAtTypingAndPaste)
{
    PropertyLayout layout;
    layout.Controls = {{40, 100, 150, 24, "Title", "Title", 0, -1}, {80, 100, 150, 24, "Notes", "Notes", 0, -1}};
    WriteLayout(layout);
    TCartClass item;
    item.SetFieldValue("Title", std::string("t"));
    const size_t line = TBaseCustomListClass::BuildItemLine(item, item.GetFieldNames()).size();
    const size_t notes = TBaseCustomListClass::MaxLineBytes - 1 - line;
    item.SetFieldValue("Notes", std::string(notes, 'n'));
    const std::string refused = "These values would make the item's line longer than " +
        std::to_string(TBaseCustomListClass::MaxLineBytes) + " bytes, the most a line of a list file may hold.";
    enum Way { Typed, Pasted };
    const struct {
        const char* Field;
        Way How;
        QString Text;
        int Selected;  // characters selected before the end
        QString Title;  // the title afterwards
        bool Refused;
    } cases[] = {
        {"Title", Typed, "x", 0, "tx", false},     // the line at the bound
        {"Title", Typed, "y", 0, "tx", true},      // one past
        {"Title", Pasted, "yz", 1, "tx", true},    // in place of one character, one past
        {"Title", Pasted, "%", 1, "tx", true},     // written as three bytes
        {"Title", Pasted, "y", 1, "ty", false},
        {"Notes", Pasted, QString(qsizetype(TBaseCustomListClass::MaxLineBytes) + 1, u'p'), 0, "ty", true},
        {"Notes", Typed, "\"", 0, "ty", true},
    };
    const int result = Show(item, [&] {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.Field) + " " + c.Text.left(3).toStdString());
            fake.messages.clear();
            auto* edit = Control<WholeLineEdit>(c.Field);
            edit->moveCursor(QTextCursor::End);
            QTextCursor cursor = edit->textCursor();
            cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, c.Selected);
            edit->setTextCursor(cursor);
            if (c.How == Typed) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, c.Text);
                QApplication::sendEvent(edit, &press);
            } else {
                QApplication::clipboard()->setText(c.Text);
                edit->paste();
            }
            EXPECT_EQ(Control<WholeLineEdit>("Title")->text(), c.Title);
            EXPECT_EQ(size_t(Control<WholeLineEdit>("Notes")->TextLength()), notes);
            if (c.Refused)
                ExpectError(refused);
            else
                EXPECT_TRUE(fake.messages.empty());
        }
        Ok()->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    dialog.ApplyValues();
    EXPECT_EQ(item.GetFieldValue("Title"), FieldValue(std::string("ty")));
    EXPECT_EQ(TBaseCustomListClass::BuildItemLine(item, item.GetFieldNames()).size(),
              TBaseCustomListClass::MaxLineBytes);
}

TEST_F(CustomPropertyDialogTest, MissingLayoutClosesTheDialog)
{
    TCartClass item;
    // The dialog closes itself just after it was shown.
    EXPECT_EQ(Show(item, [&] { QCoreApplication::sendPostedEvents(&dialog); }), QDialog::Rejected);
    const Path missing = ConfigPath("Properties_Media_Default.CDB");
    ExpectError("The Layout \"" + missing.Bytes() + "\" does not exist!  You will not be able to use this dialog.");
}

// A layout bigger than the screen, a damaged file most of all, gives a window within the part of the
// screen windows may use, its buttons inside; a layout that fits keeps its size.
TEST_F(CustomPropertyDialogTest, DialogStaysWithinTheAvailableScreen)
{
    // Random bytes whose first record asks for a dialog millions of pixels wide and high.
    std::mt19937 random(6);
    std::string noise(6 * kLayoutRecordSize, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const PropertyLayout fits;
    PropertyLayout huge;
    huge.Width = huge.Height = kMaxLayoutExtent;
    huge.Controls = {{40, 100, 150, 24, "Title", "Title", 0, -1}};
    const std::tuple<std::function<void()>, QSize, QRect, std::optional<QSize>> cases[] = {
        {[&] { WriteLayout(huge); }, {1600, 1000}, {}, std::nullopt},
        {[&] { WriteLayout(huge); }, {1600, 1000}, {0, 40, 1600, 960}, std::nullopt},
        {[&] { WriteLayout(huge); }, {1600, 1000}, {64, 0, 1536, 1000}, std::nullopt},
        {[&] { WriteFile("Config/Properties_Media_Default.CDB", noise); }, {1600, 1000}, {}, std::nullopt},
        {[&] { WriteLayout(fits); }, {1600, 1000}, {0, 40, 1600, 960}, Scaled(fits.Width, fits.Height)},
    };
    for (const auto& [write, screen, available, kept] : cases) {
        write();
        fake.screenSize = screen;
        fake.availableArea = available;
        const QRect area = available.isEmpty() ? QRect(QPoint(0, 0), screen) : available;
        TCartClass item;
        Show(item, [&] {
            EXPECT_TRUE(area.contains(dialog.frameGeometry())) << dialog.frameGeometry().width() << "x"
                                                               << dialog.frameGeometry().height();
            EXPECT_TRUE(area.contains(dialog.geometry()));
            for (const char* name : {"OkButton", "CancelButton", "ResetButton"})
                EXPECT_TRUE(dialog.rect().contains(dialog.findChild<QPushButton*>(name)->geometry())) << name;
            if (kept) {
                EXPECT_EQ(dialog.size(), *kept);
            }
        });
    }
}

TEST_F(CustomPropertyDialogTest, EntriesLabelsAndInvalidFieldNames)
{
    PropertyLayout layout;
    layout.Controls = {{40, 100, 150, 24, "Title", "Title", 0, -1},
                       {100, 100, 150, 24, "Notes", "Notes", 1, -1},
                       {150, 100, 150, 24, "Nonsense", "X", 0, -1},
                       {200, 100, 150, 24, "Mfg", "Maker", 7, -1},
                       {250, 100, 150, 24, "Boxed", "Boxed", 0, -2}};
    WriteLayout(layout);
    TCartClass item;
    Show(item, [&] {
        ASSERT_EQ(dialog.GetControlInfos().size(), 3u);
        const QLabel* left = dialog.GetControlInfos()[0]->Label;
        // The layout's pixels are drawn at the desktop's scale.
        EXPECT_EQ(left->geometry(),
                  QRect(Scaled(100) - Scaled(4) - left->width(), Scaled(40) + Scaled(24) / 2 - left->height() / 2,
                        left->width(), left->height()));
        const QLabel* above = dialog.GetControlInfos()[1]->Label;
        EXPECT_EQ(above->pos(), QPoint(Scaled(100), Scaled(100) - above->height() - Scaled(2)));
        EXPECT_EQ(dialog.GetControlInfos()[2]->Label->pos(), QPoint(0, 0));
    });
    ExpectError("The Field Name \"Nonsense\" Is INVALID.");
}

TEST_F(CustomPropertyDialogTest, OptionButtonsOpenTheirPageWithPresetsAndRefreshLookups)
{
    PropertyLayout layout;
    layout.Controls = {{20, 20, 150, 24, "Mfg", "Mfg", 1, -1},
                       {20, 180, 26, 24, "Mfg", "...", 0, 5},
                       {60, 180, 26, 24, "LabelColor", "...", 0, 6},
                       {100, 20, 60, 24, "", "Zero", 0, 0},
                       {100, 90, 60, 24, "Bogus", "Nine", 0, 9}};
    WriteLayout(layout);
    TOptionsForm& options = MakeForm();
    dialog.SetOptionsForm(&options);
    TCartClass item;
    item.SetFieldValue("Mfg", std::string("Fennel Soft"));
    // Button, the page it opens, the presets it sets (platform "|" lookup table).
    const std::vector<std::tuple<size_t, int, std::string>> cases = {{1, TOptionsForm::pgManufacturers, "Zentrix 64|"},
                                                                     {2, TOptionsForm::pgLookupData, "|LabelColor"},
                                                                     {3, 0, "|"},
                                                                     {4, 0, "|"}};
    for (const auto& [button, page, presets] : cases) {
        options.PresetPlatform = options.PresetLookupName = "";
        fake.messages.clear();
        int shownPage = -1;
        Show(item, [&] {
            fake.dialogAnswers.push_back([&](QDialog& d) {
                shownPage = d.findChild<QTabWidget*>()->currentIndex();
                WriteConfig("Zentrix 64.ini", {"[Mfg]", "Count=2", "Mfg0=Fennel Soft", "Mfg1=Aardvark"});
                return int(QDialog::Accepted);
            });
            static_cast<QPushButton*>(dialog.GetControlInfos()[button]->Control)->click();
            EXPECT_EQ(Entries("Mfg"), "Aardvark,Fennel Soft");  // reloaded, selection kept
            EXPECT_EQ(Control<QComboBox>("Mfg")->currentText(), "Fennel Soft");
            EXPECT_FALSE(Ok()->isEnabled());
        });
        EXPECT_EQ(shownPage, page) << button;
        EXPECT_EQ(options.PresetPlatform + "|" + options.PresetLookupName, presets) << button;
        WriteSampleConfig();
    }
    ExpectError("The Field Name \"Bogus Is INVALID.  Please check your CDL file for corruption.");
    EXPECT_EQ(item.GetFieldValue("Mfg"), FieldValue(std::string("Fennel Soft")));
}

}  // namespace
}  // namespace quorvel
