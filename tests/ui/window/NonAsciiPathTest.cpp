// A collector's folder named with letters beyond ASCII: every text that names a file shows the name
// as the file system spells it ("Jörg", never "JÃ¶rg"), and the compare report opens from there.
#include "ui/MainFormTest.h"

#include "config/SettingKeys.h"
#include "model/ItemClasses.h"
#include "platform/FileNames.h"
#include "platform/qt/Services.h"
#include "ui/dialogs/CustomPropertyDialog.h"
#include "ui/reports/CompareCarts.h"
#include "ui/reports/ReportCommands.h"
#include "ui/startup/MigrationForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>

namespace quorvel {
namespace {

using test::MessageKind;

class NonAsciiPathTest : public test::MainFormTest {
protected:
    // Every path below the collector's folder holds the UTF-8 bytes of "Jörg".
    NonAsciiPathTest() { folderSuffix = " J\xC3\xB6rg"; }

    // What a window must show for a path: its bytes read as UTF-8, never as Windows-1252.
    static QString Shown(const Path& path) { return QString::fromUtf8(path.Bytes()); }
    static QString Text(const char* before, const Path& path, const char* after)
    {
        return QString::fromLatin1(before) + Shown(path) + QString::fromLatin1(after);
    }
    QString StatusText() const { return form->StatusPanelText(0); }
    static void Says(const QString& shown, const QString& expected)
    {
        EXPECT_EQ(shown.toStdString(), expected.toStdString());
    }
    QString LastMessage()
    {
        const auto shown = TakeMessages();
        return shown.empty() ? QString() : shown.back().text;
    }
};

TEST_F(NonAsciiPathTest, TheMainWindowAndTheCompareReportShowAndOpenThePathAsSpelled)
{
    MakeForm();
    // Spare copies, so that the comparison has something to report.
    const Path a = WriteList("J\xC3\xB6rgs Liste.csv", ltMedia, "Zentrix 64", {"One"}, "2");
    const Path b = WriteList("Zweite \303\234bersicht.csv", ltMedia, "Zentrix 64", {"Two"}, "2");
    const Path broken = WriteList("Kaputt \xC3\xA9.csv", ltMedia, "Zentrix 64", {"100%"});
    std::string text = ReadFile("Carts/Kaputt \xC3\xA9.csv");
    text.replace(text.find("%25"), 3, "%ZZ");  // an escape that does not decode: the load fails
    WriteFile("Carts/Kaputt \xC3\xA9.csv", text);
    WriteFile("Carts/Notizen \xC3\xA4.csv", "just text\r\n");
    const Path notes = PathOf("Carts/Notizen \xC3\xA4.csv");
    const Path report = JoinPath(settings->GetFolder(setting::ReportPath), "Media Compare Report.html");
    ASSERT_TRUE(Shown(a).contains(QString::fromUtf16(u"J\u00F6rg")));

    // One step after the other on the same window: what it does, then the text it shows.
    form->OpenListFile(a);
    Says(StatusText(), Text("", a, " Loaded."));
    form->RefreshTabs();
    Says(form->TabHint(), Shown(a));
    form->OpenListFile(a);
    Says(LastMessage(), Text("The file \"", a, "\" is already open."));
    form->OpenListFile(notes);
    Says(LastMessage(), Text("The file \"", notes, "\" is not a recognized Quorvel File."));
    form->OpenListFile(broken);
    Says(LastMessage(), Text("The file \"", broken, "\" was not opened. '$ZZ' is not a valid integer value"));
    Says(StatusText(), Text("", broken, " Not Loaded."));
    form->CurrentList()->SetOwner("Kim");
    Lists().SaveButtonClick();
    Says(StatusText(), Text("", a, " Saved."));
    form->CurrentList()->SetOwner("Ann");
    fake.confirmAnswers = {false};
    Lists().CloseListMainMenuClick();
    Says(LastMessage(), Text("Zentrix 64 (", a, ") Has changed.  Save Changes?"));
    Says(StatusText(), Text("Zentrix 64 (", a, ") Closed."));
    form->OpenListFile(a);
    form->OpenListFile(b);
    fake.fileAnswers = {Shown(a)};
    Lists().SaveAsButtonClick();
    Says(LastMessage(),
         Text("The file \"", a, "\" is open in another tab.  Close that list first or choose another name."));
    Lists().CloseAllListsMainMenuClick();
    AnswerProperties({"Media", "Zentrix 64", "Sam", ""});
    Lists().NewButtonClick();
    fake.fileAnswers = {Shown(a)};
    fake.confirmAnswers = {false};
    Lists().SaveAsButtonClick();
    Says(LastMessage(), Text("A file named \"", a, "\" already exists.  Do you wish to overwrite this file?"));

    fake.confirmAnswers = {false};  // the new list is left unsaved
    Lists().CloseAllListsMainMenuClick();
    form->OpenListFile(a);
    form->OpenListFile(b);
    TCompareCartsForm& compare = form->GetReportCommands().CompareCartsForm();
    compare.SetLists(form->OpenLists());
    compare.findChild<QComboBox*>("CartListOneCB")->setCurrentIndex(0);
    compare.findChild<QComboBox*>("CartListTwoCB")->setCurrentIndex(1);
    compare.findChild<QPushButton*>("CompareButton")->click();
    fake.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Accepted); });
    compare.findChild<QPushButton*>("ReportButton")->click();
    TakeMessages();  // the question about the unsaved new list
    Says(fake.openedUrls.empty() ? QString() : fake.openedUrls.back().toLocalFile(), Shown(report));
    Says(StatusText(), Text("", report, " Saved."));
    EXPECT_TRUE(QFile::exists(Shown(report)));
    for (const auto& message : TakeMessages())
        ADD_FAILURE() << message.text.toStdString();
}

