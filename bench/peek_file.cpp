// Peeks list files as the Collection Explorer does at every start: peek_file FILE...
// Prints each file's type, the sizes of the values shown, and the time of all peeks.
#include <chrono>
#include <cstdio>
#include <string>

#include "model/ListFile.h"

int main(int argc, char** argv)
{
    using namespace quorvel;
    using Clock = std::chrono::steady_clock;
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE...\n", argv[0]);
        return 2;
    }
    const auto t0 = Clock::now();
    for (int i = 1; i < argc; ++i) {
        const ListFilePeek peek = PeekListFile(Path(argv[i]));
        std::printf("%s: type %d, owner %zu bytes, description %zu bytes\n", argv[i], static_cast<int>(peek.Type),
                    peek.Owner.size(), peek.Description.size());
    }
    const auto t1 = Clock::now();
    std::printf("peek_ms %.1f\n", std::chrono::duration<double, std::milli>(t1 - t0).count());
    return 0;
}
