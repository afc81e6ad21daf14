#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class CommandRegistry;
class QAction;

// A bitmap button of the skinned bars. Its shape is its idle picture: the
// bottom-left pixel of BitIdle is the transparent colour of the idle, over
// and down pictures, and only the other pixels react to the pointer. A glyph
// (with its own bottom-left pixel as transparent colour) is drawn centred
// over whichever state picture shows.
//
// It takes no keyboard focus by default, like the buttons of a tool bar; an
// owner that gives it a focus policy gets Space/Enter as a click.
class SkinButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool latching READ isLatching WRITE setLatching)
    Q_PROPERTY(bool down READ isDown WRITE setDown)
    Q_PROPERTY(bool hotTrack READ hotTrack WRITE setHotTrack)

public:
    explicit SkinButton(QWidget *parent = nullptr);

    // The pictures are copied and converted to 24-bit colour. Setting the
    // idle picture also resizes the button to it.
    QImage bitIdle() const { return m_bitIdle; }
    void setBitIdle(const QImage &image);
    QImage bitOver() const { return m_bitOver; }
    void setBitOver(const QImage &image);
    QImage bitDown() const { return m_bitDown; }
    void setBitDown(const QImage &image);
    QImage bitGlyph() const { return m_bitGlyph; }
    void setBitGlyph(const QImage &image);

    bool isLatching() const { return m_latching; }
    void setLatching(bool latching);
    // Down is only ever true on a latching button.
    bool isDown() const { return m_down; }
    void setDown(bool down);
    bool hotTrack() const { return m_hotTrack; }
    void setHotTrack(bool hotTrack);

    // Pointer state: the mouse went down over the shape and is still down;
    // the pointer is over the shape; the last pointer position hit the shape.
    bool isPressed() const { return m_pressed; }
    bool isOver() const { return m_over; }
    bool isHit() const { return m_hit; }

    // The command the button stands for: a click triggers it. The button
    // keeps its own pictures and hint.
    QAction *action() const { return m_action; }
    void setAction(QAction *action);
    // Registers the button's command under the button's object name and
    // makes it the button's action; null when the name is already taken.
    QAction *registerCommand(CommandRegistry &registry);

    // True when pos lies on an opaque pixel of the idle picture.
    bool hitTest(const QPoint &pos) const;

    // Where the glyph's top-left corner is drawn in the current state, and
    // the rectangle it is clipped to.
    QPoint glyphPosition() const;
    QRect glyphClip() const;

    QSize sizeHint() const override;

    // The picture a new button starts with: 24 x 24, white, with a grey
    // square from (1, 1) to (23, 23), so its corners are transparent.
    static QImage defaultBitmap();

public slots:
    // A complete click, as from the mouse over the shape.
    void click();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void trackPointer(const QPoint &pos);
    void clearPointerState();
    void applyStateKey();
    void updateMouseArea();

    QPointer<QAction> m_action;
    QMetaObject::Connection m_actionConnection;
    QImage m_bitIdle;
    QImage m_bitOver;
    QImage m_bitDown;
    QImage m_bitGlyph;
    // The same pictures ready to draw: transparent where they had the key.
    QImage m_drawIdle;
    QImage m_drawOver;
    QImage m_drawDown;
    QImage m_drawGlyph;

    bool m_latching = false;
    bool m_down = false;
    bool m_hotTrack = true;
    bool m_pressed = false;
    bool m_over = false;
    bool m_hit = false;
};
