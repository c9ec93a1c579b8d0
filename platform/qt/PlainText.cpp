#include "platform/qt/PlainText.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>  // Qt::mightBeRichText

#include <algorithm>

namespace quorvel {

namespace {

constexpr QChar kEllipsis(0x2026);

// Blocks of the edit hold about this many characters, so that laying one out stays quick.
constexpr qsizetype kBlockChars = 4096;
// A block ends after a blank found this near its end, so that a wrapped memo breaks between words.
constexpr qsizetype kBlankSearch = 256;

// What comes before a block of the edit, kept in its block format: the value's own line break or
// nothing (a block cut only to keep blocks short). A block made without our word counts as LF.
constexpr int kBreakProperty = QTextFormat::UserProperty + 7;
enum Break { brLF = 0, brSoft = 1, brCR = 2, brCRLF = 3 };

Break BreakBefore(const QTextBlock& block)
{
    const QVariant kind = block.blockFormat().property(kBreakProperty);
    return kind.isValid() ? Break(kind.toInt()) : brLF;
}

QStringView BreakText(Break kind)
{
    switch (kind) {
    case brSoft:
        return {};
    case brCR:
        return u"\r";
    case brCRLF:
        return u"\r\n";
    case brLF:
        break;
    }
    return u"\n";
}

QTextBlockFormat FormatOf(Break kind)
{
    QTextBlockFormat format;
    format.setProperty(kBreakProperty, int(kind));
    return format;
}

// The document would make blocks of these; a code page value never holds them, so "?" is what they
// become anyway.
bool IsBlockMark(QChar ch) { return ch == QChar::ParagraphSeparator || ch == QChar(0xFDD0) || ch == QChar(0xFDD1); }

QString WithoutBlockMarks(const QString& text)
{
    if (std::none_of(text.cbegin(), text.cend(), IsBlockMark))
        return text;
    QString plain = text;
    std::replace_if(plain.begin(), plain.end(), IsBlockMark, QChar(u'?'));
    return plain;
}

// Where the next block of Line (from From) ends: after at most kBlockChars characters, after a blank
// near there if there is one, never inside a surrogate pair.
qsizetype PieceEnd(QStringView line, qsizetype from)
{
    if (line.size() - from <= kBlockChars)
        return line.size();
    qsizetype end = from + kBlockChars;
    for (qsizetype i = end; i > end - kBlankSearch; --i) {
        if (line[i - 1] == u' ') {
            end = i;
            break;
        }
    }
    if (line[end - 1].isHighSurrogate())
        --end;
    return end;
}

// Inserts Text at Cursor: its lines as blocks after their own breaks, each line in blocks of about
// kBlockChars characters.
void InsertPieces(QTextCursor& cursor, QStringView text)
{
    for (qsizetype i = 0;;) {
        qsizetype end = i;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = text.mid(i, end - i);
        for (qsizetype at = 0; at < line.size();) {
            const qsizetype stop = PieceEnd(line, at);
            if (at > 0)
                cursor.insertBlock(FormatOf(brSoft));
            cursor.insertText(line.mid(at, stop - at).toString());
            at = stop;
        }
        if (end == text.size())
            return;
        Break kind = brLF;
        if (text[end] == u'\r') {
            kind = brCR;
            if (end + 1 < text.size() && text[end + 1] == u'\n') {
                kind = brCRLF;
                ++end;
            }
        }
        cursor.insertBlock(FormatOf(kind));
        i = end + 1;
    }
}

}  // namespace

QString OneLine(QStringView text)
{
    QString shown;
    shown.reserve(std::min(text.size(), kOneLineBound + 1));
    qsizetype i = 0;
    for (; i < text.size() && shown.size() < kOneLineBound; ++i) {
        QChar ch = text[i];
        if (ch == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            ch = u' ';
        } else if (ch == u'\n' || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator) {
            ch = u' ';
        }
        shown += ch;
    }
    if (i < text.size()) {
        if (shown.back().isHighSurrogate())
            shown.chop(1);
        shown += kEllipsis;
    }
    return shown;
}

PlainLabel::PlainLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

PlainLabel::PlainLabel(const QString& text, QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setText(text);
}

const QString& PlainLabel::Shown() const
{
    const QString text = this->text();
    // The held text keeps its buffer, so the same buffer is the same text.
    if (text.constData() != shownFor_.constData() || text.size() != shownFor_.size()) {
        shownFor_ = text;
        shown_ = OneLine(text);
        differs_ = shown_ != text;
    }
    static const QString none;
    return differs_ ? shown_ : none;
}

QSize PlainLabel::LineSize() const
{
    const QMargins frame = contentsMargins();
    const int m = 2 * margin();
    return {fontMetrics().horizontalAdvance(Shown()) + m + frame.left() + frame.right(),
            fontMetrics().height() + m + frame.top() + frame.bottom()};
}

QSize PlainLabel::sizeHint() const { return Shown().isEmpty() ? QLabel::sizeHint() : LineSize(); }

QSize PlainLabel::minimumSizeHint() const { return Shown().isEmpty() ? QLabel::minimumSizeHint() : LineSize(); }

int PlainLabel::heightForWidth(int width) const
{
    return Shown().isEmpty() ? QLabel::heightForWidth(width) : LineSize().height();
}

void PlainLabel::paintEvent(QPaintEvent* event)
{
    const QString& shown = Shown();
    if (shown.isEmpty())
        return QLabel::paintEvent(event);
    QPainter painter(this);
    drawFrame(&painter);
    const int m = margin();
    const QRect area = contentsRect().adjusted(m, m, -m, -m);
    style()->drawItemText(&painter, area, int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), shown, foregroundRole());
}

