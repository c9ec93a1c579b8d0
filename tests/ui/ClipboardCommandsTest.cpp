#include "CommandGroupTest.h"

#include "model/Utils.h"
#include "platform/FileNames.h"
#include "ui/FieldOrderForm.h"
#include "ui/commands/ClipboardCommands.h"

#include <QCoreApplication>

#include <fstream>

namespace quorvel {
namespace {

using test::MessageKind;

class ClipboardCommandsTest : public test::CommandGroupTest {
protected:
    void SetUp() override
    {
        CommandGroupTest::SetUp();
        MakeRecordingForm();
        auto group = std::make_unique<ClipboardCommands>(*form, fieldOrder, form->GetListCommands());
        commands = group.get();
        form->AttachCommandGroup(std::move(group));
    }

    std::string WriteList(const std::string& name, TListType kind, const std::vector<const char*>& titles) const
    {
        return MainFormTest::WriteList(name, kind, "Zentrix 64", titles);
    }
    static std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        size_t from = 0;
        for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
            lines.push_back(text.substr(from, at - from));
        lines.push_back(text.substr(from));
        return lines;
    }

    TFieldOrderForm fieldOrder;
    ClipboardCommands* commands = nullptr;
};

TEST_F(ClipboardCommandsTest, CopyAndPasteBetweenListsOfOneKindOnly)
{
    TBaseCustomListClass& source = Open(WriteList("a.csv", ltMedia, {"Alpha", "Beta", "Gamma"}));
    commands->CopyMainMenuClick();
    EXPECT_TRUE(fake.clipboard.isEmpty()) << "nothing selected, clipboard left alone";
    Select({2, 0});
    form->Action("CopyMainMenu")->trigger();
    const std::vector<std::string> lines = Lines(FromQString(fake.clipboard));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "QUORVEL MEDIA");
    EXPECT_EQ(lines[1].substr(0, 14), "\"TITLE\",\"MFG\",");
    EXPECT_EQ(lines[2].substr(0, 8), "\"Alpha\",");
    EXPECT_EQ(lines[3].substr(0, 8), "\"Gamma\",");
    ASSERT_EQ(&source, form->CurrentList());

