#pragma once

#include <QString>

#include <cstdint>

namespace quorvel {

// At least the bytes Text takes in a line of a list file: its characters at one byte each, the
// escaped ones at three, in quotes and after a comma. Lets an edit check a long value at every key
// without making the line.
uint64_t WrittenBytesBound(const QString& text);

}  // namespace quorvel
