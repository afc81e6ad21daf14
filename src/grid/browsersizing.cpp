#include "grid/browsersizing.h"

namespace BrowserSizing {

QSize automaticSize(QSize window, QSize gridArea)
{
    if (window.width() < 480 || window.height() < 480)
        return {400, 300};
    return {gridArea.width() - 60, gridArea.height() - 60};
}

} // namespace BrowserSizing
