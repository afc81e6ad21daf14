#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/splashwindow.h"
#include "app/unixsignalwatcher.h"
#include "appearance/skinimages.h"
#include "core/boxprompter.h"
#include "core/desktopshell.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "pane/enginesetup.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    // The engine's page processes are set up with the application object:
    // the choice is read from the settings file ahead of it.
    EngineSetup::applyBeforeApplication(
        EngineSetup::PageProcesses(SettingsStore::pageProcessesBeforeStart(SettingsStore::defaultFilePath())));
    QApplication app(argc, argv);
    EngineSetup::chooseRendering();
    QApplication::setApplicationName(QStringLiteral("Vorlan"));
    QApplication::setApplicationVersion(QStringLiteral(VORLAN_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Halvane"));
    QApplication::setQuitOnLastWindowClosed(false);

    const CommandLine::Result command = CommandLine::parse(QCoreApplication::arguments(), QDir::currentPath());
    if (command.exit)
        return command.exitCode;

    // A copy that runs already takes the addresses; this one ends.
    SingleInstance instance;
    switch (instance.claim(command.addresses)) {
    case SingleInstance::Claim::First:
        break;
    case SingleInstance::Claim::HandedOver:
        return 0;
    case SingleInstance::Claim::NoAnswer:
        qCritical("Vorlan is already running but does not answer; the addresses were not opened.");
        return 1;
    }
    // Addresses handed over while this copy is still starting wait for the
    // window to stand.
    QStringList addressesWhileStarting;
    QObject::connect(&instance, &SingleInstance::addressesReceived, &app,
                     [&](const QStringList &addresses) { addressesWhileStarting += addresses; });

    Settings settings;
    RuntimeFlags flags;
    BoxPrompter prompter(flags);
    DesktopShell shell;

    // SIGTERM and SIGINT close the window the normal way once it runs; one
    // that comes during start-up closes it as soon as it is shown.
    UnixSignalWatcher signalWatcher;
    bool running = false;
    bool terminationPending = false;

    auto *splash = new SplashWindow(SkinImages().picture(SkinPicture::ProgramIcon));
    splash->show();
    splash->repaint();

    MainWindow window(settings, flags, prompter, shell);
    QObject::connect(&signalWatcher, &UnixSignalWatcher::terminationRequested, &window, [&] {
        if (running)
            window.close();
        else
            terminationPending = true;
    });
    const bool started = window.startUp(splash);
    splash->hide();
    delete splash;
    if (!started)
        return 0;

    instance.disconnect(&app);
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, &MainWindow::restoreAndRaise);
    QObject::connect(&instance, &SingleInstance::addressesReceived, &window, &MainWindow::openAddresses);
    QObject::connect(&window, &MainWindow::closed, &app, [&window] { QCoreApplication::exit(window.exitCode()); },
                     Qt::QueuedConnection);

    window.show();
    running = true;
    // After the panes of the last session, which come back once the window stands.
    const QStringList firstAddresses = command.addresses + addressesWhileStarting;
    if (!firstAddresses.isEmpty())
        QMetaObject::invokeMethod(&window, [&window, firstAddresses] { window.openAddresses(firstAddresses); },
                                  Qt::QueuedConnection);
    if (terminationPending)
        QMetaObject::invokeMethod(&window, &QWidget::close, Qt::QueuedConnection);
    return app.exec();
}
