#include "app/eventwait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

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
    QDeadlineTimer deadline(timeoutMilliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (condition())
            return true;
        // processEvents returns at once when nothing is pending; a short
        // nap keeps the wait from spinning a core.
        QThread::msleep(1);
    }
    return condition();
}

} // namespace EventWait
