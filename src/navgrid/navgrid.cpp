#include "navgrid/navgrid.h"

#include "appearance/skinimages.h"
#include "appearance/widgets/skinbutton.h"
#include "core/busycursor.h"
#include "core/commandregistry.h"
#include "core/overlaypanels.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/addresslabels.h"
#include "grid/browsergrid.h"
#include "navgrid/navgridmap.h"
#include "navgrid/navgridpanel.h"
#include "navgrid/navgridplacement.h"
#include "navgrid/navhintpanel.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>

const QString NavGrid::DragFormat = QStringLiteral("application/x-vorlan-pane");

namespace {

// The first pane (by browser number) standing in a cell.
BrowserPane *paneInSquare(const BrowserGrid &grid, int cell)
{
    for (int n = 0; cell >= 0 && n < GridModel::BrowserLimit; ++n)
        if (BrowserPane *pane = grid.pane(n); pane && pane->cellIndex == cell)
            return pane;
    return nullptr;
}

} // namespace

NavGrid::NavGrid(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter,
                 OverlayPanels &overlays, CommandRegistry &commands, const SkinImages &skin, Parts parts,
                 QObject *parent)
    : QObject(parent), m_grid(grid), m_settings(settings), m_flags(flags), m_prompter(prompter), m_parts(parts),
      m_panel(new NavGridPanel(parts.window)), m_hint(new NavHintPanel(parts.window))
{
    m_panel->hide();
    m_hint->hide();
    // A stored size outside the limits (edited by hand, an old file) is
    // brought inside them.
    const QSize hintSize = NavGridPlacement::clampHintSize({settings.navGridHintWidth, settings.navGridHintHeight});
    settings.navGridHintWidth = hintSize.width();
    settings.navGridHintHeight = hintSize.height();
    m_hint->resize(hintSize);
    m_parts.skNavGrid->setLatching(true);

    m_panel->dgNavGrid->setSquareReader([this](int cell) {
        NavGridMap::Square square;
        const BrowserPane *pane = m_flags.browserCount > 0 ? paneInSquare(m_grid, cell) : nullptr;
        if (pane) {
            square.occupied = true;
            square.active = pane == m_grid.activePane();
            square.highlighted = pane->hasHighlights();
            square.sounding = pane->audible();
            square.muted = pane->audioMuted();
            square.notResponding = !pane->responding();
            square.downloadPercent = pane->downloadProgress();
        }
        return square;
    });
    for (QWidget *edge : m_panel->edges())
        overlays.addTitleStrip(edge);
    connect(&overlays, &OverlayPanels::panelMoved, this, [this] {
        if (!m_hint->resizeMode())
            hideHint();
    });

    m_panel->dgNavGrid->installEventFilter(this);
    m_panel->pnNavDelete->installEventFilter(this);
    m_panel->imNavDeleteGray->installEventFilter(this);
    for (SkinButton *snap : m_panel->snapButtons)
        snap->installEventFilter(this);
    for (QWidget *part : {m_hint->pnHintBack, static_cast<QWidget *>(m_hint->mmNavURL),
                          m_hint->mmNavURL->viewport(), static_cast<QWidget *>(m_hint->spNavHint),
                          static_cast<QWidget *>(m_hint->imNavHint), static_cast<QWidget *>(m_hint->laNavServer)})
        part->installEventFilter(this);

    connect(&grid, &BrowserGrid::browserActivated, this, &NavGrid::updateMap);
    connect(&grid, &BrowserGrid::panesChanged, this, &NavGrid::updateMap);
    connect(&grid, &BrowserGrid::activeBrowserDeleted, this, &NavGrid::updateMap);
    connect(&grid, &BrowserGrid::paneSoundChanged, m_panel->dgNavGrid, qOverload<>(&QWidget::update));
    connect(&grid, &BrowserGrid::paneRespondingChanged, m_panel->dgNavGrid, qOverload<>(&QWidget::update));
    // A pane's downloads: the map hears of them from each pane itself.
    followPanes();
    connect(&grid, &BrowserGrid::panesChanged, this, &NavGrid::followPanes);
    connect(m_hint, &NavHintPanel::sizeDragged, this, [this](QSize size) {
        m_settings.navGridHintWidth = size.width();
        m_settings.navGridHintHeight = size.height();
        m_parts.window->update();
    });
    connect(m_hint, &NavHintPanel::sizeSettled, this, [this](QSize size) {
        m_settings.navGridHintWidth = size.width();
        m_settings.navGridHintHeight = size.height();
        m_hint->move(m_parts.window->width() / 2 - size.width() / 2, m_parts.window->height() / 2 - size.height() / 2);
    });
    buildCommands(commands);
    applySkin(skin);
}

