#include "reports/ChartOperations.h"

#include "model/FieldSet.h"
#include "model/LocaleFormat.h"
#include "platform/Cp1252.h"
#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>

namespace quorvel {

namespace {

const char kNoMaker[] = "<none>";

// Reads one numeric field of many items, its position resolved once per field set. A missing field,
// a never-assigned value and a blank text (how an unset number is stored) count as 0.
class NumberReader {
public:
    explicit NumberReader(const char* fieldName) : positions_({fieldName}) { }

    int32_t Integer(const TBaseCustomClass& item, int64_t itemNumber)
    {
        return Read<int32_t>(item, itemNumber, PlainInteger, TryTextToInteger, TryToInteger, ToInteger);
    }

    Currency Money(const TBaseCustomClass& item, int64_t itemNumber)
    {
        return Read<Currency>(item, itemNumber, PlainMoney, TryTextToCurrency, TryToCurrency, ToCurrency);
    }

    // The model's wording for a value that stops an operation: what went wrong, the item, the field.
    [[noreturn]] static void Fail(const std::string& what, const TBaseCustomClass& item, int32_t p, int64_t itemNumber)
    {
        throw ItemValueError(what, itemNumber, item.Fields()[p].Name);
    }

    int32_t Position(const TBaseCustomClass& item) { return positions_.In(item.Fields())[0]; }

private:
    template <typename T, typename Plain, typename FromText, typename FromValue, typename Strict>
    T Read(const TBaseCustomClass& item, int64_t itemNumber, Plain plain, FromText fromText, FromValue fromValue,
           Strict strict)
    {
        const int32_t p = positions_.In(item.Fields())[0];
        if (p < 0)
            return T {};
        switch (item.KindAt(p)) {
        case ValueKind::Unassigned:
            return T {};
        case ValueKind::Text: {
            const std::string_view t = item.TextAt(p);
            if (auto v = plain(t))
                return *v;
            if (IsBlank(t))
                return T {};
            if (auto v = fromText(t))
                return *v;
            break;
        }
        default:
            if (auto v = fromValue(item.ValueAt(p)))
                return *v;
        }
        try {
            // What did not convert raises the model's own error, overflow or conversion.
            return strict(item.ValueAt(p));
        } catch (const std::runtime_error& e) {
            Fail(e.what(), item, p, itemNumber);
        }
    }

    // Most stored numbers are a few plain digits ("3", "12.50"); anything else takes the model's way.
    static std::optional<int32_t> PlainInteger(std::string_view t)
    {
        const auto v = PlainDigits(t);
        return v ? std::optional<int32_t>(static_cast<int32_t>(*v)) : std::nullopt;
    }

    static std::optional<int64_t> PlainDigits(std::string_view t)
    {
        if (t.empty() || t.size() > 9)
            return std::nullopt;
        int64_t v = 0;
        for (char c : t) {
            if (c < '0' || c > '9')
                return std::nullopt;
            v = v * 10 + (c - '0');
        }
        return v;
    }

    static std::optional<Currency> PlainMoney(std::string_view t)
    {
        const size_t dot = t.find('.');
        const std::string_view whole = t.substr(0, dot);
        const std::string_view fraction = dot == std::string_view::npos ? std::string_view() : t.substr(dot + 1);
        if (fraction.size() > 4 || (dot != std::string_view::npos && fraction.empty()))
            return std::nullopt;
        const auto units = PlainDigits(whole);
        if (!units)
            return std::nullopt;
        int64_t scaled = *units * Currency::Scale;
        int64_t place = Currency::Scale / 10;
        for (char c : fraction) {
            if (c < '0' || c > '9')
                return std::nullopt;
            scaled += (c - '0') * place;
            place /= 10;
        }
        return Currency {scaled};
    }

