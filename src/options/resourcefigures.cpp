#include "options/resourcefigures.h"

#include <QtGlobal>

#include <cmath>

ResourceFigures ResourceFigures::compute(int browsersInUse, const MemoryStatus &m, qint64 program)
{
    ResourceFigures f;
    f.browsersInUse = browsersInUse;
    f.browsersFree = 64 - browsersInUse;
    f.physicalTotalMb = m.physicalTotal >> 20;
    f.physicalFreeMb = m.physicalFree >> 20;
    f.physicalUsedMb = f.physicalTotalMb - f.physicalFreeMb;
    f.swapTotalMb = m.swapTotal >> 20;
    f.swapFreeMb = m.swapFree >> 20;
    f.swapUsedMb = f.swapTotalMb - f.swapFreeMb;
    // Round half to even, as the gauge figure always was.
    f.browsersGauge = int(std::nearbyint(f.browsersFree / 0.64));
    // Whole percent of free memory; a machine without swap (common here)
    // shows an empty gauge instead of dividing by nothing.
    const auto percent = [](qint64 part, qint64 whole) { return whole >= 100 ? int(part / (whole / 100)) : 0; };
    f.ramGauge = percent(m.physicalFree, m.physicalTotal);
    f.swapGauge = percent(m.swapFree, m.swapTotal);
    f.browsersLow = f.browsersGauge < 7;
    f.ramLow = f.ramGauge < 10;
    f.swapLow = f.swapGauge < 20;
    if (program >= 0) {
        const qint64 used = m.physicalTotal - m.physicalFree;
        f.programMb = program >> 20;
        f.allUsedMb = f.physicalUsedMb;
        f.othersMb = qMax<qint64>(0, (m.physicalTotal - m.physicalFree - program) / 1048576);
        // The helpers' shares are counted to the program: never above all
        // that is used.
        f.programGauge = used >= 100 ? qBound(0, 100 - int((used - program) / (used / 100)), 100) : 0;
    }
    return f;
}
