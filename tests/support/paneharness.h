#pragma once

#include "appearance/panelook.h"
#include "pane/browserpane.h"
#include "pane/popupbrowserwindow.h"
#include "pane/webenginebrowsercontrol.h"
#include "support/recordingpanehost.h"

#include <QWebEngineView>
#include <QWidget>

// Panes on the real engine in a window of their own, without a grid, four to
// a row; a pop-up pane is made when the host is asked for one.
struct PaneHarness
{
    RecordingPaneHost host;
    PlainPaneLook look;
    QWidget window;

    explicit PaneHarness(int panes = 1, QSize windowSize = {900, 400})
    {
        window.resize(windowSize);
        host.makePane = [this] { return addPane(); };
        for (int i = 0; i < panes; ++i)
            addPane();
        window.show();
    }
    ~PaneHarness()
    {
        for (BrowserPane *pane : host.panes) {
            pane->closeBrowserPane();
            pane->freeBrowserControl();
        }
        qDeleteAll(PopupBrowserWindow::openWindows());
    }
    PaneHarness(const PaneHarness &) = delete;
    PaneHarness &operator=(const PaneHarness &) = delete;

    int addPane()
    {
        auto *pane = new BrowserPane(host, look, &window);
        pane->browserNo = int(host.panes.size());
        pane->setGeometry((pane->browserNo % 4) * 420, 0, 400, 300);
        pane->initBrowserPane();
        pane->show();
        host.panes << pane;
        return pane->browserNo;
    }
    BrowserPane *pane(int browserNo = 0) const { return host.panes.value(browserNo); }
    WebEngineBrowserControl *control(int browserNo = 0) const
    {
        return qobject_cast<WebEngineBrowserControl *>(pane(browserNo)->control());
    }
    // The widget that takes the page's mouse and keys.
    QWidget *pageWidget(int browserNo = 0) const
    {
        QWebEngineView *view = control(browserNo)->view();
        return view->focusProxy() ? view->focusProxy() : view;
    }
};
