#include "platform/qt/Services.h"
#include "platform/SafeFile.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/Version.h"
#include "support/qt/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <tuple>

namespace quorvel {
namespace {

using test::FakeServices;
using test::MessageKind;

TEST(DocumentUrl, PathsBecomeFileUrlsAndAddressesStay)
{
    struct Case {
        QString target;
        QUrl expected;
    };
    const Case cases[] = {
        {"/tmp/Reports/Bin Report.html", QUrl::fromLocalFile("/tmp/Reports/Bin Report.html")},
        {"/tmp/a#b?c.html", QUrl::fromLocalFile("/tmp/a#b?c.html")},
        {"https://www.cartwell.example/", QUrl("https://www.cartwell.example/")},
        {"mailto:someone@example.com", QUrl("mailto:someone@example.com")},
        {"help/index.html", QUrl::fromLocalFile(QDir::current().absoluteFilePath("help/index.html"))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DocumentUrl(c.target), c.expected) << c.target.toStdString();
        EXPECT_TRUE(DocumentUrl(c.target).isValid());
    }
    // "#" and "?" in a file name are part of the name, not a fragment or a query.
    EXPECT_EQ(DocumentUrl("/tmp/a#b?c.html").toLocalFile(), "/tmp/a#b?c.html");
}

TEST(OpenDocument, HandsTheUrlToTheShellAndShowsAFailure)
{
    FakeServices fake;
    EXPECT_TRUE(OpenDocument("https://www.cartwell.example/"));
    ASSERT_EQ(fake.openedUrls.size(), 1u);
    EXPECT_TRUE(fake.messages.empty());

    fake.shellSucceeds = false;
    EXPECT_FALSE(OpenDocument("/tmp/missing.html"));
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(fake.messages[0].text.contains("/tmp/missing.html"));
}

// The real boxes, answered the way a user would: a key, or the close box (key 0).
TEST(QtServices, BoxesShowPlainTextAndQuestionsDefaultTheSafeWay)
{
    const struct {
        bool ask;
        BoxKind kind;
        int key;
        QMessageBox::StandardButton shownDefault;
        QMessageBox::Icon icon;
        Answer answer;
    } cases[] = {{true, BoxKind::Question, Qt::Key_Return, QMessageBox::Yes, QMessageBox::Question, Answer::Yes},
                 {true, BoxKind::Question, Qt::Key_Escape, QMessageBox::Yes, QMessageBox::Question, Answer::Cancel},
                 {true, BoxKind::Question, 0, QMessageBox::Yes, QMessageBox::Question, Answer::Cancel},
                 {false, BoxKind::Question, Qt::Key_Return, QMessageBox::No, QMessageBox::Question, Answer::No},
                 {false, BoxKind::Question, Qt::Key_Escape, QMessageBox::No, QMessageBox::Question, Answer::No},
                 {false, BoxKind::Warning, Qt::Key_Return, QMessageBox::No, QMessageBox::Warning, Answer::No},
                 {false, BoxKind::Warning, Qt::Key_Y, QMessageBox::No, QMessageBox::Warning, Answer::Yes}};
    QtServices services;
    const QString markup = "<img src=\"/tmp/x.png\"><!-- Zentrix 64";
    for (const auto& c : cases) {
        QMessageBox::StandardButton shownDefault {};
        QMessageBox::Icon icon {};
        Qt::TextFormat format = Qt::RichText;
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return QTimer::singleShot(10, answer);
            shownDefault = box->standardButton(box->defaultButton());
            icon = box->icon();
            format = box->textFormat();
            if (c.key == Qt::Key_Y)
                return box->button(QMessageBox::Yes)->click();
            QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
            c.key ? void(QApplication::sendEvent(box, &press)) : void(box->close());
        };
        QTimer::singleShot(10, answer);
        const Answer given =
            c.ask ? services.Ask(markup) : (services.Confirm(markup, c.kind) ? Answer::Yes : Answer::No);
        EXPECT_EQ(std::tuple(given, shownDefault, icon, format),
                  std::tuple(c.answer, c.shownDefault, c.icon, Qt::PlainText))
            << c.key;
    }
}

// Before the program names itself Qt takes the executable's name; a box shows the program's all the same.
TEST(QtServices, EveryBoxIsCaptionedWithTheProgramsName)
{
    const QString before = QApplication::applicationName();
    QApplication::setApplicationName("quorvel");
    QtServices services;
    const std::function<void()> shows[] = {
        [&] { services.Error("Busy."); },
        [&] { services.Warning("Careful."); },
        [&] { services.Information("Done."); },
        [&] { services.Confirm("Sure?", BoxKind::Question); },
        [&] { (void)services.Ask("Save?"); },
    };
    for (const auto& show : shows) {
        QString caption;
        std::function<void()> close = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return QTimer::singleShot(10, close);
            caption = box->windowTitle();
            box->close();
        };
        QTimer::singleShot(10, close);
        show();
        EXPECT_EQ(caption, "Quorvel");
    }
    QApplication::setApplicationName(before);
}

