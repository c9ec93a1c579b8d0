#include "DialogTest.h"
#include "config/PlatformList.h"
#include "ui/ListPropertiesForm.h"
#include "ui/TextViewerForm.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace quorvel {
namespace {

class ListPropertiesFormTest : public test::DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        platforms.SetNames({"Zentrix 64", "korvo Handheld", "Arcadia"});
    }
    QComboBox* Box(const char* name) { return form.findChild<QComboBox*>(name); }

    PlatformList platforms;
    TListPropertyForm form{platforms};
};

TEST_F(ListPropertiesFormTest, OnlyAKnownListTypeIsLocked)
{
    const struct {
        const char* given;
        const char* shown;
        bool open;
    } cases[] = {{"", "Media", true}, {"Hardware", "Hardware", false}, {"MEDIA", "Media", false}, {"Disc", "Media", true}};
    for (const auto& c : cases) {
        form.SetListType(c.given);
        Run(form);
        EXPECT_EQ(form.GetListType(), c.shown) << c.given;
        EXPECT_EQ(Box("ListTypeCB")->isEnabled(), c.open) << c.given;
        EXPECT_EQ(form.focusWidget(), Box(c.open ? "ListTypeCB" : "PlatformCB")) << c.given;
    }
}

TEST_F(ListPropertiesFormTest, SortedPlatformsAndOKOnlyForAConfiguredOne)
{
    form.SetPlatform("ZENTRIX 64");
    EXPECT_EQ(Entries(Box("PlatformCB")), QStringList({"Arcadia", "korvo Handheld", "Zentrix 64"}));
    EXPECT_EQ(form.GetPlatform(), "Zentrix 64");
    form.SetPlatform("Retired Console");
    auto* ok = form.findChild<QPushButton*>("OKButton");
    Run(form, [&] {
        EXPECT_FALSE(ok->isEnabled());
        Box("PlatformCB")->setCurrentIndex(1);
        EXPECT_TRUE(ok->isEnabled());
        return int(QDialog::Accepted);
    });
    form.SetOwner("Jo \x80");
    form.SetDescription("Shelf 2\nBox 7");
    EXPECT_EQ(std::vector<std::string>({form.GetPlatform(), form.GetOwner(), form.GetDescription()}),
              std::vector<std::string>({"korvo Handheld", "Jo \x80", "Shelf 2\nBox 7"}));
}

TEST_F(ListPropertiesFormTest, TextViewerReadsWindows1252WithAnyLineEndsOrNamesAMissingFile)
{
    TTextViewerForm viewer;
    viewer.FileName = PathOf("revisions.txt");
    auto* memo = viewer.findChild<QPlainTextEdit*>("Memo1");
    Run(viewer);
    EXPECT_EQ(memo->toPlainText(), "Could not find the file " + QString::fromStdString(PathOf("revisions.txt")));
    const struct {
        const char* bytes;
        QString shown;
    } cases[] = {{"a\r\nb\r\n", "a\nb"}, {"a\rb\nc", "a\nb\nc"}, {"\x80 1.0\n\nend", QString::fromUtf8("€ 1.0\n\nend")}};
    for (const auto& c : cases) {
        WriteFile("revisions.txt", c.bytes);
        Run(viewer);
        EXPECT_EQ(memo->toPlainText(), c.shown) << c.bytes;
    }
}

}  // namespace
}  // namespace quorvel
