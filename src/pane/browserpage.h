#pragma once

#include <QWebEnginePage>

#include <functional>

class OfflineInterceptor;

// The page of a pane or pop-up window: hands new-window requests to its
// owner, reports navigation requests, keeps script dialogs quiet in silent
// mode, blocks the network in offline mode and keeps pages from handing
// addresses of other schemes to the desktop's programs.
class BrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit BrowserPage(QObject *parent = nullptr);

    void setSilent(bool silent) { m_silent = silent; }
    bool silent() const { return m_silent; }
    void setOffline(bool offline);
    bool offline() const;

    // Returns the page that takes a new window, or null to refuse it.
    void setCreateWindowHandler(std::function<QWebEnginePage *(WebWindowType)> handler)
    {
        m_createWindow = std::move(handler);
    }

    // The schemes a page may go to; any other would start a program of the
    // desktop's.
    static bool isWebScheme(const QString &scheme);

signals:
    void navigationRequested(const QUrl &url);
    // A page asked for an address of another scheme (mailto:, ssh:, ...).
    void otherSchemeRefused(const QUrl &url);

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;

private:
    OfflineInterceptor *m_interceptor;
    std::function<QWebEnginePage *(WebWindowType)> m_createWindow;
    bool m_silent = false;
};
