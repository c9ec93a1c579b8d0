#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <typeinfo>

#include "model/ItemClasses.h"
#include "model/ValueSlot.h"

namespace quorvel {
namespace {

std::string Bytes(unsigned char from, unsigned char to)
{
    std::string s;
    for (int b = from; b <= to; ++b)
        s += static_cast<char>(b);
    return s;
}

struct SlotCase {
    const char* Name;
    FieldValue Value;
};

const std::vector<SlotCase>& Cases()
{
    static const std::vector<SlotCase> cases = {
        {"never assigned", FieldValue {}},
        {"empty text", std::string()},
        {"short text", std::string("Cartridge")},
        {"14 bytes", std::string(14, 'a')},
        {"15 bytes", std::string(15, 'b')},
        {"16 bytes", std::string(16, 'c')},
        {"long text", std::string("Galactic Thunder: The Return of the Crystal Knights")},
        {"NUL inside short", std::string("a\0b\0", 4)},
        {"NUL inside long", std::string("\0first\0second\0third\0", 20)},
        {"only NUL", std::string(1, '\0')},
        {"high bytes short", std::string("\xC9toile \xFF\x80")},
        {"high bytes long", Bytes(0x80, 0xFF)},
        {"int32 min", std::numeric_limits<int32_t>::min()},
        {"int32 max", std::numeric_limits<int32_t>::max()},
        {"int zero", int32_t {0}},
        {"double", 1234.5678},
        {"double tiny", 5e-324},
        {"double huge", -1.7976931348623157e308},
        {"currency min", Currency {std::numeric_limits<int64_t>::min()}},
        {"currency max", Currency {std::numeric_limits<int64_t>::max()}},
        {"currency", Currency {-12345}},
        {"true", true},
        {"false", false},
    };
    return cases;
}

void ExpectHolds(const ValueSlot& slot, const FieldValue& value, const std::string& name)
{
    EXPECT_EQ(slot.Value(), value) << name;
    EXPECT_EQ(static_cast<size_t>(slot.Kind()), value.index()) << name;
    const auto* text = std::get_if<std::string>(&value);
    EXPECT_EQ(slot.Text(), text ? std::string_view(*text) : std::string_view()) << name;
}

TEST(ValueSlotTest, EveryKindRoundTrips)
{
    for (const auto& c : Cases()) {
        ExpectHolds(ValueSlot(c.Value), c.Value, c.Name);
        if (const auto* text = std::get_if<std::string>(&c.Value)) {
            ValueSlot slot;
            slot.SetText(*text);
            ExpectHolds(slot, c.Value, std::string(c.Name) + " by SetText");
        }
    }
    EXPECT_TRUE(std::signbit(std::get<double>(ValueSlot(FieldValue(-0.0)).Value())));
    EXPECT_EQ(ValueSlot().Kind(), ValueKind::Unassigned);
}

TEST(ValueSlotTest, SettingReplacesAnyKindWithAnyKind)
{
    for (const auto& before : Cases()) {
        for (const auto& after : Cases()) {
            ValueSlot slot(before.Value);
            slot.Set(after.Value);
            ExpectHolds(slot, after.Value, std::string(before.Name) + " -> " + after.Name);
        }
    }
}

TEST(ValueSlotTest, CopiesAndMovesAreIndependent)
{
    const std::string changed = "a replacement text longer than fits in place";
    for (const auto& c : Cases()) {
        ValueSlot original(c.Value);
        ValueSlot copy(original);
        ValueSlot assigned(FieldValue(std::string(40, 'x')));
        assigned = original;
        original.SetText(changed);
        ExpectHolds(copy, c.Value, std::string(c.Name) + " copy");
        ExpectHolds(assigned, c.Value, std::string(c.Name) + " assigned");

        ValueSlot moved(std::move(copy));
        ExpectHolds(moved, c.Value, std::string(c.Name) + " moved");
        ValueSlot moveAssigned(FieldValue(std::string(30, 'y')));
        moveAssigned = std::move(moved);
        ExpectHolds(moveAssigned, c.Value, std::string(c.Name) + " move-assigned");

        ValueSlot& self = moveAssigned;
        moveAssigned = self;
        moveAssigned = std::move(self);
        ExpectHolds(moveAssigned, c.Value, std::string(c.Name) + " self-assigned");
        EXPECT_EQ(original.Text(), changed);
    }
}

TEST(ValueSlotTest, TextFromItsOwnStorage)
{
    const std::string text = "0123456789abcdefghijklmnopqrstuvwxyz";
    struct Case {
        size_t From, Length;
    };
    for (const Case c : {Case {0, 36}, Case {2, 30}, Case {5, 15}, Case {1, 3}, Case {36, 0}}) {
        ValueSlot slot(FieldValue {text});
        slot.SetText(slot.Text().substr(c.From, c.Length));
        EXPECT_EQ(slot.Text(), text.substr(c.From, c.Length)) << c.From << "+" << c.Length;
    }
    ValueSlot shortSlot(FieldValue {std::string("abcdef")});
    shortSlot.SetText(shortSlot.Text().substr(2));
    EXPECT_EQ(shortSlot.Text(), "cdef");
}

// Every length that fits in place, from another text or from the slot's own bytes: each byte lands
// where it belongs (the bytes differ, so one taken from the wrong place shows), and the rest of the
// slot is zero, as the writer of the old layout left it.
TEST(ValueSlotTest, EveryShortLengthInPlace)
{
    const std::string text = Bytes(0x41, 0x60);
    for (size_t n = 0; n <= ValueSlot::kInlineText; ++n) {
        for (const size_t from : {size_t(0), (ValueSlot::kInlineText - n) / 2, ValueSlot::kInlineText - n}) {
            const std::string expected = text.substr(from, n);
            ValueSlot other(FieldValue {std::string(ValueSlot::kInlineText, 'z')});
            other.SetText(std::string_view(text).substr(from, n));
            ValueSlot own(FieldValue {text.substr(0, ValueSlot::kInlineText)});
            own.SetText(own.Text().substr(from, n));
            for (const ValueSlot* slot : {&other, &own}) {
                unsigned char bytes[sizeof(ValueSlot)];
                std::memcpy(bytes, static_cast<const void*>(slot), sizeof bytes);
                std::string wanted(sizeof bytes, '\0');
                wanted[0] = static_cast<char>(16 + n);
                wanted.replace(1, n, expected);
                EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), sizeof bytes), wanted)
                    << n << " from " << from << (slot == &own ? ", own bytes" : "");
            }
        }
    }
}

