#pragma once

#include <string>

#include "model/BaseCustomListClass.h"

namespace quorvel {

// Lines 1 and 2 of clipboard text for the list, joined by CR LF, no line break after them:
// "QUORVEL " + the list type upper-cased, then the quoted field names of its first item (of a fresh
// item when the list is empty).
std::string ClipboardHeaderText(const TBaseCustomListClass& list);

}  // namespace quorvel
