#include "controller/gamecontroller.h"

#include "controller/controlleractions.h"
#include "controller/controllercrosshairs.h"
#include "controller/controlleroptions.h"
#include "controller/controllerpolling.h"
#include "controller/sdljoystickdevice.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "core/shell.h"
#include "grid/browsergrid.h"
#include "pane/browserpane.h"

#include <QColor>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>

#include <algorithm>

namespace {
const QString ControllerFailed = QStringLiteral("Could not initialize direct input.");

QWidget *makeLine(QWidget *parent, const QString &name)
{
    auto *line = new QWidget(parent);
    line->setObjectName(name);
    line->setAutoFillBackground(true);
    // A line over the grid must not take the clicks meant for the panes.
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->hide();
    return line;
}
} // namespace

GameController::GameController(Settings &settings, RuntimeFlags &flags, Prompter &prompter, Shell &shell,
                               BrowserGrid &grid, ControllerHooks hooks, std::unique_ptr<JoystickDevice> device,
                               QObject *parent)
    : QObject(parent), m_settings(settings), m_flags(flags), m_prompter(prompter), m_shell(shell), m_grid(grid),
      m_hooks(std::move(hooks)),
      m_joystick(device ? std::move(device) : std::make_unique<SdlJoystickDevice>())
{
    QScrollArea *box = m_grid.scrollBox();
    QWidget *lineParent = box && box->parentWidget() ? box->parentWidget() : box;
    m_pnGameX = makeLine(lineParent, QStringLiteral("pnGameX"));
    m_pnGameY = makeLine(lineParent, QStringLiteral("pnGameY"));
}

GameController::~GameController()
{
    m_flags.controllerPolling = false;
    if (m_polling)
        m_retired.push_back(std::move(m_polling));
    for (auto &polling : m_retired) {
        polling->requestStop();
        // Freed from inside its own tick the thread cannot be joined here: it
        // waits for that tick to return, and goes once it has.
        if (m_inTick && !polling->isFinished()) {
            ControllerPolling *orphan = polling.release();
            connect(orphan, &ControllerPolling::finished, orphan, &QObject::deleteLater);
        }
    }
    m_retired.clear();
    delete m_pnGameX.data();
    delete m_pnGameY.data();
}

bool GameController::pollingActive() const
{
    return m_flags.controllerPolling;
}

bool GameController::applyControllerSettings()
{
    bool applied = false;
    try {
        if (m_settings.dxId < 0 || m_settings.dxId > 15)
            m_settings.dxId = 0;
        m_joystick.setId(m_settings.dxId);
        if (m_settings.dxEnabled != 0 && m_settings.dxEnabled != 1)
            m_settings.dxEnabled = 0;
        // The steps the options page allows; a hand-edited file could give a
        // step of 0 (the stick does nothing) or one that skips whole panes.
        if (m_settings.dxGridPixels < 1 || m_settings.dxGridPixels > 100)
            m_settings.dxGridPixels = ControllerOptions::DefaultGridPixels;
        if (m_settings.dxBrowserPixels < 1 || m_settings.dxBrowserPixels > 100)
            m_settings.dxBrowserPixels = ControllerOptions::DefaultBrowserPixels;
        const bool on = m_settings.dxEnabled == 1;
        if (on) {
            applied = m_joystick.start();
        } else {
            m_joystick.close();
            applied = true;
        }
        applied = applied && setControllerPolling(on);
        if (applied)
            updateQueueControllerStatus();
    } catch (...) {
        applied = false;
    }
    if (applied)
        return true;

    try {
        setControllerPolling(false);
        ControllerOptions::restoreAfterFailure(m_settings);
        m_joystick.setId(m_settings.dxId);
        updateQueueControllerStatus();
    } catch (...) {
    }
    return false;
}

bool GameController::setControllerPolling(bool on)
{
    try {
        if (m_pnGameX)
            m_pnGameX->raise();
        if (m_pnGameY)
            m_pnGameY->raise();
        if (on && !m_flags.controllerPolling) {
            m_flags.controllerPolling = true;
            m_polling = std::make_unique<ControllerPolling>([this] { pollController(); });
            m_polling->start();
        } else if (!on && m_flags.controllerPolling) {
            m_flags.controllerPolling = false;
            retirePolling();
            hideCrosshairs();
        }
        return true;
    } catch (...) {
        m_flags.controllerPolling = false;
        try {
            retirePolling();
        } catch (...) {
        }
        return false;
    }
}

void GameController::retirePolling()
{
    if (!m_polling)
        return;
    m_polling->requestStop();
    if (!m_inTick) {
        m_polling.reset(); // joins
        return;
    }
    // Inside a tick: the thread is waiting for this very tick to return.
    ControllerPolling *polling = m_polling.get();
    connect(polling, &ControllerPolling::finished, this, [this, polling] {
        const auto found = std::find_if(m_retired.begin(), m_retired.end(),
                                        [polling](const auto &p) { return p.get() == polling; });
        if (found != m_retired.end())
            m_retired.erase(found); // joins a thread that has ended
    });
    m_retired.push_back(std::move(m_polling));
}

