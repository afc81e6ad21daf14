#pragma once

#include <QSize>

// The automatic browser size: a window narrower or lower than 480 pixels
// gets 400 x 300 panes, any other the grid area less 60 pixels each way.
namespace BrowserSizing {

QSize automaticSize(QSize window, QSize gridArea);

} // namespace BrowserSizing
