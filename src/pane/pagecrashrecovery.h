#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// What a pane does when the process that renders its page dies: the first
// time it says so and loads the page again; when it dies again within a
// minute of the last time, the page is left as it is, with a link to load
// it by hand, so a page that kills its renderer does not loop.
class PageCrashRecovery
{
public:
    enum class Step { ReloadNow, OfferReload };

    static constexpr qint64 RepeatWindowMs = 60 * 1000;
    static const QString ReloadingNotice; // shown while the page loads again
    static const QString StoppedNotice;   // with the "Reload" link
    static const QString ReloadLink;      // the link's target in StoppedNotice

    // now: the clock; tests set their own.
    explicit PageCrashRecovery(std::function<QDateTime()> now = {});

    // The renderer died: what to do now.
    Step crashed();
    QDateTime lastCrash() const { return m_lastCrash; }

private:
    std::function<QDateTime()> m_now;
    QDateTime m_lastCrash;
};
