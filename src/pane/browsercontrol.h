#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

class QWidget;
class BrowserControl;

// What becomes of a page's request for a new window.
struct NewWindowDecision
{
    enum class Kind { Cancel, OwnWindow, IntoControl };
    Kind kind = Kind::Cancel;
    BrowserControl *control = nullptr; // with IntoControl: the control that takes the page
};

// The embedded browser as the pane sees it: exactly the operations and
// events the program uses. One real implementation wraps Qt WebEngine;
// grid tests may use a light fake.
class BrowserControl : public QObject
{
    Q_OBJECT
public:
    // Command numbers of commandStateChange.
    static constexpr int CommandForward = 1;
    static constexpr int CommandBack = 2;

    using QObject::QObject;

    // The widget that shows the page; the pane places it.
    virtual QWidget *widget() = 0;

    // Starts loading; an empty address loads "about:blank". False when the
    // address could not be handed to the engine.
    virtual bool navigate2(const QString &address) = 0;
    virtual void navigate(const QString &address) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void stop() = 0;
    // Loads the page it shows again.
    virtual void reload() = 0;

    virtual bool busy() const = 0;          // a load is in progress
    virtual bool hasDocument() const = 0;   // a document has loaded
    virtual QString locationUrl() const = 0;

    virtual void setSilent(bool silent) = 0;   // no script dialogs while set
    virtual bool silent() const = 0;
    virtual void setOffline(bool offline) = 0; // no network requests while set
    virtual bool offline() const = 0;

    // Page access for the page operations. Each call waits (processing
    // events) at most timeoutMs for the engine and reports false when the
    // engine gave no answer in time.

    // Runs a script on the current document in a world of its own (it sees
    // the page's document, not the page's script variables); result gets
    // the script's last value, an invalid QVariant when the script threw.
    virtual bool runScript(const QString &script, int timeoutMs, QVariant *result = nullptr) = 0;
    // The current document as markup.
    virtual bool toHtml(int timeoutMs, QString *html) = 0;
    // The visible part of the page at the control's size, once the engine
    // has painted what scripts changed just before; null when it cannot.
    virtual QImage grabVisible(int timeoutMs) = 0;
    // The whole document printed once, as PDF pages (A4, or Letter where
    // the locale measures in inches).
    virtual bool printToPdf(int timeoutMs, QByteArray *pdf) = 0;
    // Zoom of the page, 1.0 for its own size; false when the engine did
    // not take the factor.
    virtual bool setZoomFactor(double factor) = 0;
    virtual double zoomFactor() const = 0;

    // Sound: a muted page plays on unheard; recentlyAudible is whether the
    // page has made sound in the last moments, muted or not.
    virtual void setAudioMuted(bool muted) = 0;
    virtual bool audioMuted() const = 0;
    virtual bool recentlyAudible() const = 0;

    // How much of the engine the page holds. Active runs and paints; Frozen
    // keeps the page but runs nothing of it (no scripts, timers, painting);
    // Discarded frees it, and it loads again when made Active. The page
    // operations above and the navigations make the page Active first.
    enum class Lifecycle { Active, Frozen, Discarded };
    virtual void setLifecycle(Lifecycle state) = 0;
    virtual Lifecycle lifecycle() const = 0;
    // Whether the pane is where the user can see it. A live page out of view
    // is hidden from the engine, as a browser's background tab: it loads, runs
    // its scripts and keeps its state, but draws nothing and its timers slow
    // down. A picture of it (grabVisible) still shows it for the moment.
    virtual void setInView(bool inView) { Q_UNUSED(inView) }

    // A script dialog of the page (alert, confirm, prompt) runs an event
    // loop of its own with the page on its stack: the control must not be
    // freed until the dialog has returned (scriptDialogsFinished).
    virtual bool scriptDialogOpen() const { return false; }
    // Closes the page's open script dialogs as cancelled; each returns once
    // the code running above its loop has returned.
    virtual void closeScriptDialogs() {}

    // The page answers: its process runs its scripts. A page that has not
    // answered for a few seconds (an endless script) is not responding; Stop
    // and Refresh then end its process and load it again.
    virtual bool responding() const { return true; }

    // Decides each request of the page for a new window.
    void setNewWindowHandler(std::function<NewWindowDecision()> handler) { m_newWindowHandler = std::move(handler); }

signals:
    void statusTextChange(const QString &text);
    void commandStateChange(int command, bool enabled);
    void beforeNavigate2(const QString &address);
    void navigateComplete2(const QString &address);
    void documentComplete(const QString &address);
    void windowClosing();
    void setSecureLockIcon(int level);
    // The process that renders the page ended abnormally (crashed or was
    // killed); the page shows nothing until it loads again.
    void renderProcessGone();
    void recentlyAudibleChanged(bool audible);
    // A mouse button went down in the page (the press goes on to the page).
    void pagePressed();
    // The last open script dialog of the page has returned.
    void scriptDialogsFinished();
    // The page stopped or began again to answer (responding()).
    void respondingChanged(bool responding);
    // How far the page's downloads have come, 0 to 100; -1 once they have
    // all ended (done, broken off or cancelled).
    void downloadProgressChanged(int percent);

protected:
    NewWindowDecision decideNewWindow() const
    {
        return m_newWindowHandler ? m_newWindowHandler() : NewWindowDecision{NewWindowDecision::Kind::OwnWindow, nullptr};
    }

private:
    std::function<NewWindowDecision()> m_newWindowHandler;
};
