#include "appearance/widgets/bmpscrollbox.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

BmpScrollBox::BmpScrollBox(QWidget *parent)
    : QScrollArea(parent)
{
}

void BmpScrollBox::setBitmapBack(const QImage &image)
{
    m_bitmapBack = image;
    backgroundChanged();
}

void BmpScrollBox::setBitmapTileToSize(bool tileToSize)
{
    m_tileToSize = tileToSize;
    backgroundChanged();
}

void BmpScrollBox::setBitmapTTSWidth(int width)
{
    m_ttsWidth = width;
    backgroundChanged();
}

void BmpScrollBox::setBitmapTTSHeight(int height)
{
    m_ttsHeight = height;
    backgroundChanged();
}

void BmpScrollBox::backgroundChanged()
{
    m_tile = QPixmap();
    viewport()->update();
}

void BmpScrollBox::setWidget(QWidget *widget)
{
    QScrollArea::setWidget(widget);
    if (widget)
        widget->setAutoFillBackground(false);
}

QSize BmpScrollBox::tileSize() const
{
    if (m_bitmapBack.isNull())
        return {};
    const QSize size = m_tileToSize ? QSize(m_ttsWidth, m_ttsHeight) : m_bitmapBack.size();
    return size.isEmpty() ? QSize() : size;
}

QList<QPoint> BmpScrollBox::tileOrigins(const QSize &tile, const QPoint &scroll, const QSize &client)
{
    QList<QPoint> origins;
    if (tile.isEmpty() || client.isEmpty())
        return origins;
    const int offsetX = scroll.x() % tile.width();
    const int offsetY = scroll.y() % tile.height();
    // One row and column more than fit whole, for the parts scrolled in.
    const int rows = client.height() / tile.height() + 1;
    const int columns = client.width() / tile.width() + 1;
    origins.reserve((rows + 1) * (columns + 1));
    for (int row = 0; row <= rows; ++row) {
        for (int column = 0; column <= columns; ++column)
            origins.append({column * tile.width() - offsetX, row * tile.height() - offsetY});
    }
    return origins;
}

void BmpScrollBox::paintEvent(QPaintEvent *event)
{
    const QSize tile = tileSize();
    if (tile.isEmpty()) {
        QScrollArea::paintEvent(event);
        return;
    }
    if (m_tile.isNull()) {
        const QImage source = m_tileToSize ? m_bitmapBack.scaled(tile, Qt::IgnoreAspectRatio,
                                                                 Qt::SmoothTransformation)
                                           : m_bitmapBack;
        m_tile = QPixmap::fromImage(source);
    }
    QPainter painter(viewport());
    painter.setClipRect(viewport()->rect());
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QRect dirty = event->rect();
    for (const QPoint &origin : tileOrigins(tile, scroll, viewport()->size())) {
        const QRect target(origin, tile);
        if (target.intersects(dirty))
            painter.drawPixmap(origin, m_tile);
    }
}

void BmpScrollBox::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    // The background moves with the content, so all of it is drawn anew
    // rather than the old pixels being shifted.
    viewport()->update();
}
