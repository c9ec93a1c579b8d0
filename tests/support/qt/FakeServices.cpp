#include "FakeServices.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace quorvel::test {

namespace {

std::optional<QString> TakeAnswer(std::deque<std::optional<QString>>& answers)
{
    if (answers.empty())
        return std::nullopt;
    const bool given = answers.front().has_value();
    QString text = given ? *answers.front() : QString();
    answers.pop_front();
    if (!given)
        return std::nullopt;
    return text;
}

}  // namespace

FakeServices::FakeServices() : previous_(InstallServices(ServiceSet {this, this, this, this, this, this, this})) { }

FakeServices::~FakeServices() { InstallServices(previous_); }

void FakeServices::Record(MessageKind kind, const QString& text)
{
    messages.push_back({kind, text});
    if (onMessage)
        onMessage(messages.back());
}

void FakeServices::Error(const QString& text) { Record(MessageKind::Error, text); }
void FakeServices::Warning(const QString& text) { Record(MessageKind::Warning, text); }
void FakeServices::Information(const QString& text) { Record(MessageKind::Information, text); }

Answer FakeServices::NextAnswer(const QString& text)
{
    if (confirmAnswers.empty()) {
        ADD_FAILURE() << "Unscripted question: " << text.toStdString();
        return Answer::Cancel;
    }
    const Answer answer = confirmAnswers.front().answer;
    confirmAnswers.pop_front();
    return answer;
}

Answer FakeServices::Ask(const QString& text)
{
    Record(MessageKind::Confirmation, text);
    return NextAnswer(text);
}

bool FakeServices::Confirm(const QString& text, BoxKind kind)
{
    const bool scripted = !confirmAnswers.empty();
    Record(kind == BoxKind::Warning ? MessageKind::WarningConfirmation : MessageKind::Confirmation, text);
    const Answer answer = NextAnswer(text);
    if (scripted && answer == Answer::Cancel)
        ADD_FAILURE() << "Cancel for a Yes/No question: " << text.toStdString();
    return answer == Answer::Yes;
}

std::optional<QString> FakeServices::InputBox(const QString&, const QString&, const QString&)
{
    return TakeAnswer(inputAnswers);
}

std::optional<QString> FakeServices::NextFile(FileDialogKind kind, const FileDialogRequest& request)
{
    fileDialogs.push_back({kind, request});
    return TakeAnswer(fileAnswers);
}

std::optional<QString> FakeServices::OpenFileName(const FileDialogRequest& request)
{
    return NextFile(FileDialogKind::Open, request);
}

std::optional<QStringList> FakeServices::OpenFileNames(const FileDialogRequest& request)
{
    const auto answer = NextFile(FileDialogKind::Open, request);
    return answer ? std::optional<QStringList>(answer->split('\n')) : std::nullopt;
}

std::optional<QString> FakeServices::SaveFileName(const FileDialogRequest& request)
{
    return NextFile(FileDialogKind::Save, request);
}

std::optional<QString> FakeServices::FolderName(const QString& caption, const QString& startFolder)
{
    return NextFile(FileDialogKind::Folder, FileDialogRequest {caption, startFolder, {}, {}});
}

bool FakeServices::OpenUrl(const QUrl& url)
{
    openedUrls.push_back(url);
    return shellSucceeds;
}

QString FakeServices::Text() { return clipboard; }
void FakeServices::SetText(const QString& text) { clipboard = text; }
QSize FakeServices::PrimaryScreenSize() { return screenSize; }
QRect FakeServices::AvailableGeometry() { return availableArea.isEmpty() ? QRect(QPoint(0, 0), screenSize) : availableArea; }

int FakeServices::Exec(QDialog& dialog)
{
    if (dialogAnswers.empty()) {
        ADD_FAILURE() << "Unscripted dialog: " << dialog.windowTitle().toStdString();
        return QDialog::Rejected;
    }
    auto answer = std::move(dialogAnswers.front());
    dialogAnswers.pop_front();
    dialog.show();
    const int result = answer(dialog);
    dialog.done(result);
    return result;
}

}  // namespace quorvel::test