    struct Case {
        TListType target;
        std::vector<const char*> items;
        int32_t expected;
    } cases[] = {
        {ltMedia, {}, 2},         // an empty list gets its columns
        {ltMedia, {"Omega"}, 3},
        {ltHardware, {"Pad"}, 1},  // another kind's text adds nothing and says nothing
    };
    int n = 0;
    for (const Case& c : cases) {
        TBaseCustomListClass& target = Open(WriteList("t" + std::to_string(n++) + ".csv", c.target, c.items));
        form->Action("PasteMainMenu")->trigger();
        EXPECT_EQ(target.Count(), c.expected);
        EXPECT_EQ(form->Grid().model()->rowCount(), c.expected);
        EXPECT_GT(form->ListDisplay().GetColumns().Count(), 0);
        EXPECT_EQ(target.IsModified(), c.target == ltMedia);
    }
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ClipboardCommandsTest, ExportCourse)
{
    const std::string columnFile = ConfigPath("Media_Export_Zentrix 64.INI");
    const std::string exportFile = programDir + "out.csv";
    TBaseCustomListClass& list = Open(WriteList("a.csv", ltMedia, {"Alpha", "Beta", "Gamma", "Omega"}));
    struct Case {
        const char* what;
        std::initializer_list<int> rows;
        bool popup;
        const char* warn;
        std::vector<bool> confirm;
        bool dialogOk;
        bool saved;
        std::vector<std::string> exported;  // data lines' first cells, or none written
    } cases[] = {
        {"cancelled column dialog", {}, true, "", {}, false, false, {}},
        {"whole list, title only", {}, true, "", {}, true, true, {"Alpha", "Beta", "Gamma", "Omega"}},
        {"cancelled save dialog", {0}, false, "", {}, true, false, {}},
        {"selection from the menu", {1, 3}, false, "1", {}, true, true, {"Beta", "Omega"}},
        {"all selected is the list", {0, 1, 2, 3}, true, "1", {}, true, true, {"Alpha", "Beta", "Gamma", "Omega"}},
        {"one item, warned, No", {2}, true, "1", {false}, true, true, {}},
        {"one item, warned, Yes", {2}, true, "1", {true}, true, true, {"Gamma"}},
        {"one item, no warning", {2}, true, "", {}, true, true, {"Gamma"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(exportFile);
        recording->nodes.clear();
        settings->SetSetting("WarnOnExport", c.warn);
        Select(c.rows);
        fake.confirmAnswers.assign(c.confirm.begin(), c.confirm.end());
        bool asked = false;
        fake.dialogAnswers.push_back([&](QDialog& dialog) {
            asked = true;
            // The first export finds the defaults written already; the next ones start from the choice.
            EXPECT_TRUE(ReadIniBool(columnFile, "CustomExportHeader", "CustomHeader", false));
            auto& order = static_cast<TFieldOrderForm&>(dialog);
            order.UnCheckAllButtonClick();
            QAbstractItemModel* model = dialog.findChild<QTableView*>("ColumnList")->model();
            model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole);
            return c.dialogOk ? QDialog::Accepted : QDialog::Rejected;
        });
        if (c.dialogOk)
            fake.fileAnswers.push_back(c.saved ? std::optional<QString>(ToQString(exportFile)) : std::nullopt);
        (c.popup ? form->Action("ExportListPopupMenu") : form->Action("ExportListMainMenu"))->trigger();
        EXPECT_EQ(asked, c.confirm != std::vector<bool>{false});
        EXPECT_EQ(fake.messages.size(), c.confirm.size()) << "only the one-item question";
        fake.messages.clear();
        fake.dialogAnswers.clear();
        fake.fileAnswers.clear();
        if (c.exported.empty()) {
            EXPECT_FALSE(FileExists(exportFile));
            EXPECT_TRUE(recording->nodes.empty());
            continue;
        }
        std::vector<std::string> expected{"\"Title\""};
        for (const std::string& title : c.exported)
            expected.push_back("\"" + title + "\"");
        expected.push_back("");
        EXPECT_EQ(Lines(ReadFile(exportFile.substr(programDir.size()))), expected);
        ASSERT_EQ(recording->nodes.size(), 1u);
        EXPECT_EQ(recording->nodes[0].first, ExplorerRoot::Exports);
        EXPECT_EQ(recording->nodes[0].second, exportFile);
        const test::FileDialogCall& save = fake.fileDialogs.back();
        EXPECT_EQ(save.request.folder.toStdString(), settings->GetSetting("ExportPath"));
        EXPECT_EQ(save.request.fileName, "Sam Zentrix 64 Media Export");
    }
    EXPECT_EQ(list.Count(), 4);
    EXPECT_FALSE(list.IsModified());

    // A file that cannot be written is shown and never reaches the Explorer.
    recording->nodes.clear();
    Select({});
    fake.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Accepted); });
    fake.fileAnswers.push_back(ToQString(programDir + "missing/out.csv"));
    fake.messages.clear();
    form->Action("ExportListPopupMenu")->trigger();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(recording->nodes.empty());
}

TEST_F(ClipboardCommandsTest, DroppedFilesOpenAfterTheDropAndFailuresDoNotStopTheOthers)
{
    const std::string first = WriteList("one.csv", ltMedia, {"Alpha"});
    const std::string middle = programDir + "Carts/not a list #1.csv";
    std::ofstream(middle) << "hello\r\n";
    const std::string last = WriteList("three?.csv", ltHardware, {"Pad"});
    commands->WMDropFiles({QUrl::fromLocalFile(ToQString(first)), QUrl("https://www.cartwell.example/x.csv"),
                           QUrl::fromLocalFile(ToQString(middle)), QUrl::fromLocalFile(ToQString(last))});
    EXPECT_TRUE(form->OpenLists().empty()) << "nothing opens inside the drop";
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(form->OpenLists().size(), 2u);
    EXPECT_EQ(form->OpenLists()[0]->GetOpenedFileName(), first);
    EXPECT_EQ(form->OpenLists()[1]->GetOpenedFileName(), last);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(fake.messages[0].text.contains("not a list #1.csv"));
}

}  // namespace
}  // namespace quorvel
