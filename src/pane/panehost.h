#pragma once

#include <QColor>
#include <QImage>
#include <QString>

class BrowserControl;

// The four pictures of one pane button (select or zoom) in one look.
struct PaneButtonSkin
{
    QImage idle;
    QImage over;
    QImage down;
    QImage glyph;
};

enum class PanePicture { SecurityOn, SecurityOff, MoveTabGray, MoveTabColor, Busy };

// What a browser pane needs from the window that holds it: making itself
// the active browser, messages, history, pop-up panes, the status labels
// and the current look. The grid implements it.
class PaneHost
{
public:
    virtual ~PaneHost() = default;

    virtual bool activateBrowser(int browserNo) = 0;
    virtual void showInformation(const QString &text) = 0;
    virtual void closeOpenMessageBox() = 0;
    virtual void addToHistory(const QString &address) = 0;
    // Browser number of a new empty pane, or NoIndex when none could be made.
    virtual int openEmptyBrowser() = 0;
    virtual BrowserControl *browserControl(int browserNo) const = 0;
    virtual void setBrowserInfo(const QString &text) = 0;
    virtual void setActiveIP(const QString &text) = 0;

    virtual int popUpBrowserSetting() const = 0;
    virtual Qt::KeyboardModifiers keyboardModifiers() const = 0;
    virtual bool scannerRunning() const = 0;
    // The "Search on download" text, or empty when that is off.
    virtual QString searchOnDownloadText() const = 0;
    // How search text is highlighted: the colour picked for it (fuchsia
    // unless changed) and "Proximate" (the whole surrounding word).
    virtual QColor searchColor() const = 0;
    virtual bool searchProximate() const = 0;

    virtual QColor activeBorderColor() const = 0;
    virtual QColor gridBackgroundColor() const = 0;
    virtual QColor statusBarFontColor() const = 0;
    virtual QColor statusBarFontShadowColor() const = 0;
    virtual PaneButtonSkin paneButtonSkin(bool active, bool zoomButton) const = 0;
    virtual QImage panePicture(PanePicture picture) const = 0;
};