bool GameController::isForeground() const
{
    // The boss strip is the program too, though it is seldom the active
    // window: the user has gone on to something else. It must hear the
    // button that brings the window back.
    if (m_flags.bossState)
        return true;
    QScrollArea *box = m_grid.scrollBox();
    QWidget *window = box ? box->window() : nullptr;
    return window && window->isActiveWindow();
}

void GameController::pollController()
{
    ++m_ticks;
    // A tick handed over while one is still running (inside a dialog it
    // opened) is dropped, like every tick while suspended.
    if (m_flags.suspendController || !m_flags.controllerPolling || m_inTick)
        return;
    QPointer<GameController> self(this);
    m_inTick = true;
    const auto leave = qScopeGuard([self] {
        if (self)
            self->m_inTick = false;
    });
    try {
        if (m_joystick.update(isForeground()) == Joystick::Reading::Lost) {
            controllerLost();
            return;
        }
        m_states.update(m_joystick.states());
        const InputStates &s = m_states.states();
        const bool steering = s[InputUp] || s[InputDown] || s[InputLeft] || s[InputRight];
        if (!steering && !s[InputButton1])
            hideCrosshairs();
        else if (s[InputButton1])
            scrollPageByController();
        else
            scrollGridByController();

        for (int b = ControllerActions::FirstButton; b <= ControllerActions::LastButton; ++b) {
            const InputState button = inputButton(b);
            if (!m_states.contains(button))
                continue;
            runControllerAction(m_settings.dxButtons[b]);
            // An action can run the event loop (a dialog, a pane's delete);
            // the window may have closed meanwhile.
            if (!self)
                return;
            m_states.remove(button);
            if (!m_flags.controllerPolling)
                break;
        }
    } catch (...) {
    }
}

void GameController::controllerLost()
{
    m_states.clear();
    setControllerPolling(false);
    updateQueueControllerStatus();
    m_prompter.showInformation(ControllerFailed);
}

void GameController::hideCrosshairs()
{
    if (m_pnGameX)
        m_pnGameX->hide();
    if (m_pnGameY)
        m_pnGameY->hide();
}

void GameController::scrollGridByController()
{
    QScrollArea *box = m_grid.scrollBox();
    QWidget *content = box ? box->widget() : nullptr;
    if (m_flags.browserCount < 1 || !content)
        return;
    const int hr = content->width();
    const int vr = content->height();
    if (hr < 1 || vr < 1)
        return;
    QScrollBar *h = box->horizontalScrollBar();
    QScrollBar *v = box->verticalScrollBar();
    const int step = m_settings.dxGridPixels;
    const InputStates &s = m_states.states();
    if (s[InputLeft])
        h->setValue(h->value() - step);
    if (s[InputRight])
        h->setValue(h->value() + step);
    if (s[InputUp])
        v->setValue(v->value() - step);
    if (s[InputDown])
        v->setValue(v->value() + step);

    if (m_settings.dxGridCrosshairs == 1 && m_pnGameX && m_pnGameY) {
        QWidget *viewport = box->viewport();
        const QPoint origin = viewport->mapTo(m_pnGameX->parentWidget(), QPoint(0, 0));
        const int cw = viewport->width();
        const int ch = viewport->height();
        const QColor colour = settingsColor(m_settings.activeBrowserBorderColor);
        for (QWidget *line : {m_pnGameX.data(), m_pnGameY.data()}) {
            QPalette palette = line->palette();
            palette.setColor(QPalette::Window, colour);
            line->setPalette(palette);
        }
        m_pnGameX->setGeometry(origin.x() + ControllerCrosshairs::lineOffset(cw, h->value(), hr), origin.y(), 1, ch);
        m_pnGameY->setGeometry(origin.x(), origin.y() + ControllerCrosshairs::lineOffset(ch, v->value(), vr), cw, 1);
        m_pnGameX->show();
        m_pnGameY->show();
    }
    box->repaint();
}

void GameController::scrollPageByController()
{
    BrowserPane *pane = activePaneForAction();
    if (!pane)
        return;
    const int step = m_settings.dxBrowserPixels;
    const InputStates &s = m_states.states();
    if (s[InputLeft])
        pane->pages().scrollBrowser(-step, 0);
    if (s[InputRight])
        pane->pages().scrollBrowser(step, 0);
    if (s[InputUp])
        pane->pages().scrollBrowser(0, -step);
    if (s[InputDown])
        pane->pages().scrollBrowser(0, step);
}

BrowserPane *GameController::activePaneForAction() const
{
    if (m_flags.browserCount < 1 || m_flags.activeBrowser == NoIndex)
        return nullptr;
    return m_grid.activePane();
}

void GameController::tell(int action)
{
    const QString message = ControllerActions::failureMessage(action);
    if (m_settings.dxUserPrompts == 1 && !message.isEmpty())
        m_prompter.showInformation(message);
}

