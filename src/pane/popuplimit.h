#pragma once

#include <QList>
#include <QtGlobal>

// How many new windows a page may open without the user's doing: a page
// that calls window.open in a loop must not fill the screen and the memory.
// A request that follows the user's click or key in the page shortly is the
// user's and always passes; the rest pass while fewer than Allowed have in
// the last Window milliseconds.
class PopUpLimit
{
public:
    static constexpr int Allowed = 3;
    static constexpr qint64 Window = 60 * 1000;
    static constexpr qint64 GestureSpan = 1000;

    // The user pressed a key or a button in the page at nowMs.
    void userActed(qint64 nowMs) { m_lastAct = nowMs; }
    // Whether a request for a new window at nowMs may go on (and counts it).
    bool allow(qint64 nowMs);

private:
    qint64 m_lastAct = -GestureSpan - 1;
    QList<qint64> m_unasked; // when the recent requests without a gesture came
};
