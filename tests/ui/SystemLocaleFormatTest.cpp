#include "ui/SystemLocaleFormat.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct LocaleCase {
    const char* Name;
    char Decimal;
    const char* Money;  // -1234.5 as shown
    const char* Date;   // 7 March 2026 as shown
};

TEST(SystemLocaleFormatTest, NumbersMoneyAndShortDatesFollowTheLocale)
{
    const LocaleCase cases[] = {
        {"en_US", '.', "($1,234.50)", "3/7/2026"},
        // The euro sign is byte 0x80 of the code page.
        {"de_DE", ',', "-1.234,50 \x80", "07.03.2026"},
        // No chosen locale: the program's own formats, not the locale's spaced day, month and year.
        {"C", '.', "-$1,234.50", "3/7/2026"},
    };
    for (const auto& c : cases) {
        const LocaleFormat format = LocaleFormatFrom(QLocale(QString::fromLatin1(c.Name)));
        EXPECT_EQ(format.DecimalSeparator, c.Decimal) << c.Name;
        EXPECT_EQ(format.FormatMoney(Currency {-12345000}), c.Money) << c.Name;
        EXPECT_EQ(format.FormatShortDate(2026, 3, 7), c.Date) << c.Name;
    }
}

}  // namespace
}  // namespace quorvel
