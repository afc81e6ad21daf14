#include "navgrid/navgridmap.h"

#include "navgrid/navgridplacement.h"

#include <QPainter>

NavGridMap::NavGridMap(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("dgNavGrid"));
    setFixedSize(NavGridPlacement::MapSize, NavGridPlacement::MapSize);
    setAcceptDrops(true);
    setMouseTracking(true);
}

void NavGridMap::setPictures(const QImage &occupied, const QImage &selected, const QImage &search)
{
    m_occupied = occupied;
    m_selectedPicture = selected;
    m_search = search;
    update();
}

int NavGridMap::selectedSquare() const
{
    for (int cell = 0; m_squares && cell < 64; ++cell) {
        const Square square = m_squares(cell);
        if (square.occupied && square.active)
            return cell;
    }
    return -1;
}

QSize NavGridMap::sizeHint() const
{
    return {NavGridPlacement::MapSize, NavGridPlacement::MapSize};
}

void NavGridMap::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    // The lines after each square.
    p.setPen(palette().color(QPalette::Mid));
    for (int i = 1; i <= 8; ++i) {
        const int at = i * NavGridPlacement::SquarePitch - 1;
        p.drawLine(at, 0, at, height() - 1);
        p.drawLine(0, at, width() - 1, at);
    }
    if (!m_squares)
        return;
    for (int cell = 0; cell < 64; ++cell) {
        const Square square = m_squares(cell);
        if (!square.occupied)
            continue;
        const QPoint at = NavGridPlacement::squareOrigin(cell % 8, cell / 8);
        p.drawImage(at, m_occupied);
        if (square.active)
            p.drawImage(at, m_selectedPicture);
        if (square.highlighted)
            p.drawImage(at, m_search);
        if (square.sounding)
            paintSpeaker(p, at, square.muted);
        if (square.notResponding)
            paintNotResponding(p, at);
        if (square.downloadPercent >= 0)
            paintDownload(p, at, square.downloadPercent);
    }
}

const QColor NavGridMap::DownloadTrack(20, 20, 20);
const QColor NavGridMap::DownloadDone(40, 200, 60);

void NavGridMap::paintDownload(QPainter &painter, QPoint squareOrigin, int percent)
{
    const int side = NavGridPlacement::SquarePitch - 1;
    const int height = 3;
    const QRect track(squareOrigin + QPoint(0, side - height), QSize(side, height));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(track, DownloadTrack);
    const int done = side * qBound(0, percent, 100) / 100;
    if (done > 0)
        painter.fillRect(QRect(track.topLeft(), QSize(done, height)), DownloadDone);
    painter.restore();
}

void NavGridMap::paintNotResponding(QPainter &painter, QPoint squareOrigin)
{
    const int side = NavGridPlacement::SquarePitch - 1;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor red(220, 30, 30);
    painter.fillRect(QRect(squareOrigin, QSize(side, 2)), red);
    painter.fillRect(QRect(squareOrigin + QPoint(0, side - 2), QSize(side, 2)), red);
    painter.fillRect(QRect(squareOrigin, QSize(2, side)), red);
    painter.fillRect(QRect(squareOrigin + QPoint(side - 2, 0), QSize(2, side)), red);
    painter.fillRect(QRect(squareOrigin + QPoint(3, side / 2 - 2), QSize(side - 6, 4)), red);
    painter.fillRect(QRect(squareOrigin + QPoint(4, side / 2 - 1), QSize(side - 8, 2)), Qt::white);
    painter.restore();
}

void NavGridMap::paintSpeaker(QPainter &painter, QPoint squareOrigin, bool muted)
{
    // 8 x 8 in the top right corner of the 16-pixel square: a dark plate so
    // the speaker reads on any picture, the speaker in white.
    const QPoint at = squareOrigin + QPoint(NavGridPlacement::SquarePitch - 10, 1);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(at, QSize(8, 8)), QColor(0, 0, 0, 170));
    // Pixel by pixel: at this size a drawn outline blurs into a blot.
    const auto dots = [&](QColor colour, std::initializer_list<QRect> rects) {
        for (const QRect &r : rects)
            painter.fillRect(r.translated(at), colour);
    };
    dots(Qt::white, {{1, 3, 2, 2}, {3, 2, 1, 4}, {4, 1, 1, 6}}); // box and cone
    if (muted)
        dots(QColor(255, 80, 80), {{5, 2, 1, 1}, {7, 2, 1, 1}, {6, 3, 1, 1}, {5, 4, 1, 1}, {7, 4, 1, 1}});
    else
        dots(Qt::white, {{6, 2, 1, 4}}); // the sound
    painter.restore();
}
