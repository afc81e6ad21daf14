#include "pane/webenginebrowsercontrol.h"

#include "core/eventwait.h"
#include "pane/browserpage.h"
#include "pane/downloadkeeper.h"
#include "pane/fullscreenview.h"
#include "pane/pagecontextmenu.h"
#include "pane/pagequestions.h"
#include "pane/popupbrowserwindow.h"
#include "pane/viewpicture.h"

#include <QChildEvent>
#include <QDeadlineTimer>
#include <QLocale>
#include <QPageLayout>
#include <QWebEngineCertificateError>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>
#include <optional>

#include <algorithm>
#include <csignal>
#include <sys/types.h>

const QString WebEngineBrowserControl::NotRespondingText =
    QStringLiteral("The page is not responding. Stop or Refresh ends it and loads it again.");
int WebEngineBrowserControl::s_askedPages = 0;
quint64 WebEngineBrowserControl::s_probesSent = 0;

const QString WebEngineBrowserControl::PopUpRefusedText =
    QStringLiteral("A pop-up window of this page was refused: too many without a click.");

WebEngineBrowserControl::WebEngineBrowserControl(QWidget *parentWidget)
    : BrowserControl(parentWidget), m_view(new QWebEngineView(parentWidget)), m_page(new BrowserPage(m_view))
{
    m_view->setObjectName(QStringLiteral("Browser"));
    m_view->setPage(m_page);
    // No context menu of the engine's own: it offers commands (open in a new
    // window) that bypass the grid's rules. The program's own menu opens
    // links in the grid.
    m_contextMenu = new PageContextMenu(m_view);
    m_questions = new PageQuestions(m_page);
    m_fullScreen = new FullScreenView(m_view, this);

    m_page->setCreateWindowHandler([this](QWebEnginePage::WebWindowType) { return takeNewWindow(); });

    connect(m_page, &BrowserPage::otherSchemeRefused, this, [this](const QUrl &url) {
        emit statusTextChange(QStringLiteral("Pages do not open %1: addresses").arg(url.scheme()));
    });
    connect(m_page, &BrowserPage::navigationRequested, this,
            [this](const QUrl &url) { emit beforeNavigate2(url.toString()); });
    // Woken by the engine (its view shown again): drawn at once, not at the
    // grid's next look at the panes.
    connect(m_page, &QWebEnginePage::lifecycleStateChanged, this, &WebEngineBrowserControl::restorePicture,
            Qt::QueuedConnection);
    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        reportCommandState();
        if (!url.isEmpty())
            emit navigateComplete2(url.toString());
    });
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] {
        // A probe sent to the document before may never be answered.
        forgetProbe();
        m_loading = true;
        m_certificateError = false;
        m_loadStatus = QStringLiteral("Opening page %1...").arg(m_page->requestedUrl().toString());
        emit statusTextChange(m_loadStatus);
    });
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool) {
        m_loading = false;
        m_hasDocument = true;
        m_loadStatus = QStringLiteral("Done");
        emit statusTextChange(m_loadStatus);
        reportCommandState();
        const QUrl url = m_page->url();
        emit setSecureLockIcon(url.scheme() == QLatin1String("https") && !m_certificateError ? 1 : 0);
        emit documentComplete(url.toString());
    });
    connect(m_page, &QWebEnginePage::linkHovered, this, [this](const QString &link) {
        emit statusTextChange(link.isEmpty() ? m_loadStatus : link);
    });
    connect(m_page, &QWebEnginePage::certificateError, this, [this](const QWebEngineCertificateError &error) {
        m_certificateError = true;
        m_questions->certificateError(error);
    });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                forgetProbe();
                setResponding(true);
                if (m_endingHungPage) {
                    // Ended on the user's word: not a crash, the page loads again.
                    m_endingHungPage = false;
                    m_page->triggerAction(QWebEnginePage::Reload);
                    return;
                }
                if (status == QWebEnginePage::NormalTerminationStatus)
                    return;
                m_loading = false;
                emit renderProcessGone();
            });
    connect(m_page, &QWebEnginePage::recentlyAudibleChanged, this, &BrowserControl::recentlyAudibleChanged);
    // The engine shows the page in a child widget of the view that it makes
    // (and may make again); presses are watched on whichever it is.
    m_view->installEventFilter(this);
    for (QObject *child : m_view->children())
        if (child->isWidgetType())
            child->installEventFilter(this);
    // Pages never close their pane.
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, &BrowserControl::windowClosing);
    connect(m_page, &BrowserPage::dialogsFinished, this, &BrowserControl::scriptDialogsFinished);

    // A page shown over an invalid certificate has no padlock; what was
    // asked and answered stays on the status line after "Done".
    connect(m_page, &QWebEnginePage::loadFinished, this, [this] {
        if (m_questions->certificateOverridden())
            emit setSecureLockIcon(0);
    });
    connect(m_questions, &PageQuestions::status, this, &BrowserControl::statusTextChange);
    connect(&DownloadKeeper::instance(), &DownloadKeeper::status, this,
            [this](QWebEnginePage *page, const QString &text) {
                if (page == m_page)
                    emit statusTextChange(text);
            });
    connect(&DownloadKeeper::instance(), &DownloadKeeper::progress, this, [this](QWebEnginePage *page, int percent) {
        if (page == m_page)
            emit downloadProgressChanged(percent);
    });
    connect(m_page, &QWebEnginePage::fullScreenRequested, this, [this](QWebEngineFullScreenRequest request) {
        request.accept();
        if (request.toggleOn())
            m_fullScreen->enter();
        else
            m_fullScreen->leave();
    });

    m_clock.start();
    m_sinceRound.start();
    connect(&m_probeTimer, &QTimer::timeout, this, &WebEngineBrowserControl::probe);
    m_probeTimer.start(ProbeMs);
}

