#include "grid/browsergrid.h"

#include "core/busycursor.h"
#include "core/eventwait.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "core/urlquery.h"
#include "grid/browsersizing.h"

#include <QGuiApplication>
#include <QScrollArea>
#include <QScrollBar>

BrowserGrid::BrowserGrid(Settings &settings, RuntimeFlags &flags, Prompter &prompter, const PaneLook &look,
                         QScrollArea *sbMainGrid, QWidget *pnMainGrid, QObject *parent)
    : QObject(parent), m_settings(settings), m_flags(flags), m_prompter(prompter), m_look(look),
      m_scrollBox(sbMainGrid), m_pnMainGrid(pnMainGrid), m_content(new QWidget)
{
    m_content->setObjectName(QStringLiteral("sbMainGridContent"));
    // The grid's own background (a picture, the grid colour) shows through.
    m_scrollBox->setWidgetResizable(false);
    m_scrollBox->setWidget(m_content);
    // The grid's own background (its colour or picture, painted by the scroll
    // box) shows through; QScrollArea::setWidget turned filling on.
    m_content->setAutoFillBackground(false);
    m_model.layout(m_settings.browserWidth, m_settings.browserHeight, true);
    updateScrollRange();
}

BrowserGrid::~BrowserGrid()
{
    for (auto &pane : m_browsers)
        if (pane)
            pane->release();
}

BrowserPane *BrowserGrid::pane(int browserNo) const
{
    if (browserNo < 0 || browserNo >= GridModel::BrowserLimit)
        return nullptr;
    return m_browsers[browserNo];
}

BrowserPane *BrowserGrid::activePane() const
{
    return pane(m_flags.activeBrowser);
}

BrowserPane *BrowserGrid::paneInCell(int cellIndex) const
{
    for (const auto &p : m_browsers)
        if (p && p->cellIndex == cellIndex)
            return p;
    return nullptr;
}

void BrowserGrid::placePane(BrowserPane *pane)
{
    const CellCoordinates &c = m_model.cell(pane->cellIndex);
    pane->setGeometry(c.left, c.top, m_settings.browserWidth, m_settings.browserHeight);
}

bool BrowserGrid::movePaneToCell(int browserNo, int cellIndex)
{
    BrowserPane *moved = pane(browserNo);
    if (!moved || !GridModel::validCell(cellIndex) || !m_model.cell(cellIndex).vacant)
        return false;
    m_model.setVacant(moved->cellIndex, true);
    m_model.setVacant(cellIndex, false);
    moved->cellIndex = cellIndex;
    moved->setCellCaption(cellIndex);
    placePane(moved);
    updateScrollRange();
    emit panesChanged();
    return true;
}

void BrowserGrid::vacateAllCells()
{
    for (int cell = 0; cell < GridModel::CellCount; ++cell)
        m_model.setVacant(cell, true);
}

bool BrowserGrid::assignCell(int browserNo, int cellIndex)
{
    BrowserPane *moved = pane(browserNo);
    if (!moved || !GridModel::validCell(cellIndex))
        return false;
    m_model.setVacant(cellIndex, false);
    moved->cellIndex = cellIndex;
    moved->setCellCaption(cellIndex);
    placePane(moved);
    return true;
}

bool BrowserGrid::freePane(int browserNo)
{
    QPointer<BrowserPane> freed = pane(browserNo);
    if (!freed)
        return false;
    const int cell = freed->cellIndex;
    m_browsers[browserNo] = nullptr;
    // A pane whose page operation or dialog is still under way goes when it
    // has returned.
    freed->release();
    if (GridModel::validCell(cell) && !paneInCell(cell))
        m_model.setVacant(cell, true);
    m_flags.browserCount = qMax(0, m_flags.browserCount - 1);
    if (m_flags.activeBrowser == browserNo)
        m_flags.activeBrowser = NoIndex;
    updateScrollRange();
    updateActiveSounding();
    emit panesChanged();
    return true;
}

void BrowserGrid::beginOperation(const QString &name)
{
    ++m_operations;
    m_operationNames.append(name);
}