NavGrid::~NavGrid() = default;

void NavGrid::buildCommands(CommandRegistry &commands)
{
    connect(m_parts.skNavGrid->registerCommand(commands), &QAction::triggered, this, &NavGrid::toggle);
    for (int i = 0; i < 6; ++i)
        connect(m_panel->snapButtons[i]->registerCommand(commands), &QAction::triggered, this, [this, i] {
            if (!placePanel(i + 1))
                m_prompter.showInformation(QStringLiteral("Could not reposition the nav grid panel."));
        });
    connect(m_panel->skNavHintAddress->registerCommand(commands), &QAction::triggered, this,
            [this] { setAddressMode(!m_hint->addressMode()); });
    connect(m_panel->skNavHintLock->registerCommand(commands), &QAction::triggered, this,
            [this] { setHintLock(m_settings.navGridHintLock != 1); });
    connect(m_panel->skNavHintResize->registerCommand(commands), &QAction::triggered, this,
            [this] { setResizeMode(!m_hint->resizeMode()); });
}

void NavGrid::applySkin(const SkinImages &skin)
{
    m_panel->applySkin(skin, m_settings);
    m_hint->imResizeHint->setPixmap(QPixmap::fromImage(skin.picture(SkinPicture::Resize)));
    const auto colour = [](QWidget *w, QPalette::ColorRole role, int value) {
        QPalette p = w->palette();
        p.setColor(role, settingsColor(value));
        w->setPalette(p);
        w->setAutoFillBackground(role == QPalette::Window);
    };
    colour(m_hint, QPalette::Window, m_settings.mainColor);
    colour(m_hint->pnServerBack, QPalette::Window, m_settings.statusBarColor);
    colour(m_hint->laNavServer, QPalette::WindowText, m_settings.statusBarFontColor);
    colour(m_hint->laResizeHint, QPalette::WindowText, m_settings.statusBarFontColor);
}

void NavGrid::updateMap()
{
    if (m_panel->isVisible())
        m_panel->dgNavGrid->update();
}

void NavGrid::followPanes()
{
    for (int n = 0; n < GridModel::BrowserLimit; ++n)
        if (BrowserPane *pane = m_grid.pane(n))
            connect(pane, &BrowserPane::downloadProgressChanged, m_panel->dgNavGrid, qOverload<>(&QWidget::update),
                    Qt::UniqueConnection);
}

void NavGrid::hideHint()
{
    m_hint->hide();
}

int NavGrid::gridTop() const
{
    return m_parts.pnMaster->y() + m_parts.pnTop->height()
           + (m_settings.buttonBarPosition != 0 ? m_parts.pnControls->height() : 0) + m_parts.pnGridTop->height();
}

bool NavGrid::placePanel(int position)
{
    try {
        setResizeMode(false);
        hideHint();
        m_settings.navGridLastPosition = position;
        if (NavGridPlacement::windowTooSmall(m_parts.window->size())) {
            m_shown = false;
            m_parts.skNavGrid->setDown(false);
            m_panel->hide();
        }
        NavGridPlacement::GridArea area;
        area.top = gridTop();
        area.scrollBox = m_parts.sbMainGrid->size();
        area.windowWidth = m_parts.window->width();
        area.rightEdgeWidth = m_parts.pnGridRight->width();
        QPoint at;
        if (NavGridPlacement::panelPosition(position, area, &at))
            m_panel->move(at);
        return true;
    } catch (...) {
        return false;
    }
}

void NavGrid::toggle()
{
    m_panel->skNavHintLock->setDown(m_settings.navGridHintLock == 1);
    if (!m_shown) {
        if (!NavGridPlacement::panelFits(m_parts.window->size())) {
            m_parts.skNavGrid->setDown(false);
            m_prompter.showInformation(QStringLiteral("Resize, window is to small to show the nav grid panel."));
            return;
        }
        hideHint();
        m_shown = true;
        m_parts.skNavGrid->setDown(true);
        m_panel->raise();
        if (!placePanel(m_settings.navGridLastPosition))
            m_prompter.showInformation(QStringLiteral("Could not reposition the nav grid panel."));
        m_panel->show();
        m_panel->raise();
        return;
    }
    setResizeMode(false);
    hideHint();
    m_panel->hide();
    m_shown = false;
    m_parts.skNavGrid->setDown(false);
}

void NavGrid::windowResized()
{
    if (m_panel->isVisible() && !placePanel(m_settings.navGridLastPosition))
        m_settings.navGridLastPosition = 2;
}

