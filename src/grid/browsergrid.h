#pragma once

#include "grid/gridmodel.h"
#include "pane/browserpane.h"
#include "pane/panehost.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

struct Settings;
struct RuntimeFlags;
class Prompter;
#include <QScrollArea>

// The browser grid: the 64 pane slots (Browsers) over the 8 x 8 cells,
// creating panes in the first vacant cell, laying them out, deleting the
// active one and freeing them all. It is also the window the panes talk to.
class BrowserGrid : public QObject, public PaneHost
{
    Q_OBJECT
public:
    static const QString BtNormal;        // "btNormal"
    static const QString BtQueue;         // "btQueue"
    static const QString BtSearchEngine;  // "btSearchEngine"

    // sbMainGrid: the scroll box that holds the panes; pnMainGrid: the panel
    // around it, hidden while the grid is laid out.
    BrowserGrid(Settings &settings, RuntimeFlags &flags, Prompter &prompter, QScrollArea *sbMainGrid,
                QWidget *pnMainGrid, QObject *parent = nullptr);
    ~BrowserGrid() override;

    bool layoutGrid(bool resetVacancy);
    bool openAddressInNewBrowser(const QString &address, const QString &browserType);
    int openEmptyBrowser() override;
    bool deleteActiveBrowser();
    void closeAllBrowsers();

    const GridModel &model() const { return m_model; }
    GridModel &model() { return m_model; }
    BrowserPane *pane(int browserNo) const;
    BrowserPane *activePane() const;
    // The pane standing in a cell, or null.
    BrowserPane *paneInCell(int cellIndex) const;
    QWidget *gridContent() const { return m_content; }
    QScrollArea *scrollBox() const { return m_scrollBox; }
    // Moves a pane to the place of its cell (the cell's grid coordinates).
    void placePane(BrowserPane *pane);
    // Scroll range follows the panes: the content is as large as the panes
    // reach.
    void updateScrollRange();

    // Seams and looks set by the window (and tests).
    void setControlFactory(BrowserPane::ControlFactory factory) { m_controlFactory = std::move(factory); }
    void setKeyboardStateReader(std::function<Qt::KeyboardModifiers()> reader) { m_keyboardState = std::move(reader); }
    void setScannerRunningReader(std::function<bool()> reader) { m_scannerRunning = std::move(reader); }
    void setPaneSkin(bool active, bool zoomButton, const PaneButtonSkin &skin);
    void setPanePicture(PanePicture picture, const QImage &image) { m_pictures.insert(int(picture), image); }
    // Fills the select-browser list again (after a queued or pop-up pane).
    void setSelectListFiller(std::function<bool()> filler) { m_fillSelectList = std::move(filler); }
    // Widgets disabled while a pane is being deleted.
    void setWidgetsDisabledDuringDelete(QList<QPointer<QWidget>> widgets) { m_disableDuringDelete = std::move(widgets); }

    // PaneHost
    bool activateBrowser(int browserNo) override;
    void showInformation(const QString &text) override;
    void closeOpenMessageBox() override;
    void addToHistory(const QString &address) override;
    BrowserControl *browserControl(int browserNo) const override;
    void setBrowserInfo(const QString &text) override;
    void setActiveIP(const QString &text) override;
    int popUpBrowserSetting() const override;
    Qt::KeyboardModifiers keyboardModifiers() const override;
    bool scannerRunning() const override;
    QString searchOnDownloadText() const override { return {}; }
    QColor searchColor() const override { return QColor(0xFF, 0x00, 0xFF); }
    bool searchProximate() const override { return false; }
    QColor activeBorderColor() const override;
    QColor gridBackgroundColor() const override;
    QColor statusBarFontColor() const override;
    QColor statusBarFontShadowColor() const override;
    PaneButtonSkin paneButtonSkin(bool active, bool zoomButton) const override;
    QImage panePicture(PanePicture picture) const override;

signals:
    // An address a pane reached for the first time (for the History tree).
    void historyAddressReached(const QString &address);
    void browserInfoChanged(const QString &text);
    void activeIPChanged(const QString &text);
    // A pane became the active browser; the window follows with its list,
    // address bar and map.
    void browserActivated(int browserNo);
    // The active pane was deleted: the window clears its labels and lists.
    void activeBrowserDeleted();
    // The set of panes changed (a pane was made or freed).
    void panesChanged();

private:
    // Creates a pane in the lowest free slot and vacant cell (steps shared by
    // the two open operations); NoIndex when there is no room.
    int createPane();

    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    QPointer<QScrollArea> m_scrollBox;
    QPointer<QWidget> m_pnMainGrid;
    QWidget *m_content;
    GridModel m_model;
    std::array<QPointer<BrowserPane>, GridModel::BrowserLimit> m_browsers{};
    BrowserPane::ControlFactory m_controlFactory;
    std::function<Qt::KeyboardModifiers()> m_keyboardState;
    std::function<bool()> m_scannerRunning;
    std::function<bool()> m_fillSelectList;
    PaneButtonSkin m_skins[2][2];
    QHash<int, QImage> m_pictures;
    QList<QPointer<QWidget>> m_disableDuringDelete;
    bool m_deleting = false;
};
