#include "pane/browserpage.h"

#include "pane/browserprofile.h"
#include "pane/offlineinterceptor.h"

#include "pane/pagedialog.h"

#include <QWebEngineView>

BrowserPage::BrowserPage(QObject *parent)
    : QWebEnginePage(BrowserProfile::shared(), parent), m_interceptor(new OfflineInterceptor(this))
{
    setUrlRequestInterceptor(m_interceptor);
}

void BrowserPage::setOffline(bool offline)
{
    m_interceptor->setOffline(offline);
}

bool BrowserPage::offline() const
{
    return m_interceptor->offline();
}

QWebEnginePage *BrowserPage::createWindow(WebWindowType type)
{
    return m_createWindow ? m_createWindow(type) : nullptr;
}

bool BrowserPage::isWebScheme(const QString &scheme)
{
    static const QStringList schemes{"http", "https", "file", "about", "data", "blob", "javascript", "view-source", "qrc"};
    return schemes.contains(scheme.toLower());
}

bool BrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // Any other scheme would be handed to the desktop, which starts the
    // program registered for it: a page must not start programs.
    if (!isWebScheme(url.scheme())) {
        emit otherSchemeRefused(url);
        return false;
    }
    if (isMainFrame)
        emit navigationRequested(url);
    // Boxes the user stopped come back with a page the user went to.
    if (isMainFrame && (type == NavigationTypeTyped || type == NavigationTypeLinkClicked
                        || type == NavigationTypeBackForward))
        m_dialogsStopped = false;
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

bool BrowserPage::runDialog(int kind, const QUrl &origin, const QString &text, const QString &value, QString *answer)
{
    QWidget *view = QWebEngineView::forPage(this);
    if (m_silent || m_dialogsStopped || !view)
        return false;
    // A box that follows closely on the last one offers to stop them: a page
    // that shows box after box would otherwise hold its pane for ever.
    const bool offerToStop = m_lastDialog.isValid() && m_lastDialog.elapsed() < RepeatWindowMs;
    const QString title = QStringLiteral("The page at %1 says")
                              .arg(origin.host().isEmpty() ? origin.toString() : origin.host());
    const QPointer<PageDialog> dialog(
        new PageDialog(PageDialog::Kind(kind), title, text, value, offerToStop, view));
    m_dialogs.append(dialog);
    ++m_openDialogs;
    const bool accepted = dialog->run();
    if (dialog) {
        if (answer)
            *answer = dialog->value();
        m_dialogsStopped = m_dialogsStopped || dialog->stopMore();
        m_dialogs.removeAll(dialog);
        delete dialog.data();
    }
    m_lastDialog.start();
    if (--m_openDialogs == 0)
        emit dialogsFinished();
    return accepted;
}

void BrowserPage::closeDialogs()
{
    const QList<QPointer<PageDialog>> open = m_dialogs;
    for (const QPointer<PageDialog> &dialog : open)
        if (dialog)
            dialog->reject();
}

void BrowserPage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    runDialog(int(PageDialog::Kind::Alert), securityOrigin, msg);
}

bool BrowserPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &msg)
{
    return runDialog(int(PageDialog::Kind::Confirm), securityOrigin, msg);
}

bool BrowserPage::javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                                   QString *result)
{
    QString typed;
    const bool ok = runDialog(int(PageDialog::Kind::Prompt), securityOrigin, msg, defaultValue, &typed);
    if (ok && result)
        *result = typed;
    return ok;
}
