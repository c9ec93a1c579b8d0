#pragma once

#include <QString>

namespace quorvel {

// The program's version in four parts, as the build gives it ("1.0.0.0").
QString VersionString();

}  // namespace quorvel
