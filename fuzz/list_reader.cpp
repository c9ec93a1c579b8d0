// Reads arbitrary bytes as a list file of both kinds; what reads must write, read and write again
// to the same bytes, and what does not read must leave the list as it was.
#include "model/CartListClass.h"
#include "model/HardwareListClass.h"
#include "model/ListFile.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

using namespace quorvel;

namespace {

template <typename List> void Exercise(std::string_view bytes)
{
    List list;
    list.SetPlatform("before");
    list.Add(list.CreateItem());
    try {
        ReadListFileText(list, bytes, Path("fuzz.lst"));
    } catch (const std::runtime_error&) {
        if (list.Count() != 1 || list.GetPlatform() != "before" || !list.GetFileName().empty())
            __builtin_trap();
        return;
    }
    std::string first;
    try {
        first = ListFileText(list);
    } catch (const TBaseCustomListClassException&) {
        return;  // a number field holding text that is no number
    }
    List again;
    ReadListFileText(again, first, Path("again.lst"));
    if (again.Count() != list.Count() || ListFileText(again) != first)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Exercise<TCartListClass>(bytes);
    Exercise<THardwareListClass>(bytes);
    return 0;
}
