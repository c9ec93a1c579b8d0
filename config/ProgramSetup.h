#pragma once

#include <string>

#include "platform/Path.h"

namespace quorvel {

// Names the configuration file in ProgramDir (the writable half) and copies from ShippedDir the
// shipped configuration files that the configuration folder lacks (at every start, so that a migrated
// configuration and a partial install get them too; not while an old configuration waits for its
// migration) and, on the first run only, the sample lists into their default folders; never overwrites
// a file, whatever the case of its name. Adds the outside addresses that the configuration folder's
// Sites.ini lacks with their defaults. Returns whether this was the first run. Throws FileWriteError
// when ProgramDir cannot be written.
bool StartConfiguration(const Path& programDir, const Path& shippedDir);

}  // namespace quorvel
