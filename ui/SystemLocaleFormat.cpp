#include "ui/SystemLocaleFormat.h"

#include "platform/qt/QtCp1252.h"

#include <QLocale>

#include <optional>

namespace quorvel {

namespace {

// The text in Windows-1252, or nothing when the code page lacks a character of it.
std::optional<std::string> Cp1252Text(const QString& text)
{
    std::string bytes = FromQString(text);
    if (ToQString(bytes) != text)
        return std::nullopt;
    return bytes;
}

char Separator(const QString& text, char fallback)
{
    if (const auto bytes = Cp1252Text(text); bytes && bytes->size() == 1)
        return (*bytes)[0];
    return text.size() == 1 && text[0].isSpace() ? '\xA0' : fallback;
}

// Qt's short date pattern with the year as four digits and the day and month as numbers; quoted
// literals are copied without their quotes.
std::string ShortDateFormat(const QString& pattern, const std::string& fallback)
{
    std::string format;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        if (c == QLatin1Char('\'')) {
            if (run % 2 == 0)
                format.append(run / 2, '\'');
            else
                quoted = !quoted;
        } else if (!quoted && (c == QLatin1Char('d') || c == QLatin1Char('M'))) {
            format.append(run >= 2 ? 2 : 1, c.toLatin1());
        } else if (!quoted && c == QLatin1Char('y')) {
            format += "yyyy";
        } else if (!quoted && c.isLetter()) {
            // a day name or era has no numeric form: left out
        } else if (const auto bytes = Cp1252Text(QString(run, c))) {
            for (char b : *bytes)
                format += b == 'd' || b == 'M' || b == 'y' ? ' ' : b;
        }
        i += run;
    }
    const bool complete = format.find('d') != std::string::npos && format.find('M') != std::string::npos &&
        format.find('y') != std::string::npos;
    return complete ? format : fallback;
}

}  // namespace

LocaleFormat LocaleFormatFrom(const QLocale& locale)
{
    LocaleFormat format;
    // No locale chosen: its short date names the month, which would come out as "7 12 2026".
    if (locale.language() == QLocale::C)
        return format;
    format.DecimalSeparator = Separator(locale.decimalPoint(), format.DecimalSeparator);
    format.ThousandSeparator = Separator(locale.groupSeparator(), '\0');
    if (format.ThousandSeparator == format.DecimalSeparator)
        format.ThousandSeparator = '\0';

    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    if (const auto bytes = Cp1252Text(symbol); bytes && !bytes->empty())
        format.CurrencySymbol = *bytes;
    else if (const auto code = Cp1252Text(locale.currencySymbol(QLocale::CurrencyIsoCode)); code && !code->empty())
        format.CurrencySymbol = *code;

    // Where the symbol goes, the blank beside it, the decimals and the negative form are read from
    // how the locale writes an amount.
    const QString positive = locale.toCurrencyString(1.5);
    const qsizetype at = symbol.isEmpty() ? -1 : positive.indexOf(symbol);
    if (at >= 0) {
        format.SymbolBeforeAmount = at == 0 || !positive.left(at).contains(QLatin1Char('1'));
        const qsizetype beside = format.SymbolBeforeAmount ? at + symbol.size() : at - 1;
        format.SpaceBetweenSymbolAndAmount = beside >= 0 && beside < positive.size() && positive[beside].isSpace();
    }
    const qsizetype point = positive.indexOf(locale.decimalPoint());
    int decimals = 0;
    if (point >= 0)
        for (qsizetype i = point + locale.decimalPoint().size(); i < positive.size() && positive[i].isDigit(); ++i)
            ++decimals;
    format.CurrencyDecimals = decimals;
    format.NegativeInParentheses = locale.toCurrencyString(-1.5).contains(QLatin1Char('('));

    format.ShortDateFormat = ShortDateFormat(locale.dateFormat(QLocale::ShortFormat), format.ShortDateFormat);
    return format;
}

}  // namespace quorvel