QString PlainToolTip(const QString& text)
{
    const QString line = OneLine(text);
    if (!Qt::mightBeRichText(line))
        return line;
    // Blanks kept as typed.
    return "<p style=\"white-space:pre\">" + line.toHtmlEscaped() + "</p>";
}

WholeTextEdit::WholeTextEdit(QWidget* parent) : QPlainTextEdit(parent) { }

QString WholeTextEdit::ValueBetween(int from, int to) const
{
    QString value;
    value.reserve(std::max(to - from, 0));
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const int start = block.position();
        if (start > from)
            value += BreakText(BreakBefore(block));
        const QString text = block.text();
        const int a = std::max(from - start, 0), e = std::min<int>(to - start, int(text.size()));
        if (e > a)
            value += QStringView(text).mid(a, e - a);
    }
    return value;
}

QString WholeTextEdit::text() const { return ValueBetween(0, document()->characterCount() - 1); }

qsizetype WholeTextEdit::TextLength() const
{
    qsizetype length = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin())
            length += BreakText(BreakBefore(block)).size();
        length += block.length() - 1;
    }
    return length;
}

void WholeTextEdit::setText(const QString& value)
{
    QTextDocument* document = this->document();
    document->setUndoRedoEnabled(false);
    QPlainTextEdit::setPlainText(QString());
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    InsertPieces(cursor, WithoutBlockMarks(value));
    cursor.endEditBlock();
    document->setUndoRedoEnabled(true);
    moveCursor(QTextCursor::Start);
}

bool WholeTextEdit::Accepts(const QString& inserted) const
{
    if (!check_)
        return true;
    const QTextCursor cursor = textCursor();
    return check_(ValueBetween(0, cursor.selectionStart()) + inserted +
                  ValueBetween(cursor.selectionEnd(), document()->characterCount() - 1));
}

void WholeTextEdit::InsertValueText(const QString& text)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    InsertPieces(cursor, text);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void WholeTextEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!breaksLines_)
            return event->ignore();
        if (!isReadOnly() && Accepts("\n"))
            InsertValueText("\n");
        return event->accept();
    }
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        // A block of our own is no character: erasing goes on to the character beyond it.
        const auto soft = [](const QTextBlock& block) { return block.isValid() && BreakBefore(block) == brSoft; };
        if (key == Qt::Key_Backspace) {
            while (cursor.atBlockStart() && soft(cursor.block()))
                cursor.movePosition(QTextCursor::PreviousCharacter);
        } else if (key == Qt::Key_Delete) {
            while (cursor.atBlockEnd() && soft(cursor.block().next()))
                cursor.movePosition(QTextCursor::NextCharacter);
        }
        setTextCursor(cursor);
    }
    const QString typed = event->text();
    const bool types = !typed.isEmpty() && (typed.front().isPrint() || (typed.front() == u'\t' && !tabChangesFocus()));
    if (types && !isReadOnly() && !Accepts(typed))
        return event->accept();
    QPlainTextEdit::keyPressEvent(event);
}

void WholeTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() && !Accepts(WithoutBlockMarks(event->commitString())))
        return event->accept();
    QPlainTextEdit::inputMethodEvent(event);
}

void WholeTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (isReadOnly() || !source || !source->hasText())
        return;
    const QString text = WithoutBlockMarks(source->text());
    if (text.isEmpty() || !Accepts(text))
        return;
    InsertValueText(text);
}

QMimeData* WholeTextEdit::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    const QTextCursor cursor = textCursor();
    data->setText(ValueBetween(cursor.selectionStart(), cursor.selectionEnd()));
    return data;
}

void WholeTextEdit::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    // As a line edit: reached by the keyboard, the whole value is selected, ready to be typed over.
    const auto reason = event->reason();
    if (!breaksLines_ &&
        (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason))
        selectAll();
}

WholeLineEdit::WholeLineEdit(QWidget* parent) : WholeTextEdit(parent)
{
    breaksLines_ = false;
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    document()->setDocumentMargin(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize WholeLineEdit::sizeHint() const
{
    QLineEdit probe;
    probe.setFont(font());
    return probe.sizeHint();
}

QSize WholeLineEdit::minimumSizeHint() const
{
    QLineEdit probe;
    probe.setFont(font());
    return probe.minimumSizeHint();
}

void WholeLineEdit::resizeEvent(QResizeEvent* event)
{
    // One line, in the middle of the box as a line edit has it.
    const int line = fontMetrics().height() + 2 * int(document()->documentMargin());
    const int spare = std::max(0, height() - 2 * frameWidth() - line);
    setViewportMargins(0, spare / 2, 0, spare - spare / 2);
    WholeTextEdit::resizeEvent(event);
}

}  // namespace quorvel
