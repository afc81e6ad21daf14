#include "app/mainwindow.h"

#include "addresses/addressmanagerfile.h"
#include "app/datafolders.h"
#include "app/prompter.h"
#include "app/runtimeflags.h"
#include "app/settings.h"
#include "app/settingsstore.h"
#include "app/splashwindow.h"
#include "appearance/widgets/bmpscrollbox.h"
#include "grid/browsergrid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

StartupEnvironment StartupEnvironment::system()
{
    StartupEnvironment env;
    env.settingsFile = SettingsStore::defaultFilePath();
    env.programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    env.personalFolder = &DataFolders::personalFolder;
    env.today = QDate::currentDate();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        env.workArea = screen->availableGeometry();
    return env;
}

QStringList MainWindow::startupMessages()
{
    return {
        QStringLiteral("Could not obtain registry keys, closing Vorlan."),
        QStringLiteral("Could not set internal flags, closing Vorlan."),
        QStringLiteral("Could not create/locate Vorlan data folders, closing Vorlan."),
        QStringLiteral("Could not set programs Options, closing Vorlan."),
        QStringLiteral("Could not initilize the grid, closing Vorlan"),
        QStringLiteral("Could not open the web address manager file, closing Vorlan"),
        QStringLiteral("Could not set graphics settings, closing Vorlan"),
    };
}

MainWindow::MainWindow(Settings &settings, RuntimeFlags &flags, Prompter &prompter, Shell &shell,
                       StartupEnvironment environment)
    : QWidget(nullptr), m_settings(settings), m_flags(flags), m_prompter(prompter), m_shell(shell),
      m_environment(std::move(environment))
{
    setObjectName(QStringLiteral("MN"));
    setWindowTitle(QStringLiteral("Vorlan"));
    setMinimumSize(205, 30);
    buildForm();
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    delete m_grid;
}

void MainWindow::buildForm()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_pnMaster = new QWidget(this);
    m_pnMaster->setObjectName(QStringLiteral("pnMaster"));
    outer->addWidget(m_pnMaster);

    auto *masterLayout = new QVBoxLayout(m_pnMaster);
    masterLayout->setContentsMargins(0, 0, 0, 0);
    m_pnMainGrid = new QWidget(m_pnMaster);
    m_pnMainGrid->setObjectName(QStringLiteral("pnMainGrid"));
    masterLayout->addWidget(m_pnMainGrid);

    auto *gridLayout = new QVBoxLayout(m_pnMainGrid);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    m_sbMainGrid = new BmpScrollBox(m_pnMainGrid);
    m_sbMainGrid->setObjectName(QStringLiteral("sbMainGrid"));
    gridLayout->addWidget(m_sbMainGrid);
}

bool MainWindow::startUp(SplashWindow *splash)
{
    using Step = bool (MainWindow::*)();
    const Step steps[] = {&MainWindow::loadSettings,     &MainWindow::setInternalFlags,
                          &MainWindow::locateDataFolders, &MainWindow::applyOptions,
                          &MainWindow::initializeGrid,    &MainWindow::openAddressManagerFile,
                          &MainWindow::setGraphicsSettings};
    const QStringList messages = startupMessages();
    for (int i = 0; i < int(std::size(steps)) && !m_startupAborted; ++i) {
        if (splash)
            splash->stepIt();
        bool ok = false;
        try {
            ok = (this->*steps[i])();
        } catch (...) {
            ok = false;
        }
        if (!ok) {
            m_startupAborted = true;
            m_prompter.showFatal(messages[i]);
        }
    }
    return !m_startupAborted;
}

bool MainWindow::loadSettings()
{
    SettingsStore store(m_environment.settingsFile, m_environment.workArea, m_environment.today);
    return store.load(m_settings);
}

bool MainWindow::setInternalFlags()
{
    m_flags = RuntimeFlags{};
    m_flags.programFolder = m_environment.programFolder;
    m_flags.lastWidth = width();
    m_flags.lastHeight = height();
    // The application's message hook: shortcuts and the resize watch.
    qApp->installEventFilter(this);
    return true;
}

bool MainWindow::locateDataFolders()
{
    const QString personal = m_environment.personalFolder ? m_environment.personalFolder()
                                                          : DataFolders::NotFound;
    const bool located = DataFolders::locate(personal, m_flags.programFolder, m_prompter, m_flags.dataFolder);
    return located && m_flags.dataFolder != DataFolders::NotFound;
}

bool MainWindow::applyOptions()
{
    // Colours, bars, background, controller and hints join here as those
    // features arrive; each reports its own failure and the step goes on.
    return true;
}

bool MainWindow::initializeGrid()
{
    if (!m_grid) {
        m_grid = new BrowserGrid(m_settings, m_flags, m_prompter, m_sbMainGrid, m_pnMainGrid);
        m_grid->setWidgetsDisabledDuringDelete({m_pnMaster});
    }
    return m_grid->layoutGrid(true);
}

bool MainWindow::openAddressManagerFile()
{
    return AddressManagerFile::ensureExists(AddressManagerFile::fileName(m_flags.dataFolder));
}

bool MainWindow::setGraphicsSettings()
{
    // The window draws its own frame: no caption from the window manager.
    setWindowFlag(Qt::FramelessWindowHint, true);
    return true;
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownOnce || m_startupAborted)
        return;
    m_shownOnce = true;
    setGeometry(m_settings.left, m_settings.top, m_settings.width, m_settings.height);
    m_flags.lastWidth = width();
    m_flags.lastHeight = height();
}

void MainWindow::restoreAndRaise()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized()) {
        m_wasMinimized = true;
        m_flags.setBackgroundSuspended(m_settings.backgroundProcesses == 1);
    } else if (m_wasMinimized) {
        m_wasMinimized = false;
        m_flags.setBackgroundSuspended(false);
    }
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    shutDown();
    event->accept();
    emit closed();
}

void MainWindow::shutDown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    const QRect bounds = geometry();
    hide();
    if (m_startupAborted)
        return;
    try {
        if (m_shownOnce) {
            m_settings.top = bounds.top();
            m_settings.left = bounds.left();
            m_settings.width = bounds.width();
            m_settings.height = bounds.height();
        }
        m_flags.setBackgroundSuspended(true);
        SettingsStore(m_environment.settingsFile, m_environment.workArea, m_environment.today).save(m_settings);
        AddressManagerFile::ensureExists(AddressManagerFile::fileName(m_flags.dataFolder));
        if (m_grid)
            m_grid->closeAllBrowsers();
    } catch (...) {
    }
}
