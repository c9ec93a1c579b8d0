#pragma once

#include "platform/qt/Services.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace quorvel::test {

// Confirmation: a question box; WarningConfirmation: a Yes/No question in a warning box.
enum class MessageKind { Error, Warning, Information, Confirmation, WarningConfirmation };

struct ShownMessage {
    MessageKind kind;
    QString text;
    bool operator==(const ShownMessage&) const = default;
};

enum class FileDialogKind { Open, Save, Folder };

struct FileDialogCall {
    FileDialogKind kind;
    FileDialogRequest request;
};

// A scripted answer to Confirm or Ask: true and false stand for Yes and No.
struct ScriptedAnswer {
    ScriptedAnswer(bool yes) : answer(yes ? Answer::Yes : Answer::No) { }
    ScriptedAnswer(Answer given) : answer(given) { }
    Answer answer;
};

// Scripted stand-ins for every platform service. Constructing one installs it; destroying it puts
// back what was installed before. Answers are taken from the front of their queues; a question or
// dialog nobody scripted fails the test (and answers No / Cancel), a file or input box nobody scripted
// is cancelled. Cancel scripted for a Yes/No question fails the test: that box has no way back.
class FakeServices final : public MessageService,
                           public InputService,
                           public FileDialogService,
                           public ShellService,
                           public ClipboardService,
                           public ScreenService,
                           public DialogRunner {
public:
    FakeServices();
    ~FakeServices() override;
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    // Script.
    std::deque<ScriptedAnswer> confirmAnswers;  // Confirm and Ask alike
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<std::optional<QString>> fileAnswers;  // open, save and folder dialogs alike
    std::deque<std::function<int(QDialog&)>> dialogAnswers;
    bool shellSucceeds = true;
    QSize screenSize {1920, 1080};
    QRect availableArea;  // empty: the whole screen

    // What the code under test did.
    std::vector<ShownMessage> messages;
    // Called while each box is up, to look at the window behind it.
    std::function<void(const ShownMessage&)> onMessage;
    std::vector<FileDialogCall> fileDialogs;
    std::vector<QUrl> openedUrls;
    QString clipboard;

    void Error(const QString& text) override;
    void Warning(const QString& text) override;
    void Information(const QString& text) override;
    using MessageService::Confirm;
    bool Confirm(const QString& text, BoxKind kind) override;
    Answer Ask(const QString& text) override;
    std::optional<QString> InputBox(const QString& caption, const QString& prompt, const QString& value) override;
    std::optional<QString> OpenFileName(const FileDialogRequest& request) override;
    // One scripted answer; several files are separated by line feeds.
    std::optional<QStringList> OpenFileNames(const FileDialogRequest& request) override;
    std::optional<QString> SaveFileName(const FileDialogRequest& request) override;
    std::optional<QString> FolderName(const QString& caption, const QString& startFolder) override;
    bool OpenUrl(const QUrl& url) override;
    QString Text() override;
    void SetText(const QString& text) override;
    QSize PrimaryScreenSize() override;
    QRect AvailableGeometry() override;
    // Shows the dialog (offscreen), lets the scripted answer work its controls, and closes it with
    // the code the answer returns.
    int Exec(QDialog& dialog) override;

private:
    void Record(MessageKind kind, const QString& text);
    Answer NextAnswer(const QString& text);
    std::optional<QString> NextFile(FileDialogKind kind, const FileDialogRequest& request);
    ServiceSet previous_;
};

}  // namespace quorvel::test
