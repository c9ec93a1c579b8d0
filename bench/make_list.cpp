// Writes a generated list file: make_list KIND COUNT OUT [SEED], KIND "media" or "hardware".
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "support/ListGenerator.h"

int main(int argc, char** argv)
{
    using namespace quorvel;
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: %s media|hardware COUNT OUT [SEED]\n", argv[0]);
        return 2;
    }
    const std::string kind = argv[1];
    const size_t count = std::strtoull(argv[2], nullptr, 10);
    const uint32_t seed = argc == 5 ? static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10)) : 20240601u;
    try {
        if (kind == "media")
            bench::MakeMediaList(count, seed)->SaveToFile(Path(argv[3]), false, true);
        else if (kind == "hardware")
            bench::MakeHardwareList(count, seed)->SaveToFile(Path(argv[3]), false, true);
        else {
            std::fprintf(stderr, "unknown kind %s\n", argv[1]);
            return 2;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
