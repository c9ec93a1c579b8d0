#include "platform/qt/PathText.h"
#include "ui/dialogs/ListPropertiesForm.h"
#include "ui/DialogTest.h"
#include "config/PlatformList.h"
#include "ui/dialogs/TextViewerForm.h"

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
    TListPropertyForm form {platforms};
};

TEST_F(ListPropertiesFormTest, OnlyAKnownListTypeIsLockedOnlyAConfiguredPlatformPasses)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"", "Media", true}, {"Hardware", "Hardware", false}, {"MEDIA", "Media", false}, {"Disc", "Media", true}};
    for (const auto& [given, shown, open] : cases) {
        form.SetListType(given);
        Run(form);
        EXPECT_EQ(form.GetListType(), shown) << given;
        EXPECT_EQ(Box("ListTypeCB")->isEnabled(), open) << given;
        EXPECT_EQ(form.focusWidget(), Box(open ? "ListTypeCB" : "PlatformCB")) << given;
    }
    // Platforms are sorted; OK only once a configured one is chosen.
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
    EXPECT_EQ(memo->toPlainText(), "Could not find the file " + PathToQString(PathOf("revisions.txt")));
    const std::pair<const char*, QString> cases[] = {
        {"a\r\nb\r\n", "a\nb"}, {"a\rb\nc", "a\nb\nc"}, {"\x80 1.0\n\nend", QString::fromUtf8("€ 1.0\n\nend")}};
    for (const auto& [bytes, shown] : cases) {
        WriteFile("revisions.txt", bytes);
        Run(viewer);
        EXPECT_EQ(memo->toPlainText(), shown) << bytes;
    }
}

}  // namespace
}  // namespace quorvel
