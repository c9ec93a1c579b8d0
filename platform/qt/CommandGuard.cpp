#include "platform/qt/CommandGuard.h"

#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"

#include <exception>

namespace quorvel {

bool RunCommand(const std::function<void()>& command)
{
    QString message;
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        // The model's messages are Windows-1252 text like every other string it holds.
        message = ToQString(e.what());
    } catch (...) {
        message = QStringLiteral("An unexpected error occurred.");
    }
    try {
        Messages().Error(message);
    } catch (...) {
        // Nothing left to show it with; the command has failed either way.
    }
    return false;
}

}  // namespace quorvel
