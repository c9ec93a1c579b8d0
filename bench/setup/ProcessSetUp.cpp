// Linked into every bench program as an object of its own, so that it is always there: the process
// is set up as the program sets itself up before anything else runs.
#include "model/ListFileSlices.h"

namespace {

const bool setUp = [] {
    quorvel::SetUpAllocator();
    return true;
}();

}  // namespace
