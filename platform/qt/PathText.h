#pragma once

#include <QString>

#include <string>

namespace quorvel {

// File and folder names hold the file system's own bytes (not Windows-1252 text), so that a name
// chosen in a dialog is the name that opens.
QString PathToQString(const std::string& path);
std::string PathFromQString(const QString& path);

}  // namespace quorvel
