#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>

class OverlayPanels;
class SkinButton;
class QWidget;
struct RuntimeFlags;
struct Settings;

// The boss button: the whole window shrinks at a stroke into a nearly
// transparent 413 x 70 strip in the screen's bottom-right corner, off the
// taskbar, with the grid's timers held off; the same toggle brings it back
// exactly where it was.
class BossButton : public QObject
{
    Q_OBJECT
public:
    static constexpr int BossWidth = 413;
    static constexpr int BossHeight = 70;
    static constexpr double BossOpacity = 32 / 255.0;

    struct Parts
    {
        QWidget *window;
        QWidget *imResize;
        SkinButton *skMinimize, *skMaximize;
        SkinButton *skNavHintResize, *skNavGrid; // either may be null
        QList<QWidget *> cornerLabels;           // laAudio, laLocalIP, laActiveIP
        // The screen and its work area (the window's screen when not set).
        std::function<QRect()> screen;
        std::function<QRect()> workArea;
        // Audio held while hidden (optional).
        std::function<void(bool paused)> pauseAudio;
    };

    BossButton(Settings &settings, RuntimeFlags &flags, OverlayPanels &overlays, Parts parts,
               QObject *parent = nullptr);

    // ToggleBossButton; false when something failed on the way (the state is
    // left as far as it got).
    bool toggle();
    bool active() const;
    // Where the strip goes for a screen and work area.
    static QRect bossGeometry(const QRect &screen, const QRect &workArea);

private:
    void enter();
    void leave();
    QRect screenRect() const;
    QRect workAreaRect() const;

    Settings &m_settings;
    RuntimeFlags &m_flags;
    OverlayPanels &m_overlays;
    Parts m_parts;
};
