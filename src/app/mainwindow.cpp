#include "app/mainwindow.h"

#include "addresses/addressmanager.h"
#include "addresses/managerpanel.h"
#include "app/aboutpanel.h"
#include "options/applicationhints.h"
#include "options/bossbutton.h"
#include "options/browserstepping.h"
#include "options/custombutton.h"
#include "options/keyboardshortcuts.h"
#include "options/optionspanel.h"
#include "options/quietprompter.h"
#include "app/splashwindow.h"
#include "app/windowappearance.h"
#include "app/sessionkeeper.h"
#include "app/windowframe.h"
#include "appearance/skinimages.h"
#include "audio/audiopage.h"
#include "audio/audioplayer.h"
#include "audio/mpvbackend.h"
#include "appearance/skinnedpanelook.h"
#include "appearance/widgets/bmpscrollbox.h"
#include "appearance/widgets/dropdowncombobox.h"
#include "appearance/widgets/shadowlabel.h"
#include "appearance/widgets/skinbutton.h"
#include "controller/controlleroptionspage.h"
#include "controller/gamecontroller.h"
#include "core/commandregistry.h"
#include "core/damagedfile.h"
#include "core/datafolders.h"
#include "core/overlaypanels.h"
#include "core/prompter.h"
#include "core/qtfiledialogs.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "core/shell.h"
#include "grid/browsergrid.h"
#include "pane/downloadkeeper.h"
#include "pane/downloadlist.h"
#include "pane/sitepermissions.h"
#include "grid/gridsession.h"
#include "grid/pagelifecycle.h"
#include "grid/gridfeatures.h"
#include "grid/gridmaintenance.h"
#include "grid/gridscanner.h"
#include "grid/gridsearch.h"
#include "navgrid/navgrid.h"
#include "navgrid/navgridpanel.h"
#include "options/gridtoolspanel.h"
#include "options/systeminfo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStandardPaths>

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
    m_controller.reset();
    delete m_gridTools;
    delete m_scanner;
    delete m_maintenance;
    delete m_search;
    // The player before the media player it plays on.
    delete m_audio;
    delete m_media;
    delete m_lifecycle;
    delete m_navGrid;
    delete m_gridFeatures;
    delete m_grid;
}

void MainWindow::buildForm()
{
    m_ownDialogs = std::make_unique<QtFileDialogs>(this);
    m_dialogs = m_ownDialogs.get();
    m_skin = std::make_unique<SkinImages>();
    m_tinted = std::make_unique<SkinImages>(*m_skin);
    m_paneLook = std::make_unique<SkinnedPaneLook>(m_settings, *m_skin);
    m_commands = new CommandRegistry(this);
    setWindowIcon(QIcon(QPixmap::fromImage(m_skin->picture(SkinPicture::ProgramIcon))));
    m_overlays = new OverlayPanels(this, m_flags, m_prompter, this);
    m_frame = new WindowFrame(this, m_settings, m_flags, *m_overlays, *m_commands, m_environment.workArea);
    connect(m_frame, &WindowFrame::windowSizeChanged, this, &MainWindow::windowSizeChanged);
    resize(915, 600);
    m_frame->layout();

    m_pnAbout = new AboutPanel(m_skin->picture(SkinPicture::ProgramIcon), this);
    m_overlays->addPanel(m_pnAbout);
    connect(m_pnAbout, &AboutPanel::closeRequested, m_overlays, &OverlayPanels::hideAll);
    buildAppToolsMenu();
    m_frame->applySkin(*m_tinted, m_settings);
}

void MainWindow::buildAppToolsMenu()
{
    m_pmAppTools = new QMenu(this);
    m_pmAppTools->setObjectName(QStringLiteral("pmAppTools"));
    const auto item = [this](const char *name, const QString &text) {
        QAction *action = m_pmAppTools->addAction(text);
        action->setObjectName(QLatin1String(name));
        m_commands->add(action);
        return action;
    };
    item("Options1", QStringLiteral("Options"));
    connect(item("Help1", QStringLiteral("Help")), &QAction::triggered, this, &MainWindow::openHelp);
    connect(item("About1", QStringLiteral("About")), &QAction::triggered, this, &MainWindow::openAboutPanel);
    // The last downloads of the panes' pages, and their folder.
    QMenu *downloads = m_pmAppTools->addMenu(QStringLiteral("Downloads"));
    downloads->setObjectName(QStringLiteral("pmDownloads"));
    connect(downloads, &QMenu::aboutToShow, downloads, [this, downloads] {
        fillDownloadsMenu(downloads, DownloadKeeper::instance().list(), DownloadKeeper::folder(), m_shell);
    });
    m_pmAppTools->addSeparator();
    m_pmAppTools->addAction(QStringLiteral("Cancel"));
    connect(m_frame->button(QStringLiteral("skAppTools"))->registerCommand(*m_commands), &QAction::triggered, this,
            [this] { m_pmAppTools->popup(QCursor::pos()); });
}

