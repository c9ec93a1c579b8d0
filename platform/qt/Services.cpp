#include "platform/qt/Services.h"

#include <QDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include <stdexcept>

namespace quorvel {

namespace {

ServiceSet& Current()
{
    static ServiceSet services;
    return services;
}

template <typename T> T& Require(T* service, const char* what)
{
    if (!service)
        throw std::logic_error(std::string("No ") + what + " service installed");
    return *service;
}

}  // namespace

ServiceSet InstallServices(const ServiceSet& services)
{
    ServiceSet previous = Current();
    Current() = services;
    return previous;
}

MessageService& Messages() { return Require(Current().messages, "message"); }
InputService& Input() { return Require(Current().input, "input"); }
FileDialogService& FileDialogs() { return Require(Current().fileDialogs, "file dialog"); }
ShellService& Shell() { return Require(Current().shell, "shell"); }
ClipboardService& Clipboard() { return Require(Current().clipboard, "clipboard"); }
ScreenService& Screen() { return Require(Current().screen, "screen"); }
DialogRunner& Dialogs() { return Require(Current().dialogs, "dialog"); }

int ExecDialog(QDialog& dialog) { return Dialogs().Exec(dialog); }

bool ConfirmOverwrite(const QString& fileName)
{
    return Messages().Confirm(
        "A file named \"" + fileName + "\" already exists.  Do you wish to overwrite this file?", BoxKind::Warning);
}

QUrl DocumentUrl(const QString& target)
{
    // A scheme of two or more letters ("https:", "mailto:") marks an address; anything else is a path.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (!target.startsWith(u'/') && scheme.match(target).hasMatch())
        return QUrl(target);
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

bool OpenDocument(const QString& target)
{
    const QUrl url = DocumentUrl(target);
    // The shell starts a viewer even for a file that is not there, and that viewer's complaint is lost.
    const bool missing = url.isLocalFile() && !QFileInfo::exists(url.toLocalFile());
    if (url.isValid() && !target.isEmpty() && !missing && Shell().OpenUrl(url))
        return true;
    Messages().Error(QStringLiteral("Unable to open ") + target);
    return false;
}

}  // namespace quorvel
