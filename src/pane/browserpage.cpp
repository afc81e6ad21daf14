#include "pane/browserpage.h"

#include "pane/browserprofile.h"
#include "pane/offlineinterceptor.h"

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
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

void BrowserPage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    if (!m_silent)
        QWebEnginePage::javaScriptAlert(securityOrigin, msg);
}

bool BrowserPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &msg)
{
    return m_silent ? false : QWebEnginePage::javaScriptConfirm(securityOrigin, msg);
}

bool BrowserPage::javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                                   QString *result)
{
    return m_silent ? false : QWebEnginePage::javaScriptPrompt(securityOrigin, msg, defaultValue, result);
}
