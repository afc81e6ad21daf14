#pragma once

#include "options/systeminfo.h"

#include <QString>

// The resources page's figures: browser slots, memory and the program's
// share, as the labels and gauges show them (megabytes are bytes >> 20).
struct ResourceFigures
{
    int browsersInUse = 0;
    int browsersFree = 0;
    qint64 physicalTotalMb = 0, physicalFreeMb = 0, physicalUsedMb = 0;
    qint64 swapTotalMb = 0, swapFreeMb = 0, swapUsedMb = 0;
    qint64 programMb = 0, allUsedMb = 0, othersMb = 0;
    int browsersGauge = 0; // free slots, percent
    int ramGauge = 0;      // free physical memory, percent
    int swapGauge = 0;     // free swap, percent; 0 on a machine without swap
    int programGauge = 0;  // the program's share of the used memory, percent
    bool browsersLow = false, ramLow = false, swapLow = false; // drawn red

    // program: the program's bytes, or < 0 when they could not be read.
    static ResourceFigures compute(int browsersInUse, const MemoryStatus &memory, qint64 program);
};
