// Text from files (a list's owner and description, its file name, a layout file's captions) reaches
// labels, status panels, tooltips and captions in many windows; each shows it as typed, never as markup.
#include "ui/MainFormTest.h"

#include "model/ItemClasses.h"
#include "model/PropertyLayout.h"
#include "platform/qt/PathText.h"
#include "platform/qt/PlainText.h"
#include "ui/dialogs/CustomPropertyDialog.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/dialogs/ListPropertiesForm.h"
#include "ui/explorer/CollectionExplorer.h"
#include "ui/inventory/InventoryForm.h"
#include "ui/reports/BinReportOptionsForm.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextDocument>
#include <QTreeWidget>

namespace quorvel {
namespace {

using test::MainFormTest;

// What the user sees of a text Qt shows in Format: markup is rendered, plain text stands.
QString Rendered(const QString& text, Qt::TextFormat format)
{
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

void AddItemTexts(QStringList& shown, QTreeWidgetItem* item)
{
    shown << item->text(0) << Rendered(item->toolTip(0), Qt::AutoText);
    for (int i = 0; i < item->childCount(); ++i)
        AddItemTexts(shown, item->child(i));
}

// Every text shown in Window and below it: labels, tooltips, edits, buttons, tree nodes.
QStringList ShownTexts(QWidget& window)
{
    QStringList shown;
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* w : widgets) {
        shown << Rendered(w->toolTip(), Qt::AutoText);
        if (auto* label = qobject_cast<QLabel*>(w))
            shown << Rendered(label->text(), label->textFormat());
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            shown << edit->text();
        else if (auto* value = dynamic_cast<WholeTextEdit*>(w))
            shown << value->text();
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
            shown << memo->toPlainText();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            shown << button->text();
        else if (auto* tabs = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                shown << Rendered(tabs->tabToolTip(i), Qt::AutoText);
        else if (auto* tree = qobject_cast<QTreeWidget*>(w))
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                AddItemTexts(shown, tree->topLevelItem(i));
    }
    return shown;
}

class HostileTextTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        MakeForm();
        // A picture that exists, so that markup would really show it: /dev/zero made the program read forever.
        picture = Dir().string() + "/small.png";
        owner = "<img src=\"" + picture + "\">";
        fileName = Path(programDir + "Carts/<h1>BIG<h1><font color=red>red.csv");
        auto list = CreateListObject(ltMedia);
        list->SetPlatform("Zentrix 64");
        list->SetOwner(owner);
        list->SetDescription(description);
        test::AddItem(*list, {{"Title", test::Text(title.c_str())}, {"Quantity", "1"}});
        std::filesystem::create_directories(programDir + "Carts");
        SaveListObject(list.get(), fileName, false, true);
    }

    // Shows Dialog the way the program does and takes what it shows while it is up.
    QStringList ShownWhileUp(QDialog& dialog)
    {
        QStringList shown;
        fake.dialogAnswers.push_back([&shown](QDialog& up) {
            shown = ShownTexts(up);
            return int(QDialog::Rejected);
        });
        ExecDialog(dialog);
        return shown;
    }

    static void ExpectShown(const char* window, const QStringList& shown, const QStringList& expected)
    {
        for (const QString& text : expected)
            EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [&](const QString& s) { return s.contains(text); }))
                << window << ": " << text.toStdString();
    }

    std::string picture, owner;
    Path fileName;
    const std::string description = "<h1>BIG</h1><font color=red>red</font>";
    const std::string caption = "<b>Ti</b><img src=\"x.png\">tle";
    const std::string title = "<i>Moon</i> Patrol";
};