void MainWindow::createGridFeatures()
{
    WindowFrame &f = *m_frame;
    const auto button = [&f](const char *name) { return f.button(QLatin1String(name)); };
    GridFeatures::Parts parts{
        {f.cbWebAddressBar, button("skAddressMode"), button("skAddressNew"), button("skActiveRedir"), f.pnButtons},
        {button("skActiveBack"), button("skActiveForward"), button("skActiveRefresh"), button("skActiveStop"),
         button("skActivePrint"), button("skActiveDelete"), button("skActiveJump"), button("skActiveFileTools"),
         button("skAddressPrior"), button("skAddressNext"), f.cbWebAddressBar, f.laLocalIP, f.laActiveIP},
        f.cbSelectBrowserList,
        f.laBrowserInfo,
    };
    m_gridFeatures = new GridFeatures(*m_grid, m_settings, m_flags, m_prompter, m_shell, *m_dialogs, *m_commands,
                                      *m_tinted, parts);
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
            m_prompter.showPlain(messages[i]);
        }
    }
    return !m_startupAborted;
}

bool MainWindow::loadSettings()
{
    SettingsStore store(m_environment.settingsFile, m_environment.workArea, m_environment.today);
    return store.load(m_settings, &m_prompter);
}

bool MainWindow::setInternalFlags()
{
    m_flags = RuntimeFlags{};
    m_flags.programFolder = m_environment.programFolder;
    m_flags.lastWidth = width();
    m_flags.lastHeight = height();
    // The application's message hook: the frame's pointer and resize watch.
    m_frame->startWatching();
    return true;
}

bool MainWindow::locateDataFolders()
{
    const QString personal = m_environment.personalFolder ? m_environment.personalFolder()
                                                          : DataFolders::NotFound;
    const bool located = DataFolders::locate(personal, m_flags.programFolder, m_prompter, m_flags.dataFolder);
    if (!located || m_flags.dataFolder == DataFolders::NotFound)
        return false;
    // The answers to sites the user asked to have remembered; a damaged file
    // is said once the window is up.
    const QString notice = SitePermissions::setStoreFile(SitePermissions::filePath(m_flags.dataFolder));
    if (!notice.isEmpty())
        QMetaObject::invokeMethod(
            this, [this, notice] { m_prompter.showInformation(notice); }, Qt::QueuedConnection);
    return true;
}

bool MainWindow::applyOptions()
{
    // The subsystems exist from here on; the stored look (colours, bars,
    // background), the controller and the corner hints apply to them.
    if (!m_grid)
        createSubsystems();
    return m_appearance->applyAppearance();
}

