#include "platform/qt/PlainText.h"
#include "platform/qt/QtServices.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace quorvel {
namespace {

// What a tooltip shows: Qt reads it as markup when it looks like some.
QString ShownTip(const QString& tip)
{
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}

TEST(PlainText, TooltipsShowTheirTextAsTyped)
{
    // The text, whether the tip may stay the text itself.
    const std::pair<QString, bool> cases[] = {
        {"/home/jo/Carts/Zentrix 64.csv", true}, {"a<b.csv & more", true},
        {"<img src=\"/tmp/x.png\">", false},     {"<h1>BIG<h1><font color=red>red.csv", false},
        {"  two  blanks\tand a tab <i>", false}, {"", true},
    };
    for (const auto& [text, unchanged] : cases) {
        const QString tip = PlainToolTip(text);
        EXPECT_EQ(ShownTip(tip), text) << text.toStdString();
        // Ordinary text is left alone, so that tooltips read back as they were set.
        EXPECT_EQ(unchanged ? tip : text, text) << text.toStdString();
    }
}

TEST(PlainText, OneLineShowsLineBreaksAsBlanksAndCutsPastTheBound)
{
    const QString bound(kOneLineBound, u'a');
    const QString pair = QString::fromUtf16(u"\U0001F3AE");  // one character, two UTF-16 units
    const std::pair<QString, QString> cases[] = {
        {"Jo\r\nSmith", "Jo Smith"},
        {"Jo\rSmith", "Jo Smith"},
        {"Jo\nSmith", "Jo Smith"},
        {"Jo\n\rSmith\r\n", "Jo  Smith "},
        {QString("a") + QChar::LineSeparator + "b" + QChar::ParagraphSeparator, "a b "},
        {"", ""},
        {bound, bound},
        {bound + "b", bound + u'\u2026'},
        {QString(kOneLineBound - 1, u'a') + "\r\n", QString(kOneLineBound - 1, u'a') + " "},
        {QString(kOneLineBound - 1, u'a') + "\r\nb", QString(kOneLineBound - 1, u'a') + " " + u'\u2026'},
        // A pair across the bound is left out whole; one within it is kept whole.
        {QString(kOneLineBound - 1, u'a') + pair, QString(kOneLineBound - 1, u'a') + u'\u2026'},
        {QString(kOneLineBound - 2, u'a') + pair + "b", QString(kOneLineBound - 2, u'a') + pair + u'\u2026'},
        {QString(kOneLineBound - 2, u'a') + pair, QString(kOneLineBound - 2, u'a') + pair},
    };
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(OneLine(text), shown) << text.left(20).toStdString() << " (" << text.size() << ")";
        // Tooltips show the same line.
        EXPECT_EQ(ShownTip(PlainToolTip(text)), shown);
    }
}

// Through whatever pointer its text is set, a label shows one line, and keeps the text it was given.
TEST(PlainText, LabelsShowOneLineOfALongText)
{
    PlainLabel oneLine("Shelf", nullptr);
    const QString multiLine = "Jo\r\nSmith\nand\rmore", long20 = QString(20 << 20, u'x');
    for (const QString& text : {multiLine, long20}) {
        PlainLabel label(nullptr);
        static_cast<QLabel&>(label).setText(text);
        EXPECT_EQ(label.text(), text);
        EXPECT_EQ(label.sizeHint().height(), oneLine.sizeHint().height());
        EXPECT_EQ(label.heightForWidth(50), oneLine.sizeHint().height());
        EXPECT_LE(label.sizeHint().width(),
                  label.fontMetrics().horizontalAdvance(QString(kOneLineBound + 1, u'x')) + 10);
        label.resize(200, 30);
        EXPECT_FALSE(label.grab().isNull());
    }
}

TEST(PlainText, LabelsArePlainText)
{
    const PlainLabel empty(nullptr), label("<img src=\"/tmp/x.png\">", nullptr);
    EXPECT_EQ(empty.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.text(), "<img src=\"/tmp/x.png\">");
}

// The real input box, answered as a user would: its prompt is plain text too.
TEST(PlainText, InputBoxPromptIsPlainText)
{
    QtServices services;
    for (const bool accept : {true, false}) {
        QList<Qt::TextFormat> formats;
        std::function<void()> answer = [&] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return QTimer::singleShot(10, answer);
            for (const QLabel* label : dialog->findChildren<QLabel*>())
                formats << label->textFormat();
            dialog->findChild<QLineEdit*>()->setText("Shelf");
            QKeyEvent press(QEvent::KeyPress, accept ? Qt::Key_Return : Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(dialog, &press);
        };
        QTimer::singleShot(10, answer);
        const auto given = services.InputBox("Caption", "<h1>Group</h1> Name", "x");
        EXPECT_EQ(given, accept ? std::optional<QString>("Shelf") : std::nullopt);
        EXPECT_EQ(formats, QList<Qt::TextFormat> {Qt::PlainText});
    }
}

