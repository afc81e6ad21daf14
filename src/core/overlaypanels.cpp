#include "core/overlaypanels.h"

#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/windowgeometry.h"

#include <QMouseEvent>
#include <QWidget>

OverlayPanels::OverlayPanels(QWidget *window, RuntimeFlags &flags, Prompter &prompter, QObject *parent)
    : QObject(parent), m_window(window), m_flags(flags), m_prompter(prompter)
{
}

void OverlayPanels::addPanel(QWidget *panel)
{
    m_panels.append(panel);
    panel->hide();
}

void OverlayPanels::addTitleStrip(QWidget *strip)
{
    m_strips.append(strip);
    strip->installEventFilter(this);
    strip->setCursor(Qt::SizeAllCursor);
}

void OverlayPanels::hideAll()
{
    for (const auto &panel : m_panels)
        if (panel)
            panel->hide();
}

bool OverlayPanels::anyVisible() const
{
    for (const auto &panel : m_panels)
        if (panel && panel->isVisible())
            return true;
    return false;
}

bool OverlayPanels::open(QWidget *panel, const QString &tooSmallMessage)
{
    if (panel->isVisible())
        return false;
    if (panel->width() >= m_window->width() || panel->height() >= m_window->height()) {
        m_prompter.showInformation(tooSmallMessage);
        return false;
    }
    hideAll();
    panel->move(WindowGeometry::centred(panel->size(), m_window->size()));
    panel->show();
    panel->raise();
    return true;
}

bool OverlayPanels::eventFilter(QObject *watched, QEvent *event)
{
    auto *strip = qobject_cast<QWidget *>(watched);
    QWidget *panel = strip ? strip->parentWidget() : nullptr;
    if (!panel)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        panel->raise();
        if (mouse->button() == Qt::LeftButton) {
            m_flags.dragStartX = int(mouse->position().x());
            m_flags.dragStartY = int(mouse->position().y());
            m_flags.dragging = true;
            strip->grabMouse();
        } else {
            m_flags.dragging = false;
            strip->releaseMouse();
        }
        return true;
    }
    case QEvent::MouseMove:
        if (m_flags.dragging) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            panel->move(panel->x() + int(mouse->position().x()) - m_flags.dragStartX,
                        panel->y() + int(mouse->position().y()) - m_flags.dragStartY);
            emit panelMoved();
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (m_flags.dragging) {
            panel->move(WindowGeometry::keepPanelInside(panel->geometry(), m_window->size()));
            m_flags.dragging = false;
            strip->releaseMouse();
            emit panelDropped();
            return true;
        }
        return false;
    default:
        return false;
    }
}
