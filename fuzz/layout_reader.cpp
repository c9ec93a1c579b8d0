// Reads arbitrary bytes as a property-dialog layout in both forms: what is read must be usable (a
// bounded number of controls, places and sizes in range) and the record form must write back to
// bytes that read the same.
#include "model/PropertyLayout.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace quorvel;

namespace {

void CheckUsable(const PropertyLayout& layout)
{
    if (layout.Controls.size() > kMaxLayoutControls || layout.Width < kMinDialogWidth ||
        layout.Width > kMaxLayoutExtent || layout.Height < kMinDialogHeight || layout.Height > kMaxLayoutExtent)
        __builtin_trap();
    for (const auto& c : layout.Controls) {
        if (c.Top < 0 || c.Left < 0 || c.Width < 0 || c.Height < 0 || c.Top > kMaxLayoutExtent ||
            c.Left > kMaxLayoutExtent || c.Width > kMaxLayoutExtent || c.Height > kMaxLayoutExtent ||
            c.FieldName.size() >= kLayoutTextSize || c.Caption.size() >= kLayoutTextSize)
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const PropertyLayout records = ParseCdbLayout(bytes);
    CheckUsable(records);
    if (ParseCdbLayout(CdbLayoutBytes(records)) != records)
        __builtin_trap();

    const PropertyLayout ini = ParseCdlLayout(Path("fuzz.cdl"), bytes);
    CheckUsable(ini);
    CheckUsable(ParseCdlLayout(Path("again.cdl"), CdlLayoutText(ini)));
    return 0;
}
