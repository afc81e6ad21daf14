#pragma once

#include "pane/browsercontrol.h"
#include "pane/popuplimit.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QPointer>
#include <QWebEngineView>

class BrowserPage;
class FullScreenView;
class PageContextMenu;
class PageQuestions;
class PaneHost;

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
    // The pane host that answers the page's questions (certificates,
    // permissions, sign-in) and takes links opened in a new pane; without
    // one every such question is answered No.
    void setPaneHost(PaneHost *host);
    FullScreenView *fullScreen() const { return m_fullScreen; }
    PageContextMenu *contextMenu() const { return m_contextMenu; }

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
    void setInView(bool inView) override;
    bool scriptDialogOpen() const override;
    void closeScriptDialogs() override;
    bool responding() const override { return m_responding; }

    // How long a page may leave the program's probe unanswered before it
    // counts as not responding, and how often it is asked: every ProbeMs,
    // and with many live pages less often, so that the program asks at most
    // ProbesPerSecond pages a second in all. Each question wakes a page
    // process and costs it and the window about 2 ms: a grid of 64 live
    // pages asked each second spent a tenth of a core on them, taken from
    // the pages that were loading.
    static constexpr int HangMs = 5000;
    static constexpr int ProbeMs = 1000;
    static constexpr int ProbesPerSecond = 25;
    // The questions sent so far by all pages (for tests and benchmarks).
    static quint64 probesSent() { return s_probesSent; }
    static const QString NotRespondingText;
    static const QString PopUpRefusedText;

    // The address as the engine should load it: an empty one is
    // "about:blank"; text without a scheme is read as the user typed it.
    static QUrl addressToUrl(const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWebEnginePage *takeNewWindow();
    // Asks the page a trivial question each round; no answer within HangMs
    // marks it not responding.
    void probe();
    void forgetProbe();
    // Counts this page among those asked each round, or not, and paces the
    // rounds by how many are.
    void setAsked(bool asked);
    void setResponding(bool responding);
    // Ends the page's process (a hung page) and loads the page again.
    void endHungPage();
    void reportCommandState();
    bool waitForPaint(int timeoutMs);
    // Active again, and shown to the engine as the view shows it; a
    // discarded page has loaded again when this returns true.
    bool wake(int timeoutMs);

    // Has the drawing widget draw the page again after a rest.
    void restorePicture();

    QPointer<QWebEngineView> m_view;
    BrowserPage *m_page;
    bool m_pictureReleased = false; // the drawing widget gave up its picture at rest
    // Page operations waiting on the page now: it is not put to rest under
    // them (the grid's next round does it).
    int m_awakeHolds = 0;
    bool m_inView = true;
    class AwakeHold;
    bool m_loading = false;
    bool m_hasDocument = false;
    bool m_certificateError = false;
    QString m_loadStatus;
    QTimer m_probeTimer;
    QElapsedTimer m_sinceProbe;  // since the unanswered probe was sent
    QElapsedTimer m_sinceRound;  // since the last round: a stalled window does not count against a page
    int m_probeGeneration = 0;
    bool m_probeOutstanding = false;
    bool m_asked = false;
    static int s_askedPages;
    static quint64 s_probesSent;
    bool m_responding = true;
    bool m_endingHungPage = false;
    PopUpLimit m_popUps;
    QElapsedTimer m_clock;
    PageQuestions *m_questions = nullptr;
    FullScreenView *m_fullScreen = nullptr;
    PageContextMenu *m_contextMenu = nullptr;
};
