#pragma once

#include <QString>

#include <string>
#include <string_view>

// The QString side of the Windows-1252 text that the model keeps: widgets, clipboard and reports.
namespace quorvel {

QString ToQString(std::string_view bytes);

// A character the code page lacks becomes "?" (one per character, surrogate pairs included).
std::string FromQString(const QString& text);

}  // namespace quorvel
