#include "appearance/widgets/treeviewscroll.h"

#include <QFontInfo>
#include <QMouseEvent>
#include <QScrollBar>

TreeViewScroll::TreeViewScroll(QWidget *parent)
    : QTreeWidget(parent)
{
    // Edge scrolling reacts to plain moves, not only to drags.
    viewport()->setMouseTracking(true);
    setAutoScroll(true);
}

int TreeViewScroll::edgeMargin() const
{
    return QFontInfo(font()).pointSize();
}

bool TreeViewScroll::scrollForPointer(const QPoint &pos)
{
    // The viewport leaves the scroll bars out, so a shown bar takes nothing
    // from the margins.
    const int margin = edgeMargin();
    const QSize client = viewport()->size();
    bool scrolled = false;
    if (pos.y() < margin) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        scrolled = true;
    } else if (client.height() - pos.y() < margin) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        scrolled = true;
    }
    if (pos.x() < margin) {
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
        scrolled = true;
    } else if (client.width() - pos.x() < margin) {
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        scrolled = true;
    }
    return scrolled;
}

void TreeViewScroll::mouseMoveEvent(QMouseEvent *event)
{
    QTreeWidget::mouseMoveEvent(event);
    if (hasAutoScroll())
        scrollForPointer(event->position().toPoint());
}
