#include "platform/qt/QtServices.h"

#include "platform/qt/Version.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

namespace quorvel {

namespace {

// Boxes belong to the window the user is working in, so that they stay on top of it.
QWidget* BoxParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

// Not the application's name: a box can come before it is set (a second start), and Qt takes the
// executable's name until then.
QString Title() { return QString::fromLatin1(kProgramName); }

QString StartPath(const FileDialogRequest& request)
{
    if (request.fileName.isEmpty())
        return request.folder;
    if (request.folder.isEmpty())
        return request.fileName;
    return QDir(request.folder).filePath(request.fileName);
}

// The one place boxes are made: plain text always, so that a file's "<img ...>" shows as typed.
QMessageBox::StandardButton ShowBox(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, Title(), text, buttons, BoxParent());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    // Escape and the close box answer Cancel when there is one, else No, else OK.
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QString> Chosen(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

}  // namespace

ServiceSet QtServices::Set() { return ServiceSet {this, this, this, this, this, this, this}; }

void QtServices::Error(const QString& text) { ShowBox(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok); }

void QtServices::Warning(const QString& text) { ShowBox(QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok); }

void QtServices::Information(const QString& text)
{
    ShowBox(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtServices::Confirm(const QString& text, BoxKind kind)
{
    return ShowBox(kind == BoxKind::Warning ? QMessageBox::Warning : QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
        QMessageBox::Yes;
}

Answer QtServices::Ask(const QString& text)
{
    switch (ShowBox(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::optional<QString> QtServices::InputBox(const QString& caption, const QString& prompt, const QString& value)
{
    QInputDialog dialog(BoxParent());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    // Its prompt is a label: plain text like every box's.
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtServices::OpenFileName(const FileDialogRequest& request)
{
    return Chosen(QFileDialog::getOpenFileName(BoxParent(), request.caption, StartPath(request), request.filter));
}

std::optional<QStringList> QtServices::OpenFileNames(const FileDialogRequest& request)
{
    const QStringList chosen =
        QFileDialog::getOpenFileNames(BoxParent(), request.caption, StartPath(request), request.filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<QString> QtServices::SaveFileName(const FileDialogRequest& request)
{
    // One question, the program's own: Qt's would come first and ask again what the program asks.
    return Chosen(QFileDialog::getSaveFileName(BoxParent(), request.caption, StartPath(request), request.filter,
                                               nullptr, QFileDialog::DontConfirmOverwrite));
}

std::optional<QString> QtServices::FolderName(const QString& caption, const QString& startFolder)
{
    return Chosen(QFileDialog::getExistingDirectory(BoxParent(), caption, startFolder));
}

bool QtServices::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

QString QtServices::Text() { return QGuiApplication::clipboard()->text(); }

void QtServices::SetText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

QSize QtServices::PrimaryScreenSize()
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->size();
    return QSize(1024, 768);
}

QRect QtServices::AvailableGeometry()
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry();
    return ScreenService::AvailableGeometry();
}

int QtServices::Exec(QDialog& dialog) { return dialog.exec(); }

}  // namespace quorvel
