#include "ui/SystemLocaleFormat.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

// A system without a chosen locale keeps the program's own formats.
TEST(SystemLocaleCTest, TheCLocaleKeepsTheProgramFormats)
{
    const LocaleFormat format = LocaleFormatFrom(QLocale::c());
    EXPECT_EQ(format.FormatShortDate(2026, 12, 7), "12/7/2026");
    EXPECT_EQ(format.FormatMoney(Currency{-12345000}), LocaleFormat{}.FormatMoney(Currency{-12345000}));
}

}  // namespace
}  // namespace quorvel
