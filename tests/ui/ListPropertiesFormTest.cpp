#include "support/TempDir.h"
#include "support/qt/FakeServices.h"
#include "ui/ListPropertiesForm.h"
#include "config/PlatformList.h"
#include "ui/TextViewerForm.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace quorvel {
namespace {

class ListPropertiesFormTest : public ::testing::Test {
protected:
    ListPropertiesFormTest()
    {
        platforms.SetNames({"Zentrix 64", "korvo Handheld", "Arcadia"});
    }

    // Shows the dialog as the main window does and reads what the user sees.
    void Show(const std::function<void()>& work = [] {})
    {
        fake.dialogAnswers.push_back([work](QDialog&) {
            work();
            return int(QDialog::Accepted);
        });
        ExecDialog(form);
    }

    QComboBox* Box(const char* name) { return form.findChild<QComboBox*>(name); }
    QPushButton* OK() { return form.findChild<QPushButton*>("OKButton"); }

    test::FakeServices fake;
    PlatformList platforms;
    TListPropertyForm form{platforms};
};

TEST_F(ListPropertiesFormTest, ListTypeIsLockedOnlyForAKnownType)
{
    const struct {
        const char* given;
        const char* shown;
        bool open;
    } cases[] = {{"", "Media", true}, {"Hardware", "Hardware", false}, {"MEDIA", "Media", false},
                 {"Cartridge", "Media", true}};
    for (const auto& c : cases) {
        form.SetListType(c.given);
        form.SetPlatform("Zentrix 64");
        Show();
        EXPECT_EQ(form.GetListType(), c.shown) << c.given;
        EXPECT_EQ(Box("ListTypeCB")->isEnabled(), c.open) << c.given;
        EXPECT_EQ(form.focusWidget(), c.open ? Box("ListTypeCB") : Box("PlatformCB")) << c.given;
    }
}

TEST_F(ListPropertiesFormTest, PlatformsAreSortedAndOKWaitsForAConfiguredOne)
{
    form.SetListType("Media");
    form.SetPlatform("ZENTRIX 64");
    QStringList shown;
    for (int i = 0; i < Box("PlatformCB")->count(); ++i)
        shown << Box("PlatformCB")->itemText(i);
    EXPECT_EQ(shown, QStringList({"Arcadia", "korvo Handheld", "Zentrix 64"}));
    EXPECT_EQ(form.GetPlatform(), "Zentrix 64");

    form.SetPlatform("Retired Console");
    Show([this] {
        EXPECT_FALSE(OK()->isEnabled());
        Box("PlatformCB")->setCurrentIndex(1);
        EXPECT_TRUE(OK()->isEnabled());
    });
    EXPECT_EQ(form.GetPlatform(), "korvo Handheld");
}

TEST_F(ListPropertiesFormTest, OwnerAndDescriptionRoundTrip)
{
    form.SetOwner("Jo \x80 Collector");
    form.SetDescription("Shelf 2\nBox 7");
    EXPECT_EQ(form.GetOwner(), "Jo \x80 Collector");
    EXPECT_EQ(form.GetDescription(), "Shelf 2\nBox 7");
    EXPECT_EQ(form.windowTitle(), "Properties");
}

class TextViewerFormTest : public test::TempDirTest {};

TEST_F(TextViewerFormTest, ShowsWindows1252LinesWithAnyLineEnds)
{
    const struct {
        const char* bytes;
        QString shown;
    } cases[] = {{"a\r\nb\r\n", "a\nb"}, {"a\rb\nc", "a\nb\nc"}, {"\x80 1.0\n\nend", QString::fromUtf8("€ 1.0\n\nend")},
                 {"", ""}};
    for (const auto& c : cases) {
        WriteFile("revisions.txt", c.bytes);
        EXPECT_EQ(TTextViewerForm::FileText(PathOf("revisions.txt")), c.shown) << c.bytes;
    }
}

TEST_F(TextViewerFormTest, AMissingFileIsNamedInTheText)
{
    test::FakeServices fake;
    TTextViewerForm viewer;
    viewer.FileName = PathOf("license.txt");
    viewer.setWindowTitle("Quorvel Licensing");
    fake.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Accepted); });
    ExecDialog(viewer);
    EXPECT_EQ(viewer.findChild<QPlainTextEdit*>("Memo1")->toPlainText(),
              "Could not find the file " + QString::fromStdString(PathOf("license.txt")));

    WriteFile("license.txt", "Terms\r\n");
    fake.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Accepted); });
    ExecDialog(viewer);
    EXPECT_EQ(viewer.findChild<QPlainTextEdit*>("Memo1")->toPlainText(), "Terms");
}

}  // namespace
}  // namespace quorvel
