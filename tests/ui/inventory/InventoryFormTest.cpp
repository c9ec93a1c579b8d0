#include "ui/inventory/InventoryForm.h"
#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/IniFile.h"
#include "support/GlobalsTest.h"
#include "support/qt/FakeServices.h"
#include "ui/dialogs/CustomPropertyDialog.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/inventory/InventoryFormModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace quorvel {
namespace {

class InventoryFormTest : public test::GlobalsTest {
protected:
    void SetUp() override
    {
        GlobalsTest::SetUp();
        G_ConfigFile = PathOf("Quorvel.ini");
        list = CreateListObject(ltMedia);
        list->SetListType("Media");
        list->SetPlatform("Zentrix 64");
        for (auto [title, qty] : {std::pair {"Moon Patrol", 2}, std::pair {"alpha", 1}, std::pair {"Brick Run", 5}}) {
            auto item = list->CreateItem();
            item->SetFieldValue("Title", std::string(title));
            item->SetFieldValue("Quantity", int32_t(qty));
            item->Modified = false;
            list->Add(std::move(item));
        }
        form.SetList(list.get());
    }

    // Shows the window the way the main window does; Work runs while it is up.
    void Run(const std::function<void()>& work)
    {
        fake.dialogAnswers.push_back([work](QDialog& dialog) {
            work();
            return dialog.isVisible() ? int(QDialog::Rejected) : dialog.result();
        });
        ExecDialog(form);
    }

    int Qty(int index) const { return ToInteger(list->GetItem(index)->GetFieldValue("Quantity")); }
    QString Title(int row) const { return form.Model().index(row, 0).data().toString(); }

    void Key(QWidget* target, int key, const QString& text)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &event);
    }

    test::FakeServices fake;
    std::unique_ptr<TBaseCustomListClass> list;
    TInventoryForm form;
    // The window's controls, found by their object names.
    QPushButton* Button1 = form.findChild<QPushButton*>("Button1");
    QLineEdit* CurrentCountEdit = form.findChild<QLineEdit*>("CurrentCountEdit");
    QPushButton* DecQtyButton = form.findChild<QPushButton*>("DecQtyButton");
    QPushButton* IncQtyButton = form.findChild<QPushButton*>("IncQtyButton");
    QTableView* InventoryList = form.findChild<QTableView*>("InventoryList");
    QLineEdit* NewCountEdit = form.findChild<QLineEdit*>("NewCountEdit");
    QPushButton* NextButton = form.findChild<QPushButton*>("NextButton");
    QPushButton* PropertiesButton = form.findChild<QPushButton*>("PropertiesButton");
    QLineEdit* TitleEdit = form.findChild<QLineEdit*>("TitleEdit");
};

TEST_F(InventoryFormTest, CountButtonsAndKeysKeepAFloorOfOne)
{
    Run([&] {
        EXPECT_EQ(TitleEdit->text(), "Moon Patrol");
        EXPECT_EQ(CurrentCountEdit->text(), "2");
        const struct {
            std::function<void()> act;
            const char* expected;
        } steps[] = {
            {[&] { DecQtyButton->click(); }, "1"},
            {[&] { DecQtyButton->click(); }, "1"},
            {[&] { IncQtyButton->click(); }, "2"},
            {[&] { Key(NewCountEdit, Qt::Key_Equal, "="); }, "3"},
            {[&] { Key(InventoryList, Qt::Key_Plus, "+"); }, "4"},
            {[&] { Key(NewCountEdit, Qt::Key_Underscore, "_"); }, "3"},
            {[&] {
                 NewCountEdit->clear();
                 IncQtyButton->click();
             },
             "3"},  // empty counts as current
        };
        for (const auto& s : steps) {
            s.act();
            EXPECT_EQ(NewCountEdit->text(), s.expected);
        }
        Key(NewCountEdit, Qt::Key_X, "x");  // only whole numbers get in
        EXPECT_EQ(NewCountEdit->text(), "3");
        Button1->click();
    });
    EXPECT_EQ(Qty(0), 2);
}

