#pragma once

#include <QObject>
#include <QPointer>
#include <QMenu>
#include <QPoint>
#include <QUrl>

class PaneHost;
class QWebEngineView;

// The page's own menu on a right click: Back, Forward, Reload, Copy, and on
// a link "Copy link address" and "Open link in new pane" (the grid's next
// free cell). Nothing in it opens a window outside the grid.
class PageContextMenu : public QObject
{
    Q_OBJECT
public:
    explicit PageContextMenu(QWebEngineView *view);

    void setHost(PaneHost *host) { m_host = host; }
    // The menu open now, if any.
    QMenu *openMenu() const { return m_menu; }

    static const QString OpenLinkText;
    static const QString NoRoomText;

private:
    void show(const QPoint &position);
    void openInNewPane(const QUrl &url);

    QWebEngineView *m_view;
    PaneHost *m_host = nullptr;
    QPointer<QMenu> m_menu;
};