void WebEngineBrowserControl::setPaneHost(PaneHost *host)
{
    m_questions->setHost(host);
    m_contextMenu->setHost(host);
}

void WebEngineBrowserControl::forgetProbe()
{
    ++m_probeGeneration;
    m_probeOutstanding = false;
}

void WebEngineBrowserControl::setAsked(bool asked)
{
    if (asked != m_asked) {
        m_asked = asked;
        s_askedPages += asked ? 1 : -1;
    }
    const int interval = std::max(ProbeMs, s_askedPages * 1000 / ProbesPerSecond);
    if (m_probeTimer.interval() != interval)
        m_probeTimer.setInterval(interval);
}

void WebEngineBrowserControl::setResponding(bool responding)
{
    if (responding == m_responding)
        return;
    m_responding = responding;
    emit statusTextChange(responding ? m_loadStatus : NotRespondingText);
    emit respondingChanged(responding);
}

void WebEngineBrowserControl::probe()
{
    // A round that comes late means this program was busy: the page's answer
    // may be waiting in the queue, so the wait starts again.
    const bool windowStalled = m_sinceRound.restart() > 2 * m_probeTimer.interval() + 500;
    // A page at rest runs nothing, and one showing a box waits for the user:
    // neither is asked.
    const bool asked =
        lifecycle() == Lifecycle::Active && !m_page->dialogOpen() && m_page->renderProcessPid() > 0;
    setAsked(asked);
    if (!asked) {
        forgetProbe();
        setResponding(true);
        return;
    }
    if (m_probeOutstanding) {
        if (windowStalled)
            m_sinceProbe.restart();
        else if (m_sinceProbe.elapsed() >= HangMs)
            setResponding(false);
        return;
    }
    m_probeOutstanding = true;
    ++s_probesSent;
    m_sinceProbe.start();
    const int generation = m_probeGeneration;
    const QPointer<WebEngineBrowserControl> self(this);
    // In the page's own world, which every page has. The program's own
    // world is made in a page when it is first used: made in every page by
    // this probe, it cost 0.4 MB in each page process. A bare number touches
    // nothing of the page.
    m_page->runJavaScript(QStringLiteral("0"), QWebEngineScript::MainWorld, [self, generation](const QVariant &) {
        if (!self || generation != self->m_probeGeneration)
            return;
        self->m_probeOutstanding = false;
        self->setResponding(true);
    });
}

void WebEngineBrowserControl::endHungPage()
{
    const qint64 pid = m_page->renderProcessPid();
    if (pid <= 0)
        return;
    // The engine reports the end (renderProcessTerminated) and the page loads
    // again; the other pages of its site reload as after a crash.
    m_endingHungPage = true;
    ::kill(pid_t(pid), SIGKILL);
}