// A kind with more fields than any item object holds in place keeps its values in a block.
const FieldSet& WideFieldSet()
{
    static const FieldSet set = [] {
        FieldSet f;
        for (int i = 0; i < 40; ++i)
            f.AddField("F" + std::to_string(i), "F", dtString, false, std::string("d"));
        return f;
    }();
    return set;
}

class WideItem : public TBaseCustomClass {
public:
    WideItem() : TBaseCustomClass(WideFieldSet()) { }
};

TEST(ItemValuesTest, ClonesAndAssignedItemsAreIndependent)
{
    const std::string longText = "box crushed, \"rare\" variant from a 50% sale";
    std::vector<std::unique_ptr<TBaseCustomClass>> originals;
    originals.push_back(std::make_unique<TCartClass>());
    originals.push_back(std::make_unique<THardwareClass>());
    originals.push_back(std::make_unique<WideItem>());
    for (auto& original : originals) {
        const int32_t last = original->FieldCount() - 1;
        original->SetTextAt(0, longText);
        original->SetTextAt(last, "short");
        auto clone = original->Clone();
        auto assigned = original->Clone();
        assigned->ResetValues();
        assigned->Assign(*original);
        original->SetTextAt(0, "changed");
        original->SetValueAt(last, int32_t {7});
        original.reset();
        for (const auto* copy : {clone.get(), assigned.get()}) {
            EXPECT_EQ(copy->TextAt(0), longText) << copy->FieldCount();
            EXPECT_EQ(copy->TextAt(last), "short") << copy->FieldCount();
            EXPECT_TRUE(copy->Modified);
        }
        clone->SetTextAt(0, "other");
        EXPECT_EQ(assigned->TextAt(0), longText);
    }
    WideItem wide;
    EXPECT_EQ(wide.GetFieldValue("F39"), FieldValue(std::string("d")));
    // A clone is of its original's own kind.
    EXPECT_EQ(typeid(*TCartClass().Clone()), typeid(TCartClass));
    EXPECT_EQ(typeid(*THardwareClass().Clone()), typeid(THardwareClass));
}

}  // namespace
}  // namespace quorvel
