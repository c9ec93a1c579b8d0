#include "app/ProgramBody.h"

#include "config/PlatformList.h"
#include "config/ProgramSetup.h"
#include "config/SettingsStore.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/QtServices.h"
#include "reports/WebCommands.h"
#include "reports/ReportCommands.h"
#include "ui/CustomPropertyDialog.h"
#include "ui/FieldOrderForm.h"
#include "ui/OptionsForm.h"
#include "ui/QuorvelForm.h"
#include "ui/SplashForm.h"
#include "ui/SystemLocaleFormat.h"
#include "ui/commands/ClipboardCommands.h"

#include <QApplication>
#include <QLocale>

#include <exception>

namespace quorvel {

int ProgramBody(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtServices services;
    InstallServices(services.Set());
    LocaleFormat::SetCurrent(LocaleFormatFrom(QLocale::system()));

    // The configuration file is named (and marked on a first run) before any window exists.
    std::string programDir;
    try {
        programDir = WritableProgramDir();
        StartConfiguration(programDir, ShippedDataDir());
    } catch (const std::exception& e) {
        Messages().Error(ErrorText(e));
        return 1;
    }
    app.setApplicationName("Quorvel");
    app.setApplicationDisplayName("Quorvel");

    SettingsStore settings(programDir);
    PlatformList platforms;
    // The splash shows while the windows are made; it lives on as the About window.
    TSplashForm splash;
    splash.ShowAtStartUp();
    // The dialogs that command groups share outlive the window.
    TFieldOrderForm fieldOrder;
    TCustomPropertyDialog propertyDialog;
    // The main window comes first; the options dialog it uses is made beside it and loads the
    // settings before the main window is shown.
    TOptionsForm options(settings, platforms);
    TQuorvelForm form(settings, platforms, options);
    form.AttachCommandGroup(std::make_unique<ClipboardCommands>(form, fieldOrder, form.GetListCommands()));
    form.AttachCommandGroup(std::make_unique<ReportCommands>(form, fieldOrder, propertyDialog));
    form.AttachCommandGroup(std::make_unique<WebCommands>(form, splash));
    RunCommand([&] { options.LoadSettings(); });

    form.show();
    return app.exec();
}

}  // namespace quorvel
