#include "model/ListFactory.h"
#include "support/ConfigDirTest.h"
#include "support/qt/FakeServices.h"
#include "ui/UpdateForm.h"

#include <QComboBox>
#include <QPushButton>
#include <QTreeView>

namespace quorvel {
namespace {

using test::MessageKind;
using test::ShownMessage;
using Strings = std::vector<std::string>;
using Rows = std::vector<std::pair<std::string, std::string>>;

const QString kBuildQuestion = "There are no manufacturers available for this platform.  Would you like to build a "
                               "list of manufactures from this list?";

class UpdateFormTest : public test::ConfigDirTest {
protected:
    void SetUp() override
    {
        ConfigDirTest::SetUp();
        G_ConfigFiles = programDir + "Config/";
        WriteConfig("Zentrix 64.ini", {"[Mfg]", "Count=2", "Mfg0=Fennel Soft", "Mfg1=Brambleworks"});
        SetMakers({"acme", "Fennel Soft", "Zeta", "ACME", "", "zeta"});
    }

    void SetMakers(const Strings& makers)
    {
        list = CreateListObject(ltMedia);
        list->SetPlatform("Zentrix 64");
        for (const auto& maker : makers) {
            auto item = list->CreateItem();
            item->SetFieldValue("Mfg", maker);
            list->Add(std::move(item));
        }
    }

    Strings Makers() const
    {
        Strings makers;
        for (const auto& item : list->Items())
            makers.push_back(item->GetFieldAsString("Mfg"));
        return makers;
    }

    // Runs the command with Work driving the dialog; false when the dialog was not shown.
    bool Verify(const std::function<int()>& work = [] { return int(QDialog::Rejected); })
    {
        fake.dialogAnswers.push_back([work](QDialog&) { return work(); });
        const bool shown = form.VerifyManufacturers(*list);
        if (!shown)
            fake.dialogAnswers.pop_back();
        return shown;
    }

    template <typename T>
    T* Child(const char* name) { return form.findChild<T*>(name); }
    void Click(const char* button) { Child<QPushButton>(button)->click(); }
    void SelectRow(int row)
    {
        auto* view = Child<QTreeView>("ListView1");
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    void Choose(const char* maker)
    {
        auto* box = Child<QComboBox>("MfgList");
        box->setCurrentIndex(box->findText(maker));
    }
    // Enabled state of Set, Clear, Add and Update.
    std::vector<bool> Buttons()
    {
        std::vector<bool> state;
        for (const char* name : {"SetValueButton", "ClearButton", "AddMfgButton", "UpdateListButton"})
            state.push_back(Child<QPushButton>(name)->isEnabled());
        return state;
    }

    test::FakeServices fake;
    TUpdateForm form;
    std::unique_ptr<TBaseCustomListClass> list;
};

TEST_F(UpdateFormTest, ListsWithoutACheckableMakerListAreToldSo)
{
    SetMakers({"fennel soft", "BRAMBLEWORKS"});
    EXPECT_FALSE(Verify());
    list->SetPlatform("");
    EXPECT_FALSE(Verify());
    list->SetPlatform("..");
    EXPECT_FALSE(Verify());
    EXPECT_EQ(fake.messages,
              (std::vector<ShownMessage>{
                  {MessageKind::Information, "All the Manufacturers are correct."},
                  {MessageKind::Warning, "This list has no platform, so its manufacturers cannot be verified."},
                  {MessageKind::Warning,
                   "The platform \"..\" cannot be the name of a file, so its manufacturers cannot be verified."}}));
}

TEST_F(UpdateFormTest, APlatformWithoutMakersIsBuiltOnlyOnYes)
{
    SetMakers({"B", "A", "b", ""});
    list->SetPlatform("Korvo");
    fake.confirmAnswers = {false, true};
    EXPECT_FALSE(Verify());
    EXPECT_FALSE(Exists("Config/Korvo.ini"));
    EXPECT_FALSE(Verify());
    EXPECT_EQ(ReadConfig("Korvo.ini").ReadIndexedList("Mfg", "Mfg"), (Strings{"B", "A"}));
    EXPECT_EQ(ReadConfig("Korvo.ini").ReadString("Mfg", "Count", ""), "3");
    EXPECT_EQ(fake.messages, (std::vector<ShownMessage>(2, {MessageKind::Confirmation, kBuildQuestion})));
}

TEST_F(UpdateFormTest, RowsAndButtonsFollowTheUser)
{
    EXPECT_TRUE(Verify([this] {
        EXPECT_EQ(form.Mappings(), (Rows{{"", ""}, {"acme", ""}, {"Zeta", ""}}));
        EXPECT_EQ(form.Manufacturers(), (Strings{"Brambleworks", "Fennel Soft"}));
        EXPECT_EQ(Buttons(), (std::vector<bool>{false, false, false, false}));
        SelectRow(1);
        EXPECT_EQ(Buttons(), (std::vector<bool>{false, true, true, false}));
        Choose("Fennel Soft");
        EXPECT_EQ(Buttons(), (std::vector<bool>{true, true, true, false}));
        Click("SetValueButton");
        EXPECT_EQ(Buttons(), (std::vector<bool>{true, true, true, true}));
        Click("ClearButton");
        EXPECT_EQ(Buttons(), (std::vector<bool>{true, true, true, false}));
        Click("SetValueButton");
        SelectRow(0);
        Choose("Brambleworks");
        Click("SetValueButton");
        EXPECT_EQ(form.Mappings(), (Rows{{"", "Brambleworks"}, {"acme", "Fennel Soft"}, {"Zeta", ""}}));
        Click("UpdateListButton");
        return form.result();
    }));
    EXPECT_EQ(Makers(), (Strings{"Fennel Soft", "Fennel Soft", "Zeta", "ACME", "Brambleworks", "zeta"}));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(UpdateFormTest, AddedMakersAreWrittenSortedAndSurviveCancel)
{
    EXPECT_TRUE(Verify([this] {
        Choose("Fennel Soft");
        SelectRow(2);
        Click("AddMfgButton");
        EXPECT_EQ(form.Mappings(), (Rows{{"", ""}, {"acme", ""}}));
        EXPECT_EQ(form.Manufacturers(), (Strings{"Brambleworks", "Fennel Soft", "Zeta"}));
        EXPECT_EQ(Child<QComboBox>("MfgList")->currentText(), "Fennel Soft");
        EXPECT_EQ(Buttons(), (std::vector<bool>{false, false, false, false}));
        return int(QDialog::Rejected);
    }));
    EXPECT_EQ(ReadConfig("Zentrix 64.ini").ReadIndexedList("Mfg", "Mfg"), (Strings{"Brambleworks", "Fennel Soft", "Zeta"}));
    EXPECT_EQ(Makers(), (Strings{"acme", "Fennel Soft", "Zeta", "ACME", "", "zeta"}));
}

}  // namespace
}  // namespace quorvel
