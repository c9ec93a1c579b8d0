#include "ui/FileRefusal.h"

#include "platform/SafeFile.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"

namespace quorvel {

QString FileNotOpenedText(const Path& fileName, const std::exception& e)
{
    const QString message = ErrorText(e);
    if (const auto* file = dynamic_cast<const FileError*>(&e); file && file->FileName() == fileName)
        return message;
    // The model says this of the list it was asked to read into, which here is a fresh one.
    static const QString kNotChanged = QStringLiteral(" The list was not changed.");
    const QString reason = message.endsWith(kNotChanged) ? message.chopped(kNotChanged.size()) : message;
    return TextWithPath("The file \"", fileName, "\" was not opened. ") + reason;
}

}  // namespace quorvel