TEST_F(InventoryFormTest, LeavingARowKeepsADifferentCountOnly)
{
    Run([&] {
        Key(InventoryList, Qt::Key_Return, "\r");  // equal count: nothing changes
        EXPECT_FALSE(list->GetItem(0)->Modified);
        EXPECT_TRUE(form.Model().IsChecked(0));
        EXPECT_EQ(TitleEdit->text(), "alpha");

        NewCountEdit->setText("7");
        InventoryList->selectionModel()->setCurrentIndex(form.Model().index(2, 0), QItemSelectionModel::ClearAndSelect);
        EXPECT_EQ(Qty(1), 7);
        EXPECT_TRUE(list->GetItem(1)->Modified);
        EXPECT_FALSE(form.Model().IsChecked(1));

        // Next on the last row stays there and ticks it again; an empty New Qty changes nothing.
        NewCountEdit->clear();
        NextButton->click();
        form.Model().SetChecked(2, false);
        NextButton->click();
        EXPECT_EQ(InventoryList->currentIndex().row(), 2);
        EXPECT_TRUE(form.Model().IsChecked(2));
        EXPECT_EQ(Qty(2), 5);

        NewCountEdit->setText("9");
        Button1->click();  // the pending 9 is dropped, the 7 stays
    });
    EXPECT_EQ(Qty(1), 7);
    EXPECT_EQ(Qty(2), 5);

    form.SetList(list.get());
    Run([&] {
        // A new showing starts at the top with nothing ticked; Escape keeps the pending count.
        EXPECT_EQ(TitleEdit->text(), "Moon Patrol");
        EXPECT_FALSE(form.Model().IsChecked(0));
        NewCountEdit->setText("4");
        Key(&form, Qt::Key_Escape, "");
    });
    EXPECT_EQ(Qty(0), 4);
    const IniFile ini = IniFile::Load(G_ConfigFile);
    EXPECT_EQ(ini.ReadString("CustomInventoryHeader", "CustomHeader", ""), "1");
    EXPECT_EQ(ini.ReadString("CustomInventoryHeader", "Field0", ""), "TITLE");
}

TEST_F(InventoryFormTest, ColumnClicksSortExactlyAndChecksFollowItems)
{
    Run([&] {
        form.Model().SetChecked(2, true);  // Brick Run
        // Column 0 is already the sort column: the first click reverses; a column that is not there keeps the order.
        for (auto [section, order] : {std::pair {0, "alpha|Moon Patrol|Brick Run"},
                                      {0, "Brick Run|Moon Patrol|alpha"},
                                      {99, "Brick Run|Moon Patrol|alpha"}}) {
            form.InventoryListColumnClick(section);
            EXPECT_EQ(QStringList({Title(0), Title(1), Title(2)}).join('|'), order) << section;
        }
        EXPECT_TRUE(form.Model().IsChecked(0));
        EXPECT_EQ(form.Model().ItemIndexOfRow(0), 2);
        EXPECT_EQ(TitleEdit->text(), "Moon Patrol");  // the selected item stays current
        Button1->click();
    });
}

TEST_F(InventoryFormTest, PropertiesKeepsThePendingCountFirstAndCustomizeAppliesOnOk)
{
    TCustomPropertyDialog properties;
    TFieldOrderForm fieldOrder;
    form.PropertyDialog = &properties;
    form.FieldOrderForm = &fieldOrder;
    Run([&] {
        NewCountEdit->setText("3");
        fake.dialogAnswers.push_back([&](QDialog&) {
            EXPECT_EQ(properties.windowTitle(), "Edit Media");
            EXPECT_EQ(properties.Item, list->GetItem(0));
            EXPECT_EQ(properties.Platform, "Zentrix 64");
            EXPECT_EQ(Qty(0), 3);
            return int(QDialog::Accepted);
        });
        PropertiesButton->click();

        const int columns = form.Model().columnCount();
        for (int answer : {int(QDialog::Rejected), int(QDialog::Accepted)}) {
            fake.dialogAnswers.push_back([&, answer](QDialog&) {
                fieldOrder.UnCheckAllButtonClick();
                return answer;
            });
            form.Customize1Click();
        }
        EXPECT_GT(columns, 0);
        EXPECT_EQ(form.Model().columnCount(), 0);
        EXPECT_EQ(ReadIniString(G_ConfigFile, "CustomInventoryHeader", "Hidden0", ""), "1");
        Button1->click();
    });
    EXPECT_TRUE(fake.dialogAnswers.empty());
}

}  // namespace
}  // namespace quorvel
