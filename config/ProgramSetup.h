#pragma once

#include <string>

#include "platform/Path.h"

namespace quorvel {

// Names the configuration file in ProgramDir (the writable half) and, on the first run, copies the
// shipped configuration and sample lists from ShippedDir into their default folders there, missing
// files only, and adds the outside addresses that the configuration folder's Sites.ini lacks with
// their defaults. Returns whether this was the first run. Throws FileWriteError when ProgramDir cannot
// be written.
bool StartConfiguration(const Path& programDir, const Path& shippedDir);

}  // namespace quorvel
