#pragma once

#include <QString>

namespace quorvel {

// The program's name as every window and box shows it, whatever the executable is called.
inline constexpr char kProgramName[] = "Quorvel";

// The program's version in four parts, as the build gives it ("1.0.0.0").
QString VersionString();

}  // namespace quorvel
