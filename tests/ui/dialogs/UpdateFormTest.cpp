#include "ui/dialogs/UpdateForm.h"
#include "ui/DialogTest.h"
#include "platform/IniFile.h"
#include "support/ValueLists.h"

#include <QPushButton>
#include <QTreeView>

namespace quorvel {
namespace {

using test::MessageKind;
using Strings = std::vector<std::string>;
using Rows = std::vector<std::pair<std::string, std::string>>;

class UpdateFormTest : public test::DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        WriteFile("Config/Zentrix 64.ini", "[Mfg]\r\nCount=2\r\nMfg0=Fennel Soft\r\nMfg1=Brambleworks\r\n");
        SetMakers({"acme", "Fennel Soft", "Zeta", "ACME", "", "zeta"});
    }
    void SetMakers(const Strings& makers) { list = test::ListOfValues("Mfg", makers, "Zentrix 64"); }
    Strings Makers() const { return test::ValuesOf(*list, "Mfg"); }
    // False when the dialog was not shown.
    bool Verify(const std::function<int()>& work = [] { return int(QDialog::Rejected); })
    {
        fake.dialogAnswers.push_back([work](QDialog&) { return work(); });
        const bool shown = form.VerifyManufacturers(*list);
        if (!shown)
            fake.dialogAnswers.clear();
        return shown;
    }
    void Click(const char* button) { form.findChild<QPushButton*>(button)->click(); }
    void SelectRow(int row) { view->setCurrentIndex(view->model()->index(row, 0)); }
    void Choose(const char* maker) { box->setCurrentIndex(box->findText(maker)); }
    // Enabled: Set, Clear, Add, Update.
    std::vector<bool> Buttons()
    {
        std::vector<bool> state;
        for (const char* name : {"SetValueButton", "ClearButton", "AddMfgButton", "UpdateListButton"})
            state.push_back(form.findChild<QPushButton*>(name)->isEnabled());
        return state;
    }

    TUpdateForm form;
    QComboBox* box = form.findChild<QComboBox*>("MfgList");
    QTreeView* view = form.findChild<QTreeView*>("ListView1");
    std::unique_ptr<TBaseCustomListClass> list;
};

TEST_F(UpdateFormTest, WhatIsToldWithoutTheDialog)
{
    SetMakers({"fennel soft", "BRAMBLEWORKS"});
    EXPECT_FALSE(Verify());
    SetMakers({"fennel soft", "B", "", "b"});
    fake.confirmAnswers = {false, true};
    for (const char* platform : {"", "..", "Korvo", "Korvo"}) {
        list->SetPlatform(platform);
        EXPECT_FALSE(Verify()) << platform;
    }
    EXPECT_EQ(IniFile::Load(PathOf("Config/Korvo.ini")).ReadString("Mfg", "Count", ""), "3");
    const QString question = "There are no manufacturers available for this platform.  Would you like to build a "
                             "list of manufactures from this list?";
    EXPECT_EQ(fake.messages,
              (std::vector<test::ShownMessage> {
                  {MessageKind::Information, "All the Manufacturers are correct."},
                  {MessageKind::Warning, "This list has no platform, so its manufacturers cannot be verified."},
                  {MessageKind::Warning,
                   "The platform \"..\" cannot be the name of a file, so its "
                   "manufacturers cannot be verified."},
                  {MessageKind::Confirmation, question},
                  {MessageKind::Confirmation, question}}));
}

TEST_F(UpdateFormTest, RowsButtonsUpdateListAndAddToMfgList)
{
    EXPECT_TRUE(Verify([this] {
        EXPECT_EQ(form.Mappings(), (Rows {{"", ""}, {"acme", ""}, {"Zeta", ""}}));
        EXPECT_EQ(Entries(box), QStringList({"Brambleworks", "Fennel Soft"}));
        EXPECT_EQ(Buttons(), (std::vector<bool> {false, false, false, false}));
        SelectRow(1);
        EXPECT_EQ(Buttons(), (std::vector<bool> {false, true, true, false}));
        Choose("Fennel Soft");
        EXPECT_EQ(Buttons(), (std::vector<bool> {true, true, true, false}));
        for (const char* button : {"SetValueButton", "ClearButton", "SetValueButton"}) {
            Click(button);
            EXPECT_EQ(Buttons().back(), std::string(button) == "SetValueButton") << button;
        }
        SelectRow(0);
        Choose("Brambleworks");
        Click("SetValueButton");
        Click("UpdateListButton");
        return form.result();
    }));
    // Exactly the spelling of the row changes.
    EXPECT_EQ(Makers(), (Strings {"Fennel Soft", "Fennel Soft", "Zeta", "ACME", "Brambleworks", "zeta"}));

    // An added maker is written at once, sorted, and stays after Cancel.
    SetMakers({"acme", "Fennel Soft", "Zeta", "ACME", "", "zeta"});
    EXPECT_TRUE(Verify([this] {
        Choose("Fennel Soft");
        SelectRow(2);
        Click("AddMfgButton");
        EXPECT_EQ(form.Mappings(), (Rows {{"", ""}, {"acme", ""}}));
        EXPECT_EQ(Entries(box), QStringList({"Brambleworks", "Fennel Soft", "Zeta"}));
        EXPECT_EQ(box->currentText(), "Fennel Soft");
        EXPECT_EQ(Buttons(), (std::vector<bool> {false, false, false, false}));
        return int(QDialog::Rejected);
    }));
    EXPECT_EQ(IniFile::Load(PathOf("Config/Zentrix 64.ini")).ReadIndexedList("Mfg", "Mfg"),
              (Strings {"Brambleworks", "Fennel Soft", "Zeta"}));
    EXPECT_EQ(Makers(), (Strings {"acme", "Fennel Soft", "Zeta", "ACME", "", "zeta"}));
}

}  // namespace
}  // namespace quorvel
