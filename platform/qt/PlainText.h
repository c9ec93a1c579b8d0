#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QString>
#include <QStringView>

#include <functional>

namespace quorvel {

// How many characters of a text from a file one line shows; the rest is cut with "…". A line of a
// list file may hold 32 MiB, and a label that lays all of it out freezes the window.
inline constexpr qsizetype kOneLineBound = 300;

// Text as a label, status panel, tooltip or caption shows it: one line (each line break, CR, LF or
// CR LF, becomes a blank), cut with "…" past kOneLineBound characters, never inside a surrogate pair.
// Costs what the shown part costs, however long the text.
QString OneLine(QStringView text);

// Every label the program makes. Qt reads a label's text as markup when it looks like some, and text
// from a file (a list's owner, a file name, a caption of a layout file) may hold "<img src=...>": a
// label shows its text as it stands. A label meant for markup (a fixed link) asks for it itself.
// A label keeps the text it is given but shows it as OneLine does, through whatever pointer it is set.
class PlainLabel : public QLabel {
public:
    explicit PlainLabel(QWidget* parent = nullptr);
    PlainLabel(const QString& text, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The one line shown, when it differs from the text (empty otherwise).
    const QString& Shown() const;
    QSize LineSize() const;

    mutable QString shownFor_;  // the text Shown() was made for; held, so that its buffer stays its own
    mutable QString shown_;
    mutable bool differs_ = false;
};

// The text to give setToolTip so that the tip shows Text as OneLine does: a tip that looks like
// markup is read as markup, so such a text is escaped into markup that shows it.
QString PlainToolTip(const QString& text);

// Every edit of a value from a file. A value may be as long as a line of a list file (32 MiB); a
// QLineEdit lays all of it out at every blink of its cursor. This edit keeps the value in blocks of a
// few thousand characters, so that only what is seen is laid out; the blocks are the edit's own and
// never part of the value, whose line breaks (CR, LF or CR LF) are kept as they were.
// Typing, pasting and dropping ask the value check first, and what it refuses is not inserted.
class WholeTextEdit : public QPlainTextEdit {
public:
    // Answers whether the value may become Candidate; one that refuses says why itself.
    using ValueCheck = std::function<bool(const QString& candidate)>;

    explicit WholeTextEdit(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& value);
    // The value, not the blocks it is shown in.
    QString toPlainText() const { return text(); }
    void setPlainText(const QString& value) { setText(value); }
    qsizetype TextLength() const;
    void SetValueCheck(ValueCheck check) { check_ = std::move(check); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    void focusInEvent(QFocusEvent* event) override;

    // Whether Return inserts a line break (a memo) or is left to the dialog (a line).
    bool breaksLines_ = true;

private:
    // The value between two positions of the document.
    QString ValueBetween(int from, int to) const;
    // Whether the value may take Inserted in place of the selection; a refusal is said by the check.
    bool Accepts(const QString& inserted) const;
    // Inserts Text in place of the selection, in blocks, its line breaks kept.
    void InsertValueText(const QString& text);

    ValueCheck check_;
};

// The edit of a one-line value: looks and answers as a line edit (Return is the dialog's, Tab moves
// on, the text scrolls sideways), while a long value is shown a block of a few thousand characters per line.
class WholeLineEdit : public WholeTextEdit {
public:
    explicit WholeLineEdit(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace quorvel