    FieldPositions positions_;
};

std::string TitleSuffix(const TBaseCustomListClass& list)
{
    return list.GetOwner().empty() ? std::string() : " (" + list.GetOwner() + ")";
}

std::string ListTitle(const TBaseCustomListClass& list, const char* middle)
{
    return list.GetListType() + middle + list.GetPlatform() + TitleSuffix(list);
}

ChartPoint CountPoint(int64_t total, std::string label, size_t barIndex)
{
    return {static_cast<double>(total), std::to_string(total), std::move(label), PaletteColor(barIndex)};
}

// Rarity and Condition: eleven totals of Quantity by the field's value.
ChartData TallyChart(const TBaseCustomListClass& list, const char* fieldName, const char* labelPrefix,
                     const char* titleMiddle)
{
    NumberReader value(fieldName), quantity("Quantity");
    std::array<int64_t, 11> totals {};
    int64_t number = 0;
    for (const auto& item : list.Items()) {
        ++number;
        const int32_t v = value.Integer(*item, number);
        if (v < 0 || v > 10)
            NumberReader::Fail("Range check error", *item, value.Position(*item), number);
        totals[static_cast<size_t>(v)] += quantity.Integer(*item, number);
    }
    ChartData data {ListTitle(list, titleMiddle), TChartMarksStyle::Percent, {}};
    for (int v = 10; v >= 1; --v)
        data.Points.push_back(CountPoint(totals[v], labelPrefix + std::to_string(v), data.Points.size()));
    data.Points.push_back(CountPoint(totals[0], "Not Rated", data.Points.size()));
    return data;
}

int64_t TotalQuantity(const TBaseCustomListClass& list)
{
    NumberReader quantity("Quantity");
    int64_t total = 0, number = 0;
    for (const auto& item : list.Items())
        total += quantity.Integer(*item, ++number);
    return total;
}

}  // namespace

ChartData ManufacturerChartData(const TBaseCustomListClass& list)
{
    struct Maker {
        std::string Key;  // lower case: what orders and groups the makers
        std::string Label;
        int64_t Total = 0;
    };
    std::vector<Maker> makers;
    std::unordered_map<std::string, size_t> byKey;
    FieldPositions mfgPosition({"Mfg"});
    NumberReader quantity("Quantity");
    const auto& lower = Cp1252::LowerTable();
    std::string key, spare;
    int64_t number = 0;
    for (const auto& item : list.Items()) {
        ++number;
        const int32_t p = mfgPosition.In(item->Fields())[0];
        std::string_view name;
        if (p >= 0 && item->KindAt(p) == ValueKind::Text) {
            name = item->TextAt(p);
        } else if (p >= 0 && item->KindAt(p) != ValueKind::Unassigned) {
            spare = ToText(item->ValueAt(p));
            name = spare;
        }
        key.clear();
        // An empty maker sorts first, as an empty text would; a maker spelt "<none>" joins it.
        if (!name.empty() && !Cp1252::EqualsNoCase(name, kNoMaker))
            for (char c : name)
                key += static_cast<char>(lower[static_cast<unsigned char>(c)]);
        auto found = byKey.find(key);
        if (found == byKey.end()) {
            found = byKey.emplace(key, makers.size()).first;
            makers.push_back({key, name.empty() ? std::string(kNoMaker) : std::string(name), 0});
        }
        makers[found->second].Total += quantity.Integer(*item, number);
    }
    // Byte order of the lower-case keys: the order of a stable ascending sort of the items by Mfg.
    std::sort(makers.begin(), makers.end(),
              [](const Maker& a, const Maker& b) { return std::string_view(a.Key).compare(b.Key) < 0; });
    ChartData data {ListTitle(list, " by Manufacturer - "), TChartMarksStyle::Percent, {}};
    data.Points.reserve(makers.size());
    for (Maker& m : makers)
        data.Points.push_back(CountPoint(m.Total, std::move(m.Label), data.Points.size()));
    return data;
}

ChartData RarityChartData(const TBaseCustomListClass& list)
{
    return TallyChart(list, "Rarity", "Rarity ", " by Rarity - ");
}

ChartData ConditionChartData(const TBaseCustomListClass& list)
{
    return TallyChart(list, "Condition", "Condition ", " by Condition  - ");
}

ChartData CostVsValueChartData(const TBaseCustomListClass& list)
{
    NumberReader cost("Cost"), value("Value");
    Currency costSum, valueSum;
    int64_t number = 0;
    auto add = [&](Currency& sum, NumberReader& reader, const TBaseCustomClass& item) {
        const Currency c = reader.Money(item, number);
        if (__builtin_add_overflow(sum.Scaled, c.Scaled, &sum.Scaled))
            NumberReader::Fail(VariantOverflowError().what(), item, reader.Position(item), number);
    };
    for (const auto& item : list.Items()) {
        ++number;
        add(costSum, cost, *item);
        add(valueSum, value, *item);
    }
    auto point = [](Currency sum, const char* label, size_t barIndex) {
        return ChartPoint {static_cast<double>(sum.Scaled) / Currency::Scale, LocaleFormat::Current().FormatMoney(sum),
                           label, PaletteColor(barIndex)};
    };
    return {ListTitle(list, " Cost Vs. Value - "),
            TChartMarksStyle::LabelValue,
            {point(costSum, "Cost", 0), point(valueSum, "Value", 1)}};
}

bool ListTypesMixed(const std::vector<const TBaseCustomListClass*>& lists)
{
    for (size_t i = 1; i < lists.size(); ++i)
        if (lists[i - 1]->Kind() != lists[i]->Kind())
            return true;
    return false;
}

ChartData PlatformChartData(const std::vector<const TBaseCustomListClass*>& lists, TListType listType,
                            const std::string& typeName)
{
    ChartData data {typeName + " by Platform ", TChartMarksStyle::Percent, {}};
    for (const TBaseCustomListClass* list : lists) {
        if (list->Kind() != listType)
            continue;
        data.Points.push_back(CountPoint(TotalQuantity(*list), list->GetPlatform(), data.Points.size()));
    }
    return data;
}

}  // namespace quorvel