WebEngineBrowserControl::~WebEngineBrowserControl()
{
    setAsked(false);
    // The view (and its page) belongs to the pane's widget tree; free it
    // with the control so a freed control leaves no page running.
    if (!m_view)
        return;
    m_page->setCreateWindowHandler({});
    if (!m_page->dialogOpen()) {
        delete m_view;
        return;
    }
    // A script dialog of the page is still on the stack: freeing the page
    // under it would corrupt memory when it returns. The view leaves the
    // pane now and goes once the dialog has returned.
    m_page->closeDialogs();
    m_view->hide();
    m_view->setParent(nullptr);
    QWebEngineView *view = m_view;
    connect(m_page, &BrowserPage::dialogsFinished, view, &QObject::deleteLater);
}

bool WebEngineBrowserControl::scriptDialogOpen() const
{
    return m_view && m_page->dialogOpen();
}

void WebEngineBrowserControl::closeScriptDialogs()
{
    if (m_view)
        m_page->closeDialogs();
}

bool WebEngineBrowserControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::ChildAdded) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::MouseButtonPress) {
        m_popUps.userActed(m_clock.elapsed());
        emit pagePressed();
    } else if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonRelease) {
        m_popUps.userActed(m_clock.elapsed());
    } else if (event->type() == QEvent::Resize && m_pictureReleased) {
        // A resize makes the drawing widget a new picture; a pane still out
        // of use lets it go again once the widget has it.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_pictureReleased)
                    ViewPicture::release(m_view);
            },
            Qt::QueuedConnection);
    }
    return BrowserControl::eventFilter(watched, event);
}

void WebEngineBrowserControl::setAudioMuted(bool muted)
{
    m_page->setAudioMuted(muted);
}

bool WebEngineBrowserControl::audioMuted() const
{
    return m_page->isAudioMuted();
}

bool WebEngineBrowserControl::recentlyAudible() const
{
    return m_page->recentlyAudible();
}

void WebEngineBrowserControl::restorePicture()
{
    if (!m_pictureReleased || lifecycle() != Lifecycle::Active)
        return;
    m_pictureReleased = false;
    ViewPicture::restore(m_view);
}

// Held by a page operation from before it wakes the page until it has its
// answer: a frozen page would never give it.
class WebEngineBrowserControl::AwakeHold
{
public:
    explicit AwakeHold(WebEngineBrowserControl *control) : m_control(control) { ++control->m_awakeHolds; }
    ~AwakeHold()
    {
        if (m_control)
            --m_control->m_awakeHolds;
    }
    AwakeHold(const AwakeHold &) = delete;
    AwakeHold &operator=(const AwakeHold &) = delete;

private:
    QPointer<WebEngineBrowserControl> m_control;
};

void WebEngineBrowserControl::setLifecycle(Lifecycle state)
{
    if (state != Lifecycle::Active && m_awakeHolds > 0)
        return;
    if (state == lifecycle()) {
        // The engine wakes a page by itself when its view is shown again
        // (the window back from the boss strip, a minimise, another
        // workspace); the picture given up at rest is drawn again all the
        // same, or the pane stays black.
        if (state == Lifecycle::Active)
            restorePicture();
        return;
    }
    if (state == Lifecycle::Active) {
        m_page->setLifecycleState(QWebEnginePage::LifecycleState::Active);
        m_page->setVisible(m_view && m_view->isVisible() && m_inView);
        restorePicture();
        return;
    }
    // The engine freezes or frees only a page it is not showing; the view
    // tells it again when it is shown or hidden.
    m_page->setVisible(false);
    m_page->setLifecycleState(state == Lifecycle::Frozen ? QWebEnginePage::LifecycleState::Frozen
                                                         : QWebEnginePage::LifecycleState::Discarded);
    // Nobody sees a pane put to rest; its picture is drawn again when it
    // wakes.
    m_pictureReleased = ViewPicture::release(m_view) > 0 || m_pictureReleased;
}

BrowserControl::Lifecycle WebEngineBrowserControl::lifecycle() const
{
    switch (m_page->lifecycleState()) {
    case QWebEnginePage::LifecycleState::Frozen:
        return Lifecycle::Frozen;
    case QWebEnginePage::LifecycleState::Discarded:
        return Lifecycle::Discarded;
    case QWebEnginePage::LifecycleState::Active:
        break;
    }
    return Lifecycle::Active;
}

