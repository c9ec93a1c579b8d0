// Parses arbitrary bytes as an INI file and exercises reads and writes in memory.
#include "platform/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

using quorvel::IniFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniFile ini = IniFile::Parse(quorvel::Path("fuzz.ini"), bytes);

    const auto names = ini.SectionNames();
    for (const auto& name : names) {
        for (const auto& [key, value] : ini.SectionValues(name)) {
            (void)ini.ReadInteger(name, key, 0);
            (void)ini.ReadBool(name, key, false);
            // The first pair of a key is the one a lookup finds.
            if (!ini.Value(name, key))
                __builtin_trap();
        }
        (void)ini.ReadIndexedList(name, "Item");
        (void)ini.ReadIndexedList(name, "");
    }

    // Names and values taken from the input itself.
    const std::string_view a = bytes.substr(0, size / 3);
    const std::string_view b = bytes.substr(size / 3, size / 3);
    const std::string_view c = bytes.substr(2 * (size / 3));
    try {
        ini.SetValue(a, b, c);
        // A written value reads back without its line breaks and surrounding blanks.
        if (!ini.Value(a, b))
            __builtin_trap();
    } catch (const std::invalid_argument&) {
        if (IniFile::IsValidSectionName(a) && IniFile::IsValidKeyName(b))
            __builtin_trap();
    }
    if (IniFile::IsValidSectionName(a)) {
        ini.WriteIndexedList(a, "V", {std::string(c), std::string(b)});
        ini.EraseSection(a);
        if (ini.HasSection(a))
            __builtin_trap();
    }

    // What is written parses back to the same sections.
    const std::string text = ini.ToString();
    const IniFile again = IniFile::Parse(quorvel::Path("fuzz.ini"), text);
    if (again.ToString() != text)
        __builtin_trap();
    return 0;
}
