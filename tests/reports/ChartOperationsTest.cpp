#include "reports/ChartOperations.h"

#include "model/ListFactory.h"
#include "model/ListTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvel {
namespace {

using test::AddItem;
using test::Text;

std::unique_ptr<TBaseCustomListClass> MakeList(TListType type, const char* platform, const char* owner = "")
{
    auto list = CreateListObject(type);
    list->SetPlatform(platform);
    list->SetOwner(owner);
    return list;
}

std::vector<std::string> Labels(const ChartData& d)
{
    std::vector<std::string> v;
    for (const auto& p : d.Points) v.push_back(p.Label);
    return v;
}

std::vector<double> Values(const ChartData& d)
{
    std::vector<double> v;
    for (const auto& p : d.Points) v.push_back(p.Value);
    return v;
}

TEST(ChartOperationsTest, ManufacturersGroupIgnoringCaseWithoutTouchingTheList)
{
    auto list = MakeList(ltMedia, "Zentari", "Jo");
    for (auto [mfg, qty] : std::vector<std::pair<const char*, int>>{
             {"beta", 2}, {"Alpha", 1}, {"", 3}, {"alpha", 4}, {"BETA", 1}, {"<NONE>", 1}})
        AddItem(*list, {{"Title", Text(mfg)}, {"Mfg", Text(mfg)}, {"Quantity", qty}});
    AddItem(*list, {{"Title", Text("z")}, {"Quantity", Text("")}});  // never-set maker, blank quantity
    const auto before = test::Column(*list, "Mfg");
    G_SortField = "YEAR";
    G_SortDirection = -1;

    const ChartData d = ManufacturerChartData(*list);
    EXPECT_EQ(d.Title, "Media by Manufacturer - Zentari (Jo)");
    EXPECT_EQ(d.Marks, TChartMarksStyle::Percent);
    EXPECT_EQ(Labels(d), (std::vector<std::string>{"<none>", "Alpha", "beta"}));
    EXPECT_EQ(Values(d), (std::vector<double>{4, 5, 3}));
    EXPECT_EQ(test::Column(*list, "Mfg"), before);
    EXPECT_EQ(G_SortField, "YEAR");
    EXPECT_EQ(G_SortDirection, -1);
}

TEST(ChartOperationsTest, ColoursRunThroughThePaletteAndStartAgain)
{
    auto list = MakeList(ltHardware, "Orbix");
    for (char c = 'a'; c < 'a' + 20; ++c) AddItem(*list, {{"Mfg", std::string(1, c)}});
    const ChartData d = ManufacturerChartData(*list);
    ASSERT_EQ(d.Points.size(), 20u);
    EXPECT_EQ(d.Title, "Hardware by Manufacturer - Orbix");
    for (size_t i = 0; i < 20; ++i) EXPECT_EQ(d.Points[i].Color, kChartPalette[i % 18]) << i;
    EXPECT_EQ(d.Points[18].Color, (ChartRgb{255, 255, 255}));
    EXPECT_EQ(d.Points[19].Color, (ChartRgb{128, 0, 0}));
}

TEST(ChartOperationsTest, RarityAndConditionAlwaysHaveElevenBars)
{
    struct Case {
        std::function<ChartData(const TBaseCustomListClass&)> chart;
        const char* field;
        const char* prefix;
        const char* title;
    };
    for (const Case& c : {Case{RarityChartData, "Rarity", "Rarity ", "Media by Rarity - Zentari"},
                          Case{ConditionChartData, "Condition", "Condition ", "Media by Condition  - Zentari"}}) {
        auto list = MakeList(ltMedia, "Zentari");
        EXPECT_EQ(c.chart(*list).Points.size(), 11u) << c.field;
        AddItem(*list, {{c.field, 7}, {"Quantity", 3}});
        AddItem(*list, {{c.field, Text("0")}, {"Quantity", 1}});
        AddItem(*list, {{c.field, 10}, {"Quantity", 2}});
        AddItem(*list, {{c.field, 7}, {"Quantity", 1}});
        const ChartData d = c.chart(*list);
        EXPECT_EQ(d.Title, c.title);
        ASSERT_EQ(d.Points.size(), 11u);
        for (size_t i = 0; i < 10; ++i) EXPECT_EQ(d.Points[i].Label, c.prefix + std::to_string(10 - i));
        EXPECT_EQ(d.Points[10].Label, "Not Rated");
        EXPECT_EQ(Values(d), (std::vector<double>{2, 0, 0, 4, 0, 0, 0, 0, 0, 0, 1}));
        for (size_t i = 0; i < 11; ++i) EXPECT_EQ(d.Points[i].Color, kChartPalette[i]);
    }
}

TEST(ChartOperationsTest, CostAgainstValueSumsExactlyOncePerItem)
{
    auto list = MakeList(ltMedia, "Zentari", "Jo");
    AddItem(*list, {{"Cost", Text("10.00")}, {"Value", Text("0.10")}, {"Quantity", 5}});
    AddItem(*list, {{"Cost", Text("2.50")}, {"Value", Text("0.20")}, {"Quantity", 1}});
    AddItem(*list, {{"Cost", Text("")}, {"Value", Currency{1000}}});
    const ChartData d = CostVsValueChartData(*list);
    EXPECT_EQ(d.Title, "Media Cost Vs. Value - Zentari (Jo)");
    EXPECT_EQ(Labels(d), (std::vector<std::string>{"Cost", "Value"}));
    EXPECT_EQ(d.Points[0].Value, 12.5);
    EXPECT_EQ(d.Points[1].Color, kChartPalette[1]);
    EXPECT_EQ(ChartMarkTexts(d), (std::vector<std::string>{"Cost $12.50", "Value $0.40"}));
}

TEST(ChartOperationsTest, PercentMarks)
{
    struct Case {
        std::vector<double> values;
        std::vector<std::string> marks;
    };
    for (const Case& c : {Case{{1, 3}, {"25 %", "75 %"}}, Case{{0, 0}, {"0 %", "0 %"}},
                          Case{{1, 2}, {"33.33 %", "66.67 %"}}}) {
        ChartData d;
        for (double v : c.values) d.Points.push_back({v, "", "", {}});
        EXPECT_EQ(ChartMarkTexts(d), c.marks);
    }
}

TEST(ChartOperationsTest, ValuesThatDoNotFitStopNamingItemAndField)
{
    struct Case {
        std::function<ChartData(const TBaseCustomListClass&)> chart;
        const char* field;
        FieldValue value;
        const char* message;
    };
    const Case cases[] = {
        {ManufacturerChartData, "Quantity", Text("two"), "Invalid variant type conversion in item 2, field QUANTITY"},
        {RarityChartData, "Rarity", 11, "Range check error in item 2, field RARITY"},
        {ConditionChartData, "Condition", Text("-1"), "Range check error in item 2, field CONDITION"},
        {ConditionChartData, "Condition", Text("4.5"), "Invalid variant type conversion in item 2, field CONDITION"},
        {CostVsValueChartData, "Value", Text("cheap"), "Invalid variant type conversion in item 2, field VALUE"},
        {CostVsValueChartData, "Cost", Currency{INT64_MAX}, "Variant overflow in item 2, field COST"},
    };
    for (const Case& c : cases) {
        auto list = MakeList(ltMedia, "Zentari");
        AddItem(*list, {{"Cost", Currency{10000}}});
        AddItem(*list, {{c.field, c.value}});
        try {
            c.chart(*list);
            ADD_FAILURE() << c.message;
        } catch (const TBaseCustomListClassException& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(ChartOperationsTest, PlatformsOfTheChosenTypeInListOrder)
{
    auto a = MakeList(ltMedia, "Zentari"), b = MakeList(ltHardware, "Orbix"), c = MakeList(ltMedia, "Nebulon");
    AddItem(*a, {{"Quantity", 2}});
    AddItem(*a, {{"Quantity", 1}});
    AddItem(*b, {{"Quantity", 4}});
    EXPECT_TRUE(ListTypesMixed({a.get(), b.get(), c.get()}));
    EXPECT_FALSE(ListTypesMixed({a.get(), c.get()}));
    const ChartData d = PlatformChartData({a.get(), b.get(), c.get()}, ltMedia, "Media");
    EXPECT_EQ(d.Title, "Media by Platform ");
    EXPECT_EQ(Labels(d), (std::vector<std::string>{"Zentari", "Nebulon"}));
    EXPECT_EQ(Values(d), (std::vector<double>{3, 0}));
}

}  // namespace
}  // namespace quorvel