void BrowserGrid::endOperation()
{
    if (m_operations <= 0)
        return;
    m_operationNames.removeLast();
    if (--m_operations == 0)
        emit operationsFinished();
}

QString BrowserGrid::waitMessage() const
{
    return QStringLiteral("Wait until the %1 has finished.")
        .arg(m_operationNames.isEmpty() ? QStringLiteral("grid operation") : m_operationNames.first());
}

SearchOnDownload BrowserGrid::searchOnDownload() const
{
    // Off until the grid search is set up: no text, fuchsia, not proximate.
    return m_searchOnDownload ? m_searchOnDownload() : SearchOnDownload{{}, QColor(0xFF, 0x00, 0xFF), false};
}

void BrowserGrid::updateScrollRange()
{
    QSize extent(0, 0);
    for (const auto &p : m_browsers)
        if (p)
            extent = extent.expandedTo(QSize(p->geometry().right() + 1, p->geometry().bottom() + 1));
    m_content->resize(extent);
}

bool BrowserGrid::layoutGrid(bool resetVacancy)
{
    try {
        BusyCursor busy;
        BackgroundSuspension suspended(m_flags);
        if (m_pnMainGrid)
            m_pnMainGrid->hide();
        QCoreApplication::processEvents();
        m_model.layout(m_settings.browserWidth, m_settings.browserHeight, resetVacancy);
        if (m_flags.browserCount > 0) {
            m_scrollBox->horizontalScrollBar()->setValue(0);
            m_scrollBox->verticalScrollBar()->setValue(0);
            for (const auto &p : m_browsers)
                if (p)
                    placePane(p);
        }
        updateScrollRange();
        if (m_pnMainGrid)
            m_pnMainGrid->show();
        return true;
    } catch (...) {
        return false;
    }
}

bool BrowserGrid::autoSizeBrowsers(QSize window)
{
    const QSize size = BrowserSizing::automaticSize(window, m_scrollBox->size());
    m_settings.browserWidth = size.width();
    m_settings.browserHeight = size.height();
    return layoutGrid(false);
}

bool BrowserGrid::hasRoom() const
{
    return !m_deleting && m_operations == 0 && GridModel::lowestFreeSlot(m_browsers) != NoIndex && m_model.lowestVacantCell() != NoIndex
           && m_flags.browserCount < GridModel::BrowserLimit;
}

int BrowserGrid::createPane()
{
    if (!hasRoom())
        return NoIndex;
    const int slot = GridModel::lowestFreeSlot(m_browsers);
    const int cell = m_model.lowestVacantCell();

    m_flags.browserSerial += 1;
    m_flags.browserCount += 1;
    m_model.setVacant(cell, false);
    BrowserPane *pane = nullptr;
    try {
        pane = new BrowserPane(*this, m_look, m_content, m_controlFactory);
        m_browsers[slot] = pane;
    } catch (...) {
        m_model.setVacant(cell, true);
        m_flags.browserCount = qMax(0, m_flags.browserCount - 1);
        delete pane;
        m_browsers[slot] = nullptr;
        return NoIndex;
    }
    try {
        pane->setObjectName(QStringLiteral("BrowserNo%1").arg(m_flags.browserSerial));
        pane->cellIndex = cell;
        pane->browserNo = slot;
        // Panes live in grid coordinates inside the scrolled content, so a
        // pane made while the view is scrolled still lands on its cell.
        placePane(pane);
        updateScrollRange();
        pane->setCellCaption(cell);
        pane->control()->setOffline(m_flags.connectionState == 0);
        pane->setAudioMuted(shouldMute(pane));
        connect(pane, &BrowserPane::audibleChanged, this, [this, pane] {
            emit paneSoundChanged(pane->browserNo);
            updateActiveSounding();
        });
        connect(pane, &BrowserPane::respondingChanged, this, [this, pane] { emit paneRespondingChanged(pane->browserNo); });
        connect(pane->control(), &BrowserControl::navigateComplete2, this, [this, pane](const QString &address) {
            if (pane == activePane() && !pane->closing())
                emit activeAddressChanged(address);
        });
        pane->initBrowserPane();
        pane->show();
        m_content->repaint();
    } catch (...) {
    }
    emit panesChanged();
    return slot;
}

