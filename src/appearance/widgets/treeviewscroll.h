#pragma once

#include <QTreeWidget>

// A tree that scrolls itself when the pointer comes near one of its edges.
//
// The switch is the item view's own autoScroll property (on when created):
// besides the usual scrolling while dragging, it turns on the edge
// scrolling on every pointer move. Trees that scroll on their own while
// dragging turn it off.
class TreeViewScroll : public QTreeWidget
{
    Q_OBJECT

public:
    explicit TreeViewScroll(QWidget *parent = nullptr);

    // How close to an edge the pointer must come: the font size in points,
    // taken as pixels.
    int edgeMargin() const;

    // Scrolls as a pointer at pos (viewport coordinates) asks: one line up
    // or down near the top or bottom, one page left or right near the left
    // or right edge. Returns whether pos was near an edge.
    bool scrollForPointer(const QPoint &pos);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
};
