#include "addresses/addressqueue.h"

#include "addresses/historydates.h"
#include "core/runtimeflags.h"
#include "core/settings.h"
#include "grid/gridmodel.h"

const QString AddressQueue::Started = QStringLiteral("Status:   Started");
const QString AddressQueue::Paused = QStringLiteral("Status:   Paused");
const QString AddressQueue::Stopped = QStringLiteral("Status:   Stopped");
const QString AddressQueue::GridLimitMessage =
    QStringLiteral("Could not open the selected web address. The\nbrowser count would exceed the grid limit.");
const QString AddressQueue::DropRefusedMessage =
    QStringLiteral("Could not drop the node. The queue accepts web addresses\nand group nodes only.");
const QStringList AddressQueue::DelayChoices = {
    QStringLiteral("1sec."),  QStringLiteral("5sec."),  QStringLiteral("10sec."), QStringLiteral("20sec."),
    QStringLiteral("30sec."), QStringLiteral("40sec."), QStringLiteral("50sec."), QStringLiteral("60sec."),
};

namespace {
const int Intervals[] = {1000, 5000, 10000, 20000, 30000, 40000, 50000, 60000};

QString pausedCorner()
{
    return QStringLiteral("Queue") + HistoryDates::Bullet + QStringLiteral(" -");
}
} // namespace

int AddressQueue::validDelay(int delay)
{
    return delay >= 0 && delay < int(std::size(Intervals)) ? delay : 4;
}

int AddressQueue::intervalFor(int delay)
{
    return Intervals[validDelay(delay)];
}

int AddressQueue::validOpenType(int openType)
{
    return openType == 1 ? 1 : 0;
}

AddressQueue::AddressQueue(Settings &settings, RuntimeFlags &flags, QObject *parent)
    : QObject(parent), m_settings(settings), m_flags(flags)
{
    m_timer.setObjectName(QStringLiteral("tmQueue"));
    takeStoredSettings();
    connect(&m_timer, &QTimer::timeout, this, &AddressQueue::tick);
}

void AddressQueue::takeStoredSettings()
{
    m_settings.addressManagerQueueDelay = validDelay(m_settings.addressManagerQueueDelay);
    m_settings.addressManagerQueueOpenType = validOpenType(m_settings.addressManagerQueueOpenType);
    m_timer.setInterval(intervalFor(m_settings.addressManagerQueueDelay));
}

int AddressQueue::openType() const
{
    return m_settings.addressManagerQueueOpenType;
}

int AddressQueue::delay() const
{
    return m_settings.addressManagerQueueDelay;
}

void AddressQueue::setOpeners(Opener queued, Opener normal)
{
    m_openQueued = std::move(queued);
    m_openNormal = std::move(normal);
}

void AddressQueue::refreshCounts()
{
    m_pending = QString::number(count());
    m_corner = count() < 1 ? QString() : QStringLiteral("Queue") + HistoryDates::Bullet + QString::number(count());
}

void AddressQueue::emptied()
{
    m_pending = QStringLiteral("0");
    m_corner.clear();
    m_timer.stop();
    m_status = m_paused ? Paused : Stopped;
}

void AddressQueue::append(const QStringList &addresses)
{
    m_items << addresses;
    refreshCounts();
    if (!m_items.isEmpty() && openType() == 0 && !m_paused) {
        m_status = Started;
        if (!m_timer.isActive())
            m_timer.start();
    }
    emit changed();
}

void AddressQueue::tick()
{
    // While a confirmation is open or a long grid operation runs.
    if (m_flags.suspendQueue)
        return;
    if (!m_items.isEmpty()) {
        if (m_paused) {
            m_status = Paused;
            refreshCounts();
            m_corner = pausedCorner();
        } else if (m_flags.browserCount < GridModel::BrowserLimit) {
            // A refused head stays first and is tried again at the next tick.
            if (m_openQueued && m_openQueued(m_items.first().trimmed())) {
                m_items.removeFirst();
                refreshCounts();
            }
        }
    }
    if (m_items.isEmpty())
        emptied();
    emit changed();
}

void AddressQueue::setDelay(int delay)
{
    m_settings.addressManagerQueueDelay = validDelay(delay);
    m_timer.setInterval(intervalFor(delay));
    emit changed();
}

void AddressQueue::setPaused(bool down)
{
    m_paused = down;
    if (down) {
        m_status = Paused;
        refreshCounts();
        m_corner = pausedCorner();
    } else if (!m_items.isEmpty()) {
        m_status = Started;
        refreshCounts();
        if (!m_timer.isActive())
            m_timer.start();
    } else {
        m_timer.stop();
        refreshCounts();
        m_corner.clear();
        m_status = Stopped;
        m_pauseEnabled = true;
    }
    emit changed();
}

void AddressQueue::clear()
{
    if (m_items.isEmpty())
        return;
    m_timer.stop();
    m_items.clear();
    emptied();
    emit changed();
}

AddressQueue::OpenResult AddressQueue::openNow(int row)
{
    if (row < 0 || row >= count() || m_items.at(row).isEmpty())
        return OpenResult::Nothing;
    OpenResult result = OpenResult::Refused;
    if (m_openNormal && m_openNormal(m_items.at(row).trimmed())) {
        m_items.removeAt(row);
        refreshCounts();
        result = OpenResult::Opened;
    }
    if (m_items.isEmpty())
        emptied();
    emit changed();
    return result;
}

bool AddressQueue::deleteItem(int row)
{
    if (row < 0 || row >= count() || m_items.at(row).isEmpty())
        return false;
    m_items.removeAt(row);
    refreshCounts();
    if (m_items.isEmpty())
        emptied();
    emit changed();
    return true;
}

void AddressQueue::chooseOpenType(int openType)
{
    m_settings.addressManagerQueueOpenType = validOpenType(openType);
    refreshOpenType();
}

void AddressQueue::refreshOpenType()
{
    if (openType() == 0) {
        m_pauseEnabled = true;
        if (m_items.isEmpty()) {
            m_timer.stop();
            m_status = m_paused ? Paused : Stopped;
        } else {
            m_status = m_paused ? Paused : Started;
            if (!m_timer.isActive())
                m_timer.start();
        }
    } else {
        m_pauseEnabled = false;
        m_timer.stop();
    }
    refreshCounts();
    emit changed();
}

AddressQueue::OpenResult AddressQueue::openNextQueuedAddress()
{
    if (m_items.isEmpty() || openType() != 1)
        return OpenResult::Nothing;
    if (!m_openNormal || !m_openNormal(m_items.first().trimmed()))
        return OpenResult::Refused;
    m_items.removeFirst();
    refreshCounts();
    emit changed();
    return OpenResult::Opened;
}
