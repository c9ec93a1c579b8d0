#include "ConfigFolderTest.h"

#include "model/ItemClasses.h"
#include "model/PropertyLayout.h"
#include "platform/Cp1252.h"
#include "ui/CustomPropertyDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <functional>

namespace quorvel {
namespace {

using test::MessageKind;
using test::ShownMessage;

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

class CustomPropertyDialogTest : public test::ConfigFolderTest {
protected:
    void SetUp() override
    {
        ConfigFolderTest::SetUp();
        WriteSampleConfig();
        G_ConfigFiles = programDir + "Config/";
        G_UseCdlLayouts = false;
        dialog.Platform = "Zentrix 64";
        dialog.ListType = "Media";
    }

    void WriteLayout(const std::string& name, const PropertyLayout& layout) const
    {
        SaveCdbLayout(ConfigPath(name), layout);
    }
    void WriteDefaults() const
    {
        WriteLayout("Properties_Media_Default.CDB", DefaultPropertyLayout(MediaFieldSet()));
        WriteLayout("Properties_Hardware_Default.CDB", DefaultPropertyLayout(HardwareFieldSet()));
    }

    // Shows the dialog for Item; Work uses the open dialog and says how it closes (the dialog's own
    // result when it closed itself, -1 when it is still open, which then closes it without OK).
    int Show(TBaseCustomClass& target, std::function<void()> work = [] {})
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
        for (const auto& info : dialog.ControlInfos)
            if (Cp1252::EqualsNoCase(info->FieldName, field) && info->OptionTab == -1)
                return info->Control;
        ADD_FAILURE() << "no control for " << field;
        return nullptr;
    }
    template <typename T>
    T* Control(const std::string& field) const
    {
        return qobject_cast<T*>(ControlOf(field));
    }
    QPushButton* Ok() const { return dialog.findChild<QPushButton*>("OkButton"); }
    static std::vector<std::string> Entries(const QComboBox* box)
    {
        std::vector<std::string> entries;
        for (int i = 0; i < box->count(); ++i)
            entries.push_back(box->itemText(i).toStdString());
        return entries;
    }

    TCustomPropertyDialog dialog;
};

TEST_F(CustomPropertyDialogTest, DefaultLayoutsMakeEveryFieldFitWithoutOverlap)
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
            // Every visible child (controls, labels, fixed buttons) inside the client area, none on another.
            std::vector<QWidget*> widgets;
            for (QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (w->isVisible())
                    widgets.push_back(w);
            for (size_t i = 0; i < widgets.size(); ++i) {
                const QRect r = widgets[i]->geometry();
                EXPECT_TRUE(dialog.rect().contains(r)) << widgets[i]->metaObject()->className();
                for (size_t j = i + 1; j < widgets.size(); ++j)
                    EXPECT_FALSE(r.intersects(widgets[j]->geometry()))
                        << dialog.ListType << ": " << widgets[i]->metaObject()->className() << " "
                        << widgets[j]->metaObject()->className() << " at " << r.x() << "," << r.y();
            }
        });
    }
}

