#include "reports/ReportOptions.h"

namespace quorvel {

std::string BoxedOptionText(int option)
{
    switch (option) {
    case boBoxed:
        return "Boxed";
    case boBoth:
        return "Both";
    default:
        return "Un-Boxed";
    }
}

bool BoxedOptionIncludes(int option, bool boxed)
{
    switch (option) {
    case boBoxed:
        return boxed;
    case boBoth:
        return true;
    default:
        return !boxed;
    }
}

}  // namespace quorvel
