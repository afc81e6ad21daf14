#include "audio/playorder.h"

#include <QtGlobal>

namespace PlayOrder {

QList<int> candidates(int current, int count, Direction direction, Reach reach)
{
    QList<int> result;
    if (count <= 0)
        return result;
    const bool forward = direction == Direction::Forward;
    const bool none = current < 0 || current >= count;
    // Without a current entry the others are all of them.
    const int limit = none || reach == Reach::All ? count : qMax(1, count - 1);
    int index = none ? (forward ? -1 : count) : current;
    for (int n = 0; n < limit; ++n) {
        index += forward ? 1 : -1;
        if (index >= count)
            index = 0;
        else if (index < 0)
            index = count - 1;
        result << index;
    }
    return result;
}

} // namespace PlayOrder
