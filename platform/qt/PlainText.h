#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QString>

namespace quorvel {

// Every label the program makes. Qt reads a label's text as markup when it looks like some, and text
// from a file (a list's owner, a file name, a caption of a layout file) may hold "<img src=...>": a
// label shows its text as it stands. A label meant for markup (a fixed link) asks for it itself.
class PlainLabel : public QLabel {
public:
    explicit PlainLabel(QWidget* parent = nullptr);
    PlainLabel(const QString& text, QWidget* parent);
};

// Every line edit that shows a value from a file: Qt's default keeps 32 767 characters and would cut a
// longer note without a word when its dialog is confirmed. The list's line bound limits values instead.
class WholeLineEdit : public QLineEdit {
public:
    explicit WholeLineEdit(QWidget* parent = nullptr);
};

// The text to give setToolTip so that the tip shows Text as it stands: a tip that looks like markup is
// read as markup, so such a text is escaped into markup that shows it.
QString PlainToolTip(const QString& text);

}  // namespace quorvel
