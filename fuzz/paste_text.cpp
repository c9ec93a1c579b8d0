// Pastes arbitrary text into lists of both kinds: a failure leaves the list as it was, and items that
// were pasted copy and paste again to the same item lines.
#include "model/ExportText.h"
#include "model/ListFactory.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

using namespace quorvel;

namespace {

void Exercise(TListType type, const std::string& text)
{
    auto list = CreateListObject(type);
    list->Add(list->CreateItem());
    list->SetModified(false);
    try {
        PasteListObjectText(list.get(), text);
    } catch (const std::runtime_error&) {
        if (list->Count() != 1 || list->GetModified())
            __builtin_trap();
        return;
    }
    if (list->Count() == 1)
        return;
    std::string copied = ClipboardHeaderText(*list);
    std::string line;
    try {
        for (int32_t i = 1; i < list->Count(); ++i) {
            GetListObjectItemText(list.get(), i, line);
            copied += "\r\n" + line;
        }
    } catch (const std::runtime_error&) {
        return;  // a number field holding text that is no number
    }
    auto again = CreateListObject(type);
    PasteListObjectText(again.get(), copied);
    if (again->Count() != list->Count() - 1)
        __builtin_trap();
    for (int32_t i = 0; i < again->Count(); ++i) {
        std::string a, b;
        GetListObjectItemText(again.get(), i, a);
        GetListObjectItemText(list.get(), i + 1, b);
        if (a != b)
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    Exercise(ltMedia, text);
    Exercise(ltHardware, text);
    return 0;
}
