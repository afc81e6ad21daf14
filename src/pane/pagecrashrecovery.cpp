#include "pane/pagecrashrecovery.h"

const QString PageCrashRecovery::ReloadingNotice =
    QStringLiteral("This page stopped unexpectedly and is being loaded again.");
const QString PageCrashRecovery::StoppedNotice =
    QStringLiteral("This page stopped unexpectedly again. <a href=\"reload\">Reload</a>");
const QString PageCrashRecovery::ReloadLink = QStringLiteral("reload");

PageCrashRecovery::PageCrashRecovery(std::function<QDateTime()> now)
    : m_now(now ? std::move(now) : [] { return QDateTime::currentDateTimeUtc(); })
{
}

PageCrashRecovery::Step PageCrashRecovery::crashed()
{
    const QDateTime now = m_now();
    const bool again = m_lastCrash.isValid() && m_lastCrash.msecsTo(now) < RepeatWindowMs;
    m_lastCrash = now;
    return again ? Step::OfferReload : Step::ReloadNow;
}
