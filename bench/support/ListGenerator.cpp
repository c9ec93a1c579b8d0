#include "support/ListGenerator.h"

#include <random>
#include <vector>

namespace quorvel::bench {

namespace {

const char* const kTitleWords[] = {
    "Galactic", "Turbo",  "Dungeon", "Comet",  "Pixel", "Thunder", "Crystal", "Shadow", "Rally",  "Quest",    "Blaster",
    "Knights",  "Harbor", "Jungle",  "Robo",   "Sky",   "Dragon",  "Neon",    "Frost",  "Canyon", "Orbit",    "Mystic",
    "Rocket",   "Castle", "Marble",  "Tunnel", "Volt",  "Lagoon",  "Circuit", "Ember",  "Zephyr", "\xC9toile"};
const char* const kTitleTails[] = {"", "", "", " II", " III", " Deluxe", " 2000", ": The Return", " Jr.", " Plus"};
const char* const kMakers[] = {"Brightloom", "Pexel Works", "Corvane",       "Hollow Pine",  "Tandri Soft",
                               "Mirefield",  "Quillstone",  "Ostrava Games", "Lumen & Vale", "Redkite"};
const char* const kLabelTypes[] = {"", "Paper", "Foil", "Plastic"};
const char* const kColors[] = {"", "Black", "Silver", "Blue", "Red"};
const char* const kMediaTypes[] = {"Cartridge", "Cartridge", "Disk", "Tape", "Card"};
const char* const kStatus[] = {"", "Loose", "Complete", "Sealed"};
const char* const kNotes[] = {"",
                              "",
                              "",
                              "",
                              "label worn",
                              "box crushed, \"rare\" variant",
                              "from a 50% sale",
                              "manual missing; tested and working"};
const char* const kDevices[] = {"Console",    "Controller",  "Joystick", "Light Gun",
                                "Power Pack", "Memory Card", "Keypad",   "Paddle"};

template <typename T, size_t N> const T& Pick(std::mt19937& random, const T (&options)[N])
{
    return options[random() % N];
}

std::string Number(std::mt19937& random, uint32_t below) { return std::to_string(random() % below); }

std::string Money(std::mt19937& random)
{
    const uint32_t cents = random() % 20000;
    std::string text = std::to_string(cents / 100);
    if (cents % 100)
        text += "." + std::to_string(100 + cents % 100).substr(1);
    return text;
}

std::string Quantity(std::mt19937& random) { return random() % 8 == 0 ? std::to_string(2 + random() % 3) : "1"; }

std::string Date(std::mt19937& random)
{
    return std::to_string(1 + random() % 12) + "/" + std::to_string(1 + random() % 28) + "/" +
        std::to_string(1995 + random() % 30);
}

std::string Bool(std::mt19937& random) { return random() % 3 == 0 ? "-1" : "0"; }

// Fills count items, every tenth or so a copy of an earlier one apart from its quantity.
template <typename List, typename Fill> std::unique_ptr<List> MakeList(size_t count, uint32_t seed, Fill fill)
{
    std::mt19937 random(seed);
    auto list = std::make_unique<List>();
    list->SetPlatform("Zentrix 64");
    list->SetOwner("Bench");
    for (size_t i = 0; i < count; ++i) {
        auto item = list->CreateItem();
        if (i > 0 && random() % 10 == 0) {
            item->Assign(*list->GetItem(static_cast<int32_t>(random() % i)));
        } else {
            fill(random, *item, i);
        }
        item->SetFieldValue("Quantity", Quantity(random));
        item->Modified = false;
        list->Add(std::move(item));
    }
    list->SetModified(false);
    return list;
}

void FillCommon(std::mt19937& random, TBaseCustomClass& item)
{
    item.SetFieldValue("Mfg", std::string(Pick(random, kMakers)));
    item.SetFieldValue("Boxed", Bool(random));
    item.SetFieldValue("BoxSealed", std::string(random() % 20 == 0 ? "-1" : "0"));
    item.SetFieldValue("Instructions", Bool(random));
    item.SetFieldValue("ModelNumber", "QV-" + Number(random, 9000));
    item.SetFieldValue("Rarity", Number(random, 11));
    item.SetFieldValue("Condition", Number(random, 11));
    item.SetFieldValue("Notes", std::string(Pick(random, kNotes)));
    item.SetFieldValue("Cost", Money(random));
    item.SetFieldValue("Value", Money(random));
    item.SetFieldValue("AcquiredFrom", random() % 2 ? "Flea market" : "");
    item.SetFieldValue("DateAcquired", Date(random));
    item.SetFieldValue("YearReleased", std::to_string(1977 + random() % 20));
    item.SetFieldValue("VideoFormat", std::string(random() % 2 ? "NTSC" : "PAL"));
}

}  // namespace

std::unique_ptr<TCartListClass> MakeMediaList(size_t count, uint32_t seed)
{
    auto list = MakeList<TCartListClass>(count, seed, [](std::mt19937& random, TBaseCustomClass& item, size_t i) {
        std::string title =
            std::string(Pick(random, kTitleWords)) + " " + Pick(random, kTitleWords) + Pick(random, kTitleTails);
        item.SetFieldValue("Title", title);
        FillCommon(random, item);
        item.SetFieldValue("SerialNumber", "S" + std::to_string(i));
        item.SetFieldValue("Overlay", Bool(random));
        item.SetFieldValue("SpecialController", std::string(random() % 10 == 0 ? "-1" : "0"));
        item.SetFieldValue("LabelType", std::string(Pick(random, kLabelTypes)));
        item.SetFieldValue("LabelColor", std::string(Pick(random, kColors)));
        item.SetFieldValue("HighScore", random() % 4 == 0 ? Number(random, 1000000) : "");
        item.SetFieldValue("MediaType", std::string(Pick(random, kMediaTypes)));
        item.SetFieldValue("MediaStatus", std::string(Pick(random, kStatus)));
        item.SetFieldValue("CopyrightYear", std::to_string(1977 + random() % 20));
    });
    list->SetListType("Media");
    return list;
}

std::unique_ptr<THardwareListClass> MakeHardwareList(size_t count, uint32_t seed)
{
    auto list = MakeList<THardwareListClass>(count, seed, [](std::mt19937& random, TBaseCustomClass& item, size_t i) {
        item.SetFieldValue("Name", std::string(Pick(random, kTitleWords)) + " " + Pick(random, kDevices));
        FillCommon(random, item);
        item.SetFieldValue("SerialNumber", "H" + std::to_string(i));
        item.SetFieldValue("SwitchCount", Number(random, 4));
        item.SetFieldValue("PortCount", Number(random, 5));
        item.SetFieldValue("ButtonCount", Number(random, 9));
    });
    list->SetListType("Hardware");
    return list;
}

int64_t ExpandedCount(const TBaseCustomListClass& list)
{
    int64_t total = 0;
    for (const auto& item : list.Items()) {
        const int32_t q = TryToInteger(item->GetFieldValue("Quantity")).value_or(1);
        total += q < 2 ? 1 : q;
    }
    return total;
}

std::string JoinedFieldTexts(const TBaseCustomClass& item)
{
    std::string line;
    for (int32_t i = 0; i < item.FieldCount(); ++i) {
        if (i > 0)
            line += ',';
        line += ToText(item.ValueAt(i));
    }
    return line;
}

}  // namespace quorvel::bench
