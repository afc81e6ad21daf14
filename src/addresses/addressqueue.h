#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

struct RuntimeFlags;
struct Settings;

// The address queue without its widgets: the addresses waiting to be
// opened, first in first out, one per tick of tmQueue (open type 0, "Open
// By System Timer") or one per press of the controller button (open type
// 1, "Open By Direct Input"), with the pause toggle and the texts the queue
// area and the corner label laQueue show. Nothing of it is stored.
class AddressQueue : public QObject
{
    Q_OBJECT
public:
    // Opens an address in a new browser; false when the grid refused it.
    using Opener = std::function<bool(const QString &address)>;
    enum class OpenResult { Nothing, Opened, Refused };

    static const QString Started;  // "Status:   Started"
    static const QString Paused;   // "Status:   Paused"
    static const QString Stopped;  // "Status:   Stopped"
    static const QString GridLimitMessage;
    static const QString DropRefusedMessage;
    static const QStringList DelayChoices; // "1sec." ... "60sec."

    // The interval of a delay choice; a choice out of range counts as 4.
    static int intervalFor(int delay);
    static int validDelay(int delay);
    // A stored open type other than 0 or 1 counts as 0.
    static int validOpenType(int openType);

    // Takes the stored delay and open type (made valid) from settings.
    AddressQueue(Settings &settings, RuntimeFlags &flags, QObject *parent = nullptr);

    // The stored delay and open type taken again (made valid), as after the
    // settings were read: tmQueue runs at the stored delay from the start,
    // not only once the user picks one.
    void takeStoredSettings();

    // queued: the tick's opening, a pane that stays in the background;
    // normal: the menus' and the controller's, a pane that becomes active.
    void setOpeners(Opener queued, Opener normal);

    const QStringList &items() const { return m_items; }
    int count() const { return int(m_items.size()); }
    QString status() const { return m_status; }
    QString pendingText() const { return m_pending; }
    QString cornerText() const { return m_corner; }
    bool isPaused() const { return m_paused; }
    bool pauseEnabled() const { return m_pauseEnabled; }
    int openType() const;
    int delay() const;
    QTimer &timer() { return m_timer; }
    const QTimer &timer() const { return m_timer; }

    // Appends at the tail, then starts the queue when it may start.
    void append(const QStringList &addresses);
    // tmQueue: opens the head unless paused, suspended or the grid is full.
    void tick();
    // cbQueueTimerInterval: stores the choice and sets the interval.
    void setDelay(int delay);
    // sbQueueTimerPause down or up.
    void setPaused(bool down);
    // sbQueueTimerClear, once confirmed: stops and empties the queue.
    void clear();
    // The menus' "Open Web Address Now" and "Delete Web Address" on a row
    // (-1 for no row: nothing happens).
    OpenResult openNow(int row);
    bool deleteItem(int row);
    // "Open By System Timer" (0) or "Open By Direct Input" (1): stored, then
    // the queue follows it.
    void chooseOpenType(int openType);
    // The queue set up for the stored open type.
    void refreshOpenType();
    // The controller's open action: the head in a new active browser, in
    // open type 1 only.
    OpenResult openNextQueuedAddress();

signals:
    // Items, texts, toggle or timer changed.
    void changed();

private:
    void refreshCounts();
    // The queue ran empty: timer off, texts cleared, status by the toggle.
    void emptied();

    Settings &m_settings;
    RuntimeFlags &m_flags;
    QTimer m_timer; // tmQueue
    Opener m_openQueued;
    Opener m_openNormal;
    QStringList m_items;
    QString m_status = QStringLiteral("Status:   Stopped ");
    QString m_pending = QStringLiteral("0");
    QString m_corner;
    bool m_paused = false;
    bool m_pauseEnabled = true;
};
