#pragma once

#include <QString>

#include <exception>
#include <functional>

namespace quorvel {

// Every command of a window runs through this: an exception that escapes the command is shown in an
// error box and the window stays usable. Returns false when the command failed.
bool RunCommand(const std::function<void()>& command);

// The text of a failure for a box: Windows-1252 text, with a file name in it shown as the file
// system spells it.
QString ErrorText(const std::exception& e);

}  // namespace quorvel