void MainWindow::createSubsystems()
{
    m_grid = new BrowserGrid(m_settings, m_flags, m_prompter, *m_paneLook, m_frame->sbMainGrid, m_frame->pnMainGrid);
    m_sessionKeeper = new SessionKeeper(*m_grid, GridSession::filePath(m_flags.dataFolder), m_prompter, this);
    createGridFeatures();
    WindowFrame &f = *m_frame;
    m_navGrid = new NavGrid(*m_grid, m_settings, m_flags, m_prompter, *m_overlays, *m_commands, *m_tinted,
                            {this, f.pnMaster, f.pnTop, f.pnControls, f.pnGridTop, f.pnGridRight, f.pnMainGrid,
                             f.sbMainGrid, f.button(QStringLiteral("skNavGrid"))});
    connect(m_frame, &WindowFrame::aboutToMaximizeOrRestore, m_navGrid, &NavGrid::hideForWindowChange);
    connect(m_frame, &WindowFrame::maximizedOrRestored, m_navGrid, &NavGrid::showAfterWindowChange);
    // The system's own audio output unless told otherwise.
    m_media = new MpvBackend(m_environment.audioOutput, this);
    // The audio keys fail without a word; the same operations from the
    // buttons and the controller still say why.
    m_audioPrompter = std::make_unique<QuietPrompter>(m_prompter);
    m_audio = new AudioPlayer(m_flags, *m_audioPrompter, m_shell, *m_dialogs, *m_media, *m_commands, {m_frame->laAudio},
                              this);
    m_lifecycle = new PageLifecycle(*m_grid, m_settings, this);
    // The music waits while the active pane makes sound.
    connect(m_grid, &BrowserGrid::activePaneSoundingChanged, this, &MainWindow::holdMusicForPane);
    m_addresses = new AddressManager(m_settings, m_flags, m_prompter, m_shell, *m_dialogs, *m_commands, *m_overlays,
                                     *m_grid,
                                     {this, f.sbMainGrid, f.pnMaster, f.pnTop, f.pnControls, f.pnGridTop,
                                      f.button(QStringLiteral("skManager")), f.laQueue},
                                     {}, this);
    // The address bar's Ctrl+double-click group and "Save to Favorite Group".
    m_addresses->attachGridFeatures(*m_gridFeatures);
    createGridTools();
    createController();
    m_appearance = std::make_unique<WindowAppearance>(
        m_settings, m_flags, m_prompter, *m_skin, *m_tinted,
        WindowAppearance::Parts{m_frame, m_grid, m_gridFeatures, m_navGrid,
                                [this] { return m_controller->applyControllerSettings(); },
                                [this] { return m_hints->apply(); }});
    createOptions();
}

void MainWindow::createOptions()
{
    WindowFrame &f = *m_frame;
    SkinButton *skCustom = f.button(QStringLiteral("skCustom"));
    m_hints = new ApplicationHints(m_settings, skCustom, f.laHints, this);
    m_custom = new CustomButton(m_settings, m_prompter, *m_dialogs, *m_tinted, skCustom, *m_commands, this);
    OptionsHooks h;
    h.connectionStateChanged = [this] {
        m_frame->laLocalIP->setText(QStringLiteral("Unresolved"));
        m_frame->laActiveIP->setText(QString());
        return true;
    };
    h.renewHistoryDates = [this] { return m_addresses->renewHistoryDates(); };
    h.resetScannerTimers = [this] {
        m_scanner->settingsChanged();
        return true;
    };
    h.applyAppearance = [this] { return m_appearance->applyAppearance(); };
    h.applyColours = [this] { return m_appearance->applyColours(); };
    h.applyButtonBarPosition = [this] { return m_appearance->applyButtonBarPosition(); };
    h.applyAddressBarBevel = [this] { return m_appearance->applyAddressBarBevel(); };
    h.applyGridBackgroundImage = [this] { return m_appearance->applyGridBackgroundImage(); };
    h.applyGridBackgroundSize = [this] { return m_appearance->applyGridBackgroundSize(); };
    h.applyApplicationHints = [this] { return m_hints->apply(); };
    h.applyCornerHints = [this] {
        m_appearance->applyCornerLabels();
        return true;
    };
    h.applyPaneSound = [this] {
        m_grid->resetPaneSound();
        return true;
    };
    h.applyPagesOutOfView = [this] {
        m_lifecycle->update();
        return true;
    };
    h.applyMusicHold = [this] {
        holdMusicForPane();
        return true;
    };
    h.closeAfterFatalError = [this](const QString &message) { closeAfterFatalError(message); };
    h.openHelp = [this] { openHelp(); };
    m_options = new OptionsPanel(m_settings, m_flags, m_prompter, *m_dialogs, *m_grid, *m_overlays, *m_custom, h, this);
    connect(m_commands->command(QStringLiteral("Options1")), &QAction::triggered, m_options, &OptionsPanel::open);
    ControllerOptionsPage::Hooks controller;
    controller.applyControllerSettings = [this] { return m_controller->applyControllerSettings(); };
    controller.updateQueueControllerStatus = [this] { m_controller->updateQueueControllerStatus(); };
    controller.panelVisible = [this] { return m_options->isVisible(); };
    // Linux has no game controller panel of its own; a joystick tester the
    // desktop has takes its place.
    controller.openControllerProperties = [this] {
        const QString tester = QStandardPaths::findExecutable(QStringLiteral("jstest-gtk"));
        return !tester.isEmpty() && m_shell.startProgram(tester);
    };
    auto *directInput = new ControllerOptionsPage(m_settings, m_prompter, controller);
    m_options->setDirectInputPage(directInput, [directInput] { directInput->fill(); });

    std::function<QRect()> workArea;
    if (m_environment.workArea.isValid())
        workArea = [this] { return m_environment.workArea; };
    BossButton::Parts boss;
    boss.window = this;
    boss.imResize = f.imResize;
    boss.skMinimize = f.skMinimize;
    boss.skMaximize = f.skMaximize;
    boss.skNavHintResize = m_navGrid->panel()->skNavHintResize;
    boss.skNavGrid = f.button(QStringLiteral("skNavGrid"));
    boss.cornerLabels = {f.laAudio, f.laLocalIP, f.laActiveIP};
    boss.workArea = workArea;
    m_boss = new BossButton(m_settings, m_flags, *m_overlays, boss, this);
    m_stepping = std::make_unique<BrowserStepping>(*m_grid, m_flags);
    KeyboardShortcuts::Hooks keys{[this] { return m_boss->toggle(); },
                                  [this] { return m_audio->playPriorSong(); },
                                  [this] { return m_audio->playNextSong(); },
                                  [this] { return m_audio->playPriorGenre(); },
                                  [this] { return m_audio->playNextGenre(); },
                                  [this] { return m_audio->stopAudio(true); },
                                  [this] { return m_grid->toggleActivePaneMute(); }};
    m_shortcuts = new KeyboardShortcuts(m_prompter, *m_stepping, keys, this);
    m_shortcuts->setQuietPrompter(m_audioPrompter.get());
    m_shortcuts->setBlockingPanels({m_options, m_gridTools, m_addresses->panel()});
}

