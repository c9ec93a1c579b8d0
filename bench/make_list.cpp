// Writes a generated list file: make_list KIND COUNT OUT [SEED], KIND "media" or "hardware", or a
// file the reader must refuse or read cheaply: KIND "blank" (COUNT empty item lines), "short" (COUNT
// items of one letter) or "commas" (a field-name line of COUNT commas, then 1 000 short items).
#include <fstream>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "support/ListGenerator.h"

int main(int argc, char** argv)
{
    using namespace quorvel;
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: %s media|hardware|blank|short|commas COUNT OUT [SEED]\n", argv[0]);
        return 2;
    }
    const std::string kind = argv[1];
    const size_t count = std::strtoull(argv[2], nullptr, 10);
    const uint32_t seed = argc == 5 ? static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10)) : 20240601u;
    const std::string head = "QV1.2\r\n\"Media\",\"Zentrix 64\",\"Bench\",\"\"\r\n";
    const auto repeat = [](std::ofstream& out, const std::string& piece, size_t times) {
        std::string block;
        for (size_t i = 0; i < 4096; ++i)
            block += piece;
        for (; times >= 4096; times -= 4096)
            out << block;
        for (; times > 0; --times)
            out << piece;
    };
    try {
        if (kind == "blank" || kind == "short" || kind == "commas") {
            std::ofstream out(argv[3], std::ios::binary);
            out << head << "\"TITLE\",\"MFG\"";
            if (kind == "commas")
                repeat(out, ",", count);
            out << "\r\n";
            if (kind == "blank")
                repeat(out, "\n", count);
            else if (kind == "short")
                repeat(out, "\"t\"\r\n", count);
            else
                for (int i = 0; i < 1000; ++i)
                    out << "\"Game " << i << "\",\"Maker\"\r\n";
            return out ? 0 : 1;
        }
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
