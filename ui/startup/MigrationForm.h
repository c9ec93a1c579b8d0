#pragma once

#include "config/ConfigMigration.h"

#include <QDialog>

#include <string>

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace quorvel {

// Shows the conversion of an old configuration as it runs: one second after the window is shown the
// migration runs once, its log grows line by line, and Done (the only way out) saves the log.
class TMigrationForm : public QDialog {
    Q_OBJECT

public:
    // ProgramDir is the writable half of the program folder, ending with "/".
    explicit TMigrationForm(Path programDir, QWidget* parent = nullptr);

    void AddLogLine(const MigrationLogLine& line);
    void RunMigration();
    // Whether the configuration is current now (the migration got through, or there was nothing to do).
    bool MigrationSucceeded() const { return migration_.Succeeded(); }

    void Timer1Timer();
    void DoneButtonClick();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ConfigMigration migration_;
    // Each carries its name as object name.
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* DoneButton = nullptr;
    QTimer* Timer1 = nullptr;
};

// What the main window asks when it is shown: false when the configuration must be migrated. A
// configuration of an unknown (newer) version is told once with a warning and left as it is.
bool CheckConfigVersion();

}  // namespace quorvel
