#include "core/eventwait.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace EventWait {

void forMilliseconds(int milliseconds)
{
    until([] { return false; }, milliseconds);
}

bool until(const std::function<bool()> &condition, int timeoutMilliseconds)
{
    if (condition())
        return true;
    if (timeoutMilliseconds <= 0)
        return false;
    // A real event loop, not processEvents with naps in between: the browser
    // engine runs its own tasks on this thread, and every nap would hold
    // them up.
    const QDeadlineTimer deadline(timeoutMilliseconds);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(2);
    bool met = false;
    // A condition may wait in an event loop of its own (a signal spy, a
    // grid operation); the poll must not ask it again from inside that
    // loop, or the inner wait is entered twice and never comes back.
    bool asking = false;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (asking)
            return;
        if (deadline.hasExpired()) {
            loop.quit();
            return;
        }
        asking = true;
        met = condition();
        asking = false;
        if (met)
            loop.quit();
    });
    QTimer::singleShot(timeoutMilliseconds, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    poll.stop();
    // A condition once met is not asked again: asking has its own effects
    // (a click, a wait). At the deadline it gets a last look.
    return met || condition();
}

} // namespace EventWait