bool MainWindow::initializeGrid()
{
    return m_grid && m_grid->layoutGrid(true);
}

bool MainWindow::openAddressManagerFile()
{
    // The favorites and history read, the retention applied, the queue's
    // stored delay and open type taken.
    return m_addresses && m_addresses->startUp();
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
    if (!m_frame->resetLayout()) {
        m_startupAborted = true;
        m_prompter.showPlain(QStringLiteral("Could not align and sizes controls, closing Vorlan"));
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    setGeometry(m_settings.left, m_settings.top, m_settings.width, m_settings.height);
    m_flags.lastWidth = width();
    m_flags.lastHeight = height();
    // The panes of the last run come back once the window stands; from then
    // on the session file follows the open panes.
    if (m_settings.restoreSession == 1)
        QMetaObject::invokeMethod(this, &MainWindow::restoreSession, Qt::QueuedConnection);
    else if (m_sessionKeeper)
        m_sessionKeeper->start(false);
}

void MainWindow::restoreSession()
{
    if (m_shutDown || !m_grid)
        return;
    const QString path = GridSession::filePath(m_flags.dataFolder);
    QList<GridSession::Pane> panes;
    int skipped = 0;
    switch (GridSession::read(path, &panes, &skipped)) {
    case GridSession::ReadResult::Missing:
        m_sessionKeeper->start(false);
        return;
    case GridSession::ReadResult::Damaged: {
        const QString kept = DamagedFile::moveAside(path);
        m_prompter.showInformation(QStringLiteral("Could not restore the panes of the last session.\n"
                                                  "The session file was kept as %1.")
                                       .arg(QFileInfo(kept.isEmpty() ? path : kept).fileName()));
        m_sessionKeeper->start(false);
        return;
    }
    case GridSession::ReadResult::Read:
        break;
    }
    GridSession::restore(*m_grid, panes);
    if (skipped == 0) {
        m_sessionKeeper->start(true);
        return;
    }
    // The sound panes are open; the file as it was stays aside, and the
    // next round writes the panes as they are.
    const QString kept = DamagedFile::moveAside(path);
    m_prompter.showInformation(GridSession::skippedMessage(skipped)
                               + (kept.isEmpty() ? QString()
                                                 : QStringLiteral("\nThe session file was kept as %1.")
                                                       .arg(QFileInfo(kept).fileName())));
    m_sessionKeeper->start(false);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_frame)
        m_frame->windowResized();
    if (m_navGrid)
        m_navGrid->windowResized();
}

