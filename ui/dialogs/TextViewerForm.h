#pragma once

#include <QDialog>

#include <string>

#include "platform/Path.h"

class QPlainTextEdit;

namespace quorvel {

// Shows a Windows-1252 text file. The caller sets FileName and the caption, then shows it modally;
// the file is read at each showing and never written.
class TTextViewerForm : public QDialog {
    Q_OBJECT

public:
    explicit TTextViewerForm(QWidget* parent = nullptr);

    Path FileName;  // full path

    // The text the viewer shows for FileName: its lines, or the reason it cannot show them.
    static QString FileText(const Path& fileName);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* memo_ = nullptr;
};

}  // namespace quorvel
