#include "MainFormTest.h"

namespace quorvel {
namespace {

class ListPropertiesTabTest : public test::MainFormTest {};

TEST_F(ListPropertiesTabTest, TheTabShowsTheNewPlatformAndOwnerAtOnce)
{
    MakeForm();
    settings->SetSetting("ShowOwner", "1");
    form->OpenListFile(WriteList("a.csv", ltMedia, "Zentrix 64", {"One"}));
    form->RefreshTabs();
    ASSERT_EQ(form->TabText(0).toStdString(), "Zentrix 64 - Sam");
    AnswerProperties({"Media", "Vexa Drive", "Pat", ""});
    Lists().ListPropertiesTabPopupMenuClick();
    EXPECT_EQ(form->TabText(0).toStdString(), "Vexa Drive - Pat");
}

}  // namespace
}  // namespace quorvel
