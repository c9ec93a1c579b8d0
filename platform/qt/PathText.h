#pragma once

#include <QString>

#include "platform/Path.h"

#include <string>
#include <string_view>

namespace quorvel {

// The one road between a path and a window: file and folder names hold the file system's own bytes
// (not Windows-1252 text), so that a name chosen in a dialog is the name that opens and a name shown
// is the name on disk.
QString PathToQString(const Path& path);
Path PathFromQString(const QString& path);
// A path inside Windows-1252 text (a report, a message composed by the model); a character the code
// page lacks becomes "?".
std::string PathToText(const Path& path);
// A message made of fixed text (Windows-1252) around a path: each part converted the way it is spelled.
QString TextWithPath(std::string_view before, const Path& path, std::string_view after = {});

}  // namespace quorvel
