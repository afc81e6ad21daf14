#include "appearance/widgets/shadowlabel.h"

#include "core/shell.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>

ShadowLabel::ShadowLabel(QWidget *parent)
    : ShadowLabel(QString(), parent)
{
}

ShadowLabel::ShadowLabel(const QString &text, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    adjustBounds();
}

void ShadowLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    updateShortcut();
    textChanged();
}

void ShadowLabel::setLabelStyle(LabelStyle style)
{
    m_labelStyle = style;
    textChanged();
}

void ShadowLabel::setShadowDirection(ShadowDirection direction)
{
    m_shadowDirection = direction;
    textChanged();
}

void ShadowLabel::setShadowOffset(int offset)
{
    m_shadowOffset = offset;
    textChanged();
}

QColor ShadowLabel::shadowColor() const
{
    return m_shadowColor.isValid() ? m_shadowColor : palette().color(QPalette::Dark);
}

void ShadowLabel::setShadowColor(const QColor &color)
{
    m_shadowColor = color;
    update();
}

void ShadowLabel::setCommand(const QString &command)
{
    m_command = command;
}

void ShadowLabel::setShowCommand(ShowCommand showCommand)
{
    m_showCommand = showCommand;
}

void ShadowLabel::setClickAction(ClickAction action)
{
    m_clickAction = action;
}

void ShadowLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    if (!m_alignment)
        m_alignment = Qt::AlignLeft;
    textChanged();
}

void ShadowLabel::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    textChanged();
}

void ShadowLabel::setTextLayout(TextLayout layout)
{
    m_textLayout = layout;
    update();
}

void ShadowLabel::setWordWrap(bool wordWrap)
{
    m_wordWrap = wordWrap;
    textChanged();
}

void ShadowLabel::setShowAccelChar(bool show)
{
    m_showAccelChar = show;
    updateShortcut();
    textChanged();
}

void ShadowLabel::setTransparent(bool transparent)
{
    m_transparent = transparent;
    update();
}

void ShadowLabel::setFocusControl(QWidget *widget)
{
    m_focusControl = widget;
    updateShortcut();
}

QColor ShadowLabel::fontColor() const
{
    return m_fontColor.isValid() ? m_fontColor : palette().color(foregroundRole());
}

void ShadowLabel::setFontColor(const QColor &color)
{
    m_fontColor = color;
    update();
}

QPoint ShadowLabel::shadowDisplacement(ShadowDirection direction, int offset)
{
    switch (direction) {
    case sdUpLeft:
        return {-offset, -offset};
    case sdDownLeft:
        return {-offset, offset};
    case sdUpRight:
        return {offset, -offset};
    case sdDownRight:
        break;
    }
    return {offset, offset};
}

QPoint ShadowLabel::effectiveDisplacement() const
{
    return m_labelStyle == lsShadow ? shadowDisplacement(m_shadowDirection, m_shadowOffset)
                                    : QPoint();
}

int ShadowLabel::textFlags() const
{
    int flags = Qt::TextExpandTabs | Qt::TextIncludeTrailingSpaces;
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QSize ShadowLabel::textExtent(int width) const
{
    const QPoint shift = effectiveDisplacement();
    const int shadowWidth = qAbs(shift.x());
    const int shadowHeight = qAbs(shift.y());

    // An empty caption still takes the height of a line.
    QString measured = m_text;
    if (measured.isEmpty() || (m_showAccelChar && measured == QLatin1String("&")))
        measured = QStringLiteral(" ");

    const QFontMetrics metrics(font());
    const int wrapWidth = m_wordWrap ? qMax(1, (width < 0 ? this->width() : width) - shadowWidth) : 0;
    const QRect bounds = metrics.boundingRect(QRect(0, 0, wrapWidth, 0),
                                              textFlags() | Qt::AlignLeft | Qt::AlignTop, measured);
    return {bounds.width() + shadowWidth, bounds.height() + shadowHeight};
}

void ShadowLabel::textChanged()
{
    adjustBounds();
    updateGeometry();
    update();
}

void ShadowLabel::adjustBounds()
{
    if (!m_autoSize)
        return;
    const QSize wanted = textExtent();
    if (wanted == size())
        return;
    // Right-aligned text keeps its right edge where it was.
    if ((m_alignment & Qt::AlignRight) && !isWindow())
        move(x() + width() - wanted.width(), y());
    resize(wanted);
}

QSize ShadowLabel::sizeHint() const
{
    return textExtent();
}

QSize ShadowLabel::minimumSizeHint() const
{
    return m_wordWrap ? QSize(0, 0) : textExtent();
}

bool ShadowLabel::hasHeightForWidth() const
{
    return m_wordWrap;
}

int ShadowLabel::heightForWidth(int width) const
{
    return textExtent(width).height();
}

void ShadowLabel::updateShortcut()
{
    if (m_shortcutId) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    if (!m_showAccelChar || !m_focusControl)
        return;
    const QKeySequence mnemonic = QKeySequence::mnemonic(m_text);
    if (!mnemonic.isEmpty())
        m_shortcutId = grabShortcut(mnemonic);
}

bool ShadowLabel::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && m_focusControl) {
        m_focusControl->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QWidget::event(event);
}

void ShadowLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        textChanged();
    else if (event->type() == QEvent::PaletteChange || event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

void ShadowLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), palette().color(backgroundRole()));

    const QPoint shift = effectiveDisplacement();
    const QSize extent = textExtent();
    int top = 0;
    if (m_textLayout == tlCenter)
        top = (height() - extent.height()) / 2;
    else if (m_textLayout == tlBottom)
        top = height() - extent.height();

    // The text sits on the side away from its shadow, so text and shadow
    // together fit the label whatever the direction.
    const QRect textRect(qMax(0, -shift.x()), top + qMax(0, -shift.y()),
                         qMax(0, width() - qAbs(shift.x())),
                         extent.height() - qAbs(shift.y()));
    const int flags = textFlags() | int(m_alignment) | Qt::AlignTop | Qt::TextDontClip;

    painter.setFont(font());
    if (!isEnabled()) {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(textRect.translated(1, 1), flags, m_text);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(textRect, flags, m_text);
        return;
    }
    if (m_labelStyle == lsShadow) {
        painter.setPen(shadowColor());
        painter.drawText(textRect.translated(shift), flags, m_text);
    }
    painter.setPen(fontColor());
    painter.drawText(textRect, flags, m_text);
}

void ShadowLabel::launchCommand()
{
    // The window state cannot be handed to the default handler; it only
    // travels with the label's settings.
    if (m_shell && !m_command.isEmpty())
        m_shell->openWithDefaultHandler(m_command);
}

void ShadowLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressedInside = true;
}

void ShadowLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool isClick = m_pressedInside && rect().contains(event->position().toPoint());
    m_pressedInside = false;
    if (!isClick)
        return;
    if (m_clickAction == acClick)
        launchCommand();
    emit clicked();
}

void ShadowLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The release that ends a double click is not another click.
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_pressedInside = false;
    if (m_clickAction == acDblClick)
        launchCommand();
    emit doubleClicked();
}
