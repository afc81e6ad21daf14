#pragma once

#include <QList>

// The order in which next/prior song and next/prior genre try their
// candidates: from the current index one step at a time, wrapping round at
// either end of the list.
namespace PlayOrder {

enum class Direction { Forward, Backward };
enum class Reach {
    // Every other entry, at least one: a step never lands on the entry it
    // started from unless the list holds only that one.
    Others,
    // Every entry, the current one last: the end of a song may come back to
    // the song itself when nothing else in the list plays.
    All,
};

// The indexes to try, in order. With no current entry (an index outside the
// list, as -1 of a fresh list) the first step lands on the first entry
// (forward) or the last (backward), and every entry is tried.
QList<int> candidates(int current, int count, Direction direction, Reach reach = Reach::Others);

} // namespace PlayOrder
