#include "reports/ChartOperations.h"

#include "model/ListFactory.h"
#include "model/ListTestSupport.h"
#include "support/Checks.h"
#include "support/GlobalsTest.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvel {
namespace {

using test::AddItem;
using test::Text;
using Bars = std::vector<std::pair<std::string, double>>;
using Chart = std::function<ChartData(const TBaseCustomListClass&)>;

std::unique_ptr<TBaseCustomListClass> MakeList(TListType type, const char* platform, const char* owner = "")
{
    auto list = CreateListObject(type);
    list->SetPlatform(platform);
    list->SetOwner(owner);
    return list;
}

class ChartOperationsTest : public test::GlobalsTest { };

Bars BarsOf(const ChartData& d)
{
    Bars bars;
    for (const auto& p : d.Points)
        bars.emplace_back(p.Label, p.Value);
    return bars;
}

TEST_F(ChartOperationsTest, ManufacturersGroupIgnoringCaseWithoutTouchingTheList)
{
    auto list = MakeList(ltMedia, "Zentari", "Jo");
    for (auto [mfg, qty] : Bars {{"beta", 2}, {"Alpha", 1}, {"", 3}, {"alpha", 4}, {"BETA", 1}, {"<NONE>", 1}})
        AddItem(*list, {{"Title", mfg}, {"Mfg", mfg}, {"Quantity", int32_t(qty)}});
    AddItem(*list, {{"Title", Text("z")}, {"Quantity", Text("")}});  // never-set maker, blank quantity
    const auto before = test::Column(*list, "Mfg");
    G_SortField = "YEAR";
    G_SortDirection = -1;

    const ChartData d = ManufacturerChartData(*list);
    EXPECT_EQ(d.Title, "Media by Manufacturer - Zentari (Jo)");
    EXPECT_EQ(d.Marks, TChartMarksStyle::Percent);
    EXPECT_EQ(BarsOf(d), (Bars {{"<none>", 4}, {"Alpha", 5}, {"beta", 3}}));
    EXPECT_EQ(test::Column(*list, "Mfg"), before);
    EXPECT_EQ(G_SortField, "YEAR");
    EXPECT_EQ(G_SortDirection, -1);
}

TEST_F(ChartOperationsTest, RarityAndConditionAlwaysHaveElevenBars)
{
    for (auto [chart, field, title] :
         {std::tuple<Chart, const char*, const char*> {RarityChartData, "Rarity", "Media by Rarity - Zentari"},
          {ConditionChartData, "Condition", "Media by Condition  - Zentari"}}) {
        auto list = MakeList(ltMedia, "Zentari");
        EXPECT_EQ(chart(*list).Points.size(), 11u) << field;
        for (auto [value, qty] : std::vector<std::pair<FieldValue, int32_t>> {{7, 3}, {Text("0"), 1}, {10, 2}, {7, 1}})
            AddItem(*list, {{field, value}, {"Quantity", qty}});
        const ChartData d = chart(*list);
        EXPECT_EQ(d.Title, title);
        Bars expected;
        for (int v = 10; v >= 1; --v)
            expected.emplace_back(field + (" " + std::to_string(v)), v == 10 ? 2 : v == 7 ? 4 : 0);
        expected.emplace_back("Not Rated", 1);
        EXPECT_EQ(BarsOf(d), expected);
    }
}

TEST_F(ChartOperationsTest, CostAgainstValueSumsExactlyOncePerItem)
{
    auto list = MakeList(ltMedia, "Zentari", "Jo");
    AddItem(*list, {{"Cost", Text("10.00")}, {"Value", Text("0.10")}, {"Quantity", 5}});
    AddItem(*list, {{"Cost", Text("2.50")}, {"Value", Text("0.20")}, {"Quantity", 1}});
    AddItem(*list, {{"Cost", Text("")}, {"Value", Currency {1000}}});
    const ChartData d = CostVsValueChartData(*list);
    EXPECT_EQ(d.Title, "Media Cost Vs. Value - Zentari (Jo)");
    EXPECT_EQ(BarsOf(d), (Bars {{"Cost", 12.5}, {"Value", 0.4}}));
    EXPECT_EQ(ChartMarkTexts(d), (std::vector<std::string> {"Cost $12.50", "Value $0.40"}));
}

TEST_F(ChartOperationsTest, PercentMarks)
{
    for (auto [values, marks] : std::vector<std::pair<std::vector<double>, std::vector<std::string>>> {
             {{1, 3}, {"25 %", "75 %"}}, {{0, 0}, {"0 %", "0 %"}}, {{1, 2}, {"33.33 %", "66.67 %"}}}) {
        ChartData d;
        for (double v : values)
            d.Points.push_back({v, "", "", {}});
        EXPECT_EQ(ChartMarkTexts(d), marks);
    }
}

TEST_F(ChartOperationsTest, ValuesThatDoNotFitStopNamingItemAndField)
{
    const std::tuple<Chart, const char*, FieldValue, const char*> cases[] = {
        {ManufacturerChartData, "Quantity", Text("two"), "Invalid variant type conversion in item 2, field QUANTITY"},
        {ManufacturerChartData, "Quantity", Text("4294967297"), "Variant overflow in item 2, field QUANTITY"},
        {RarityChartData, "Rarity", 11, "Range check error in item 2, field RARITY"},
        {ConditionChartData, "Condition", Text("-1"), "Range check error in item 2, field CONDITION"},
        {ConditionChartData, "Condition", Text("4.5"), "Invalid variant type conversion in item 2, field CONDITION"},
        {CostVsValueChartData, "Value", Text("cheap"), "Invalid variant type conversion in item 2, field VALUE"},
        {CostVsValueChartData, "Cost", Currency {INT64_MAX}, "Variant overflow in item 2, field COST"},
    };
    for (const auto& [chart, field, value, message] : cases) {
        auto list = MakeList(ltMedia, "Zentari");
        AddItem(*list, {{"Cost", Currency {10000}}});
        AddItem(*list, {{field, value}});
        EXPECT_EQ(test::ErrorOf<TBaseCustomListClassException>([&, &f = chart] { f(*list); }), message);
    }
}

TEST_F(ChartOperationsTest, PlatformsOfTheChosenTypeInListOrder)
{
    auto a = MakeList(ltMedia, "Zentari"), b = MakeList(ltHardware, "Orbix"), c = MakeList(ltMedia, "Nebulon");
    for (int q : {2, 1})
        AddItem(*a, {{"Quantity", q}});
    AddItem(*b, {{"Quantity", 4}});
    EXPECT_TRUE(ListTypesMixed({a.get(), b.get(), c.get()}));
    EXPECT_FALSE(ListTypesMixed({a.get(), c.get()}));
    const ChartData d = PlatformChartData({a.get(), b.get(), c.get()}, ltMedia, "Media");
    EXPECT_EQ(d.Title, "Media by Platform ");
    EXPECT_EQ(BarsOf(d), (Bars {{"Zentari", 3}, {"Nebulon", 0}}));
}

}  // namespace
}  // namespace quorvel
