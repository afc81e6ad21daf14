#include "app/mainwindow.h"

#include "addresses/addressmanagerfile.h"
#include "app/aboutpanel.h"
#include "app/busycursor.h"
#include "app/datafolders.h"
#include "app/overlaypanels.h"
#include "app/prompter.h"
#include "app/qtfiledialogs.h"
#include "app/runtimeflags.h"
#include "app/settings.h"
#include "app/settingsstore.h"
#include "app/shell.h"
#include "app/splashwindow.h"
#include "app/windowframe.h"
#include "app/windowgeometry.h"
#include "appearance/skinimages.h"
#include "appearance/widgets/bmpscrollbox.h"
#include "appearance/widgets/dropdowncombobox.h"
#include "appearance/widgets/shadowlabel.h"
#include "appearance/widgets/skinbutton.h"
#include "grid/addressbar.h"
#include "grid/browsercommands.h"
#include "grid/browsergrid.h"
#include "grid/browsersizing.h"
#include "grid/selectbrowserlist.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

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
    m_ownDialogs = std::make_unique<QtFileDialogs>(this);
    m_dialogs = m_ownDialogs.get();
    m_skin = std::make_unique<SkinImages>();
    setWindowIcon(QIcon(QPixmap::fromImage(m_skin->picture(SkinPicture::ProgramIcon))));
    m_frame = std::make_unique<WindowFrame>(this);
    resize(915, 600);
    m_frame->layout();

    m_overlays = new OverlayPanels(this, m_flags, m_prompter, this);
    m_pnAbout = new AboutPanel(m_skin->picture(SkinPicture::ProgramIcon), this);
    m_overlays->addPanel(m_pnAbout);
    connect(m_pnAbout, &AboutPanel::closeRequested, m_overlays, &OverlayPanels::hideAll);

    m_pmAppTools = new QMenu(this);
    m_pmAppTools->setObjectName(QStringLiteral("pmAppTools"));
    QAction *options = m_pmAppTools->addAction(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("Options1"));
    QAction *help = m_pmAppTools->addAction(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    connect(help, &QAction::triggered, this, &MainWindow::openHelp);
    QAction *about = m_pmAppTools->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, &MainWindow::openAboutPanel);
    m_pmAppTools->addSeparator();
    m_pmAppTools->addAction(QStringLiteral("Cancel"));

    connectFrame();
    applySkin();
}

void MainWindow::connectFrame()
{
    WindowFrame &f = *m_frame;
    connect(f.skAppClose, &SkinButton::clicked, this, &QWidget::close);
    connect(f.skMaximize, &SkinButton::clicked, this, &MainWindow::maximizeOrRestore);
    connect(f.skMinimize, &SkinButton::clicked, this, &QWidget::showMinimized);
    connect(f.button(QStringLiteral("skAppTools")), &SkinButton::clicked, this,
            [this] { m_pmAppTools->popup(QCursor::pos()); });
}

void MainWindow::createGridFeatures()
{
    WindowFrame &f = *m_frame;
    const auto button = [&f](const char *name) { return f.button(QLatin1String(name)); };

    m_selectList = new SelectBrowserList(*m_grid, m_prompter, f.cbSelectBrowserList, f.pnButtons, this);
    m_addressBar = new AddressBar(*m_grid, m_settings, m_flags, m_prompter, m_shell, *m_dialogs,
                                  {f.cbWebAddressBar, button("skAddressMode"), f.pnButtons}, this);
    m_addressBar->setGlyphSource([this](int index) {
        return m_skin->bigGlyph(index, m_settings.buttonGlyphStyle == 0 ? GlyphStyle::Bevel : GlyphStyle::Color);
    });
    m_commands = new BrowserCommands(*m_grid, m_settings, m_flags, m_prompter, m_shell, *m_dialogs,
                                     f.cbWebAddressBar, this);

    connect(button("skAddressNew"), &SkinButton::clicked, m_addressBar, &AddressBar::openInNewBrowser);
    connect(button("skActiveRedir"), &SkinButton::clicked, m_addressBar, &AddressBar::redirectActiveBrowser);
    connect(button("skActiveBack"), &SkinButton::clicked, m_commands, &BrowserCommands::back);
    connect(button("skActiveForward"), &SkinButton::clicked, m_commands, &BrowserCommands::forward);
    connect(button("skActiveRefresh"), &SkinButton::clicked, m_commands, &BrowserCommands::refresh);
    connect(button("skActiveStop"), &SkinButton::clicked, m_commands, &BrowserCommands::stop);
    connect(button("skActivePrint"), &SkinButton::clicked, m_commands, &BrowserCommands::print);
    connect(button("skActiveDelete"), &SkinButton::clicked, m_commands, &BrowserCommands::deleteActive);
    connect(button("skActiveJump"), &SkinButton::clicked, m_commands, &BrowserCommands::jump);
    connect(button("skAddressPrior"), &SkinButton::clicked, m_commands, &BrowserCommands::priorBrowser);
    connect(button("skAddressNext"), &SkinButton::clicked, m_commands, &BrowserCommands::nextBrowser);
    connect(button("skActiveFileTools"), &SkinButton::clicked, this,
            [this] { m_commands->fileToolsMenu()->popup(QCursor::pos()); });
    connect(f.laLocalIP, &ShadowLabel::clicked, this, [this] { m_frame->laLocalIP->setText(m_commands->localIPClicked()); });
    connect(f.laActiveIP, &ShadowLabel::clicked, this,
            [this] { m_frame->laActiveIP->setText(m_commands->activeIPClicked()); });
    connect(m_grid, &BrowserGrid::browserActivated, this, &MainWindow::browserActivated);
    m_grid->setSelectListFiller([this] { return m_selectList->populateSelectList(); });
}

