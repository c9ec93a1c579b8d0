#include "ui/dialogs/ChangeValueForm.h"
#include "platform/qt/PlainText.h"
#include "ui/DialogTest.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace quorvel {
namespace {

class ChangeValueFormTest : public test::DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        WriteFile("Config/zentrix 64.ini",
                  "[Mfg]\r\nCount=3\r\nMfg0=Fennel Soft\r\nMfg1=brambleworks\r\nMfg2=Askel\r\n");
        WriteFile("Config/General.ini", "[LabelColor]\r\nCount=2\r\nLabelColor0=Red\r\nLabelColor1=\r\n");
        form.Platform = "Zentrix 64";
        form.ListType = "Media";
    }

    // Shows the dialog for Field while Work drives it.
    void Show(const std::string& field, const std::function<void()>& work)
    {
        form.FieldName = field;
        Run(form, [work] {
            work();
            return int(QDialog::Accepted);
        });
    }
    QString Page() const { return form.findChild<QStackedWidget*>("PageControl")->currentWidget()->objectName(); }
    bool OK() const { return form.findChild<QPushButton*>("OKButton")->isEnabled(); }

    TChangeValueForm form;
    WholeLineEdit* edit = dynamic_cast<WholeLineEdit*>(form.findChild<QWidget*>("ValueEdit"));
    QCheckBox* check = form.findChild<QCheckBox*>("ValueCB");
    QComboBox* dropDown = form.findChild<QComboBox*>("ValueDD");
};

TEST_F(ChangeValueFormTest, EachFieldKindGetsItsPageAtEveryShowing)
{
    const std::tuple<const char*, const char*, const char*, QStringList> cases[] = {
        {"Title", "String", "Title", {}},
        {"quantity", "String", "Qty", {}},
        {"Cost", "String", "Cost", {}},
        {"BOXED", "Boolean", "Boxed", {}},
        {"MediaType", "Lookup", "Media Type", {}},
        {"Mfg", "Lookup", "Mfg", {"Askel", "brambleworks", "Fennel Soft"}},
        {"LabelColor", "Lookup", "Label Color", {"Red"}},
        {"Rarity", "Lookup", "Rarity", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}}};
    for (int showing = 0; showing < 2; ++showing) {
        for (const auto& [field, page, caption, entries] : cases) {
            Show(field, [&] {
                EXPECT_EQ(Page(), page) << field;
                EXPECT_EQ(form.windowTitle(), QString("Change ") + caption) << field;
                EXPECT_EQ(check->text(), caption) << field;
                EXPECT_EQ(Entries(dropDown), Page() == "Lookup" ? entries : Entries(dropDown)) << field;
                EXPECT_EQ(dropDown->currentIndex(), -1) << field;
            });
        }
    }
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ChangeValueFormTest, OKOnlyForAValueTheFieldCanHoldControlsKeepTheirState)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Quantity", "3", true}, {"Quantity", "", false}, {"Quantity", "2.5", false}, {"Quantity", "many", false},
        {"Cost", "12.50", true}, {"Cost", "12,50", true}, {"Cost", "twelve", false},  {"Title", "", true}};
    std::string last;
    for (const auto& [field, typed, ok] : cases) {
        Show(field, [&] {
            EXPECT_EQ(edit->text().toStdString(), last);
            edit->setText(typed);
            EXPECT_EQ(OK(), ok) << field << " " << typed;
        });
        EXPECT_EQ(form.GetValue(), FieldValue(last = typed));
    }
    // A range needs a chosen entry; a text lookup may stay empty (it clears the field).
    Show("Rarity", [this] {
        EXPECT_FALSE(OK());
        dropDown->setCurrentIndex(10);
        EXPECT_TRUE(OK());
    });
    EXPECT_EQ(form.GetValue(), FieldValue(std::string("10")));
    Show("Mfg", [this] { EXPECT_TRUE(OK()); });
    EXPECT_EQ(form.GetValue(), FieldValue(std::string()));
    Show("Boxed", [this] { check->setChecked(true); });
    Show("Instructions", [] {});
    EXPECT_EQ(form.GetValue(), FieldValue(true));
    // An unknown field or list type: the dialog can only be cancelled.
    Show("NumberOfButtons", [this] { EXPECT_FALSE(OK()); });
    form.ListType = "Manual";
    Show("Title", [this] { EXPECT_FALSE(OK()); });
    EXPECT_EQ(fake.messages,
              (std::vector<test::ShownMessage>(
                  2, {test::MessageKind::Error, "The FIELD Name is invalid!  Please report this problem!"})));
    EXPECT_EQ(form.GetValue(), FieldValue(std::string()));
}

}  // namespace
}  // namespace quorvel
