#include "reports/ChooseListTypeForm.h"

#include "support/qt/FakeServices.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

// Each showing starts from "Media", whatever the last use chose.
TEST(ChooseListTypeFormTest, EveryShowingStartsFromMediaAndReadsTheChoice)
{
    test::FakeServices fake;
    TChooseListTypeForm form;
    struct Case {
        int pick;
        int result;
        std::string chosen;
    };
    for (const Case& c : {Case{1, QDialog::Accepted, "Hardware"}, Case{-1, QDialog::Accepted, "Media"},
                          Case{1, QDialog::Rejected, "Hardware"}}) {
        QStringList seen;
        fake.dialogAnswers.push_back([&](QDialog&) {
            for (int i = 0; i < form.ListTypeCB->count(); ++i)
                seen << form.ListTypeCB->itemText(i);
            seen << form.ListTypeCB->currentText();
            if (c.pick >= 0)
                form.ListTypeCB->setCurrentIndex(c.pick);
            return c.result;
        });
        EXPECT_EQ(ExecDialog(form), c.result);
        EXPECT_EQ(seen, (QStringList{"Media", "Hardware", "Media"})) << c.chosen;
        EXPECT_EQ(form.GetListType(), c.chosen);
    }
    EXPECT_EQ(form.windowTitle(), "Choose List Type");
    EXPECT_FALSE(form.ListTypeCB->isEditable());
}

}  // namespace
}  // namespace quorvel
