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
#include "pane/enginesetup.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    EngineSetup::applyBeforeApplication();
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
    if (!instance.claim(command.addresses))
        return 0;

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

    QObject::connect(&instance, &SingleInstance::activationRequested, &window, &MainWindow::restoreAndRaise);
    QObject::connect(&instance, &SingleInstance::addressesReceived, &window, &MainWindow::openAddresses);
    QObject::connect(&window, &MainWindow::closed, &app, [&window] { QCoreApplication::exit(window.exitCode()); },
                     Qt::QueuedConnection);

    window.show();
    running = true;
    // After the panes of the last session, which come back once the window stands.
    if (!command.addresses.isEmpty())
        QMetaObject::invokeMethod(&window, [&window, &command] { window.openAddresses(command.addresses); },
                                  Qt::QueuedConnection);
    if (terminationPending)
        QMetaObject::invokeMethod(&window, &QWidget::close, Qt::QueuedConnection);
    return app.exec();
}
