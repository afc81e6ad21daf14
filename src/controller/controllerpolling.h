#pragma once

#include <QMutex>
#include <QObject>
#include <QWaitCondition>

#include <functional>
#include <memory>

class QThread;

// The polling thread (TDXInputsPolling): it waits the interval, hands the
// tick to the user-interface thread and waits until the tick has run, then
// waits again. It touches nothing but its own stop flag, so ticks never
// overlap or pile up, and everything a tick does runs on the user-interface
// thread. The object itself lives on that thread and receives the ticks.
class ControllerPolling : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultInterval = 10; // ms

    explicit ControllerPolling(std::function<void()> tick, int intervalMs = DefaultInterval,
                               QObject *parent = nullptr);
    // Stops and joins the thread (see join()).
    ~ControllerPolling() override;

    void start();
    // Ends the current wait at once; no tick runs after this, not even one
    // already handed over. Any thread may ask.
    void requestStop();
    bool stopRequested() const;
    // Waits for the thread to end, delivering a tick handed over meanwhile
    // (it does nothing now) so that the thread is never left blocked. Not
    // from inside a tick: the thread waits for that tick to return.
    void join();
    bool isFinished() const;
    int interval() const { return m_interval; }

signals:
    // The thread has ended (emitted from it; delivered queued).
    void finished();

private:
    void run();

    const std::function<void()> m_tick;
    const int m_interval;
    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    bool m_stop = false;
    std::unique_ptr<QThread> m_thread;
};
