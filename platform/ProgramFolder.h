#pragma once

#include <stdexcept>
#include <string>

#include "platform/Path.h"

namespace quorvel {

// Neither $QUORVEL_HOME nor $HOME names a folder: the program has nowhere to keep its files.
class NoHomeError : public std::runtime_error {
public:
    NoHomeError();
};

// The writable half of the program folder (Quorvel.ini, the data folders, logs): $QUORVEL_HOME when
// set, else $XDG_DATA_HOME/Quorvel/ or ~/.local/share/Quorvel/. Created when missing; ends with "/".
// Throws NoHomeError when none of these is an absolute folder name, rather than writing below
// whatever the current folder happens to be.
Path WritableProgramDir();

// The read-only half shipped with the program (help, license, sample data): data/ beside the
// executable (build tree), else ../share/quorvel/data/ (installed). Ends with "/".
Path ShippedDataDir();

// Copies every file below Source that is missing below Target, creating folders as needed; never
// overwrites. How the writable half is seeded from the shipped data on a first run.
void CopyMissingFiles(const Path& source, const Path& target);

}  // namespace quorvel
