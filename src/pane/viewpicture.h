#pragma once

class QWidget;

// The picture a web view keeps of its page for the window. The engine shows
// a page through a Qt Quick widget inside the view; drawn in software, that
// widget holds a full picture of the pane (4 bytes a pixel, 1.3 MB for a
// 720 x 460 pane) for as long as it lives, even while the page is frozen
// out of sight. A pane out of view does not need it: it can go, and be drawn
// again from the engine's last frame when the pane is wanted.
namespace ViewPicture {

// Lets the software-drawn widgets inside view give up their pictures, and
// returns how many did. They stay empty until restore(), unless a resize
// makes them draw again.
int release(QWidget *view);

// Gives the widgets inside view their pictures back and has them drawn.
void restore(QWidget *view);

} // namespace ViewPicture
