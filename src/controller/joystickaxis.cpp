#include "controller/joystickaxis.h"

#include <algorithm>
#include <cstdlib>

int JoystickAxis::convert(int raw, int maximum, int minimum, int range, int deadZone)
{
    deadZone = std::clamp(deadZone, 0, 100);
    const qint64 half = (qint64(maximum) - minimum) / 2;
    // No travel (or a reversed range) gives nothing to read.
    if (half <= 0)
        return 0;
    // A device that reports past its own stops counts as at the stop.
    const qint64 position = std::clamp<qint64>(raw, minimum, maximum);
    const qint64 d = position - (qint64(minimum) + half);
    const qint64 w = half * deadZone / 100;
    if (half == w || w >= std::llabs(d))
        return 0;
    return int(d <= 0 ? mulDiv(d + w, range, half - w) : mulDiv(d - w, range, half - w));
}

qint64 JoystickAxis::mulDiv(qint64 number, qint64 numerator, qint64 denominator)
{
    if (denominator == 0)
        return -1;
    const qint64 product = number * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const qint64 p = std::llabs(product);
    const qint64 q = std::llabs(denominator);
    const qint64 rounded = (p + q / 2) / q;
    return negative ? -rounded : rounded;
}
