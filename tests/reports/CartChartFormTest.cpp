#include "platform/qt/PathText.h"
#include "ui/reports/CartChartForm.h"

#include "model/ListFactory.h"
#include "model/ListTestSupport.h"
#include "support/TempDir.h"
#include "support/qt/FakeServices.h"
#include "ui/reports/ChartWidget.h"
#include "ui/reports/ChooseListTypeForm.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace quorvel {
namespace {

using test::AddItem;

class CartChartFormTest : public test::TempDirTest {
protected:
    std::unique_ptr<TBaseCustomListClass> MakeList(TListType type, const char* platform, int quantity)
    {
        auto list = CreateListObject(type);
        list->SetPlatform(platform);
        AddItem(*list, {{"Mfg", std::string("Acme")}, {"Quantity", quantity}});
        return list;
    }

    const std::string& Title() const { return form.findChild<TChartWidget*>("Chart1")->Data().Title; }

    test::FakeServices fake;
    TChooseListTypeForm chooser;
    TCartChartForm form {chooser};
};

// Escape closes the window as Exit does.
TEST_F(CartChartFormTest, EscapeCloses)
{
    form.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&form, &escape);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

// Without its list, or after a bad value, a chart command keeps the chart drawn before.
TEST_F(CartChartFormTest, NothingToChartKeepsTheChart)
{
    EXPECT_FALSE(form.ChartByManufacturer() || form.ChartCostVsValue() || form.ChartByPlatform());
    auto list = MakeList(ltMedia, "Zentari", 2);
    form.SetList(list.get());
    EXPECT_TRUE(form.ChartByRarity());
    AddItem(*list, {{"Condition", 12}});
    EXPECT_THROW(form.ChartByCondition(), TBaseCustomListClassException);
    EXPECT_EQ(Title(), "Media by Rarity - Zentari");
}

// The chooser is asked only for lists of mixed types; Cancel stops the chart.
TEST_F(CartChartFormTest, PlatformChartAsksForTheTypeOnlyWhenMixed)
{
    auto a = MakeList(ltMedia, "Zentari", 2), b = MakeList(ltMedia, "Orbix", 1);
    form.SetLists({a.get(), b.get()});
    ASSERT_TRUE(form.ChartByPlatform());
    auto h = MakeList(ltHardware, "Nebulon", 4);
    form.SetLists({a.get(), h.get(), b.get()});
    fake.dialogAnswers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    EXPECT_FALSE(form.ChartByPlatform());
    EXPECT_EQ(Title(), "Media by Platform ");
    fake.dialogAnswers.push_back([this](QDialog&) {
        chooser.findChild<QComboBox*>("ListTypeCB")->setCurrentIndex(1);
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(form.ChartByPlatform());
    EXPECT_EQ(Title(), "Hardware by Platform ");
    ASSERT_EQ(form.findChild<TChartWidget*>("Chart1")->Data().Points.size(), 1u);
    EXPECT_EQ(form.findChild<TChartWidget*>("Chart1")->Data().Points[0].Label, "Nebulon");
}

TEST_F(CartChartFormTest, SaveWritesTheBitmapInTheReportsFolderAndKeepsTheName)
{
    const QString folder = PathToQString(PathOf("Reports/"));
    form.SetSaveFolder(folder);
    const QString first = PathToQString(PathOf("pie"));
    fake.fileAnswers = {first, PathToQString(PathOf("gone/x.bmp")), std::nullopt};
    form.findChild<QPushButton*>("SaveButton")->click();
    form.findChild<QPushButton*>("SaveButton")->click();
    form.findChild<QPushButton*>("SaveButton")->click();
    ASSERT_EQ(fake.fileDialogs.size(), 3u);
    EXPECT_EQ(fake.fileDialogs[0].request.caption, "Save Chart as Bitmap");
    EXPECT_EQ(fake.fileDialogs[0].request.folder, folder);
    EXPECT_EQ(fake.fileDialogs[0].request.fileName, "chart.bmp");
    EXPECT_EQ(fake.fileDialogs[0].request.filter, "Windows Bitmap (*.BMP *.bmp)");
    EXPECT_EQ(fake.fileDialogs[1].request.fileName, first + ".BMP");
    QImage image;
    EXPECT_TRUE(image.load(first + ".BMP", "BMP"));
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].kind, test::MessageKind::Error);
    EXPECT_TRUE(fake.messages[0].text.startsWith("Unable to write to ")) << fake.messages[0].text.toStdString();
    // "pie" names the picture "pie.BMP": one question, the program's, and No keeps it.
    WriteFile("pie.BMP", "old");
    fake.fileAnswers = {first};
    fake.confirmAnswers = {false};
    form.findChild<QPushButton*>("SaveButton")->click();
    EXPECT_EQ(fake.messages.back(), (test::ShownMessage {test::MessageKind::WarningConfirmation,
                                                         "A file named \"" + first + ".BMP\" already exists.  Do you "
                                                                                    "wish to overwrite this file?"}));
    EXPECT_EQ(ReadFile("pie.BMP"), "old");
}

// A PDF page is wider than tall exactly when printed in landscape.
TEST_F(CartChartFormTest, PrintFollowsTheOrientation)
{
    for (const char* name : {"PortraitButton", "LandscapeButton"}) {
        auto* button = form.findChild<QRadioButton*>(name);
        const std::string file = button->text().toStdString() + ".pdf";
        form.SetPrintFileName(PathToQString(PathOf(file)));
        button->setChecked(true);
        form.findChild<QPushButton*>("PrintButton")->click();
        const auto box =
            QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])").match(QString::fromLatin1(ReadFile(file)));
        ASSERT_TRUE(box.hasMatch()) << file;
        EXPECT_EQ(box.captured(1).toDouble() > box.captured(2).toDouble(), name == std::string("LandscapeButton"));
    }
    EXPECT_TRUE(fake.messages.empty());
}

}  // namespace
}  // namespace quorvel
