#include "ui/dialogs/TextViewerForm.h"

#include "ui/UiScale.h"

#include "platform/SafeFile.h"
#include "platform/Text.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <filesystem>

namespace quorvel {

TTextViewerForm::TTextViewerForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("TextViewerForm");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("Memo1");
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font = memo_->font();
    font.setPixelSize(16);
    memo_->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo_);
    resize(Scaled(656, 539));
}

QString TTextViewerForm::FileText(const Path& fileName)
{
    std::error_code error;
    if (fileName.empty() || !std::filesystem::is_regular_file(fileName.Bytes(), error))
        return "Could not find the file " + PathToQString(fileName);
    const auto bytes = ReadWholeFile(fileName);
    if (!bytes)
        return "Cannot open file " + PathToQString(fileName);
    QStringList lines;
    for (const auto line : SplitLines(*bytes))
        lines.push_back(ToQString(line));
    return lines.join('\n');
}

void TTextViewerForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    memo_->setPlainText(FileText(FileName));
}

}  // namespace quorvel
