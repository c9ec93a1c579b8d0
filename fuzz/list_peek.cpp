// Peeks at arbitrary bytes as the start of a list file, in memory and through the bounded file read;
// both must give the same answers and never fail.
#include "model/ListFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TListType type = ListFileTypeOf(bytes);
    std::string info[4];
    ListFileInfoOf(bytes, info[0], info[1], info[2], info[3]);
    if (type != ltNone && info[0] == "Unknown")
        __builtin_trap();

    static const Path path("/tmp/quorvel_list_peek_" + std::to_string(::getpid()) + ".lst");
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        std::string fromFile[4];
        GetListFileInfo(path, fromFile[0], fromFile[1], fromFile[2], fromFile[3]);
        const bool same = GetListFileType(path) == type && fromFile[0] == info[0] && fromFile[1] == info[1] &&
            fromFile[2] == info[2] && fromFile[3] == info[3];
        std::remove(path.c_str());
        if (!same)
            __builtin_trap();
    }
    return 0;
}
