#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

struct ChartRgb {
    uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(const ChartRgb&, const ChartRgb&) = default;
};

// The bar colours, taken in order and from the start again after the last.
inline constexpr std::array<ChartRgb, 18> kChartPalette {{
    {255, 255, 255},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {128, 128, 128},
    {192, 192, 192},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 0},
}};

inline ChartRgb PaletteColor(size_t barIndex) { return kChartPalette[barIndex % kChartPalette.size()]; }

// What the text at each bar shows.
enum class TChartMarksStyle { Percent, LabelValue };

struct ChartPoint {
    double Value = 0;       // the bar's length
    std::string ValueText;  // the value as the marks show it (exact, e.g. money)
    std::string Label;      // Windows-1252, like every text of the model
    ChartRgb Color;
};

// One horizontal bar chart: points in the order added, the first drawn at the top.
struct ChartData {
    std::string Title;
    TChartMarksStyle Marks = TChartMarksStyle::Percent;
    std::vector<ChartPoint> Points;
};

// The mark of every point: its share of the sum of all bars ("0 %" when they sum to 0), or its
// label and value.
std::vector<std::string> ChartMarkTexts(const ChartData& data);

}  // namespace quorvel