void NavGrid::hideForWindowChange()
{
    m_panel->hide();
}

void NavGrid::showAfterWindowChange()
{
    if (!m_shown)
        return;
    if (!placePanel(m_settings.navGridLastPosition))
        m_settings.navGridLastPosition = 2;
    if (m_shown)
        m_panel->show();
}

void NavGrid::setAddressMode(bool addressMode)
{
    m_hint->setAddressMode(addressMode);
    m_panel->skNavHintAddress->setDown(addressMode);
    QCoreApplication::processEvents();
}

void NavGrid::setHintLock(bool locked)
{
    m_settings.navGridHintLock = locked ? 1 : 0;
    m_panel->skNavHintLock->setDown(locked);
}

void NavGrid::setResizeMode(bool resizeMode)
{
    if (resizeMode == m_hint->resizeMode()) {
        m_panel->skNavHintResize->setDown(resizeMode);
        return;
    }
    m_hint->setResizeMode(resizeMode);
    m_panel->skNavHintResize->setDown(resizeMode);
    if (resizeMode) {
        const QWidget *window = m_parts.window;
        m_hint->move(window->width() / 2 - m_hint->width() / 2, window->height() / 2 - m_hint->height() / 2);
        m_hint->show();
        m_hint->raise();
    } else {
        m_hint->hide();
    }
}

void NavGrid::pressSquare(int cell)
{
    if (m_flags.browserCount < 1)
        return;
    BackgroundSuspension suspended(m_flags);
    setResizeMode(false);
    m_flags.dragSource = NoIndex;
    BrowserPane *pane = paneInSquare(m_grid, cell);
    if (!pane)
        return;
    m_flags.dragSource = pane->browserNo;
    if (!pane->selectBrowser(true))
        m_prompter.showInformation(QStringLiteral("Could not select this browser."));
}

void NavGrid::startDrag()
{
    BrowserPane *pane = m_grid.pane(m_flags.dragSource);
    if (!pane)
        return;
    m_dragging = true;
    {
        // Held for the whole drag and lowered however it ends: dropped,
        // cancelled or let go anywhere else.
        BackgroundSuspension suspended(m_flags);
        auto *drag = new QDrag(m_panel->dgNavGrid);
        auto *data = new QMimeData;
        data->setData(DragFormat, QByteArray::number(pane->browserNo));
        drag->setMimeData(data);
        drag->setPixmap(m_panel->dgNavGrid->grab(QRect(NavGridPlacement::squareOrigin(pane->cellIndex % 8,
                                                                                      pane->cellIndex / 8),
                                                       QSize(16, 16))));
        drag->exec(Qt::MoveAction);
    }
    m_dragging = false;
    m_pressed = false;
    m_flags.dragSource = NoIndex;
    showDeleteColour(false);
}

bool NavGrid::isMapDrag(const QDropEvent *event) const
{
    return event->source() == m_panel->dgNavGrid && event->mimeData()
           && event->mimeData()->hasFormat(DragFormat);
}

void NavGrid::dropOnSquare(int cell)
{
    if (m_flags.browserCount < 1 || m_flags.dragSource == NoIndex)
        return;
    BusyCursor busy;
    BackgroundSuspension suspended(m_flags);
    try {
        const bool free = GridModel::validCell(cell) && m_grid.model().cell(cell).vacant;
        if (!free) {
            m_prompter.showInformation(QStringLiteral("Can not drop the active browser here."));
            return;
        }
        m_grid.scrollBox()->horizontalScrollBar()->setValue(0);
        m_grid.scrollBox()->verticalScrollBar()->setValue(0);
        const int dragged = m_flags.dragSource;
        m_grid.movePaneToCell(dragged, cell);
        BrowserPane *pane = m_grid.pane(dragged);
        if (!pane || !pane->selectBrowser(true))
            m_prompter.showInformation(QStringLiteral("Could not activate the selected browser."));
        m_flags.dragSource = NoIndex;
        updateMap();
    } catch (...) {
    }
}

void NavGrid::dropOnDelete()
{
    showDeleteColour(false);
    if (m_flags.browserCount < 1 || m_flags.activeBrowser == NoIndex) {
        m_prompter.showInformation(QStringLiteral("Drag and drop a browser here to delete it."));
        return;
    }
    // Only the pane that is being dragged: it became active at the press,
    // but something may have made another pane active since.
    if (m_flags.activeBrowser != m_flags.dragSource)
        return;
    m_flags.dragSource = NoIndex;
    if (!m_grid.deleteActiveBrowser())
        m_prompter.showInformation(QStringLiteral("Could not delete the active browser."));
    updateMap();
}

