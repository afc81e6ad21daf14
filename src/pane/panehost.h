#pragma once

#include <QColor>
#include <QString>

class BrowserControl;
class Prompter;

// "Search on download": the text highlighted in every page that arrives
// (empty when that is off), its colour and "Proximate" (the whole word).
struct SearchOnDownload
{
    QString text;
    QColor colour;
    bool proximate = false;
};

// What a browser pane asks of the grid that holds it: becoming the active
// browser, a pane for a pop-up, history, the status labels, messages, and
// the state its new-window and download rules read. How it looks comes from
// a PaneLook.
class PaneHost
{
public:
    virtual ~PaneHost() = default;

    virtual bool activateBrowser(int browserNo) = 0;
    // Browser number of a new empty pane, or NoIndex when none could be made.
    virtual int openEmptyBrowser() = 0;
    virtual BrowserControl *browserControl(int browserNo) const = 0;
    virtual void addToHistory(const QString &address) = 0;
    virtual void setBrowserInfo(const QString &text) = 0;
    virtual void setActiveIP(const QString &text) = 0;
    virtual Prompter &prompter() const = 0;

    virtual int popUpBrowserSetting() const = 0;
    virtual Qt::KeyboardModifiers keyboardModifiers() const = 0;
    virtual bool scannerRunning() const = 0;
    virtual SearchOnDownload searchOnDownload() const = 0;
    // A press in a page makes its pane the active browser.
    virtual bool clickActivatesPane() const = 0;
};
