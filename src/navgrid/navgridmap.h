#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class QPainter;

// The map of the grid (dgNavGrid): 8 x 8 squares of 16 pixels with grid
// lines. An occupied square shows the occupied picture, the active
// browser's the selected picture over it, a page with search highlights the
// search mark, a page making sound a small speaker (crossed out when the
// page is muted), a pane downloading a bar of its progress. It only paints;
// the navigation grid handles its mouse and its drops.
class NavGridMap : public QWidget
{
    Q_OBJECT
public:
    // What a square shows.
    struct Square
    {
        bool occupied = false;
        bool active = false;
        bool highlighted = false;
        bool sounding = false;
        bool muted = false;
        bool notResponding = false;
        int downloadPercent = -1; // the pane's downloads, 0 to 100; -1 for none
    };
    using SquareReader = std::function<Square(int cell)>;

    explicit NavGridMap(QWidget *parent = nullptr);

    void setSquareReader(SquareReader reader) { m_squares = std::move(reader); }
    // What the square of a cell shows now.
    Square square(int cell) const { return m_squares ? m_squares(cell) : Square{}; }
    // imNavUnselected, imNavSelected, imNavSearch.
    void setPictures(const QImage &occupied, const QImage &selected, const QImage &search);
    // The speaker of a square that makes sound, in the square's top right.
    static void paintSpeaker(QPainter &painter, QPoint squareOrigin, bool muted);
    // The mark of a pane whose page does not answer: a red frame round the
    // square with a white bar across, as a stop sign.
    static void paintNotResponding(QPainter &painter, QPoint squareOrigin);
    // The progress of a pane's downloads: a bar along the square's bottom
    // edge, dark, filled from the left in green as far as they have come.
    static void paintDownload(QPainter &painter, QPoint squareOrigin, int percent);
    static const QColor DownloadTrack, DownloadDone;
    // The active browser's square, -1 for none.
    int selectedSquare() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SquareReader m_squares;
    QImage m_occupied, m_selectedPicture, m_search;
};
