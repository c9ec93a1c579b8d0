#include "reports/ChartData.h"

#include "model/LocaleFormat.h"

#include <cmath>
#include <cstdio>

namespace quorvel {

namespace {

// Two decimals at most, trailing zeros dropped, in the user's decimal separator.
std::string PercentText(double percent)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", percent);
    std::string text = buffer;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    if (const size_t dot = text.find('.'); dot != std::string::npos)
        text[dot] = LocaleFormat::Current().DecimalSeparator;
    if (text == "-0")
        text = "0";
    return text + " %";
}

}  // namespace

std::vector<std::string> ChartMarkTexts(const ChartData& data)
{
    std::vector<std::string> marks;
    marks.reserve(data.Points.size());
    if (data.Marks == TChartMarksStyle::LabelValue) {
        for (const ChartPoint& p : data.Points)
            marks.push_back(p.Label + " " + p.ValueText);
        return marks;
    }
    double sum = 0;
    for (const ChartPoint& p : data.Points)
        sum += p.Value;
    for (const ChartPoint& p : data.Points)
        marks.push_back(PercentText(sum == 0 || !std::isfinite(sum) ? 0.0 : p.Value * 100.0 / sum));
    return marks;
}

}  // namespace quorvel