void MainWindow::openAboutPanel()
{
    m_overlays->open(m_pnAbout, QStringLiteral("Resize, window is to small to show the about panel."));
}

void MainWindow::holdMusicForPane()
{
    m_audio->holdForPane(m_settings.musicPausesForPaneSound != 0 && m_grid->activePaneSounding());
}

void MainWindow::openHelp()
{
    // Beside the program (the build), or in share/vorlan/ of an installed one.
    for (const QString &folder : {m_flags.programFolder, m_flags.programFolder + QStringLiteral("../share/vorlan/")}) {
        const QString page = QDir::cleanPath(folder + QStringLiteral("Vorlan Help.html"));
        if (QFileInfo::exists(page)) {
            m_shell.openWithDefaultHandler(page);
            return;
        }
    }
}

bool MainWindow::autoSizeBrowsers()
{
    // A grid that cannot be laid out cannot go on; it still closes the
    // normal way, so the settings and addresses are saved.
    if (m_grid && !m_grid->autoSizeBrowsers(size())) {
        closeAfterFatalError(QStringLiteral("Could not resize the browsers, closing Vorlan"));
        return false;
    }
    // One background tile per cell follows the new cell size.
    if (m_settings.gridBackgroundImageSize == 1 && m_appearance)
        m_appearance->applyGridBackgroundSize();
    return true;
}

void MainWindow::windowSizeChanged()
{
    if (m_settings.autoSize == 0 && !m_flags.bossState && m_shownOnce)
        autoSizeBrowsers();
}

void MainWindow::restoreAndRaise()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainWindow::openAddresses(const QStringList &addresses)
{
    m_waitingAddresses += addresses;
    if (!m_grid || m_shutDown || m_waitingAddresses.isEmpty())
        return;
    // No pane opens under a grid-wide operation or a delete: the rest wait
    // for its end rather than being dropped.
    if (m_grid->operationRunning())
        return;
    const bool full = m_flags.browserCount >= GridModel::BrowserLimit || m_grid->model().lowestVacantCell() == NoIndex;
    if (!full) {
        if (!m_grid->openAddressInNewBrowser(m_waitingAddresses.constFirst(), BrowserType::btNormal)) {
            // A pane on its way out holds its place a moment.
            if (++m_openRetries > 40)
                return tellAddressesLeft();
            QTimer::singleShot(250, this, [this] { openAddresses({}); });
            return;
        }
        m_openRetries = 0;
        m_waitingAddresses.removeFirst();
        // One pane a turn of the event loop: the engine starts the first
        // pages (and their page processes) while the next panes are made.
        // Made in one go, no page of 64 began to load before the last pane
        // was made, a second a dozen panes with a process per site.
        if (!m_waitingAddresses.isEmpty() && !m_openScheduled) {
            m_openScheduled = true;
            QTimer::singleShot(0, this, [this] {
                m_openScheduled = false;
                openAddresses({});
            });
        }
        return;
    }
    tellAddressesLeft();
}

void MainWindow::tellAddressesLeft()
{
    if (m_waitingAddresses.isEmpty())
        return;
    const qsizetype left = m_waitingAddresses.size();
    m_waitingAddresses.clear();
    m_openRetries = 0;
    m_prompter.showInformation(left == 1 ? QStringLiteral("The grid is full: 1 address was not opened.")
                                         : QStringLiteral("The grid is full: %1 addresses were not opened.").arg(left));
}

void MainWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // "Suspend on minimize": raised while minimised, lowered on the way back
    // (only when this raised it).
    if (isMinimized()) {
        if (!m_suspendedByMinimize && m_settings.backgroundProcesses == 1) {
            m_suspendedByMinimize = true;
            m_flags.setBackgroundSuspended(true);
        }
    } else if (m_suspendedByMinimize) {
        m_suspendedByMinimize = false;
        m_flags.setBackgroundSuspended(false);
    }
}

