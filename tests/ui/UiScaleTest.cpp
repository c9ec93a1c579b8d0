#include "ui/UiScale.h"
#include "MainFormTest.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/explorer/CollectionExplorer.h"
#include "ui/reports/BinReportOptionsForm.h"
#include "ui/reports/ChooseListTypeForm.h"
#include "ui/reports/InventoryReportOptionsForm.h"
#include "ui/reports/TradeListForm.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QScrollBar>

namespace quorvel {
namespace {

TEST(UiScaleTest, IsOneAtEightPointsAndGrowsWithTheFont)
{
    const struct {
        double points, scale;
    } cases[] = {{6, 1}, {8, 1}, {12, 1.5}, {16, 2}};
    for (const auto& c : cases) {
        QFont font = QApplication::font();
        font.setPointSizeF(c.points);
        EXPECT_NEAR(UiScaleFor(font), c.scale, 0.15) << c.points;
    }
}

class DesktopFitTest : public test::MainFormTest {
protected:
    void TearDown() override
    {
        MainFormTest::TearDown();
        QApplication::setFont(original);
        RetakeUiScale();
    }
    const QFont original = QApplication::font();
};

// At the desktop font and at twice its size: default columns show their captions whole, the count
// panels their longest texts, the column-order dialog its captions; a stored width stays as stored.
TEST_F(DesktopFitTest, DefaultSizesCutNothingAndStoredWidthsStay)
{
    for (const double factor : {1.0, 2.0}) {
        QFont font = original;
        font.setPointSizeF(original.pointSizeF() * factor);
        QApplication::setFont(font);
        RetakeUiScale();
        MakeForm();
        WriteConfig("Media_View_Korvo Handheld.INI",
                    {"[CartListView_KorvoHandheld]", "Count=1", "Name0=Title", "Width0=123", "Field0=TITLE"});
        const struct {
            TListType kind;
            const char* platform;
            int storedWidth;  // of the first column; 0: none stored
        } lists[] = {{ltMedia, "Zentrix 64", 0}, {ltHardware, "Zentrix 64", 0}, {ltMedia, "Korvo Handheld", 123}};
        for (const auto& list : lists) {
            form->OpenListFile(WriteList(std::string(list.platform) + ".csv", list.kind, list.platform, {"A"}));
            const QHeaderView& header = *form->Grid().horizontalHeader();
            ASSERT_GT(header.count(), 1);
            for (int c = 0; c < header.count(); ++c) {
                if (c == 0 && list.storedWidth)
                    EXPECT_EQ(header.sectionSize(c), list.storedWidth);
                else
                    EXPECT_GE(header.sectionSize(c), header.sectionSizeHint(c)) << factor << list.platform << c;
            }
        }
        const std::pair<int, const char*> panels[] = {
            {1, "1000000 Media"}, {1, "1000000 Hardware"}, {2, "1000000 Rows"}, {3, "1000 ML"}, {4, "1000 HL"}};
        for (const auto& [i, text] : panels) {
            auto* panel = form->findChild<QLabel*>(QString("StatusPanel%1").arg(i));
            panel->setText(text);
            EXPECT_GE(panel->width(), panel->sizeHint().width()) << factor << text;
        }
        TFieldOrderForm& order = form->FieldOrderDialog();
        order.SetColumns(form->ListDisplay().GetColumns());
        const QTableView* rows = order.findChild<QTableView*>("ColumnList");
        for (int c = 0; c < 2; ++c)
            EXPECT_GE(rows->columnWidth(c), static_cast<const QAbstractItemView*>(rows)->sizeHintForColumn(c))
                << factor;
        form.reset();
        options.reset();
    }
}

// At both font sizes: the report dialogs and the list-type chooser are as wide as their captions need, and the Explorer first
// shows its roots and list names whole, or takes a third of the window.
TEST_F(DesktopFitTest, CaptionsAndTheFirstExplorerWidthFit)
{
    WriteList("A collectors rather long list name for the shelf.csv", ltMedia, "Zentrix 64", {"A"});
    for (const double factor : {1.0, 2.0}) {
        QFont font = original;
        font.setPointSizeF(original.pointSizeF() * factor);
        QApplication::setFont(font);
        RetakeUiScale();
        TFieldOrderForm order;
        TBinReportOptionsForm bin(order);
        TInventoryReportOptionsForm inventory(order);
        TTradeListForm trade(order);
        TChooseListTypeForm chooser;
        for (QDialog* dialog : std::initializer_list<QDialog*> {&bin, &inventory, &trade, &chooser}) {
            dialog->layout()->activate();
            EXPECT_GE(dialog->width(), CaptionWidthFor(dialog->windowTitle()))
                << factor << dialog->windowTitle().toStdString();
        }
        MakeForm();
        form->resize(1500, 900);
        form->show();
        QApplication::processEvents();  // the first show's sequence
        auto* tree = form->findChild<CollectionExplorer*>("CollectionTV");
        for (int r = 0; r < tree->topLevelItemCount(); ++r)
            tree->expandItem(tree->topLevelItem(r));
        QApplication::processEvents();
        if (tree->width() < form->width() / 3 - 2)
            EXPECT_EQ(tree->horizontalScrollBar()->maximum(), 0) << factor << " " << tree->width();
        else
            EXPECT_NEAR(tree->width(), form->width() / 3, 2) << factor;
        form.reset();
        options.reset();
    }
}

}  // namespace
}  // namespace quorvel
