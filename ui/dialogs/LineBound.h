#pragma once

#include <QString>

#include <cstdint>

namespace quorvel {

class TBaseCustomClass;

// At least the bytes Text takes in a line of a list file: its characters at one byte each, the
// escaped ones at three, in quotes and after a comma. Lets an edit check a long value at every key
// without making the line.
uint64_t WrittenBytesBound(const QString& text);
// At most the bytes Item's fields but Except take in its line, each value escaped whole.
uint64_t OtherFieldsBytesBound(const TBaseCustomClass& item, int32_t except);

}  // namespace quorvel