bool BrowserGrid::openAddressInNewBrowser(const QString &address, BrowserType browserType)
{
    // A refused open changes nothing, suspension included.
    if (!hasRoom())
        return false;
    BackgroundSuspension suspended(m_flags);
    const int slot = createPane();
    if (slot == NoIndex)
        return false;
    BrowserPane *pane = m_browsers[slot];
    try {
        switch (browserType) {
        case BrowserType::btNormal:
            pane->navigateTo(address);
            pane->selectBrowser(true);
            break;
        case BrowserType::btQueue:
            pane->navigateTo(address);
            pane->selectBrowser(false);
            if (m_fillSelectList)
                m_fillSelectList();
            break;
        case BrowserType::btSearchEngine:
            pane->navigateTo(searchAddress(address));
            pane->selectBrowser(true);
            break;
        }
    } catch (...) {
    }
    return true;
}

QString BrowserGrid::searchAddress(const QString &term) const
{
    // The term is one query value: "R&D" must not end at the "&".
    return m_settings.searchEngineAddress + UrlQuery::encodeValue(term);
}

int BrowserGrid::openEmptyBrowser()
{
    if (!hasRoom())
        return NoIndex;
    BackgroundSuspension suspended(m_flags);
    const int slot = createPane();
    if (slot == NoIndex)
        return NoIndex;
    m_browsers[slot]->selectBrowser(false);
    if (m_fillSelectList && !m_fillSelectList())
        m_prompter.showInformation(QStringLiteral("Could not populate the select browser list."));
    return slot;
}

bool BrowserGrid::deleteActiveBrowser()
{
    if (m_flags.browserCount < 1 || m_flags.activeBrowser == NoIndex) {
        m_prompter.showInformation(QStringLiteral("No active browser, select one first."));
        return false;
    }
    // A search or a maintenance steps through the panes with nested loops:
    // the pane it works on must not be freed under it.
    if (operationRunning()) {
        m_prompter.showInformation(waitMessage());
        return false;
    }
    // A second delete asked for during this one's wait (the same pane).
    if (m_deleting)
        return false;
    BusyCursor busy;
    BackgroundSuspension suspended(m_flags);
    m_deleting = true;
    for (const auto &w : m_disableDuringDelete)
        if (w)
            w->setEnabled(false);

    const int slot = m_flags.activeBrowser;
    bool freed = false;
    if (QPointer<BrowserPane> pane = m_browsers[slot]) {
        const int cell = pane->cellIndex;
        pane->closeBrowserPane();
        EventWait::forMilliseconds(m_flags.deleteDelay);
        // The wait runs the event loop: the window may have closed and freed
        // every pane meanwhile.
        m_browsers[slot] = nullptr;
        if (pane)
            pane->release();
        freed = true;
        m_model.setVacant(cell, true);
        m_flags.browserCount = qMax(0, m_flags.browserCount - 1);
        m_flags.activeBrowser = NoIndex;
        updateScrollRange();
        updateActiveSounding();
        emit activeBrowserDeleted();
        emit panesChanged();
    }

    for (const auto &w : m_disableDuringDelete)
        if (w)
            w->setEnabled(true);
    m_deleting = false;
    return freed;
}

void BrowserGrid::closeAllBrowsers()
{
    m_deleting = true;
    // Every pane is stopped first and then all get their DeleteDelay
    // together: one wait, not one per pane (64 panes would hold the closing
    // program for 13 seconds).
    bool any = false;
    for (const auto &p : m_browsers) {
        if (p) {
            p->closeBrowserPane();
            any = true;
        }
    }
    if (any)
        EventWait::forMilliseconds(m_flags.deleteDelay);
    for (auto &p : m_browsers) {
        // A pane whose page shows a dialog, or whose page operation waits
        // for the engine, is closed now and freed once that has returned.
        if (QPointer<BrowserPane> closed = p) {
            p = nullptr;
            closed->release();
        }
    }
    m_deleting = false;
}

