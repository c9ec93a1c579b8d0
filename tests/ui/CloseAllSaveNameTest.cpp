#include "MainFormTest.h"

namespace quorvel {
namespace {

class CloseAllSaveNameTest : public test::MainFormTest {};

// Close All saves lists that are not current: each save dialog proposes the name of its own list.
TEST_F(CloseAllSaveNameTest, EachNewListIsOfferedItsOwnName)
{
    MakeForm();
    AnswerProperties({"Hardware", "Korvo Handheld", "Kim", ""});
    Lists().NewButtonClick();
    AnswerProperties({"Media", "Zentrix 64", "Sam", ""});
    Lists().NewButtonClick();
    fake.confirmAnswers = {true, true};
    fake.fileAnswers = {QString::fromStdString(programDir + "Hardware/k.csv"), std::nullopt};
    Lists().CloseAllListsMainMenuClick();
    ASSERT_EQ(fake.fileDialogs.size(), 2u);
    EXPECT_EQ(fake.fileDialogs[0].request.fileName.toStdString(), "Kim Korvo Handheld Hardware");
    EXPECT_EQ(fake.fileDialogs[0].request.folder.toStdString(), programDir + "Hardware/");
    EXPECT_EQ(fake.fileDialogs[1].request.fileName.toStdString(), "Sam Zentrix 64 Media");
}

}  // namespace
}  // namespace quorvel
