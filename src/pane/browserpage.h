#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QWebEnginePage>

#include <functional>

class OfflineInterceptor;
class PageDialog;

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

    // A script dialog (alert, confirm, prompt) is open. Its event loop runs
    // with this page on the stack, so the page must outlive it.
    bool dialogOpen() const { return m_openDialogs > 0; }
    // Cancels every open script dialog; each returns as soon as the code
    // above its loop has returned.
    void closeDialogs();

signals:
    void navigationRequested(const QUrl &url);
    // A page asked for an address of another scheme (mailto:, ssh:, ...).
    void otherSchemeRefused(const QUrl &url);
    // The last open script dialog has returned.
    void dialogsFinished();

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;

private:
    // Runs a script box over the page's own view (a PageDialog::Kind) and
    // frees it; true for OK. It lives on the heap, owned by the view:
    // whatever frees the view meanwhile, it is never freed twice. answer
    // takes a prompt's text.
    bool runDialog(int kind, const QUrl &origin, const QString &text, const QString &value = {},
                   QString *answer = nullptr);
    static constexpr qint64 RepeatWindowMs = 10000;

    OfflineInterceptor *m_interceptor;
    std::function<QWebEnginePage *(WebWindowType)> m_createWindow;
    bool m_silent = false;
    QList<QPointer<PageDialog>> m_dialogs;
    int m_openDialogs = 0;
    bool m_dialogsStopped = false; // the user asked for no more boxes
    QElapsedTimer m_lastDialog;    // since the last box closed
};