void MainWindow::browserActivated(int browserNo)
{
    if (!m_selectList->populateSelectList())
        m_prompter.showInformation(QStringLiteral("Could not populate the select browser list."));
    BrowserPane *pane = m_grid->pane(browserNo);
    if (!pane || !m_selectList->selectListEntryForCell(pane->cellIndex))
        m_prompter.showInformation(QStringLiteral("Could not update the select browser list."));
    if (m_addressBar->mode() != AddressBar::Mode::WebSearch)
        m_addressBar->setWebAddressMode();
}

void MainWindow::applySkin()
{
    m_frame->applySkin(*m_skin, m_settings);
    if (!m_grid)
        return;
    const QList<QImage> faces = SkinImages::frames(m_skin->strip(SkinStrip::BrowserButton),
                                                   SkinImages::frameSize(SkinStrip::BrowserButton));
    const GlyphStyle style = m_settings.buttonGlyphStyle == 0 ? GlyphStyle::Bevel : GlyphStyle::Color;
    const QList<QImage> glyphs = SkinImages::frames(m_skin->glyphStrip(GlyphSet::BrowserButton, style),
                                                    SkinImages::glyphFrameSize(GlyphSet::BrowserButton));
    for (bool active : {false, true})
        for (bool zoom : {false, true})
            m_grid->setPaneSkin(active, zoom,
                                {faces.value(0), faces.value(1), faces.value(2),
                                 m_settings.buttonGlyphStyle == 2 ? QImage() : glyphs.value(zoom ? 1 : 0)});
    m_grid->setPanePicture(PanePicture::SecurityOn, m_skin->picture(SkinPicture::SecurityOn));
    m_grid->setPanePicture(PanePicture::SecurityOff, m_skin->picture(SkinPicture::SecurityOff));
    m_grid->setPanePicture(PanePicture::MoveTabGray, m_skin->picture(SkinPicture::MoveTabGray));
    m_grid->setPanePicture(PanePicture::MoveTabColor, m_skin->picture(SkinPicture::MoveTabColor));
    m_grid->setPanePicture(PanePicture::Busy, m_skin->picture(SkinPicture::Busy));
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
    applySkin();
    m_frame->pnControls->setProperty("onTop", m_settings.buttonBarPosition == 1);
    const bool corners = m_settings.cornerHints == 1;
    for (QWidget *corner : {static_cast<QWidget *>(m_frame->laAudio), static_cast<QWidget *>(m_frame->laQueue),
                            static_cast<QWidget *>(m_frame->laLocalIP), static_cast<QWidget *>(m_frame->laActiveIP)})
        corner->setVisible(corners);
    m_frame->layout();
    return true;
}

