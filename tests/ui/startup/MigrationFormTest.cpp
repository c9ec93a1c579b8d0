#include "ui/startup/MigrationForm.h"
#include "model/Utils.h"
#include "support/ConfigDirTest.h"
#include "support/qt/FakeServices.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace quorvel {
namespace {

class MigrationFormTest : public test::ConfigDirTest {
protected:
    void SetUp() override
    {
        ConfigDirTest::SetUp();  // a current configuration that each test overwrites
        G_ConfigFiles = Path(programDir + "Config/");
    }

    test::FakeServices fake;
};

TEST_F(MigrationFormTest, StaysUntilTheMigrationHasRunThenDoneSavesTheLog)
{
    WriteFile("Quorvel.ini", "[General]\r\nConfigVersion=CFG1.0\r\n");
    TMigrationForm form {Path(programDir)};
    auto* Timer1 = form.findChild<QTimer*>("Timer1");
    auto* DoneButton = form.findChild<QPushButton*>("DoneButton");
    auto* Memo1 = form.findChild<QPlainTextEdit*>("Memo1");
    form.show();
    EXPECT_TRUE(Timer1->isActive());
    EXPECT_FALSE(DoneButton->isEnabled());

    form.reject();  // Escape
    form.close();
    EXPECT_TRUE(form.isVisible());

    form.Timer1Timer();
    EXPECT_FALSE(Timer1->isActive());
    EXPECT_TRUE(DoneButton->isEnabled());
    EXPECT_TRUE(form.MigrationSucceeded());
    const QStringList lines = Memo1->toPlainText().split('\n');
    EXPECT_EQ(lines.first(), "Upgrading Configuration Information from Configuration Version 1.0...");
    EXPECT_EQ(lines.last(), "UpgradeComplete...");
    EXPECT_FALSE(Exists("MigrateLog.txt"));

    DoneButton->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(QString::fromStdString(ReadFile("MigrateLog.txt")), lines.join("\r\n") + "\r\n");
}

TEST_F(MigrationFormTest, AFailedMigrationIsNotTakenAsDone)
{
    // A file where the configuration folder belongs stops the migration even for root.
    WriteFile("Quorvel.ini", "[General]\r\nFirstTime=0\r\n[ReportList]\r\nCount=1\r\nRpt0=Shelf\r\n");
    WriteFile("Config", "in the way");
    TMigrationForm form {Path(programDir)};
    form.show();
    form.Timer1Timer();
    EXPECT_FALSE(form.MigrationSucceeded());
    EXPECT_TRUE(form.findChild<QPushButton*>("DoneButton")->isEnabled());
    EXPECT_TRUE(form.findChild<QPlainTextEdit*>("Memo1")->toPlainText().endsWith("tried again at the next start."));
    EXPECT_EQ(GetConfigVersionState(), ConfigVersionState::Old);
}

TEST_F(MigrationFormTest, CheckConfigVersionWarnsOnlyForAnUnknownVersion)
{
    for (auto [version, current, warnings] :
         {std::tuple {"CFG2.0", true, 0u}, {"CFG1.0", false, 0u}, {"CFG9.1", true, 1u}}) {
        fake.messages.clear();
        WriteFile("Quorvel.ini", std::string("[General]\r\nConfigVersion=") + version + "\r\n");
        EXPECT_EQ(CheckConfigVersion(), current) << version;
        ASSERT_EQ(fake.messages.size(), warnings) << version;
        EXPECT_TRUE(!warnings || fake.messages[0].text.contains("\"CFG9.1\""));
    }
}

}  // namespace
}  // namespace quorvel