void NavGrid::showDeleteColour(bool colour)
{
    m_panel->imNavDeleteColor->setVisible(colour);
    m_panel->imNavDeleteGray->setVisible(!colour);
}

void NavGrid::hoverSquare(int cell, Qt::KeyboardModifiers keys)
{
    const bool wanted = (keys & Qt::ControlModifier) || m_settings.navGridHintLock == 1;
    if (m_flags.browserCount < 1 || m_dragging || m_hint->resizeMode() || !wanted) {
        if (!m_hint->resizeMode()) {
            hideHint();
            m_flags.pointedCell = NoIndex;
        }
        return;
    }
    BusyCursor busy;
    showDeleteColour(false);
    BrowserPane *pane = paneInSquare(m_grid, cell);
    m_hint->move(NavGridPlacement::hintPosition(m_panel->geometry(), m_hint->size(), m_parts.pnMainGrid->size()));
    if (!pane) {
        hideHint();
        m_flags.pointedCell = NoIndex;
        return;
    }
    const QString address = pane->control()->locationUrl();
    QString caption = QStringLiteral("%1: %2").arg(cell).arg(AddressLabels::serverWithPort(address));
    if (!pane->responding())
        caption += QStringLiteral(" - not responding");
    if (pane->audible())
        caption += pane->audioMuted() ? QStringLiteral(" - playing sound, muted") : QStringLiteral(" - playing sound");
    if (pane->downloadProgress() >= 0)
        caption += QStringLiteral(" - downloading %1%").arg(pane->downloadProgress());
    if (!m_hint->addressMode()) {
        // The picture only when the pointer reached another pane: drawing
        // it asks the page to paint.
        if (cell != m_flags.pointedCell) {
            m_flags.pointedCell = cell;
            m_hint->clearPicture();
            m_hint->setCaption(caption);
            QImage picture;
            switch (pane->pages().drawPreview(picture, m_hint->pictureArea())) {
            case PageOperations::Preview::Page:
                m_hint->setPicture(picture, true);
                break;
            case PageOperations::Preview::Busy:
                m_hint->setPicture(picture, false);
                break;
            case PageOperations::Preview::Unchanged:
                break;
            }
        }
    } else {
        m_hint->setCaption(caption);
        m_hint->setAddress(address);
    }
    m_hint->show();
    m_hint->raise();
}

bool NavGrid::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *map = m_panel->dgNavGrid;
    if (watched == map) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() != Qt::LeftButton)
                return false;
            m_pressed = true;
            m_pressAt = mouse->position().toPoint();
            pressSquare(NavGridPlacement::squareAt(m_pressAt));
            return true;
        }
        case QEvent::MouseMove: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const QPoint at = mouse->position().toPoint();
            if (m_pressed && (mouse->buttons() & Qt::LeftButton)) {
                if (m_flags.dragSource != NoIndex && !m_dragging
                    && (at - m_pressAt).manhattanLength() >= QApplication::startDragDistance())
                    startDrag();
                return true;
            }
            hoverSquare(NavGridPlacement::squareAt(at), mouse->modifiers());
            return true;
        }
        case QEvent::MouseButtonRelease:
            m_pressed = false;
            return true;
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (m_flags.browserCount < 1 || m_flags.dragSource == NoIndex || !isMapDrag(drag)) {
                drag->ignore();
                return true;
            }
            if (!m_hint->resizeMode())
                hideHint();
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            if (!isMapDrag(drop)) {
                drop->ignore();
                return true;
            }
            dropOnSquare(NavGridPlacement::squareAt(drop->position().toPoint()));
            drop->acceptProposedAction();
            return true;
        }
        default:
            return false;
        }
    }
    if (watched == m_panel->pnNavDelete) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (m_flags.browserCount > 0 && m_flags.activeBrowser != NoIndex && isMapDrag(drag)) {
                showDeleteColour(true);
                drag->acceptProposedAction();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::DragLeave:
            showDeleteColour(false);
            return true;
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            if (isMapDrag(drop)) {
                dropOnDelete();
                drop->acceptProposedAction();
            } else {
                drop->ignore();
            }
            showDeleteColour(false);
            return true;
        }
        default:
            return false;
        }
    }
    if (watched == m_panel->imNavDeleteGray && event->type() == QEvent::MouseButtonRelease) {
        showDeleteColour(false);
        return false;
    }
    // The snap buttons and the hint's own parts: the hint gets out of the way.
    if (event->type() == QEvent::MouseMove && !m_hint->resizeMode())
        hideHint();
    return false;
}
