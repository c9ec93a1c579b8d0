#pragma once

#include <QString>

#include <string>
#include <string_view>

// The QString side of the Windows-1252 text that the model keeps: widgets, clipboard and reports.
namespace quorvel {

QString ToQString(std::string_view bytes);

// A character the code page lacks becomes "?" (one per character, surrogate pairs included).
std::string FromQString(const QString& text);

// A text file's bytes as model text: UTF-8 when they are valid UTF-8 (a leading byte order mark
// dropped), else Windows-1252 as they are.
std::string TextFromFile(std::string_view bytes);
// Model text as a text file holds it: UTF-8, which TextFromFile reads back.
std::string TextToFile(std::string_view text);

}  // namespace quorvel
