#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class QDialog;

namespace quorvel {

// What the user answered to a question that can also be taken back.
enum class Answer { Yes, No, Cancel };

// How a Yes/No question looks: a question, or a warning where Yes replaces something for good.
enum class BoxKind { Question, Warning };

// Modal message boxes: errors, warnings and information with OK; questions with Yes and No, or Yes,
// No and Cancel. Every text is shown as plain text, never as markup: texts quote file contents.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual void Error(const QString& text) = 0;
    virtual void Warning(const QString& text) = 0;
    virtual void Information(const QString& text) = 0;
    // For questions whose Yes destroys something: No is the default, and No (Escape, the close box)
    // leaves everything unchanged. True for Yes.
    virtual bool Confirm(const QString& text, BoxKind kind) = 0;
    bool Confirm(const QString& text) { return Confirm(text, BoxKind::Question); }
    // For questions whose No loses something ("Save Changes?"): Yes is the default; Escape and the
    // close box answer Cancel, which takes the whole command back.
    virtual Answer Ask(const QString& text) = 0;
};

// One line of text from the user; nothing when cancelled.
class InputService {
public:
    virtual ~InputService() = default;
    virtual std::optional<QString> InputBox(const QString& caption, const QString& prompt, const QString& value) = 0;
};

struct FileDialogRequest {
    QString caption;
    QString folder;    // where the dialog starts
    QString fileName;  // preset name, may be a mask such as "*.txt"
    QString filter;    // Qt form: "Text Files (*.txt);;All Files (*)"
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    virtual std::optional<QString> OpenFileName(const FileDialogRequest& request) = 0;
    // Several files at once; a service that cannot offer that asks for one.
    virtual std::optional<QStringList> OpenFileNames(const FileDialogRequest& request)
    {
        const auto one = OpenFileName(request);
        return one ? std::optional<QStringList>(QStringList {*one}) : std::nullopt;
    }
    // Never asks before an existing file is chosen: the caller asks (ConfirmOverwrite) or keeps a backup.
    virtual std::optional<QString> SaveFileName(const FileDialogRequest& request) = 0;
    // The chosen folder, without a trailing separator guarantee.
    virtual std::optional<QString> FolderName(const QString& caption, const QString& startFolder) = 0;
};

// The shell's "open" verb. Callers go through OpenDocument, which reports a failure.
class ShellService {
public:
    virtual ~ShellService() = default;
    virtual bool OpenUrl(const QUrl& url) = 0;
};

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual QString Text() = 0;
    virtual void SetText(const QString& text) = 0;
};

class ScreenService {
public:
    virtual ~ScreenService() = default;
    virtual QSize PrimaryScreenSize() = 0;
    // The part of the primary screen that windows may cover (without the desktop's panels).
    virtual QRect AvailableGeometry() { return {QPoint(0, 0), PrimaryScreenSize()}; }
};

// Runs a dialog modally and returns its result code; tests answer instead of blocking.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    virtual int Exec(QDialog& dialog) = 0;
};

struct ServiceSet {
    MessageService* messages = nullptr;
    InputService* input = nullptr;
    FileDialogService* fileDialogs = nullptr;
    ShellService* shell = nullptr;
    ClipboardService* clipboard = nullptr;
    ScreenService* screen = nullptr;
    DialogRunner* dialogs = nullptr;
};

// The services in use: set by main, replaced by tests. Returns the set that was in use.
ServiceSet InstallServices(const ServiceSet& services);

// Accessors of the current services; each throws std::logic_error when none is installed, so that a
// forgotten fake in a test fails instead of opening a real box.
MessageService& Messages();
InputService& Input();
FileDialogService& FileDialogs();
ShellService& Shell();
ClipboardService& Clipboard();
ScreenService& Screen();
DialogRunner& Dialogs();

int ExecDialog(QDialog& dialog);

// The one question before a file chosen in a save dialog is replaced: a warning, No by default.
bool ConfirmOverwrite(const QString& fileName);

// Hands a local file (absolute or relative path) or a web or mail address to the shell. A failure
// or a missing local file is shown in an error box; the result says whether the shell accepted it.
bool OpenDocument(const QString& target);
QUrl DocumentUrl(const QString& target);

}  // namespace quorvel
