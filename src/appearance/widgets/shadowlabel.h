#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>

class Shell;

// A label that can draw its text over a drop shadow and can open a command
// (an address or a file) with the desktop's default handler when clicked.
//
// With AutoSize on (the default) the label sizes itself to its text,
// shadow included; a right-aligned label keeps its right edge.
class ShadowLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(LabelStyle labelStyle READ labelStyle WRITE setLabelStyle)
    Q_PROPERTY(ShadowDirection shadowDirection READ shadowDirection WRITE setShadowDirection)
    Q_PROPERTY(int shadowOffset READ shadowOffset WRITE setShadowOffset)
    Q_PROPERTY(QColor shadowColor READ shadowColor WRITE setShadowColor)
    Q_PROPERTY(QString command READ command WRITE setCommand)
    Q_PROPERTY(ShowCommand showCommand READ showCommand WRITE setShowCommand)
    Q_PROPERTY(ClickAction clickAction READ clickAction WRITE setClickAction)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(TextLayout textLayout READ textLayout WRITE setTextLayout)
    Q_PROPERTY(bool wordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(bool showAccelChar READ showAccelChar WRITE setShowAccelChar)
    Q_PROPERTY(bool transparent READ isTransparent WRITE setTransparent)
    Q_PROPERTY(QColor fontColor READ fontColor WRITE setFontColor)

public:
    enum LabelStyle { lsNormal, lsShadow };
    Q_ENUM(LabelStyle)
    enum ShadowDirection { sdUpLeft, sdDownLeft, sdUpRight, sdDownRight };
    Q_ENUM(ShadowDirection)
    enum ClickAction { acNone, acDblClick, acClick };
    Q_ENUM(ClickAction)
    // Kept with the label's settings; the desktop's default handlers take
    // no window state, so it does not change how a command opens here.
    enum ShowCommand {
        sHide,
        sMaximize,
        sMinimize,
        sRestore,
        sShow,
        sShowDefault,
        sShowMaximize,
        sShowMinimize,
        sShowMinNoActive,
        sShowNA,
        sShowNoActive,
        sShowNormal
    };
    Q_ENUM(ShowCommand)
    // Vertical placement of the text within the label.
    enum TextLayout { tlTop, tlCenter, tlBottom };
    Q_ENUM(TextLayout)

    explicit ShadowLabel(QWidget *parent = nullptr);
    explicit ShadowLabel(const QString &text, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

    LabelStyle labelStyle() const { return m_labelStyle; }
    void setLabelStyle(LabelStyle style);
    ShadowDirection shadowDirection() const { return m_shadowDirection; }
    void setShadowDirection(ShadowDirection direction);
    int shadowOffset() const { return m_shadowOffset; }
    void setShadowOffset(int offset);
    // Follows the palette's button-shadow colour until set; an invalid
    // colour goes back to following it.
    QColor shadowColor() const;
    void setShadowColor(const QColor &color);

    QString command() const { return m_command; }
    void setCommand(const QString &command);
    ShowCommand showCommand() const { return m_showCommand; }
    void setShowCommand(ShowCommand showCommand);
    ClickAction clickAction() const { return m_clickAction; }
    void setClickAction(ClickAction action);
    // Opens the command; without one, clicks only emit the signals.
    Shell *shell() const { return m_shell; }
    void setShell(Shell *shell) { m_shell = shell; }

    // Horizontal alignment only (left, right or centre).
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);
    TextLayout textLayout() const { return m_textLayout; }
    void setTextLayout(TextLayout layout);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wordWrap);
    // "&" marks the following character as the mnemonic ("&&" is a plain "&").
    bool showAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool show);
    // Transparent labels leave their background unpainted.
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    // The widget that takes the focus when the mnemonic is pressed.
    QWidget *focusControl() const { return m_focusControl; }
    void setFocusControl(QWidget *widget);
    // Follows the palette's window-text colour until set; an invalid colour
    // goes back to following it.
    QColor fontColor() const;
    void setFontColor(const QColor &color);

    // Where the shadow lies relative to the text.
    static QPoint shadowDisplacement(ShadowDirection direction, int offset);

    // The size text and shadow take; with WordWrap, lines break at width.
    QSize textExtent(int width = -1) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

signals:
    void clicked();
    void doubleClicked();

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    int textFlags() const;
    QPoint effectiveDisplacement() const;
    void adjustBounds();
    void updateShortcut();
    void textChanged();
    void launchCommand();

    QString m_text;
    LabelStyle m_labelStyle = lsNormal;
    ShadowDirection m_shadowDirection = sdDownRight;
    int m_shadowOffset = 2;
    QColor m_shadowColor;
    QString m_command;
    ShowCommand m_showCommand = sShowNormal;
    ClickAction m_clickAction = acNone;
    Shell *m_shell = nullptr;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_autoSize = true;
    TextLayout m_textLayout = tlTop;
    bool m_wordWrap = false;
    bool m_showAccelChar = true;
    bool m_transparent = false;
    QPointer<QWidget> m_focusControl;
    QColor m_fontColor;
    int m_shortcutId = 0;
    bool m_pressedInside = false;
};
