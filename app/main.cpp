#include "model/Utils.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/QtServices.h"
#include "ui/OptionsForm.h"
#include "config/PlatformList.h"
#include "config/ProgramSetup.h"
#include "config/SettingsStore.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include <exception>
#include <memory>

using namespace quorvel;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName("Quorvel");
    QtServices services;
    InstallServices(services.Set());

    std::string programDir;
    try {
        programDir = WritableProgramDir();
        StartConfiguration(programDir, ShippedDataDir());
    } catch (const std::exception& e) {
        Messages().Error(ToQString(e.what()));
        return 1;
    }

    SettingsStore settings(programDir);
    PlatformList platforms;

    QMainWindow window;
    window.setWindowTitle("Quorvel");
    window.resize(800, 600);
    auto options = std::make_unique<TOptionsForm>(settings, platforms, &window);

    // Until the main window exists, the options dialog is reached from a temporary menu.
    QMenu* tools = window.menuBar()->addMenu("&Tools");
    QObject::connect(tools->addAction("&Options..."), &QAction::triggered, &window, [&] {
        RunCommand([&] {
            options->ShowOptions();
            options->AcceptChanges();
        });
    });

    window.show();
    const int result = app.exec();
    RunCommand([&] { options->SaveSettings(); });
    return result;
}
