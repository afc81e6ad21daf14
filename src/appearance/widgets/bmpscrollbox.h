#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QScrollArea>
#include <QSize>

// A scroll area with a tiled background picture that scrolls with the
// content. The picture is painted on the viewport, so the content widget
// must not fill its own background: setWidget() here turns that off (Qt's
// QScrollArea turns it on), and the content's own children should stay
// unfilled too wherever the picture is meant to show.
class BmpScrollBox : public QScrollArea
{
    Q_OBJECT
    Q_PROPERTY(QImage bitmapBack READ bitmapBack WRITE setBitmapBack)
    Q_PROPERTY(bool bitmapTileToSize READ bitmapTileToSize WRITE setBitmapTileToSize)
    Q_PROPERTY(int bitmapTTSWidth READ bitmapTTSWidth WRITE setBitmapTTSWidth)
    Q_PROPERTY(int bitmapTTSHeight READ bitmapTTSHeight WRITE setBitmapTTSHeight)

public:
    explicit BmpScrollBox(QWidget *parent = nullptr);

    QImage bitmapBack() const { return m_bitmapBack; }
    void setBitmapBack(const QImage &image);
    // Stretch the picture to BitmapTTSWidth x BitmapTTSHeight before tiling.
    bool bitmapTileToSize() const { return m_tileToSize; }
    void setBitmapTileToSize(bool tileToSize);
    int bitmapTTSWidth() const { return m_ttsWidth; }
    void setBitmapTTSWidth(int width);
    int bitmapTTSHeight() const { return m_ttsHeight; }
    void setBitmapTTSHeight(int height);

    // Puts the content in the box with its background left unfilled.
    void setWidget(QWidget *widget);

    // The size one tile is drawn at; empty when there is nothing to draw.
    QSize tileSize() const;

    // Top-left corners of the tiles covering a client area of the given
    // size when the content is scrolled to scroll, row by row.
    static QList<QPoint> tileOrigins(const QSize &tile, const QPoint &scroll, const QSize &client);

protected:
    void paintEvent(QPaintEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void backgroundChanged();

    QImage m_bitmapBack;
    bool m_tileToSize = false;
    int m_ttsWidth = 300;
    int m_ttsHeight = 300;
    // The tile as drawn, made on first paint after a change.
    mutable QPixmap m_tile;
};
