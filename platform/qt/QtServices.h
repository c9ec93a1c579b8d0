#pragma once

#include "platform/qt/Services.h"

namespace quorvel {

// The services of the running program, on Qt's boxes, dialogs, desktop services and clipboard.
class QtServices final : public MessageService,
                         public InputService,
                         public FileDialogService,
                         public ShellService,
                         public ClipboardService,
                         public ScreenService,
                         public DialogRunner {
public:
    ServiceSet Set();

    void Error(const QString& text) override;
    void Warning(const QString& text) override;
    void Information(const QString& text) override;
    using MessageService::Confirm;
    bool Confirm(const QString& text, BoxKind kind) override;
    Answer Ask(const QString& text) override;

    std::optional<QString> InputBox(const QString& caption, const QString& prompt, const QString& value) override;

    std::optional<QString> OpenFileName(const FileDialogRequest& request) override;
    std::optional<QStringList> OpenFileNames(const FileDialogRequest& request) override;
    std::optional<QString> SaveFileName(const FileDialogRequest& request) override;
    std::optional<QString> FolderName(const QString& caption, const QString& startFolder) override;

    bool OpenUrl(const QUrl& url) override;

    QString Text() override;
    void SetText(const QString& text) override;

    QSize PrimaryScreenSize() override;
    QRect AvailableGeometry() override;

    int Exec(QDialog& dialog) override;
};

}  // namespace quorvel
