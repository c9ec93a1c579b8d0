#pragma once

#include <string>

#include "platform/Path.h"

namespace quorvel {

// Marks a folder as in use by this process while the object lives, so that a second program on the
// same collector's folder can tell and stay away. The lock is the kernel's (flock on a small file in the
// folder): it ends with the process however that ends, so a killed program leaves nothing that blocks
// the next start. The lock file is made empty and never written or removed; one that cannot be opened
// (unreadable, another account's, a symbolic link) is replaced where the folder allows it.
class FolderLock {
public:
    enum class State {
        Held,         // this process has the folder
        Busy,         // another process has it
        Unavailable,  // the folder takes no lock (no lock file can be opened or made, no lock service)
    };

    explicit FolderLock(const Path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State GetState() const { return state_; }

    static constexpr const char* FileName = "Quorvel.lock";

private:
    int fd_ = -1;
    State state_ = State::Unavailable;
};

}  // namespace quorvel
