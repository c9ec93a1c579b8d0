#include <gtest/gtest.h>

#include <random>

#include "ListTestSupport.h"
#include "model/CartListClass.h"
#include "model/FieldValueIndex.h"

namespace quorvel {
namespace {

using test::AddItem;
using test::Text;

TEST(FinderTest, FindsTheFirstMatch)
{
    TCartListClass list;
    AddItem(list, {{"Title", Text("Star-Pilot")}});
    AddItem(list, {{"Title", Text("Comet Run")}, {"Quantity", int32_t {2}}});
    AddItem(list, {{"Title", Text("COMET RUN")}});
    // Field, value, the exact and the loose match.
    const std::tuple<const char*, const char*, int32_t, int32_t> cases[] = {
        {"Title", "comet run", 1, 1},  {"TITLE", "Comet Run", 1, 1}, {"Title", "star pilot", -1, 0},
        {"Title", "STARPILOT", -1, 0}, {"Title", "Nova", -1, -1},    {"Quantity", "2", 1, 1},
        {"Quantity", "1", 0, 0},       {"Nothing", "", 0, 0},        {"Nothing", "x", -1, -1},
        {"Title", "", -1, -1},
    };
    for (const auto& [field, value, exact, loose] : cases) {
        SCOPED_TRACE(std::string(field) + " " + value);
        EXPECT_EQ(list.IndexOfFieldValue(field, value), exact);
        EXPECT_EQ(list.IndexOfFieldValueLoose(field, value), loose);
        EXPECT_EQ(FieldValueIndex(list, field).Find(value), exact);
        EXPECT_EQ(FieldValueIndex(list, field, FieldValueIndex::Match::Loose).Find(value), loose);
    }
    TCartListClass empty;
    EXPECT_EQ(empty.IndexOfFieldValue("Title", ""), -1);
    EXPECT_EQ(FieldValueIndex(empty, "Title").Find(""), -1);
}

// The index must answer exactly what the scan answers, whatever the data.
TEST(FinderTest, IndexAgreesWithTheScanOnRandomData)
{
    std::mt19937 random(11);
    const std::string alphabet = "aAbB -.,'\xE9\xC9\x9A\x8A"
                                 "1";
    auto randomText = [&] {
        std::string s;
        for (size_t n = random() % 5; n > 0; --n)
            s += alphabet[random() % alphabet.size()];
        return s;
    };
    TCartListClass list;
    for (int i = 0; i < 400; ++i) {
        switch (random() % 4) {
        case 0:
            AddItem(list, {{"Title", randomText()}});
            break;
        case 1:
            AddItem(list, {{"Title", int32_t(random() % 20)}});
            break;
        case 2:
            AddItem(list, {{"Title", FieldValue {}}});
            break;
        default:
            AddItem(list, {{"Title", Currency {int64_t(random() % 30000)}}});
            break;
        }
    }
    const FieldValueIndex exact(list, "title");
    const FieldValueIndex loose(list, "title", FieldValueIndex::Match::Loose);
    for (int i = 0; i < 2000; ++i) {
        std::string wanted = random() % 3 ? randomText() : std::to_string(random() % 20);
        ASSERT_EQ(exact.Find(wanted), list.IndexOfFieldValue("Title", wanted)) << wanted;
        ASSERT_EQ(loose.Find(wanted), list.IndexOfFieldValueLoose("Title", wanted)) << wanted;
    }
}

}  // namespace
}  // namespace quorvel