// The save dialog never asks about an existing file itself: the program asks once, or keeps a backup.
TEST(QtServices, TheSaveDialogLeavesTheOverwriteQuestionToTheProgram)
{
    QtServices services;
    bool asked = true;
    std::function<void()> answer = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return QTimer::singleShot(10, answer);
        asked = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->reject();
    };
    QTimer::singleShot(10, answer);
    EXPECT_FALSE(services.SaveFileName({"Save As", QDir::tempPath(), "taken.CSV", "All Files (*)"}));
    EXPECT_FALSE(asked);
}

TEST(CommandGuard, ShowsWhatTheCommandThrows)
{
    FakeServices fake;
    int runs = 0;
    EXPECT_TRUE(RunCommand([&] { ++runs; }));
    EXPECT_FALSE(RunCommand([] { throw std::runtime_error("Invalid Cartridge File"); }));
    EXPECT_FALSE(RunCommand([] { throw std::runtime_error("Caf\xE9 \x80"); }));
    EXPECT_FALSE(RunCommand([] { throw 42; }));
    EXPECT_FALSE(RunCommand([] { throw FileWriteError(Path("/tmp/n\xC3\xB6.lst")); }));
    EXPECT_FALSE(RunCommand([] { throw FileWriteError(Path("/tmp/full.lst"), ENOSPC); }));
    EXPECT_EQ(runs, 1);
    ASSERT_EQ(fake.messages.size(), 5u);
    EXPECT_EQ(fake.messages[0], (test::ShownMessage {MessageKind::Error, "Invalid Cartridge File"}));
    // Model messages are Windows-1252 bytes.
    EXPECT_EQ(fake.messages[1].text, QString::fromUtf8("Caf\u00E9 \u20AC"));
    EXPECT_EQ(fake.messages[2].kind, MessageKind::Error);
    EXPECT_FALSE(fake.messages[2].text.isEmpty());
    // A file name is shown as the file system spells it, not as Windows-1252 text.
    EXPECT_EQ(fake.messages[3].text, QString::fromUtf8("Unable to write to /tmp/n\u00F6.lst"));
    // The system's reason follows the name.
    EXPECT_EQ(fake.messages[4].text, "Unable to write to /tmp/full.lst: No space left on device");
}

TEST(Services, NoneInstalledIsAnErrorNotARealBox)
{
    const ServiceSet previous = InstallServices({});
    EXPECT_THROW(Messages(), std::logic_error);
    EXPECT_THROW(Dialogs(), std::logic_error);
    EXPECT_THROW(Shell(), std::logic_error);
    InstallServices(previous);
}

TEST(Version, HasFourParts)
{
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+\\.\\d+\\.\\d+$").match(VersionString()).hasMatch())
        << VersionString().toStdString();
}

}  // namespace
}  // namespace quorvel
