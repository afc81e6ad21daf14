#include "appearance/widgets/skinbutton.h"

#include "core/commandregistry.h"

#include <QAction>
#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

QImage toRgb24(const QImage &image)
{
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_RGB888);
}

QRgb bottomLeftPixel(const QImage &image)
{
    return image.pixel(0, image.height() - 1);
}

// A drawable copy of a 24-bit picture with every pixel of the key colour
// made fully transparent.
QImage keyed(const QImage &rgb, QRgb key)
{
    if (rgb.isNull())
        return {};
    QImage out = rgb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb keyRgb = key & RGB_MASK;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & RGB_MASK) == keyRgb)
                line[x] = 0;
        }
    }
    return out;
}

} // namespace

SkinButton::SkinButton(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    const QImage initial = defaultBitmap();
    m_bitOver = initial;
    m_bitDown = initial;
    setBitIdle(initial);
}

QImage SkinButton::defaultBitmap()
{
    QImage image(24, 24, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    // (1, 1) to (23, 23) with the far edges excluded, as a filled rectangle.
    painter.fillRect(QRect(QPoint(1, 1), QPoint(22, 22)), QColor(128, 128, 128));
    return image;
}

void SkinButton::setBitIdle(const QImage &image)
{
    m_bitIdle = toRgb24(image);
    applyStateKey();
    if (!m_bitIdle.isNull())
        resize(m_bitIdle.size());
    updateMouseArea();
    updateGeometry();
    update();
}

// Only the opaque pixels of the idle picture take the mouse: a press on a
// transparent one goes to whatever lies beneath (the buttons of the bars
// overlap their neighbours).
void SkinButton::updateMouseArea()
{
    if (m_bitIdle.isNull()) {
        clearMask();
        return;
    }
    // The key pixels become the bitmap's white (colour 0): see-through.
    const QImage keyPixels = m_bitIdle.convertToFormat(QImage::Format_RGB32)
                                 .createMaskFromColor(bottomLeftPixel(m_bitIdle), Qt::MaskInColor);
    setMask(QBitmap::fromImage(keyPixels));
}

void SkinButton::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateMouseArea();
}

void SkinButton::setBitOver(const QImage &image)
{
    m_bitOver = toRgb24(image);
    applyStateKey();
    update();
}

void SkinButton::setBitDown(const QImage &image)
{
    m_bitDown = toRgb24(image);
    applyStateKey();
    update();
}

void SkinButton::setBitGlyph(const QImage &image)
{
    m_bitGlyph = toRgb24(image);
    m_drawGlyph = m_bitGlyph.isNull() ? QImage() : keyed(m_bitGlyph, bottomLeftPixel(m_bitGlyph));
    update();
}

// The idle picture's key goes for all three state pictures, so skins can
// draw over and down pictures without caring about their own corners.
void SkinButton::applyStateKey()
{
    if (m_bitIdle.isNull()) {
        m_drawIdle = m_drawOver = m_drawDown = QImage();
        return;
    }
    const QRgb key = bottomLeftPixel(m_bitIdle);
    m_drawIdle = keyed(m_bitIdle, key);
    m_drawOver = keyed(m_bitOver, key);
    m_drawDown = keyed(m_bitDown, key);
}

void SkinButton::setAction(QAction *action)
{
    disconnect(m_actionConnection);
    m_action = action;
    if (action)
        m_actionConnection = connect(this, &SkinButton::clicked, action, [action] { action->trigger(); });
}

QAction *SkinButton::registerCommand(CommandRegistry &registry)
{
    QAction *command = registry.add(objectName(), toolTip());
    if (command)
        setAction(command);
    return command;
}

void SkinButton::setLatching(bool latching)
{
    m_latching = latching;
    if (!latching)
        m_down = false;
    update();
}

void SkinButton::setDown(bool down)
{
    m_down = m_latching && down;
    update();
}

void SkinButton::setHotTrack(bool hotTrack)
{
    m_hotTrack = hotTrack;
    update();
}

bool SkinButton::hitTest(const QPoint &pos) const
{
    if (m_bitIdle.isNull() || !m_bitIdle.rect().contains(pos))
        return false;
    return m_bitIdle.pixel(pos) != bottomLeftPixel(m_bitIdle);
}

QPoint SkinButton::glyphPosition() const
{
    // C++ division truncates toward zero, also for glyphs wider than the button.
    const int x = (width() - m_bitGlyph.width()) / 2;
    const int y = (height() - m_bitGlyph.height()) / 2;
    return m_pressed ? QPoint(x + 2, y + 1) : QPoint(x + 1, y);
}

QRect SkinButton::glyphClip() const
{
    // From (1, -1) to (width - 2, height - 2), far edges excluded.
    return QRect(QPoint(1, -1), QPoint(width() - 3, height() - 3));
}

QSize SkinButton::sizeHint() const
{
    return m_bitIdle.isNull() ? QSize(24, 24) : m_bitIdle.size();
}

void SkinButton::click()
{
    // A click first releases a latched button, then inverts it: a latching
    // button always ends up down.
    m_down = m_latching;
    update();
    emit clicked();
}

void SkinButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QImage &state = (m_pressed || m_down)       ? m_drawDown
                          : (m_over && m_hotTrack)     ? m_drawOver
                                                       : m_drawIdle;
    if (!state.isNull())
        painter.drawImage(0, 0, state);
    if (!m_drawGlyph.isNull()) {
        painter.setClipRect(glyphClip());
        painter.drawImage(glyphPosition(), m_drawGlyph);
    }
}

void SkinButton::clearPointerState()
{
    m_pressed = false;
    m_over = false;
    m_hit = false;
    update();
}

void SkinButton::trackPointer(const QPoint &pos)
{
    if (!rect().contains(pos)) {
        clearPointerState();
        return;
    }
    m_hit = hitTest(pos);
    if (m_hit != m_over) {
        m_over = m_hit;
        update();
    }
}

void SkinButton::mouseMoveEvent(QMouseEvent *event)
{
    trackPointer(event->position().toPoint());
}

void SkinButton::leaveEvent(QEvent *)
{
    clearPointerState();
}

void SkinButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // A press without a move before it (touch, a window just raised) still
    // counts where it happens.
    trackPointer(event->position().toPoint());
    m_down = false;
    m_pressed = m_over;
    update();
}

void SkinButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint pos = event->position().toPoint();
    trackPointer(pos);
    m_down = m_latching && !m_down;
    m_pressed = false;
    update();
    if (m_hit && rect().contains(pos))
        emit clicked();
}

void SkinButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
