#include "model/Utils.h"
#include "support/TempDir.h"
#include "support/qt/FakeServices.h"
#include "ui/ChangeValueForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace quorvel {
namespace {

using test::MessageKind;
using test::ShownMessage;

class ChangeValueFormTest : public test::TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        savedConfigFiles = G_ConfigFiles;
        G_ConfigFiles = Dir().string() + "/Config/";
        WriteFile("Config/zentrix 64.ini", "[Mfg]\r\nCount=3\r\nMfg0=Fennel Soft\r\nMfg1=brambleworks\r\nMfg2=Askel\r\n");
        WriteFile("Config/General.ini", "[LabelColor]\r\nCount=2\r\nLabelColor0=Red\r\nLabelColor1=\r\n");
        form.Platform = "Zentrix 64";
        form.ListType = "Media";
    }

    void TearDown() override
    {
        G_ConfigFiles = savedConfigFiles;
        TempDirTest::TearDown();
    }

    // Shows the dialog for Field; Work runs while it is open and returns how it closes.
    int Show(const std::string& field, const std::function<int()>& work = [] { return int(QDialog::Accepted); })
    {
        form.FieldName = field;
        fake.dialogAnswers.push_back([work](QDialog&) { return work(); });
        return ExecDialog(form);
    }

    QString PageName() const
    {
        return form.findChild<QStackedWidget*>("PageControl")->currentWidget()->objectName();
    }
    QStringList Entries() const
    {
        QStringList entries;
        for (int i = 0; i < dropDown->count(); ++i)
            entries << dropDown->itemText(i);
        return entries;
    }
    bool OKEnabled() const { return form.findChild<QPushButton*>("OKButton")->isEnabled(); }

    test::FakeServices fake;
    std::string savedConfigFiles;
    TChangeValueForm form;
    QLineEdit* edit = form.findChild<QLineEdit*>("ValueEdit");
    QCheckBox* check = form.findChild<QCheckBox*>("ValueCB");
    QComboBox* dropDown = form.findChild<QComboBox*>("ValueDD");
};

TEST_F(ChangeValueFormTest, EachFieldKindGetsItsPage)
{
    const struct {
        const char* field;
        const char* page;
        const char* caption;
        QStringList entries;
    } cases[] = {
        {"Title", "String", "Change Title", {}},
        {"quantity", "String", "Change Qty", {}},
        {"Cost", "String", "Change Cost", {}},
        {"BOXED", "Boolean", "Change Boxed", {}},
        {"Mfg", "Lookup", "Change Mfg", {"Askel", "brambleworks", "Fennel Soft"}},
        {"LabelColor", "Lookup", "Change Label Color", {"Red"}},
        {"MediaType", "Lookup", "Change Media Type", {}},
        {"Rarity", "Lookup", "Change Rarity", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
    };
    for (int showing = 0; showing < 2; ++showing) {
        for (const auto& c : cases) {
            Show(c.field, [&] {
                EXPECT_EQ(PageName(), c.page) << c.field;
                EXPECT_EQ(form.windowTitle(), c.caption) << c.field;
                if (PageName() == "Lookup") {
                    EXPECT_EQ(Entries(), c.entries) << c.field;
                    EXPECT_EQ(dropDown->currentIndex(), -1) << c.field;
                }
                EXPECT_EQ(check->text(), QString(c.caption).mid(7)) << c.field;
                return int(QDialog::Accepted);
            });
        }
    }
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ChangeValueFormTest, OKOnlyForAValueTheFieldCanHold)
{
    const struct {
        const char* field;
        const char* typed;
        bool ok;
    } cases[] = {
        {"Quantity", "3", true},    {"Quantity", "", false},   {"Quantity", "2.5", false},
        {"Quantity", "many", false}, {"Cost", "12.50", true},  {"Cost", "12,50", true},
        {"Cost", "twelve", false},  {"Title", "", true},       {"Title", "Anything 1", true},
    };
    for (const auto& c : cases) {
        Show(c.field, [&] {
            edit->setText(c.typed);
            EXPECT_EQ(OKEnabled(), c.ok) << c.field << " " << c.typed;
            return int(QDialog::Accepted);
        });
        EXPECT_EQ(form.GetValue(), FieldValue(std::string(c.typed)));
    }
}

TEST_F(ChangeValueFormTest, ARangeNeedsAChoiceATextLookupMayStayEmpty)
{
    Show("Rarity", [this] {
        EXPECT_FALSE(OKEnabled());
        dropDown->setCurrentIndex(10);
        EXPECT_TRUE(OKEnabled());
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(form.GetValue(), FieldValue(std::string("10")));

    Show("Mfg", [this] {
        EXPECT_TRUE(OKEnabled());
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(form.GetValue(), FieldValue(std::string()));
}

TEST_F(ChangeValueFormTest, CheckBoxGivesABooleanAndControlsKeepTheirState)
{
    Show("Boxed", [this] {
        check->setChecked(true);
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(form.GetValue(), FieldValue(true));

    Show("Notes", [this] {
        edit->setText("loose");
        return int(QDialog::Rejected);
    });
    Show("Title", [this] {
        EXPECT_EQ(edit->text(), "loose");
        return int(QDialog::Accepted);
    });
    Show("Instructions", [] { return int(QDialog::Accepted); });
    EXPECT_EQ(form.GetValue(), FieldValue(true));
}

TEST_F(ChangeValueFormTest, AnUnknownFieldOrListTypeCanOnlyBeCancelled)
{
    const char* const message = "The FIELD Name is invalid!  Please report this problem!";
    Show("NumberOfButtons", [this] {
        EXPECT_FALSE(OKEnabled());
        return int(QDialog::Rejected);
    });
    form.ListType = "Manual";
    Show("Title", [this] {
        EXPECT_FALSE(OKEnabled());
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(fake.messages, (std::vector<ShownMessage>(2, {MessageKind::Error, message})));
    EXPECT_EQ(form.GetValue(), FieldValue(std::string()));
}

}  // namespace
}  // namespace quorvel