void MainWindow::createGridTools()
{
    m_search = new GridSearch(*m_grid, m_flags, m_prompter, this);
    m_grid->setSearchOnDownloadSource([this] { return m_search->searchOnDownload(); });
    m_maintenance = new GridMaintenance(*m_grid, m_settings, m_flags, m_prompter, this);
    connect(m_maintenance, &GridMaintenance::fatalError, this, &MainWindow::closeAfterFatalError);
    m_scanner = new GridScanner(*m_grid, m_settings, m_flags, m_prompter, *m_commands,
                                m_frame->button(QStringLiteral("skScanner")), this);
    m_grid->setScannerRunningReader([this] { return m_scanner->running(); });
    m_systemInfo = std::make_unique<ProcSystemInfo>();
    m_gridTools = new GridToolsPanel(*m_grid, *m_search, *m_maintenance, m_flags, m_prompter, m_shell, *m_overlays,
                                     *m_commands, m_frame->button(QStringLiteral("skGridTools")), *m_systemInfo,
                                     this);
    auto *audioPage = new AudioPage(*m_audio);
    m_gridTools->setAudioPage(audioPage, [audioPage] { audioPage->pageSelected(); });
    connect(m_search, &GridSearch::resultsChanged, m_navGrid, &NavGrid::updateMap);
    const QList<QPointer<QWidget>> still{m_frame->pnMaster, m_gridTools, m_navGrid->panel()};
    m_maintenance->setWidgetsDisabledDuring(still);
    m_grid->setWidgetsDisabledDuringDelete(still);
    // A close asked for during a long grid operation waits for its end.
    connect(m_grid, &BrowserGrid::operationsFinished, this, [this] {
        if (m_closePending)
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        // Addresses that came during the operation open now.
        else if (!m_waitingAddresses.isEmpty())
            QMetaObject::invokeMethod(this, [this] { openAddresses({}); }, Qt::QueuedConnection);
    });
}

void MainWindow::createController()
{
    ControllerHooks hooks;
    // A step the player stopped for want of an audio output it has told
    // about itself: the controller adds no "Could not find ..." of its own.
    hooks.nextSong = [this] { return m_audio->playNextSong() || m_audio->lastStepFoundNoOutput(); };
    hooks.priorGenre = [this] { return m_audio->playPriorGenre() || m_audio->lastStepFoundNoOutput(); };
    hooks.priorSong = [this] { return m_audio->playPriorSong() || m_audio->lastStepFoundNoOutput(); };
    hooks.startOrNextGenre = [this] { return m_audio->playNextGenre() || m_audio->lastStepFoundNoOutput(); };
    hooks.stopAudio = [this] { return m_audio->stopAudio(true); };
    hooks.openNextQueuedAddress = [this] { m_addresses->openNextQueuedAddress(); };
    hooks.toggleBossButton = [this] { return m_boss->toggle(); };
    m_controller = std::make_unique<GameController>(m_settings, m_flags, m_prompter, m_shell, *m_grid, hooks);
    // The queue panel's two controller labels.
    connect(m_controller.get(), &GameController::queueControllerStatusChanged, m_addresses,
            &AddressManager::setQueueControllerStatus);
    connect(m_addresses, &AddressManager::queueControllerStatusRequested, m_controller.get(),
            &GameController::updateQueueControllerStatus);
}

void MainWindow::closeAfterFatalError(const QString &message)
{
    m_prompter.showPlain(message);
    m_exitCode = 1;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Panes must not be freed under a search's or a maintenance's loop.
    if (m_grid && m_grid->operationRunning()) {
        m_closePending = true;
        event->ignore();
        return;
    }
    m_closePending = false;
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
        if (m_audio)
            m_audio->stopAtShutDown();
        m_flags.setBackgroundSuspended(true);
        if (m_controller)
            m_controller->stopPolling();
        if (m_addresses)
            m_addresses->stopQueueTimer();
        const SafeSave::Outcome saved =
            SettingsStore(m_environment.settingsFile, m_environment.workArea, m_environment.today).save(m_settings);
        if (!saved)
            m_prompter.showInformation(
                SafeSave::failureMessage(QStringLiteral("the settings"), m_environment.settingsFile, saved));
        // The favorites and history: a failed write says so and leaves the old file whole.
        if (m_addresses)
            m_addresses->saveAddressManagerFile();
        // The open panes, for the next start.
        if (m_sessionKeeper) {
            m_sessionKeeper->stop();
            m_sessionKeeper->saveNow();
        }
        if (m_grid)
            m_grid->closeAllBrowsers();
    } catch (...) {
    }
}