TEST_F(HostileTextTest, EveryWindowShowsListTextAsTyped)
{
    const QString shownOwner = QString::fromStdString(owner);
    const QString shownDescription = QString::fromStdString(description);
    const QString shownTitle = QString::fromStdString(title);

    form->OpenListFile(fileName);
    ExpectShown("status panel after loading", ShownTexts(*form), {PathToQString(fileName) + " Loaded."});
    form->OpenListFile(WriteList("plain.csv", ltMedia, "Zentrix 64", {"A"}));
    form->OpenTabSetChange(0);
    ExpectShown("status panel and tab tooltip after a tab change", ShownTexts(*form),
                {shownOwner + ", " + shownDescription, PathToQString(fileName)});

    form->Explorer().BuildExplorerTree();
    QTreeWidgetItem* media = form->Explorer().Root(ExplorerRoot::Media);
    for (int i = 0; i < media->childCount(); ++i)
        media->child(i)->setExpanded(true);
    ExpectShown("explorer's information lines", ShownTexts(*form), {"Owner: " + shownOwner, shownDescription});

    {
        TListPropertyForm properties(platforms, form.get());
        properties.SetPlatform("Zentrix 64");
        properties.SetOwner(owner);
        properties.SetDescription(description);
        ExpectShown("list properties", ShownWhileUp(properties), {shownOwner, shownDescription});
    }
    {
        PropertyLayout layout;
        layout.Controls = {{40, 100, 150, 24, "Title", caption, 0, -1},
                           {100, 100, 150, 24, "Boxed", "<i>Boxed</i>", 0, -1}};
        SaveCdbLayout(ConfigPath("Properties_Media_Default.CDB"), layout);
        TCustomPropertyDialog dialog(form.get());
        dialog.Platform = "Zentrix 64";
        dialog.ListType = "Media";
        dialog.SetCaption("Edit Media");
        dialog.SetItem(form->CurrentList()->GetItem(0));
        ExpectShown("property dialog with captions from a layout file", ShownWhileUp(dialog),
                    {QString::fromStdString(caption), "<i>Boxed</i>", shownTitle});
    }
    {
        TInventoryForm inventory(form.get());
        inventory.SetList(form->CurrentList());
        ExpectShown("inventory window", ShownWhileUp(inventory), {shownTitle});
    }
    {
        TFieldOrderForm fieldOrder;
        TBinReportOptionsForm binReport(fieldOrder, form.get());
        binReport.SetListTypeName(owner);
        ExpectShown("bin report options", ShownWhileUp(binReport), {shownOwner + " per bin."});
    }
    EXPECT_TRUE(TakeMessages().empty());
}

// Every label below the main window (the windows it owns included) is plain text, the one fixed link
// apart, whatever it shows now.
TEST_F(HostileTextTest, EveryLabelOfTheMainWindowIsPlainText)
{
    for (const QLabel* label : form->findChildren<QLabel*>()) {
        const bool link = label->objectName() == "CartwellLink";
        EXPECT_EQ(label->textFormat(), link ? Qt::RichText : Qt::PlainText) << label->text().toStdString();
    }
}

// A list's owner and description show in one line of the status bar and the tab, whatever their
// line breaks and length; the panel keeps the whole text.
TEST_F(HostileTextTest, ListTextShowsAsOneLineInTheStatusBarAndTabs)
{
    const std::string owner = "Jo\r\nSmith", description = "Shelf\ntwo " + std::string(4 << 20, 'd');
    auto list = CreateListObject(ltMedia);
    list->SetPlatform("Zentrix 64");
    list->SetOwner(owner);
    list->SetDescription(description);
    const Path file(programDir + "Carts/long.csv");
    SaveListObject(list.get(), file, false, true);
    form->show();
    form->OpenListFile(WriteList("plain.csv", ltMedia, "Zentrix 64", {"A"}));
    const int oneLine = form->findChild<QLabel*>("StatusPanel1")->sizeHint().height();
    form->OpenListFile(file);
    form->OpenTabSetChange(0);
    form->OpenTabSetChange(1);
    EXPECT_EQ(form->StatusPanelText(0).toStdString(), owner + ", " + description);
    auto* panel = form->findChild<QLabel*>("StatusPanel0");
    EXPECT_EQ(panel->sizeHint().height(), oneLine);
    EXPECT_EQ(panel->minimumSizeHint().height(), oneLine);
    EXPECT_FALSE(form->TabText(1).contains('\n') || form->TabText(1).contains('\r'));
}

}  // namespace
}  // namespace quorvel
