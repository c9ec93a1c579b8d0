#include "app/ProgramBody.h"

#include "config/PlatformList.h"
#include "config/ProgramSetup.h"
#include "config/SettingsStore.h"
#include "model/ListFileSlices.h"
#include "platform/FileNames.h"
#include "platform/FolderLock.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PaintThreads.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/RecentFilesStore.h"
#include "platform/qt/Version.h"
#include "ui/startup/MigrationForm.h"
#include "ui/options/OptionsForm.h"
#include "ui/window/QuorvelForm.h"
#include "ui/startup/SplashForm.h"
#include "ui/SystemLocaleFormat.h"
#include "ui/commands/WebCommands.h"

#include <QApplication>
#include <QLocale>

#include <exception>
#include <memory>

namespace quorvel {

int ProgramBody(int argc, char** argv)
{
    SetUpAllocator();
    QApplication app(argc, argv);
    LimitPaintThreads();
    QtServices services;
    InstallServices(services.Set());
    LocaleFormat::SetCurrent(LocaleFormatFrom(QLocale::system()));

    // The configuration file is named (and marked on a first run) before any window exists.
    Path programDir;
    std::unique_ptr<FolderLock> folderLock;
    try {
        programDir = WritableProgramDir();
        // Two programs on one folder would each write their own settings, last files and recent files
        // over the other's at exit: the second one leaves before it writes anything.
        folderLock = std::make_unique<FolderLock>(programDir);
        if (folderLock->GetState() == FolderLock::State::Busy) {
            Messages().Error("Quorvel is already running with the folder " + PathToQString(programDir) +
                             ".\nClose it before starting Quorvel again.");
            return 1;
        }
        if (folderLock->GetState() == FolderLock::State::Unavailable)
            Messages().Warning("Quorvel could not lock the folder " + PathToQString(programDir) +
                               ".\nIt runs without a lock: do not start Quorvel a second time with this folder.");
        StartConfiguration(programDir, ShippedDataDir());
    } catch (const std::exception& e) {
        Messages().Error(ErrorText(e));
        return 1;
    }
    // The application title only: as a display name Qt would add it to every window's caption, and
    // the main window's caption already begins with it.
    app.setApplicationName(kProgramName);
    // Ties the windows to the installed desktop entry, and so to its icon.
    app.setDesktopFileName("quorvel");

    SettingsStore settings(programDir);
    PlatformList platforms;
    // The splash shows while the windows are made; it lives on as the About window.
    TSplashForm splash;
    splash.ShowAtStartUp();
    // The main window comes first; the options dialog it uses is made beside it and loads the
    // settings before the main window is shown.
    TOptionsForm options(settings, platforms);
    SettingsRecentFilesStore recentFiles(PathToQString(JoinPath(programDir, "RecentFiles.conf")));
    TQuorvelForm form(settings, platforms, options, recentFiles);
    form.AttachCommandGroup(std::make_unique<WebCommands>(form, splash, VersionString()));
    TMigrationForm migration(programDir);
    form.ShowMigration = [&] {
        ExecDialog(migration);
        return migration.MigrationSucceeded();
    };
    RunCommand([&] { options.LoadSettings(); });

    form.show();
    // Without a window manager to honour "stay on top", the main window would cover the splash.
    if (splash.isVisible())
        splash.raise();
    return app.exec();
}

}  // namespace quorvel
