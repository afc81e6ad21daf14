#pragma once

#include <QtGlobal>

// Turns a raw axis position into the program's scale: 0 inside the dead
// zone, then up to +/- range at the stops.
class JoystickAxis
{
public:
    // deadZone is a percentage of half the travel, taken as 0..100. The
    // centre is minimum + half the travel, so any axis range reads alike.
    static int convert(int raw, int maximum, int minimum, int range, int deadZone);

    // number * numerator / denominator in 64 bits, rounded to the nearest
    // integer, halves away from zero.
    static qint64 mulDiv(qint64 number, qint64 numerator, qint64 denominator);
};
