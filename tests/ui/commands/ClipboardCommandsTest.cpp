#include "platform/qt/PathText.h"
#include "ui/CommandGroupTest.h"

#include "config/SettingKeys.h"
#include "model/Utils.h"
#include "platform/FileNames.h"
#include "ui/window/MenuNames.h"

#include <QCoreApplication>

namespace quorvel {
namespace {

using ClipboardCommandsTest = test::CommandGroupTest;

TEST_F(ClipboardCommandsTest, CopyAndPasteBetweenListsOfOneKindOnly)
{
    Open(WriteList("a.csv", ltMedia, "Zentrix 64", {"Alpha", "Beta", "Gamma"}));
    clipboard->CopyMainMenuClick();
    EXPECT_TRUE(fake.clipboard.isEmpty()) << "nothing selected: the clipboard is left alone";
    Select({2, 0});
    Trigger(entry::CopyMainMenu);
    const QStringList lines = fake.clipboard.split("\r\n");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "QUORVEL MEDIA");
    EXPECT_TRUE(lines[1].startsWith("\"TITLE\",\"MFG\",") && lines[2].startsWith("\"Alpha\",") &&
                lines[3].startsWith("\"Gamma\","));
    // An empty list gets its columns, pasted rows take their place in the order; another kind's text
    // adds nothing and says nothing.
    using Titles = std::vector<std::string>;
    const std::tuple<TListType, std::vector<const char*>, Titles> cases[] = {
        {ltMedia, {}, {"Alpha", "Gamma"}},
        {ltMedia, {"Beta"}, {"Alpha", "Beta", "Gamma"}},
        {ltHardware, {"Pad"}, {"Pad"}}};
    for (const auto& [kind, items, titles] : cases) {
        TBaseCustomListClass& target =
            Open(WriteList(std::to_string(titles.size()) + ".csv", kind, "Zentrix 64", items));
        Trigger(entry::PasteMainMenu);
        EXPECT_EQ(test::Column(target, kind == ltMedia ? "Title" : "Name"), titles);
        EXPECT_EQ(form->Grid().model()->rowCount(), int(titles.size()));
        EXPECT_GT(form->ListDisplay().GetColumns().Count(), 0);
    }
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(ClipboardCommandsTest, ExportCourse)
{
    const Path columnFile = ConfigPath("Media_Export_Zentrix 64.INI");
    Open(WriteList("a.csv", ltMedia, "Zentrix 64", {"Alpha", "Beta", "Gamma", "Omega"}));
    struct Case {
        std::initializer_list<int> rows;
        const char* entry;
        const char* warn;
        std::vector<bool> confirm;
        int dialog;
        const char* saveAs;    // none: the save dialog is cancelled
        const char* exported;  // the titles written, "|" between them; empty: nothing written
    } cases[] = {
        {{}, entry::ExportListPopupMenu, "", {}, QDialog::Rejected, nullptr, ""},
        {{}, entry::ExportListPopupMenu, "", {}, QDialog::Accepted, "a", "Alpha|Beta|Gamma|Omega"},
        {{0}, entry::ExportListMainMenu, "", {}, QDialog::Accepted, nullptr, ""},
        {{1, 3}, entry::ExportListMainMenu, "1", {}, QDialog::Accepted, "b.txt", "Beta|Omega"},
        {{2}, entry::ExportListPopupMenu, "1", {false}, QDialog::Accepted, "c", ""},
        {{2}, entry::ExportListPopupMenu, "1", {true}, QDialog::Accepted, "d", "Gamma"},
        {{2}, entry::ExportListPopupMenu, "", {}, QDialog::Accepted, "e", "Gamma"},
        {{}, entry::ExportListPopupMenu, "", {}, QDialog::Accepted, "missing/f", ""},  // cannot be written
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saveAs ? c.saveAs : "cancelled");
        recording->nodes.clear();
        fake.messages.clear();
        settings->SetSetting(setting::WarnOnExport, c.warn);
        Select(c.rows);
        fake.confirmAnswers.assign(c.confirm.begin(), c.confirm.end());
        fake.dialogAnswers.push_back([&](QDialog& dialog) {
            // The first export finds the defaults stored already; the next ones start from the choice.
            EXPECT_TRUE(ReadIniBool(columnFile, "CustomExportHeader", "CustomHeader", false));
            static_cast<TFieldOrderForm&>(dialog).UnCheckAllButtonClick();
            QAbstractItemModel* model = dialog.findChild<QTableView*>("ColumnList")->model();
            model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole);
            return c.dialog;
        });
        const Path file(programDir + "Export/" + (c.saveAs ? c.saveAs : ""));
        fake.fileAnswers.assign(1, c.saveAs ? std::optional<QString>(PathToQString(file)) : std::nullopt);
        Trigger(c.entry);
        fake.dialogAnswers.clear();
        const std::string written = ExtractFileExt(file).empty() ? file.Bytes() + ".CSV" : file.Bytes();
        // One quoted field a line, the header first, CR LF after each.
        const QString exported =
            *c.exported ? "\"Title\"\r\n\"" + QString(c.exported).replace("|", "\"\r\n\"") + "\"\r\n" : "";
        EXPECT_EQ(ToQString(FileExists(Path(written)) ? ReadFile(written.substr(programDir.size())) : ""), exported);
        ASSERT_EQ(recording->nodes.size(), exported.isEmpty() ? 0u : 1u);
        if (!exported.isEmpty()) {
            ASSERT_FALSE(fake.fileDialogs.empty());
            EXPECT_EQ(recording->nodes[0], std::pair(ExplorerRoot::Exports, Path(written)));
            EXPECT_EQ(fake.fileDialogs.back().request.fileName, "Sam Zentrix 64 Media Export");
        }
        const bool unwritable = c.saveAs && std::string_view(c.saveAs).starts_with("missing/");
        ASSERT_EQ(fake.messages.size(), c.confirm.size() + unwritable);
        if (!c.confirm.empty()) {
            EXPECT_EQ(fake.messages[0], (test::ShownMessage {test::MessageKind::WarningConfirmation,
                                                             "Are you sure you want to export only 1 item?"}));
        }
    }
    // The owner's "/" is part of the offered name, not a folder.
    form->CurrentList()->SetOwner("Smith/Jones");
    Select({});
    fake.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Accepted); });
    fake.fileAnswers = {std::nullopt};
    Trigger(entry::ExportListPopupMenu);
    EXPECT_EQ(fake.fileDialogs.back().request.fileName, "Smith-Jones Zentrix 64 Media Export");
    EXPECT_EQ(fake.fileDialogs.back().request.folder.toStdString(), programDir + "Export/");
}

TEST_F(ClipboardCommandsTest, DroppedFilesOpenAfterTheDropAndFailuresDoNotStopTheOthers)
{
    const Path first = WriteList("one.csv", ltMedia, "Zentrix 64", {"Alpha"});
    const std::string middle = programDir + "Carts/not a list #1.csv";
    WriteFile("Carts/not a list #1.csv", "hello\r\n");
    const Path last = WriteList("three?.csv", ltHardware, "Korvo Handheld", {"Pad"});
    clipboard->WMDropFiles({QUrl::fromLocalFile(PathToQString(first)), QUrl("https://www.cartwell.example/x.csv"),
                            QUrl::fromLocalFile(PathToQString(Path(middle))),
                            QUrl::fromLocalFile(PathToQString(last))});
    EXPECT_TRUE(form->OpenLists().empty()) << "nothing opens inside the drop";
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(form->OpenLists().size(), 2u);
    EXPECT_EQ(Opened(0), first);
    EXPECT_EQ(Opened(1), last);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].text.contains("not a list #1.csv"));
}

}  // namespace
}  // namespace quorvel
