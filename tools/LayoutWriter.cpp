// Writes the default property-dialog layouts of both item kinds into the folder named on the
// command line, so that the shipped layouts always match the field sets they are built from.
#include "model/ItemClasses.h"
#include "model/PropertyLayout.h"
#include "platform/FileNames.h"
#include "platform/SafeFile.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    using namespace quorvel;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CONFIG_FOLDER\n", argv[0]);
        return 2;
    }
    const Path folder(argv[1]);
    try {
        std::filesystem::create_directories(folder.Bytes());
        SaveCdbLayout(JoinPath(folder, "Properties_Media_Default.CDB"), DefaultPropertyLayout(MediaFieldSet()));
        SaveCdbLayout(JoinPath(folder, "Properties_Hardware_Default.CDB"), DefaultPropertyLayout(HardwareFieldSet()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
