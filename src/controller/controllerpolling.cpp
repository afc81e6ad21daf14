#include "controller/controllerpolling.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QThread>

ControllerPolling::ControllerPolling(std::function<void()> tick, int intervalMs, QObject *parent)
    : QObject(parent), m_tick(std::move(tick)), m_interval(intervalMs)
{
}

ControllerPolling::~ControllerPolling()
{
    requestStop();
    join();
}

void ControllerPolling::start()
{
    if (m_thread)
        return;
    m_thread.reset(QThread::create([this] { run(); }));
    m_thread->setObjectName(QStringLiteral("TDXInputsPolling"));
    connect(m_thread.get(), &QThread::finished, this, &ControllerPolling::finished, Qt::DirectConnection);
    m_thread->start(QThread::NormalPriority);
}

void ControllerPolling::requestStop()
{
    QMutexLocker lock(&m_mutex);
    m_stop = true;
    m_wake.wakeAll();
}

bool ControllerPolling::stopRequested() const
{
    QMutexLocker lock(&m_mutex);
    return m_stop;
}

void ControllerPolling::join()
{
    if (!m_thread)
        return;
    // The thread may be blocked handing over a tick; delivering it lets the
    // thread go on to see the stop flag.
    while (!m_thread->wait(QDeadlineTimer(5)))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

bool ControllerPolling::isFinished() const
{
    return !m_thread || m_thread->isFinished();
}

void ControllerPolling::run()
{
    QMutexLocker lock(&m_mutex);
    while (!m_stop) {
        // Woken (by a stop) or timed out: either way the flag is looked at
        // first, so a stopping thread ends within one wait.
        if (m_wake.wait(&m_mutex, QDeadlineTimer(m_interval)) || m_stop)
            continue;
        lock.unlock();
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!stopRequested())
                    m_tick();
            },
            Qt::BlockingQueuedConnection);
        lock.relock();
    }
}