bool MainWindow::initializeGrid()
{
    if (!m_grid) {
        m_grid = new BrowserGrid(m_settings, m_flags, m_prompter, m_frame->sbMainGrid, m_frame->pnMainGrid);
        m_grid->setWidgetsDisabledDuringDelete({m_frame->pnMaster});
        connect(m_grid, &BrowserGrid::browserInfoChanged, m_frame->laBrowserInfo, &ShadowLabel::setText);
        connect(m_grid, &BrowserGrid::activeIPChanged, m_frame->laActiveIP, &ShadowLabel::setText);
        connect(m_grid, &BrowserGrid::activeBrowserDeleted, this, [this] {
            m_frame->laActiveIP->setText(QString());
            m_frame->laBrowserInfo->setText(QString());
            m_frame->cbWebAddressBar->clear();
            m_frame->cbWebAddressBar->setEditText(QString());
            m_frame->cbSelectBrowserList->clear();
        });
        createGridFeatures();
        applySkin();
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

bool MainWindow::layoutControls()
{
    try {
        resize(915, 600);
        m_frame->layout();
        return true;
    } catch (...) {
        return false;
    }
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownOnce || m_startupAborted)
        return;
    m_shownOnce = true;
    if (!layoutControls()) {
        m_startupAborted = true;
        m_prompter.showPlain(QStringLiteral("Could not align and sizes controls, closing Vorlan"));
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    setGeometry(m_settings.left, m_settings.top, m_settings.width, m_settings.height);
    m_flags.lastWidth = width();
    m_flags.lastHeight = height();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!m_frame)
        return;
    m_overlays->hideAll();
    m_frame->layout();
    watchWindowSize();
}

void MainWindow::maximizeOrRestore()
{
    BusyCursor busy;
    BackgroundSuspension suspended(m_flags);
    m_overlays->hideAll();
    QRect target = m_environment.workArea;
    if (m_settings.windowSize == 0) {
        if (QScreen *screen = QGuiApplication::primaryScreen())
            target = screen->virtualGeometry();
    }
    const QRect bounds = WindowGeometry::maximizeOrRestore(geometry(), target, m_environment.workArea);
    if (bounds == target) {
        setGeometry(bounds);
    } else {
        layoutControls();
        move(bounds.topLeft());
    }
    repaint();
    QCoreApplication::processEvents();
}

void MainWindow::openAboutPanel()
{
    m_overlays->open(m_pnAbout, QStringLiteral("Resize, window is to small to show the about panel."));
}

void MainWindow::openHelp()
{
    const QString page = m_flags.programFolder + QStringLiteral("Vorlan Help.html");
    if (QFileInfo::exists(page))
        m_shell.openWithDefaultHandler(page);
}

bool MainWindow::autoSizeBrowsers()
{
    const QSize size = BrowserSizing::automaticSize(this->size(), m_frame->sbMainGrid->size());
    m_settings.browserWidth = size.width();
    m_settings.browserHeight = size.height();
    if (m_grid && !m_grid->layoutGrid(false)) {
        m_prompter.showPlain(QStringLiteral("Could not resize the browsers, closing Vorlan"));
        std::exit(0);
    }
    return true;
}

void MainWindow::watchWindowSize()
{
    if (width() == m_flags.lastWidth && height() == m_flags.lastHeight)
        return;
    // Until the frame is laid out for the new size the grid area is stale;
    // resizeEvent comes back here once it is.
    if (m_frame->pnMaster->size() != size())
        return;
    m_flags.lastWidth = width();
    m_flags.lastHeight = height();
    if (m_settings.autoSize == 0 && !m_flags.bossState && m_shownOnce)
        autoSizeBrowsers();
}

bool MainWindow::handleFramePointer(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this || !windowHandle())
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint local = mapFromGlobal(mouse->globalPosition().toPoint());
    const Qt::Edges edges = WindowGeometry::edgesAt(local, size(), 5);
    if (event->type() == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
        // The cursor shows where the window can be resized.
        Qt::CursorShape shape = Qt::ArrowCursor;
        if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
            shape = Qt::SizeFDiagCursor;
        else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
            shape = Qt::SizeBDiagCursor;
        else if (edges & (Qt::LeftEdge | Qt::RightEdge))
            shape = Qt::SizeHorCursor;
        else if (edges & (Qt::TopEdge | Qt::BottomEdge))
            shape = Qt::SizeVerCursor;
        // Only on a change, so the widgets' own cursors stay in charge
        // everywhere else.
        if (edges != m_hoverEdges) {
            m_hoverEdges = edges;
            windowHandle()->setCursor(edges ? QCursor(shape) : widget->cursor());
        }
        return false;
    }
    if (event->type() != QEvent::MouseButtonPress || isMaximized())
        return false;
    if (edges && mouse->button() == Qt::LeftButton)
        return windowHandle()->startSystemResize(edges);
    if (m_frame->dragControls().contains(widget)) {
        windowHandle()->startSystemMove();
        return true;
    }
    return false;
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
    // The application's message hook: every event of the program passes here.
    watchWindowSize();
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove)
        return handleFramePointer(watched, event);
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
