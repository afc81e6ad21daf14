#pragma once

#include "pane/browsercontrol.h"

#include <QPointer>
#include <QWebEngineView>

class BrowserPage;

// The browser control on Qt WebEngine.
class WebEngineBrowserControl : public BrowserControl
{
    Q_OBJECT
public:
    explicit WebEngineBrowserControl(QWidget *parentWidget);
    ~WebEngineBrowserControl() override;

    QWidget *widget() override;
    QWebEngineView *view() const { return m_view; }
    BrowserPage *page() const { return m_page; }

    bool navigate2(const QString &address) override;
    void navigate(const QString &address) override;
    void goBack() override;
    void goForward() override;
    void stop() override;
    void reload() override;

    bool busy() const override { return m_loading; }
    bool hasDocument() const override { return m_hasDocument; }
    QString locationUrl() const override;

    void setSilent(bool silent) override;
    bool silent() const override;
    void setOffline(bool offline) override;
    bool offline() const override;

    bool runScript(const QString &script, int timeoutMs, QVariant *result = nullptr) override;
    bool toHtml(int timeoutMs, QString *html) override;
    QImage grabVisible(int timeoutMs) override;
    bool printToPdf(int timeoutMs, QByteArray *pdf) override;
    bool setZoomFactor(double factor) override;
    double zoomFactor() const override;
    void setAudioMuted(bool muted) override;
    bool audioMuted() const override;
    bool recentlyAudible() const override;
    void setLifecycle(Lifecycle state) override;
    Lifecycle lifecycle() const override;

    // The address as the engine should load it: an empty one is
    // "about:blank"; text without a scheme is read as the user typed it.
    static QUrl addressToUrl(const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWebEnginePage *takeNewWindow();
    void reportCommandState();
    bool waitForPaint(int timeoutMs);
    // Active again, and shown to the engine as the view shows it; a
    // discarded page has loaded again when this returns true.
    bool wake(int timeoutMs);

    QPointer<QWebEngineView> m_view;
    BrowserPage *m_page;
    bool m_pictureReleased = false; // the drawing widget gave up its picture at rest
    bool m_loading = false;
    bool m_hasDocument = false;
    bool m_certificateError = false;
    QString m_loadStatus;
};
