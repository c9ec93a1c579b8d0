#include "platform/qt/PlainText.h"

#include <QTextDocument>  // Qt::mightBeRichText

#include <limits>

namespace quorvel {

PlainLabel::PlainLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

PlainLabel::PlainLabel(const QString& text, QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setText(text);
}

WholeLineEdit::WholeLineEdit(QWidget* parent) : QLineEdit(parent) { setMaxLength(std::numeric_limits<int>::max()); }

QString PlainToolTip(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    // Blanks and line breaks kept as typed.
    return "<p style=\"white-space:pre\">" + text.toHtmlEscaped() + "</p>";
}

}  // namespace quorvel