// The value an edit holds is the value it was given, whatever blocks it is shown in.
TEST(PlainText, EditsKeepEveryValueWhole)
{
    QString everyByte;
    for (int c = 0; c < 256; ++c)
        everyByte += QChar(c);
    QString longWords;
    while (longWords.size() < 3 * 4096 + 17)
        longWords += "word ";
    const QString longLine(3 * 4096 + 5, u'z');
    const QString values[] = {
        "",   "Shelf 3", "a\r\nb",  "a\rb\nc\r\n", "\n\n",
        "\r", everyByte, longWords, longLine,      longLine + "\r\n" + longWords + "\r" + longLine,
    };
    for (const QString& value : values) {
        WholeLineEdit line;
        WholeTextEdit memo;
        for (WholeTextEdit* edit : {static_cast<WholeTextEdit*>(&line), &memo}) {
            edit->setText(value);
            EXPECT_EQ(edit->text(), value) << value.left(20).toStdString();
            EXPECT_EQ(edit->toPlainText(), value);
            EXPECT_EQ(edit->TextLength(), value.size());
        }
    }
    // A long line is shown in blocks the edit keeps short.
    WholeLineEdit edit;
    edit.setText(longLine);
    EXPECT_GE(edit.document()->blockCount(), 4);
    for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next())
        EXPECT_LE(b.length(), 4097);
}

// Keys and pastes ask the check first; what it refuses leaves the value and the undo history as they were.
TEST(PlainText, EditsRefuseWhatTheCheckRefusesAtTypingAndPaste)
{
    const QString longLine(2 * 4096 + 10, u'z');
    for (const bool memo : {false, true}) {
        std::unique_ptr<WholeTextEdit> edit =
            memo ? std::make_unique<WholeTextEdit>() : std::make_unique<WholeLineEdit>();
        QStringList asked;
        qsizetype most = longLine.size() + 3;
        edit->SetValueCheck([&](const QString& candidate) {
            asked << candidate.right(3);
            return candidate.size() <= most;
        });
        edit->setText(longLine);
        edit->moveCursor(QTextCursor::End);
        const auto type = [&](Qt::Key key, const QString& text) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(edit.get(), &press);
        };
        type(Qt::Key_A, "a");
        QApplication::clipboard()->setText("bc");
        edit->paste();
        EXPECT_EQ(edit->text(), longLine + "abc");
        type(Qt::Key_D, "d");  // one past
        QApplication::clipboard()->setText(QString(1 << 20, u'p'));
        edit->paste();
        EXPECT_EQ(edit->text(), longLine + "abc");
        EXPECT_EQ(asked, QStringList({"zza", "abc", "bcd", "ppp"}));
        // Over a selection the candidate is what the selection leaves.
        QTextCursor cursor = edit->textCursor();
        cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 2);
        edit->setTextCursor(cursor);
        type(Qt::Key_X, "x");
        EXPECT_EQ(edit->text(), longLine + "ax");
        // Pasted line breaks are kept as they were.
        most = longLine.size() + 20;
        QApplication::clipboard()->setText("1\r\n2\r3\n");
        edit->paste();
        EXPECT_EQ(edit->text(), longLine + "ax1\r\n2\r3\n");
        edit->undo();
        EXPECT_EQ(edit->text(), longLine + "ax");
        // Return is a memo's line break and a line's OK.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(edit.get(), &enter);
        EXPECT_EQ(enter.isAccepted(), memo);
        EXPECT_EQ(edit->text(), longLine + (memo ? "ax\n" : "ax"));
    }
}

// The blocks a long value is shown in are no characters: erasing and copying see the value.
TEST(PlainText, EditsEraseAndCopyAcrossTheirOwnBlocks)
{
    WholeLineEdit edit;
    const QString value = QString(4096, u'a') + QString(4096, u'b');
    edit.setText(value);
    ASSERT_EQ(edit.document()->blockCount(), 2);
    QTextCursor cursor(edit.document()->findBlockByNumber(1));
    edit.setTextCursor(cursor);
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(&edit, &backspace);
    EXPECT_EQ(edit.text(), QString(4095, u'a') + QString(4096, u'b'));
    cursor = edit.textCursor();
    cursor.movePosition(QTextCursor::Left, QTextCursor::MoveAnchor);
    cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 3);  // "a", the block's edge, "b"
    edit.setTextCursor(cursor);
    edit.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "ab");
    edit.moveCursor(QTextCursor::Start);
    edit.moveCursor(QTextCursor::EndOfBlock);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(&edit, &del);
    EXPECT_EQ(edit.text(), QString(4095, u'a') + QString(4095, u'b'));
}

}  // namespace
}  // namespace quorvel