TEST_F(NonAsciiPathTest, MigrationLayoutAndVersionMessagesShowThePathAsSpelled)
{
    const Path home(programDir);
    G_ConfigFiles = JoinPath(home, "Config/");

    // The migration window's log.
    WriteFile("Quorvel.ini", "[General]\r\nConfigVersion=CFG1.0\r\n");
    WriteFile("platforms.ini", "[Platforms]\r\nCount=1\r\nPlatForm0=Korvo\r\n");
    WriteFile("Korvo.ini", "[Mfg]\r\nCount=0\r\n");
    {
        TMigrationForm migration {home};
        migration.RunMigration();
        const QStringList lines = migration.findChild<QPlainTextEdit*>("Memo1")->toPlainText().split('\n');
        for (const QString& expected :
             {Text("G_ConfigFile=", G_ConfigFile, ""), Text("G_ConfigFiles=", G_ConfigFiles, ""),
              Text("Checking for ", JoinPath(home, "Korvo.INI"), "..."),
              Text("Moving ", JoinPath(home, "Korvo.INI"), " to ") +
                  Text("", JoinPath(G_ConfigFiles, "Korvo.INI"), "...")})
            EXPECT_TRUE(lines.contains(expected)) << expected.toStdString();
    }

    // A newer program's configuration.
    WriteFile("Quorvel.ini", "[General]\r\nConfigVersion=CFG9.1\r\n");
    fake.messages.clear();
    EXPECT_TRUE(CheckConfigVersion());
    EXPECT_EQ(LastMessage(),
              Text("The configuration file ", G_ConfigFile,
                   " has the configuration version \"CFG9.1\", which this version of Quorvel does "
                   "not know.  It is used as it is."));

    // A property dialog without its layout file.
    TCustomPropertyDialog dialog;
    dialog.Platform = "Zentrix 64";
    dialog.ListType = "Media";
    TCartClass item;
    dialog.SetCaption("Edit Media");
    dialog.SetItem(&item);
    dialog.SetCancelCaption("&Cancel");
    fake.dialogAnswers.push_back([&dialog](QDialog& shown) {
        QCoreApplication::sendPostedEvents(&dialog);
        return shown.isVisible() ? -1 : shown.result();
    });
    ExecDialog(dialog);
    EXPECT_EQ(LastMessage(),
              Text("The Layout \"", JoinPath(G_ConfigFiles, "Properties_Media_Default.CDB"),
                   "\" does not exist!  You will not be able to use this dialog."));
}

}  // namespace
}  // namespace quorvel
