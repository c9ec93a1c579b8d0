#include "ui/startup/MigrationForm.h"

#include "ui/UiScale.h"

#include "model/Utils.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace quorvel {

TMigrationForm::TMigrationForm(Path programDir, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      migration_(std::move(programDir), [this](const MigrationLogLine& line) { AddLogLine(line); })
{
    setWindowTitle("Migrating Configuration Information");
    setModal(true);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFixedSize(Scaled(600, 233));

    DoneButton = new QPushButton("Done", this);
    DoneButton->setObjectName("DoneButton");
    DoneButton->setFixedSize(Scaled(75, 25));
    DoneButton->setEnabled(false);
    connect(DoneButton, &QPushButton::clicked, this, Guarded([this] { DoneButtonClick(); }));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(Memo1);
    layout->addWidget(DoneButton, 0, Qt::AlignHCenter);
    setFixedSize(Scaled(600, 270).expandedTo(sizeHint()));

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));
}

void TMigrationForm::AddLogLine(const MigrationLogLine& line)
{
    QString text;
    for (const MigrationLogLine::Piece& piece : line.Pieces())
        text += std::holds_alternative<Path>(piece) ? PathToQString(std::get<Path>(piece))
                                                     : ToQString(std::get<std::string>(piece));
    Memo1->appendPlainText(text);
    // Show the line now, without letting a queued click run inside the migration.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TMigrationForm::RunMigration() { migration_.RunMigration(); }

void TMigrationForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!DoneButton->isEnabled())
        Timer1->start();
}

void TMigrationForm::Timer1Timer()
{
    Timer1->stop();
    // Done must come up whatever the migration did: it is the only way out of the window.
    struct EnableDone {
        QPushButton* button;
        ~EnableDone() { button->setEnabled(true); }
    } enableDone {DoneButton};
    RunMigration();
}

void TMigrationForm::DoneButtonClick()
{
    try {
        migration_.SaveLog();
    } catch (const std::exception&) {
        // The log is a courtesy; the migration's result is in the configuration itself.
    }
    accept();
}

void TMigrationForm::reject()
{
    // Escape does nothing while the migration has not run.
    if (DoneButton->isEnabled())
        DoneButtonClick();
}

void TMigrationForm::closeEvent(QCloseEvent* event)
{
    if (!DoneButton->isEnabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool CheckConfigVersion()
{
    switch (GetConfigVersionState()) {
    case ConfigVersionState::Current:
        return true;
    case ConfigVersionState::Old:
        return false;
    case ConfigVersionState::Unknown:
        break;
    }
    const std::string version = ReadIniString(G_ConfigFile, "General", "ConfigVersion", "");
    Messages().Warning(TextWithPath("The configuration file ", G_ConfigFile,
                                    " has the configuration version \"" + version +
                                        "\", which this version of Quorvel does not know.  It is used as it is."));
    return true;
}

}  // namespace quorvel
