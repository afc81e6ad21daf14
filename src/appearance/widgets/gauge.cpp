#include "appearance/widgets/gauge.h"

#include <QPainter>
#include <QtMath>

#include <limits>

namespace {

QString rangeError(int lowest, int highest)
{
    return QStringLiteral("Value must be between %1 and %2").arg(lowest).arg(highest);
}

} // namespace

bool GaugeRange::setMinValue(int value)
{
    if (value > m_maxValue) {
        m_lastError = rangeError(std::numeric_limits<int>::min(), m_maxValue);
        return false;
    }
    m_minValue = value;
    if (m_progress < value)
        m_progress = value;
    return true;
}

bool GaugeRange::setMaxValue(int value)
{
    if (value < m_minValue) {
        m_lastError = rangeError(m_minValue, std::numeric_limits<int>::max());
        return false;
    }
    m_maxValue = value;
    if (m_progress > value)
        m_progress = value;
    return true;
}

void GaugeRange::setProgress(int value)
{
    m_progress = qBound(m_minValue, value, m_maxValue);
}

int GaugeRange::percentDone(int minValue, int maxValue, int progress)
{
    if (maxValue == minValue)
        return 0;
    // 64 bits: the full int range times 100 does not fit in an int.
    const qint64 done = qint64(progress) - minValue;
    const qint64 span = qint64(maxValue) - minValue;
    return int(done * 100 / span);
}

int GaugeRange::barLength(int extent, int percent)
{
    return int(qMin<qint64>(extent, qint64(extent) * percent / 100));
}

QString GaugeRange::percentText(int percent)
{
    return QStringLiteral("%1%").arg(percent);
}

Gauge::Gauge(QWidget *parent)
    : QWidget(parent)
{
    resize(100, 100);
}

void Gauge::setKind(Kind kind)
{
    m_kind = kind;
    update();
}

void Gauge::setShowText(bool show)
{
    m_showText = show;
    update();
}

void Gauge::setBorderStyle(BorderStyle style)
{
    m_borderStyle = style;
    update();
}

void Gauge::setForeColor(const QColor &color)
{
    m_foreColor = color;
    update();
}

void Gauge::setBackColor(const QColor &color)
{
    m_backColor = color;
    update();
}

bool Gauge::setMinValue(int value)
{
    if (!m_range.setMinValue(value))
        return false;
    update();
    return true;
}

bool Gauge::setMaxValue(int value)
{
    if (!m_range.setMaxValue(value))
        return false;
    update();
    return true;
}

void Gauge::setProgress(int value)
{
    const int before = m_range.progress();
    m_range.setProgress(value);
    if (m_range.progress() != before)
        update();
}

QSize Gauge::sizeHint() const
{
    return {100, 100};
}

QImage Gauge::picture() const
{
    QImage image(size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    // Corners a pie or needle leave free show the gauge's own colour.
    image.fill(palette().color(backgroundRole()));

    QRect area = image.rect();
    const int percent = percentDone();
    {
        QPainter painter(&image);
        if (m_borderStyle == bsSingle) {
            painter.setPen(Qt::black);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(area.adjusted(0, 0, -1, -1));
            area.adjust(1, 1, -1, -1);
        }
        if (area.isEmpty())
            return image;
        painter.setClipRect(area);
        drawKind(painter, area, percent);
    }
    if (m_showText)
        drawPercentText(image, area, percent);
    return image;
}

void Gauge::drawKind(QPainter &painter, const QRect &area, int percent) const
{
    switch (m_kind) {
    case gkText:
        painter.fillRect(area, m_backColor);
        break;
    case gkHorizontalBar: {
        painter.fillRect(area, m_backColor);
        const int length = GaugeRange::barLength(area.width(), percent);
        painter.fillRect(QRect(area.left(), area.top(), length, area.height()), m_foreColor);
        break;
    }
    case gkVerticalBar: {
        painter.fillRect(area, m_backColor);
        const int length = GaugeRange::barLength(area.height(), percent);
        painter.fillRect(QRect(area.left(), area.bottom() + 1 - length, area.width(), length),
                         m_foreColor);
        break;
    }
    case gkPie: {
        const QRect ellipse = area.adjusted(0, 0, -1, -1);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(m_foreColor);
        painter.setBrush(m_backColor);
        painter.drawEllipse(ellipse);
        if (percent > 0) {
            // From twelve o'clock, counter-clockwise: the end angle is
            // (percent / 50 + 0.5) * pi.
            painter.setBrush(m_foreColor);
            painter.drawPie(ellipse, 90 * 16, percent * 360 * 16 / 100);
        }
        break;
    }
    case gkNeedle: {
        // The upper half of an ellipse twice the height of the area.
        const QRectF ellipse(area.left(), area.top(), area.width() - 1, 2.0 * (area.height() - 1));
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(m_foreColor);
        painter.setBrush(m_backColor);
        painter.drawPie(ellipse, 0, 180 * 16);
        const double angle = percent / 100.0 * M_PI;
        const QPointF centre = ellipse.center();
        const QPointF tip(centre.x() - qCos(angle) * ellipse.width() / 2,
                          centre.y() - qSin(angle) * ellipse.height() / 2);
        painter.drawLine(centre, tip);
        break;
    }
    }
}

void Gauge::drawPercentText(QImage &image, const QRect &area, int percent) const
{
    // White text on black, combined by exclusive-or: black leaves the
    // picture as it is, white inverts it. Without antialiasing, so every
    // text pixel is a clean inversion.
    QImage text(image.size(), QImage::Format_RGB32);
    text.fill(Qt::black);
    {
        QPainter painter(&text);
        QFont textFont = font();
        textFont.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(textFont);
        painter.setPen(Qt::white);
        painter.drawText(area, Qt::AlignCenter, GaugeRange::percentText(percent));
    }
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawImage(0, 0, text);
}

void Gauge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture());
}