TEST_F(CustomPropertyDialogTest, ControlKindsFollowFieldTypes)
{
    WriteDefaults();
    TCartClass item;
    Show(item, [&] {
        struct Case {
            const char* field;
            const char* kind;
        };
        for (const Case& c : {Case{"Title", "QLineEdit"}, Case{"Cost", "QLineEdit"}, Case{"Quantity", "QLineEdit"},
                              Case{"Boxed", "QCheckBox"}, Case{"Rarity", "QComboBox"}, Case{"Mfg", "QComboBox"},
                              Case{"LabelColor", "QComboBox"}})
            EXPECT_STREQ(ControlOf(c.field)->metaObject()->className(), c.kind) << c.field;
        EXPECT_EQ(Entries(Control<QComboBox>("Rarity")),
                  (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        EXPECT_EQ(Entries(Control<QComboBox>("Mfg")), (std::vector<std::string>{"Brambleworks", "Fennel Soft"}));
        EXPECT_EQ(Entries(Control<QComboBox>("LabelColor")), (std::vector<std::string>{"Red"}));
        EXPECT_EQ(dialog.windowTitle(), "Edit Media");
        EXPECT_EQ(dialog.findChild<QPushButton*>("CancelButton")->text(), "&Cancel");
    });
}

TEST_F(CustomPropertyDialogTest, ValuesAreKeptAndNewItemsNeedTitleAndAChange)
{
    WriteDefaults();
    TCartClass item;
    item.SetFieldValue("Mfg", std::string("Old Maker"));  // not in the platform's list
    item.SetFieldValue("Boxed", std::string(""));
    item.SetFieldValue("Overlay", std::string("False"));
    item.SetFieldValue("Instructions", std::string("True"));
    const int result = Show(item, [&] {
        EXPECT_FALSE(Ok()->isEnabled());
        EXPECT_EQ(Control<QComboBox>("Mfg")->currentText(), "Old Maker");
        EXPECT_EQ(Entries(Control<QComboBox>("Mfg")),
                  (std::vector<std::string>{"Brambleworks", "Fennel Soft", "Old Maker"}));
        EXPECT_FALSE(Control<QCheckBox>("Boxed")->isChecked());
        EXPECT_FALSE(Control<QCheckBox>("Overlay")->isChecked());
        EXPECT_TRUE(Control<QCheckBox>("Instructions")->isChecked());
        Control<QLineEdit>("Notes")->setText("mint");
        EXPECT_FALSE(Ok()->isEnabled()) << "Title is required";
        Control<QLineEdit>("Title")->setText("Star Run");
        EXPECT_TRUE(Ok()->isEnabled());
        dialog.findChild<QPushButton*>("ResetButton")->click();
        EXPECT_EQ(Control<QLineEdit>("Title")->text(), "");
        EXPECT_FALSE(Ok()->isEnabled());
        Control<QLineEdit>("Title")->setText("Star Run");
        Ok()->click();
    });
    ASSERT_EQ(result, QDialog::Accepted);
    dialog.ApplyValues();
    EXPECT_EQ(item.GetFieldValue("Mfg"), FieldValue(std::string("Old Maker")));
    EXPECT_EQ(item.GetFieldValue("Title"), FieldValue(std::string("Star Run")));
    EXPECT_EQ(item.GetFieldValue("Quantity"), FieldValue(std::string("1")));  // edits give text
    EXPECT_EQ(item.GetFieldValue("Overlay"), FieldValue(false));
    EXPECT_EQ(item.GetFieldValue("Instructions"), FieldValue(true));
    EXPECT_TRUE(item.Modified);
}

TEST_F(CustomPropertyDialogTest, InvalidValuesRefuseOkOnlyAndCancelChangesNothing)
{
    WriteDefaults();
    TCartClass item;
    item.SetFieldValue("Title", std::string("Star Run"));
    const int result = Show(item, [&] {
        Control<QLineEdit>("Quantity")->setText("many");
        Control<QLineEdit>("Cost")->setText("");
        Ok()->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(fake.messages,
              (std::vector<ShownMessage>{
                  {MessageKind::Error, "The value \"many\" is not valid for the field \"QUANTITY\""},
                  {MessageKind::Error, "The value \"\" is not valid for the field \"COST\""}}));
    EXPECT_EQ(item.GetFieldValue("Quantity"), FieldValue(int32_t{1}));
}

TEST_F(CustomPropertyDialogTest, LayoutFileChoiceAndMissingLayout)
{
    TCartClass item;
    // The dialog closes itself just after it was shown.
    EXPECT_EQ(Show(item, [&] { QCoreApplication::sendPostedEvents(&dialog); }), QDialog::Rejected);
    const std::string missing = ConfigPath("Properties_Media_Default.CDB");
    EXPECT_EQ(fake.messages, (std::vector<ShownMessage>{
                                 {MessageKind::Error, Q("The Layout \"" + missing +
                                                        "\" does not exist!  You will not be able to use this dialog.")}}));
    fake.messages.clear();

    PropertyLayout small;
    small.Width = 530;
    small.Height = 475;
    WriteLayout("Properties_Media_Default.CDB", small);
    small.Width = 600;
    WriteLayout("properties_media_zentrix 64.cdb", small);
    fake.screenSize = QSize(1024, 768);
    int width = 0;
    Show(item, [&] { width = dialog.width(); });
    EXPECT_EQ(width, 600);
    dialog.Platform = "Korvo Handheld";
    QPoint at;
    Show(item, [&] {
        width = dialog.width();
        at = dialog.pos();
    });
    EXPECT_EQ(width, 530);
    EXPECT_EQ(at, QPoint(247, 147));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(CustomPropertyDialogTest, EntriesLabelsAndInvalidFieldNames)
{
    PropertyLayout layout;
    layout.Controls = {
        {40, 100, 150, 24, "Title", "Title", 0, -1},   {100, 100, 150, 24, "Notes", "Notes", 1, -1},
        {150, 100, 150, 24, "Nonsense", "X", 0, -1},   {200, 100, 150, 24, "Mfg", "Maker", 7, -1},
        {250, 100, 150, 24, "Boxed", "Boxed", 0, -2},
    };
    WriteLayout("Properties_Media_Default.CDB", layout);
    TCartClass item;
    Show(item, [&] {
        ASSERT_EQ(dialog.ControlInfos.size(), 3u);
        const QLabel* left = dialog.ControlInfos[0]->Label;
        EXPECT_EQ(left->geometry().right() + 1 + 4, 100);
        EXPECT_EQ(left->y(), 40 + (12 - left->height() / 2));
        const QLabel* above = dialog.ControlInfos[1]->Label;
        EXPECT_EQ(above->x(), 100);
        EXPECT_EQ(above->y(), 100 - above->height() - 2);
        EXPECT_EQ(dialog.ControlInfos[2]->Label->pos(), QPoint(0, 0));
    });
    EXPECT_EQ(fake.messages,
              (std::vector<ShownMessage>{{MessageKind::Error, "The Field Name \"Nonsense\" Is INVALID."}}));
}

TEST_F(CustomPropertyDialogTest, OptionButtonsOpenTheirPageWithPresetsAndRefreshLookups)
{
    PropertyLayout layout;
    layout.Controls = {
        {20, 20, 150, 24, "Mfg", "Mfg", 1, -1},      {20, 180, 26, 24, "Mfg", "...", 0, 5},
        {60, 20, 150, 24, "LabelColor", "Color", 1, -1}, {60, 180, 26, 24, "LabelColor", "...", 0, 6},
        {100, 20, 60, 24, "", "Zero", 0, 0},          {100, 90, 60, 24, "Bogus", "Nine", 0, 9},
    };
    WriteLayout("Properties_Media_Default.CDB", layout);
    TOptionsForm& options = MakeForm();
    dialog.SetOptionsForm(&options);
    TCartClass item;
    item.SetFieldValue("Mfg", std::string("Fennel Soft"));

    struct Case {
        size_t button;
        int page;
        std::string platform;
        std::string lookup;
        std::vector<ShownMessage> messages;
    };
    const std::vector<Case> cases = {
        {1, TOptionsForm::pgManufacturers, "Zentrix 64", "", {}},
        {3, TOptionsForm::pgLookupData, "", "LabelColor", {}},
        {4, 0, "", "", {}},
        {5, 0, "", "",
         {{MessageKind::Error, "The Field Name \"Bogus Is INVALID.  Please check your CDL file for corruption."}}},
    };
    for (const auto& c : cases) {
        options.PresetPlatform.clear();
        options.PresetLookupName.clear();
        fake.messages.clear();
        int page = -1;
        Show(item, [&] {
            fake.dialogAnswers.push_back([&](QDialog& d) {
                page = d.findChild<QTabWidget*>()->currentIndex();
                WriteConfig("Zentrix 64.ini", {"[Mfg]", "Count=2", "Mfg0=Fennel Soft", "Mfg1=Aardvark"});
                return int(QDialog::Accepted);
            });
            static_cast<QPushButton*>(dialog.ControlInfos[c.button]->Control)->click();
            EXPECT_EQ(Entries(Control<QComboBox>("Mfg")), (std::vector<std::string>{"Aardvark", "Fennel Soft"}));
            EXPECT_EQ(Control<QComboBox>("Mfg")->currentText(), "Fennel Soft");
            EXPECT_FALSE(Ok()->isEnabled());
        });
        EXPECT_EQ(page, c.page) << c.button;
        EXPECT_EQ(options.PresetPlatform, c.platform) << c.button;
        EXPECT_EQ(options.PresetLookupName, c.lookup) << c.button;
        EXPECT_EQ(fake.messages, c.messages) << c.button;
        WriteSampleConfig();
    }
    EXPECT_EQ(item.GetFieldValue("Mfg"), FieldValue(std::string("Fennel Soft")));
}

}  // namespace
}  // namespace quorvel
