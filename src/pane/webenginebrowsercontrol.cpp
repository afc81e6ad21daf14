#include "pane/webenginebrowsercontrol.h"

#include "core/eventwait.h"
#include "pane/browserpage.h"
#include "pane/popupbrowserwindow.h"
#include "pane/viewpicture.h"

#include <QChildEvent>
#include <QDeadlineTimer>
#include <QLocale>
#include <QPageLayout>
#include <QWebEngineCertificateError>
#include <QWebEngineHistory>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>
#include <optional>

WebEngineBrowserControl::WebEngineBrowserControl(QWidget *parentWidget)
    : BrowserControl(parentWidget), m_view(new QWebEngineView(parentWidget)), m_page(new BrowserPage(m_view))
{
    m_view->setObjectName(QStringLiteral("Browser"));
    m_view->setPage(m_page);
    // No context menu of the engine's own: it offers commands (open in a new
    // window, reload) that bypass the grid's rules.
    m_view->setContextMenuPolicy(Qt::NoContextMenu);

    m_page->setCreateWindowHandler([this](QWebEnginePage::WebWindowType) { return takeNewWindow(); });

    connect(m_page, &BrowserPage::otherSchemeRefused, this, [this](const QUrl &url) {
        emit statusTextChange(QStringLiteral("Pages do not open %1: addresses").arg(url.scheme()));
    });
    connect(m_page, &BrowserPage::navigationRequested, this,
            [this](const QUrl &url) { emit beforeNavigate2(url.toString()); });
    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        reportCommandState();
        if (!url.isEmpty())
            emit navigateComplete2(url.toString());
    });
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] {
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
        auto copy = error;
        copy.rejectCertificate();
    });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
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
}

WebEngineBrowserControl::~WebEngineBrowserControl()
{
    // The view (and its page) belongs to the pane's widget tree; free it
    // with the control so a freed control leaves no page running.
    delete m_view;
}

bool WebEngineBrowserControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::ChildAdded) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::MouseButtonPress) {
        emit pagePressed();
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

void WebEngineBrowserControl::setLifecycle(Lifecycle state)
{
    if (state == lifecycle())
        return;
    if (state == Lifecycle::Active) {
        m_page->setLifecycleState(QWebEnginePage::LifecycleState::Active);
        m_page->setVisible(m_view && m_view->isVisible());
        if (m_pictureReleased) {
            m_pictureReleased = false;
            ViewPicture::restore(m_view);
        }
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

bool WebEngineBrowserControl::wake(int timeoutMs)
{
    const Lifecycle was = lifecycle();
    if (was == Lifecycle::Active) {
        if (m_view && m_view->isVisible() && !m_page->isVisible())
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
    m_page->triggerAction(QWebEnginePage::Stop);
}

void WebEngineBrowserControl::reload()
{
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
    if (!wake(timeoutMs))
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
    if (!wake(timeoutMs))
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
    // A page that cannot paint now (hidden, hung) is still grabbed as it
    // last showed.
    const QDeadlineTimer deadline(timeoutMs);
    wake(timeoutMs);
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
    if (!wake(timeoutMs))
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
