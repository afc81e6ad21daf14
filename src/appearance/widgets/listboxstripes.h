#pragma once

#include <QColor>
#include <QListWidget>

// A list with alternating row colours. The current row shows in the
// selection colours, odd rows in ColorOdd and even rows in ColorEven, which
// is also the list's own background below the last row.
class ListBoxStripes : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor colorOdd READ colorOdd WRITE setColorOdd)
    Q_PROPERTY(QColor colorEven READ colorEven WRITE setColorEven)
    Q_PROPERTY(QColor colorSelected READ colorSelected WRITE setColorSelected)
    Q_PROPERTY(QColor fontSelectedColor READ fontSelectedColor WRITE setFontSelectedColor)
    Q_PROPERTY(int itemHeight READ itemHeight WRITE setItemHeight)

public:
    explicit ListBoxStripes(QWidget *parent = nullptr);

    QColor colorOdd() const { return m_colorOdd; }
    void setColorOdd(const QColor &color);
    QColor colorEven() const { return m_colorEven; }
    void setColorEven(const QColor &color);
    // The selection colours follow the palette's highlight colours until
    // set; an invalid colour goes back to following them.
    QColor colorSelected() const;
    void setColorSelected(const QColor &color);
    QColor fontSelectedColor() const;
    void setFontSelectedColor(const QColor &color);

    // Every row has the same height; 0 (the default) means the font's.
    int itemHeight() const;
    void setItemHeight(int height);

    // The colours row is drawn in.
    QColor rowBackground(int row) const;
    QColor rowTextColor(int row) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QColor m_colorOdd{128, 128, 128};
    QColor m_colorEven{255, 255, 255};
    QColor m_colorSelected;
    QColor m_fontSelectedColor;
    int m_itemHeight = 0;
};
