#include "reports/ChooseListTypeForm.h"

#include "support/qt/FakeServices.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <tuple>

namespace quorvel {
namespace {

// Each showing starts from "Media", whatever the last use chose.
TEST(ChooseListTypeFormTest, EveryShowingStartsFromMediaAndReadsTheChoice)
{
    test::FakeServices fake;
    TChooseListTypeForm form;
    for (auto [pick, result, chosen] : {std::tuple{1, int(QDialog::Accepted), "Hardware"}, {-1, int(QDialog::Accepted), "Media"}}) {
        QStringList seen;
        fake.dialogAnswers.push_back([&](QDialog&) {
            for (int i = 0; i < form.ListTypeCB->count(); ++i)
                seen << form.ListTypeCB->itemText(i);
            seen << form.ListTypeCB->currentText();
            if (pick >= 0)
                form.ListTypeCB->setCurrentIndex(pick);
            return result;
        });
        EXPECT_EQ(ExecDialog(form), result);
        EXPECT_EQ(seen, (QStringList{"Media", "Hardware", "Media"}));
        EXPECT_EQ(form.GetListType(), chosen);
    }
}

}  // namespace
}  // namespace quorvel