bool BrowserGrid::activateBrowser(int browserNo)
{
    try {
        if (m_flags.browserCount == 0)
            return true;
        m_flags.pointedCell = NoIndex;
        if (BrowserPane *previous = activePane()) {
            if (!previous->selectBrowser(false))
                return true;
        }
        m_flags.activeBrowser = browserNo;
        applyPaneSound();
        updateActiveSounding();
        if (BrowserPane *p = pane(browserNo)) {
            const CellCoordinates &c = m_model.cell(p->cellIndex);
            m_scrollBox->horizontalScrollBar()->setValue(c.left);
            m_scrollBox->verticalScrollBar()->setValue(c.top);
        }
        setActiveIP(QStringLiteral("Unresolved"));
        emit browserActivated(browserNo);
        return true;
    } catch (...) {
        return false;
    }
}

bool BrowserGrid::shouldMute(const BrowserPane *pane) const
{
    switch (pane->soundOverride) {
    case BrowserPane::SoundOverride::Heard:
        return false;
    case BrowserPane::SoundOverride::Muted:
        return true;
    case BrowserPane::SoundOverride::None:
        break;
    }
    switch (m_settings.paneSound) {
    case 0:
        return false;
    case 2:
        return true;
    default:
        return pane->browserNo != m_flags.activeBrowser;
    }
}

void BrowserGrid::applyPaneSound()
{
    for (const auto &p : m_browsers) {
        if (!p || p->closing())
            continue;
        const bool mute = shouldMute(p);
        if (p->audioMuted() != mute) {
            p->setAudioMuted(mute);
            emit paneSoundChanged(p->browserNo);
        }
    }
    updateActiveSounding();
}

void BrowserGrid::resetPaneSound()
{
    for (const auto &p : m_browsers)
        if (p)
            p->soundOverride = BrowserPane::SoundOverride::None;
    applyPaneSound();
}

bool BrowserGrid::toggleActivePaneMute()
{
    BrowserPane *p = activePane();
    if (!p || p->closing())
        return false;
    const bool mute = !p->audioMuted();
    p->soundOverride = mute ? BrowserPane::SoundOverride::Muted : BrowserPane::SoundOverride::Heard;
    p->setAudioMuted(mute);
    setBrowserInfo(mute ? QStringLiteral("Sound of the active browser off") : QStringLiteral("Sound of the active browser on"));
    emit paneSoundChanged(p->browserNo);
    updateActiveSounding();
    return true;
}

bool BrowserGrid::activePaneSounding() const
{
    const BrowserPane *p = activePane();
    return p && !p->closing() && p->audible() && !p->audioMuted();
}

void BrowserGrid::updateActiveSounding()
{
    const bool sounding = activePaneSounding();
    if (sounding == m_activeSounding)
        return;
    m_activeSounding = sounding;
    emit activePaneSoundingChanged(sounding);
}

bool BrowserGrid::clickActivatesPane() const
{
    return m_settings.clickActivatesPane != 0;
}

void BrowserGrid::addToHistory(const QString &address)
{
    emit historyAddressReached(address);
}

BrowserControl *BrowserGrid::browserControl(int browserNo) const
{
    BrowserPane *p = pane(browserNo);
    return p ? p->control() : nullptr;
}

void BrowserGrid::setBrowserInfo(const QString &text)
{
    emit browserInfoChanged(text);
}

void BrowserGrid::setActiveIP(const QString &text)
{
    emit activeIPChanged(text);
}

int BrowserGrid::popUpBrowserSetting() const
{
    return m_settings.popUpBrowser;
}

Qt::KeyboardModifiers BrowserGrid::keyboardModifiers() const
{
    return m_keyboardState ? m_keyboardState() : QGuiApplication::queryKeyboardModifiers();
}

bool BrowserGrid::scannerRunning() const
{
    return m_scannerRunning && m_scannerRunning();
}