void WebEngineBrowserControl::setInView(bool inView)
{
    m_inView = inView;
    // A page under an operation stays as the operation left it; the grid's
    // next look hides it again.
    if (m_awakeHolds > 0 || lifecycle() != Lifecycle::Active)
        return;
    // Also when nothing changed here: the view tells the engine it is shown
    // whenever the window is shown again, whichever pane is in view.
    const bool shown = m_view && m_view->isVisible() && inView;
    if (m_page->isVisible() != shown)
        m_page->setVisible(shown);
}

bool WebEngineBrowserControl::wake(int timeoutMs)
{
    const Lifecycle was = lifecycle();
    if (was == Lifecycle::Active) {
        if (m_view && m_view->isVisible() && m_inView && !m_page->isVisible())
            m_page->setVisible(true);
        return true;
    }
    setLifecycle(Lifecycle::Active);
    if (was == Lifecycle::Frozen)
        return true;
    // A discarded page loads again from its address.
    const QPointer<WebEngineBrowserControl> self(this);
    EventWait::until([&] { return !self || m_loading; }, qMin(timeoutMs, 2000));
    return EventWait::until([&] { return !self || !m_loading; }, timeoutMs) && self;
}

QWidget *WebEngineBrowserControl::widget()
{
    return m_view;
}

QUrl WebEngineBrowserControl::addressToUrl(const QString &address)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return QUrl(QStringLiteral("about:blank"));
    return QUrl::fromUserInput(trimmed);
}

bool WebEngineBrowserControl::navigate2(const QString &address)
{
    const QUrl url = addressToUrl(address);
    if (!url.isValid())
        return false;
    setLifecycle(Lifecycle::Active);
    m_page->load(url);
    return true;
}

void WebEngineBrowserControl::navigate(const QString &address)
{
    // The plain fallback: let Qt take the text as an address even when the
    // user-input reading failed.
    const QUrl url = addressToUrl(address);
    setLifecycle(Lifecycle::Active);
    m_page->load(url.isValid() ? url : QUrl(address));
}

void WebEngineBrowserControl::goBack()
{
    setLifecycle(Lifecycle::Active);
    m_page->triggerAction(QWebEnginePage::Back);
}

void WebEngineBrowserControl::goForward()
{
    setLifecycle(Lifecycle::Active);
    m_page->triggerAction(QWebEnginePage::Forward);
}

void WebEngineBrowserControl::stop()
{
    if (!m_responding) {
        endHungPage();
        return;
    }
    m_page->triggerAction(QWebEnginePage::Stop);
}

void WebEngineBrowserControl::reload()
{
    if (!m_responding) {
        endHungPage();
        return;
    }
    setLifecycle(Lifecycle::Active);
    m_page->triggerAction(QWebEnginePage::Reload);
}

QString WebEngineBrowserControl::locationUrl() const
{
    // Before the first page of a pane commits, its address is the one it
    // is loading (so the lists and the address bar show it at once).
    const QUrl url = m_page->url();
    return (url.isEmpty() ? m_page->requestedUrl() : url).toString();
}

void WebEngineBrowserControl::setSilent(bool silent)
{
    m_page->setSilent(silent);
}

bool WebEngineBrowserControl::silent() const
{
    return m_page->silent();
}

void WebEngineBrowserControl::setOffline(bool offline)
{
    m_page->setOffline(offline);
}

bool WebEngineBrowserControl::offline() const
{
    return m_page->offline();
}

void WebEngineBrowserControl::reportCommandState()
{
    QWebEngineHistory *history = m_page->history();
    emit commandStateChange(CommandForward, history->canGoForward());
    emit commandStateChange(CommandBack, history->canGoBack());
}

QWebEnginePage *WebEngineBrowserControl::takeNewWindow()
{
    if (!m_popUps.allow(m_clock.elapsed())) {
        emit statusTextChange(PopUpRefusedText);
        return nullptr;
    }
    const NewWindowDecision decision = decideNewWindow();
    switch (decision.kind) {
    case NewWindowDecision::Kind::Cancel:
        return nullptr;
    case NewWindowDecision::Kind::IntoControl:
        if (auto *target = qobject_cast<WebEngineBrowserControl *>(decision.control))
            return target->page();
        return nullptr;
    case NewWindowDecision::Kind::OwnWindow:
        break;
    }
    auto *window = new PopupBrowserWindow;
    window->show();
    return window->page();
}

// The engine answers page calls later, on this thread. Each call below waits
// for its answer in an event loop; the answer lands in shared state, so one
// that comes after the wait gave up harms nothing.

