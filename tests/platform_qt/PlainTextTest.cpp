#include "platform/qt/PlainText.h"
#include "platform/qt/QtServices.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

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
        {"/home/jo/Carts/Zentrix 64.csv", true},
        {"a<b.csv & more", true},
        {"<img src=\"/tmp/x.png\">", false},
        {"<h1>BIG<h1><font color=red>red.csv", false},
        {"  two  blanks\tand a tab <i>\nand a second line", false},
        {"", true},
    };
    for (const auto& [text, unchanged] : cases) {
        const QString tip = PlainToolTip(text);
        EXPECT_EQ(ShownTip(tip), text) << text.toStdString();
        // Ordinary text is left alone, so that tooltips read back as they were set.
        EXPECT_EQ(unchanged ? tip : text, text) << text.toStdString();
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

}  // namespace
}  // namespace quorvel