void GameController::runHook(int action, const std::function<bool()> &operation)
{
    if (!operation)
        return;
    bool done = false;
    try {
        done = operation();
    } catch (...) {
        done = false;
    }
    if (!done)
        tell(action);
}

void GameController::runPaneAction(int action, const std::function<bool(BrowserPane *)> &operation)
{
    BrowserPane *pane = activePaneForAction();
    if (!pane)
        return;
    bool done = false;
    try {
        done = operation(pane);
    } catch (...) {
        done = false;
    }
    if (!done)
        tell(action);
}

void GameController::deleteActiveBrowser()
{
    if (m_flags.browserCount < 1 || m_flags.activeBrowser == NoIndex)
        return;
    if (!m_prompter.askConfirmation(QStringLiteral("Delete the active browser?")))
        return;
    if (!m_grid.deleteActiveBrowser())
        tell(ControllerActions::BrowserDelete);
}

void GameController::selectBrowserAtCrosshairs()
{
    QScrollArea *box = m_grid.scrollBox();
    QWidget *content = box ? box->widget() : nullptr;
    if (m_flags.browserCount <= 0 || !content)
        return;
    const QWidget *viewport = box->viewport();
    const QPoint point(
        ControllerCrosshairs::contentPoint(viewport->width(), box->horizontalScrollBar()->value(), content->width()),
        ControllerCrosshairs::contentPoint(viewport->height(), box->verticalScrollBar()->value(), content->height()));
    const int cell = ControllerCrosshairs::cellAt(m_grid.model(), point,
                                                  QSize(m_settings.browserWidth, m_settings.browserHeight));
    if (cell == NoIndex)
        return;
    if (BrowserPane *pane = m_grid.paneInCell(cell))
        pane->selectBrowser(true);
}

void GameController::runControllerAction(int action)
{
    using A = ControllerActions;
    try {
        switch (action) {
        case A::AudioNextSong:
            runHook(action, m_hooks.nextSong);
            break;
        case A::AudioPriorGenre:
            runHook(action, m_hooks.priorGenre);
            break;
        case A::AudioPriorSong:
            runHook(action, m_hooks.priorSong);
            break;
        case A::AudioStartNextGenre:
            runHook(action, m_hooks.startOrNextGenre);
            break;
        case A::AudioStop:
            if (m_hooks.stopAudio)
                m_hooks.stopAudio();
            break;
        case A::BrowserActiveSelect:
            selectBrowserAtCrosshairs();
            break;
        case A::BrowserBack:
            runPaneAction(action, [](BrowserPane *p) { return p->pages().browserBack(); });
            break;
        case A::BrowserDelete:
            deleteActiveBrowser();
            break;
        case A::BrowserForward:
            runPaneAction(action, [](BrowserPane *p) { return p->pages().browserForward(); });
            break;
        case A::BrowserJump:
            if (BrowserPane *pane = activePaneForAction()) {
                const QString address = pane->control() ? pane->control()->locationUrl() : QString();
                if (!address.isEmpty())
                    m_shell.openWithDefaultHandler(address);
            }
            break;
        case A::BrowserPrint:
            runPaneAction(action, [this](BrowserPane *p) { return p->pages().browserPrint(m_printPreview); });
            break;
        case A::BrowserOpen:
            if (m_hooks.openNextQueuedAddress)
                m_hooks.openNextQueuedAddress();
            break;
        case A::BrowserRefresh:
            runPaneAction(action, [](BrowserPane *p) { return p->pages().browserRefresh(); });
            break;
        case A::BrowserStop:
            runPaneAction(action, [this](BrowserPane *p) { return p->pages().browserStop(m_settings.stopButton); });
            break;
        case A::BrowserZoom:
            runPaneAction(action, [](BrowserPane *p) { return p->pages().zoomBrowser(); });
            break;
        case A::WindowBossButton:
            runHook(action, m_hooks.toggleBossButton);
            break;
        default:
            break;
        }
    } catch (...) {
    }
}

void GameController::updateQueueControllerStatus()
{
    const QueueControllerStatus texts = ControllerOptions::queueStatus(pollingActive(), m_settings);
    emit queueControllerStatusChanged(texts.status, texts.openButton);
}

bool GameController::assignAction(int feature, int action)
{
    const bool stored = ControllerOptions::storeAction(m_settings, feature, action);
    updateQueueControllerStatus();
    return stored;
}

bool GameController::resetFeatures()
{
    if (!m_prompter.askConfirmation(QStringLiteral("Reset features?")))
        return false;
    ControllerOptions::resetFeatures(m_settings);
    if (!applyControllerSettings())
        m_prompter.showInformation(ControllerFailed);
    return true;
}

bool GameController::openControllerProperties()
{
    bool started = false;
    try {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("jstest-gtk"));
        started = !program.isEmpty() && m_shell.startProgram(program);
    } catch (...) {
        started = false;
    }
    if (!started)
        m_prompter.showInformation(QStringLiteral("Could not open the Game Controller Properites window."));
    return started;
}
