#pragma once

#include <functional>

// Waits that keep the program responsive: the event loop keeps running
// until the deadline passes (or the condition holds), so timers, input and
// the browser engine go on while an operation keeps its sequential shape.
namespace EventWait {

// Processes events for the given number of milliseconds. A negative wait
// returns at once.
void forMilliseconds(int milliseconds);

// Processes events until the condition holds or the timeout passes;
// returns whether the condition held.
bool until(const std::function<bool()> &condition, int timeoutMilliseconds);

} // namespace EventWait
