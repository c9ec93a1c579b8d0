#pragma once

#include "model/LocaleFormat.h"

class QLocale;

namespace quorvel {

// How a Qt locale shows numbers, money and short dates, as the display format the model uses. A
// separator or symbol Windows-1252 lacks is replaced (a space by a non-breaking space, a currency
// symbol by its ISO code); the year is always shown with four digits.
LocaleFormat LocaleFormatFrom(const QLocale& locale);

}  // namespace quorvel
