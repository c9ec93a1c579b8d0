#pragma once

#include "platform/Path.h"

#include <QString>

#include <exception>

namespace quorvel {

// The message of a file that was read into a new list and refused: it names the file, and it says
// nothing of a list left unchanged, as no list was open. A message that names the file already
// (a read error) is shown as it is.
QString FileNotOpenedText(const Path& fileName, const std::exception& e);

}  // namespace quorvel
