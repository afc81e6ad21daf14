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
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (deadline.hasExpired() || condition())
            loop.quit();
    });
    QTimer::singleShot(timeoutMilliseconds, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    return condition();
}

} // namespace EventWait
