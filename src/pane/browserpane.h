#pragma once

#include "pane/browsercontrol.h"
#include "pane/pagecrashrecovery.h"
#include "pane/pageoperations.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class PaneHost;
class PaneLook;
class QLabel;
class SkinButton;
class ShadowLabel;

// One browser pane of the grid (the TWB form): 1-pixel edges that mark the
// active pane, margins that select it on a click, the embedded browser, and
// a strip of buttons over the page with the cell number.
class BrowserPane : public QWidget
{
    Q_OBJECT
public:
    using ControlFactory = std::function<BrowserControl *(QWidget *parent)>;

    // The real control is WebEngineBrowserControl; factory replaces it.
    BrowserPane(PaneHost &host, const PaneLook &look, QWidget *parent, const ControlFactory &factory = {});
    ~BrowserPane() override;

    // Set by the grid.
    int cellIndex = 0;
    int browserNo = 0;
    // Ctrl+M's word on this pane's sound, over the grid's rule.
    enum class SoundOverride { None, Heard, Muted };
    SoundOverride soundOverride = SoundOverride::None;

    void initBrowserPane();
    bool selectBrowser(bool select);
    bool navigateTo(const QString &address);
    void closeBrowserPane();
    void setCellCaption(int cellIndex);
    // Frees the browser control (and its page) ahead of the pane.
    void freeBrowserControl();

    // Marks a nested event loop run for this pane (a page operation waiting
    // for the engine, a dialog over its page) for a scope. While one runs
    // the pane is not freed: its code is on the stack below the loop.
    class NestedLoop
    {
    public:
        explicit NestedLoop(BrowserPane &pane);
        ~NestedLoop();
        NestedLoop(const NestedLoop &) = delete;
        NestedLoop &operator=(const NestedLoop &) = delete;

    private:
        QPointer<BrowserPane> m_pane;
    };
    // A nested loop of the pane or a script dialog of its page is running.
    bool inNestedLoop() const;
    // Frees the pane and its control (after closeBrowserPane): at once when
    // no nested loop of it runs (true), else the pane is closed and hidden
    // now and freed as soon as the last one has returned (false).
    bool release();

    BrowserControl *control() const { return m_control; }
    // Back, forward, refresh, stop, print, links, save, highlight, preview,
    // zoom and scroll on this pane's page.
    PageOperations &pages() { return m_operations; }
    bool closing() const { return m_state.closing; }
    bool isActive() const { return m_isActive; }
    bool canGoBack() const { return m_state.canGoBack; }
    bool canGoForward() const { return m_state.canGoForward; }
    bool hasHighlights() const { return m_state.hasHighlights; }
    QString highlightedText() const { return m_state.highlightedText; }
    int zoomStep() const { return m_state.zoomStep; }
    bool refreshedThisCycle() const { return m_state.refreshedThisCycle; }
    void setRefreshedThisCycle(bool value) { m_state.refreshedThisCycle = value; }
    // The picture that stands in for a page that cannot be previewed (ImgBusy).
    QImage busyPicture() const;
    // Every address this pane has shown, each once, sorted (cbHistoryList).
    const QStringList &historyList() const { return m_historyList; }
    bool securityOn() const;
    QWidget *buttonStrip() const { return m_pnButtons; }
    // The page has made sound in the last moments (heard or muted).
    bool audible() const { return m_control && m_control->recentlyAudible(); }
    // The page answers (false: an endless script holds it).
    bool responding() const { return !m_control || m_control->responding(); }
    // How far the page's downloads have come, 0 to 100; -1 when none runs.
    int downloadProgress() const { return m_downloadProgress; }
    bool audioMuted() const { return m_control && m_control->audioMuted(); }
    void setAudioMuted(bool muted)
    {
        if (m_control)
            m_control->setAudioMuted(muted);
    }
    // Takes the look's colours and button pictures again, as it stands.
    void refreshLook() { applyLook(m_isActive); }

signals:
    // The zoom button was clicked; the pane has zoomed its page (or told
    // the user it could not).
    void zoomClicked();
    // The page began or stopped making sound.
    void audibleChanged(bool audible);
    void respondingChanged(bool responding);
    // downloadProgress() changed.
    void downloadProgressChanged(int percent);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildForm();
    void placeButtonStrip();
    void applyLook(bool active);
    void selectClick();
    void zoomClick();
    void documentComplete();
    void connectControl();
    NewWindowDecision decideNewWindow();
    void renderProcessGone();
    void placeCrashNotice();
    // A nested loop has returned: a pane released meanwhile goes now.
    void nestedLoopEnded();

    PaneHost &m_host;
    const PaneLook &m_look;
    BrowserControl *m_control = nullptr;

    QWidget *m_pnTopBorder, *m_pnBottomBorder, *m_pnLeftBorder, *m_pnRightBorder;
    QWidget *m_pnWBBack;
    QWidget *m_pnTopBro, *m_pnBottomBro, *m_pnLeftBro, *m_pnRightBro;
    QWidget *m_pnBrowserBack, *m_pnWhiteBack;
    QWidget *m_pnButtons;
    SkinButton *m_skSelect, *m_skZoom;
    QLabel *m_imSecurityOn, *m_imSecurityOff;
    ShadowLabel *m_laCellNo;
    QLabel *m_imMoveTabGray, *m_imMoveTabColor;
    QLabel *m_imgBusy;
    QLabel *m_laCrashNotice; // over the page's foot while its renderer is gone

    QStringList m_historyList;
    PaneState m_state;
    PageCrashRecovery m_crashRecovery;
    PageOperations m_operations{*this, m_state};
    int m_buttonsDragY = 0;
    bool m_buttonsDragging = false;
    bool m_isActive = false;
    int m_nestedLoops = 0;
    int m_downloadProgress = -1;
    bool m_releasePending = false;
};