bool WebEngineBrowserControl::runScript(const QString &script, int timeoutMs, QVariant *result)
{
    const AwakeHold awake(this);
    // A hung page would only make the caller wait out its time.
    if (!m_responding || !wake(timeoutMs))
        return false;
    struct Answer
    {
        bool arrived = false;
        QVariant value;
    };
    auto answer = std::make_shared<Answer>();
    const QPointer<WebEngineBrowserControl> self(this);
    // The application world: page scripts can neither see nor replace what
    // the program runs.
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer](const QVariant &value) {
        answer->arrived = true;
        answer->value = value;
    });
    EventWait::until([&] { return answer->arrived || !self; }, timeoutMs);
    if (!self || !answer->arrived)
        return false;
    if (result)
        *result = answer->value;
    return true;
}

bool WebEngineBrowserControl::toHtml(int timeoutMs, QString *html)
{
    const AwakeHold awake(this);
    if (!m_responding || !wake(timeoutMs))
        return false;
    auto answer = std::make_shared<std::optional<QString>>();
    const QPointer<WebEngineBrowserControl> self(this);
    m_page->toHtml([answer](const QString &markup) { *answer = markup; });
    EventWait::until([&] { return answer->has_value() || !self; }, timeoutMs);
    if (!self || !answer->has_value())
        return false;
    if (html)
        *html = **answer;
    return true;
}

bool WebEngineBrowserControl::waitForPaint(int timeoutMs)
{
    // A document has been painted with its latest changes once two animation
    // frames have begun after them; the flag lives in the program's own
    // script world.
    const QDeadlineTimer deadline(timeoutMs);
    if (!runScript(QStringLiteral("window.vorlanPainted = false;"
                                  "requestAnimationFrame(function () {"
                                  "  requestAnimationFrame(function () { window.vorlanPainted = true; });"
                                  "});"
                                  "true"),
                   int(deadline.remainingTime())))
        return false;
    while (!deadline.hasExpired()) {
        QVariant painted;
        if (!runScript(QStringLiteral("window.vorlanPainted === true"), int(deadline.remainingTime()), &painted))
            return false;
        if (painted.toBool())
            return true;
    }
    return false;
}

QImage WebEngineBrowserControl::grabVisible(int timeoutMs)
{
    const AwakeHold awake(this);
    // A page that cannot paint now (hidden, hung) is still grabbed as it
    // last showed.
    const QDeadlineTimer deadline(timeoutMs);
    wake(timeoutMs);
    // Drawn for the picture though out of view.
    if (m_view && m_view->isVisible() && !m_page->isVisible())
        m_page->setVisible(true);
    waitForPaint(int(deadline.remainingTime()));
    if (!m_view)
        return {};
    // The painted frame still has to reach this process: take the picture
    // once two grabs a moment apart agree.
    QImage picture = m_view->grab().toImage();
    while (!deadline.hasExpired()) {
        EventWait::forMilliseconds(50);
        if (!m_view)
            return {};
        QImage again = m_view->grab().toImage();
        const bool settled = again == picture;
        picture = std::move(again);
        if (settled)
            break;
    }
    if (picture.isNull())
        return {};
    if (picture.size() != m_view->size())
        picture = picture.scaled(m_view->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

bool WebEngineBrowserControl::printToPdf(int timeoutMs, QByteArray *pdf)
{
    const AwakeHold awake(this);
    if (!m_responding || !wake(timeoutMs))
        return false;
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    const QPageLayout layout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                             QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    auto answer = std::make_shared<std::optional<QByteArray>>();
    const QPointer<WebEngineBrowserControl> self(this);
    m_page->printToPdf([answer](const QByteArray &bytes) { *answer = bytes; }, layout);
    EventWait::until([&] { return answer->has_value() || !self; }, timeoutMs);
    // An empty answer is the engine's way of saying it could not print.
    if (!self || !answer->has_value() || (*answer)->isEmpty())
        return false;
    if (pdf)
        *pdf = **answer;
    return true;
}

bool WebEngineBrowserControl::setZoomFactor(double factor)
{
    m_page->setZoomFactor(factor);
    // The engine ignores factors outside its range.
    return qFuzzyCompare(m_page->zoomFactor(), factor);
}

double WebEngineBrowserControl::zoomFactor() const
{
    return m_page->zoomFactor();
}
