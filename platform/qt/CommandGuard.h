#pragma once

#include <functional>

namespace quorvel {

// Every command of a window runs through this: an exception that escapes the command is shown in an
// error box and the window stays usable. Returns false when the command failed.
bool RunCommand(const std::function<void()>& command);

}  // namespace quorvel
