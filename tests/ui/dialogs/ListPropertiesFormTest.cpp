#include "platform/qt/PathText.h"
#include "ui/dialogs/ListPropertiesForm.h"
#include "ui/DialogTest.h"
#include "config/PlatformList.h"
#include "model/BaseCustomListClass.h"
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
    // An owner longer than a line edit keeps by default comes back whole.
    const std::string longOwner(40000, 'o');
    form.SetOwner(longOwner);
    EXPECT_EQ(form.GetOwner().size(), longOwner.size());
}

// OK is refused for properties that would make the list's line longer than a list file holds.
TEST_F(ListPropertiesFormTest, PropertiesThatWouldMakeALongLineAreRefusedOnOk)
{
    form.SetListType("Media");
    form.SetPlatform("Arcadia");
    form.SetOwner("Jo");
    // Quotes and line breaks are written as three bytes each; the line holds the rest. (Short lines
    // keep the edit quick.)
    const size_t room = TBaseCustomListClass::MaxLineBytes - std::string("\"Media\",\"Arcadia\",\"Jo\",\"\"").size();
    std::string fits;
    while (fits.size() + 100 <= room / 3)
        fits += std::string(99, '"') + "\n";
    fits += std::string(room / 3 - fits.size(), '"') + std::string(room % 3, 'd');
    auto* ok = form.findChild<QPushButton*>("OKButton");
    const int result = Run(form, [&] {
        form.SetDescription(fits + "d");
        ok->click();
        EXPECT_TRUE(form.isVisible());
        form.SetDescription(fits);
        ok->click();
        return form.result();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(fake.messages,
              (std::vector<test::ShownMessage> {
                  {test::MessageKind::Error,
                   QString::fromStdString("The owner and description would make the list's line longer than " +
                                          std::to_string(TBaseCustomListClass::MaxLineBytes) +
                                          " bytes, the most a line of a list file may hold.")}}));
    EXPECT_TRUE(form.GetDescription() == fits);
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
