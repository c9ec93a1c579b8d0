#include "platform/qt/CommandGuard.h"

#include "platform/SafeFile.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"

namespace quorvel {

QString ErrorText(const std::exception& e)
{
    // A file name holds the file system's bytes, not Windows-1252 text.
    if (const auto* file = dynamic_cast<const FileError*>(&e))
        return ToQString(file->Prefix()) + PathToQString(file->FileName()) + ToQString(file->ReasonText());
    return ToQString(e.what());
}

bool RunCommand(const std::function<void()>& command)
{
    QString message;
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        message = ErrorText(e);
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
