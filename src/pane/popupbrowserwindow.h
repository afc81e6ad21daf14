#pragma once

#include <QMainWindow>

class BrowserPage;
class QWebEngineView;

// A top-level browser window of its own, for pages that open a new window
// outside the grid. It closes itself when its page asks, and frees itself
// when closed.
class PopupBrowserWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit PopupBrowserWindow(QWidget *parent = nullptr);
    ~PopupBrowserWindow() override;

    BrowserPage *page() const { return m_page; }
    QWebEngineView *view() const { return m_view; }

    // Every pop-up window open now, oldest first.
    static QList<PopupBrowserWindow *> openWindows();

private:
    QWebEngineView *m_view;
    BrowserPage *m_page;
};
