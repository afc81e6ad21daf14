#include "addresses/addressicons.h"

#include "addresses/addresstree.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace {

QPainterPath star(QPointF centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double r = i % 2 ? inner : outer;
        const QPointF p(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        i ? path.lineTo(p) : path.moveTo(p);
    }
    path.closeSubpath();
    return path;
}

void paintKind(QPainter &p, int kind, bool selected)
{
    const QColor outline(60, 60, 60);
    p.setPen(QPen(outline, 1));
    switch (kind) {
    case 0: // Favorites: a star
        p.setBrush(selected ? QColor(255, 214, 0) : QColor(238, 190, 40));
        p.drawPath(star({8, 8.5}, 7, 3));
        break;
    case 1: // History: a clock
        p.setBrush(selected ? QColor(190, 225, 255) : Qt::white);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.drawLine(QPointF(8, 8), QPointF(8, 4));
        p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
        break;
    case 2: // a group: a folder, open while selected
        p.setBrush(QColor(232, 190, 80));
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
        p.drawRect(QRectF(1.5, 2.5, 5, 2));
        if (selected) {
            p.setBrush(QColor(250, 220, 120));
            QPolygonF flap;
            flap << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(13.5, 13.5) << QPointF(1.5, 13.5);
            p.drawPolygon(flap);
        }
        break;
    case 3: // a web address: a globe
        p.setBrush(selected ? QColor(120, 200, 255) : QColor(70, 150, 220));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        break;
    case 4: // Current Grid: panes in a grid
        p.setBrush(selected ? QColor(200, 235, 200) : QColor(150, 200, 150));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(QRectF(1.5 + c * 4.5, 1.5 + r * 4.5, 3.5, 3.5));
        break;
    case 5: // System Favorites: a star on a page
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.setBrush(selected ? QColor(255, 214, 0) : QColor(238, 190, 40));
        p.drawPath(star({8, 8.5}, 5, 2.2));
        break;
    default: // Local Files: a drive
        p.setBrush(selected ? QColor(220, 220, 220) : QColor(180, 180, 180));
        p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.5, 1.5);
        p.setBrush(selected ? QColor(60, 220, 60) : QColor(40, 150, 40));
        p.drawRect(QRectF(11, 8, 2, 1.5));
        break;
    }
}

} // namespace

AddressIcons::AddressIcons()
{
    for (int i = 0; i < AddressIcon::Count; ++i) {
        QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        paintKind(p, i / 2, i % 2 == 1);
        p.end();
        m_images << image;
    }
}

QImage AddressIcons::image(int index) const
{
    return index >= 0 && index < m_images.size() ? m_images.at(index) : QImage();
}

QIcon AddressIcons::icon(int index, int selectedIndex) const
{
    if (index < 0 || index >= m_images.size())
        return {};
    QIcon icon(QPixmap::fromImage(m_images.at(index)));
    if (selectedIndex >= 0 && selectedIndex < m_images.size())
        icon.addPixmap(QPixmap::fromImage(m_images.at(selectedIndex)), QIcon::Selected);
    return icon;
}
