#include "platform/qt/Version.h"

namespace quorvel {

QString VersionString() { return QStringLiteral(QUORVEL_VERSION); }

}  // namespace quorvel
