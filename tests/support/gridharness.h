#pragma once

#include "appearance/skinimages.h"
#include "appearance/skinnedpanelook.h"
#include "core/eventwait.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/browsergrid.h"
#include "pane/popupbrowserwindow.h"
#include "support/fakebrowsercontrol.h"
#include "support/scriptedprompter.h"

#include <QScrollArea>
#include <QUrl>

#include <memory>

// A grid inside a real scroll box, without the main window. Panes use the
// engine-less control unless realEngine is set.
struct GridHarness
{
    Settings settings;
    RuntimeFlags flags;
    ScriptedPrompter prompter;
    SkinImages skin;
    SkinnedPaneLook look{settings, skin};
    QWidget window;
    QScrollArea *scrollBox;
    std::unique_ptr<BrowserGrid> grid;
    Qt::KeyboardModifiers keys = Qt::NoModifier;
    int keyReads = 0; // one per new-window decision
    bool scanner = false;

    explicit GridHarness(bool realEngine = false, QSize paneSize = {720, 460})
    {
        flags.deleteDelay = 0;
        settings.browserWidth = paneSize.width();
        settings.browserHeight = paneSize.height();
        window.resize(900, 600);
        scrollBox = new QScrollArea(&window);
        scrollBox->setGeometry(window.rect());
        grid = std::make_unique<BrowserGrid>(settings, flags, prompter, look, scrollBox, &window);
        if (!realEngine)
            grid->setControlFactory([](QWidget *parent) { return new FakeBrowserControl(parent); });
        grid->setKeyboardStateReader([this] {
            ++keyReads;
            return keys;
        });
        grid->setScannerRunningReader([this] { return scanner; });
        grid->layoutGrid(true);
        window.show();
    }
    ~GridHarness()
    {
        grid->closeAllBrowsers();
        qDeleteAll(PopupBrowserWindow::openWindows());
    }
    FakeBrowserControl *control(int browserNo) const
    {
        return static_cast<FakeBrowserControl *>(grid->pane(browserNo)->control());
    }
    // Opens an address in a new active pane; NoIndex when there was no room.
    int open(const QString &address = QStringLiteral("http://example.test/"))
    {
        if (!grid->openAddressInNewBrowser(address, BrowserType::btNormal))
            return NoIndex;
        return flags.activeBrowser;
    }
    // The same, waiting until the page has loaded.
    bool openAndLoad(const QUrl &url)
    {
        if (open(url.toString()) == NoIndex)
            return false;
        BrowserControl *c = grid->activePane()->control();
        return EventWait::until([c] { return c->hasDocument() && !c->busy(); }, 20000);
    }
};
