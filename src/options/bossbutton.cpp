#include "options/bossbutton.h"

#include "appearance/widgets/skinbutton.h"
#include "core/overlaypanels.h"
#include "core/runtimeflags.h"
#include "core/settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

BossButton::BossButton(Settings &settings, RuntimeFlags &flags, OverlayPanels &overlays, Parts parts,
                       QObject *parent)
    : QObject(parent), m_settings(settings), m_flags(flags), m_overlays(overlays), m_parts(std::move(parts))
{
}

bool BossButton::active() const
{
    return m_flags.bossState;
}

QRect BossButton::bossGeometry(const QRect &screen, const QRect &workArea)
{
    // The work area's bottom edge, so a panel along the bottom does not cover
    // the strip.
    return {screen.x() + screen.width() - (BossWidth + 2), workArea.y() + workArea.height() - (BossHeight + 2),
            BossWidth, BossHeight};
}

QRect BossButton::screenRect() const
{
    if (m_parts.screen)
        return m_parts.screen();
    QScreen *screen = m_parts.window->screen() ? m_parts.window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QRect BossButton::workAreaRect() const
{
    if (m_parts.workArea)
        return m_parts.workArea();
    QScreen *screen = m_parts.window->screen() ? m_parts.window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : screenRect();
}

bool BossButton::toggle()
{
    try {
        if (m_flags.bossState)
            leave();
        else
            enter();
        return true;
    } catch (...) {
        return false;
    }
}

void BossButton::enter()
{
    QWidget *window = m_parts.window;
    m_flags.bossState = true;
    m_overlays.hideAll();
    if (m_parts.skNavHintResize && m_parts.skNavHintResize->isDown())
        m_parts.skNavHintResize->click();
    if (m_parts.skNavGrid && m_parts.skNavGrid->isDown())
        m_parts.skNavGrid->click();
    for (QWidget *label : m_parts.cornerLabels)
        label->hide();
    // Only the timers: the controller keeps polling, so its boss button
    // action can bring the window back.
    m_flags.suspendScanner = true;
    m_flags.suspendQueue = true;
    if (m_parts.pauseAudio)
        m_parts.pauseAudio(true);
    const QRect bounds = window->geometry();
    m_flags.bossTop = bounds.top();
    m_flags.bossLeft = bounds.left();
    m_flags.bossWidth = bounds.width();
    m_flags.bossHeight = bounds.height();
    for (QWidget *w : {m_parts.imResize, static_cast<QWidget *>(m_parts.skMinimize),
                       static_cast<QWidget *>(m_parts.skMaximize)})
        if (w)
            w->setEnabled(false);
    // A tool window has no taskbar entry; changing the flags hides the
    // window, so it is shown again at its strip.
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::Tool, true);
    window->setWindowOpacity(BossOpacity);
    window->setFixedSize(BossWidth, BossHeight);
    window->setGeometry(bossGeometry(screenRect(), workAreaRect()));
    if (visible)
        window->show();
}

void BossButton::leave()
{
    QWidget *window = m_parts.window;
    window->setMinimumSize(205, 30);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    for (QWidget *w : {m_parts.imResize, static_cast<QWidget *>(m_parts.skMinimize),
                       static_cast<QWidget *>(m_parts.skMaximize)})
        if (w)
            w->setEnabled(true);
    for (QWidget *label : m_parts.cornerLabels)
        label->setVisible(m_settings.cornerHints == 1);
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::Tool, false);
    window->setWindowOpacity(1.0);
    window->setGeometry(m_flags.bossLeft, m_flags.bossTop, m_flags.bossWidth, m_flags.bossHeight);
    // The restore is no resize by the user: the size watch has seen it.
    m_flags.lastWidth = m_flags.bossWidth;
    m_flags.lastHeight = m_flags.bossHeight;
    if (visible) {
        window->show();
        // Back in front and active, as the user left it: the keys and the
        // controller, which reads only while the program is in front, go
        // on at once.
        window->raise();
        window->activateWindow();
    }
    m_flags.bossState = false;
    if (m_parts.pauseAudio)
        m_parts.pauseAudio(false);
    // The timer flags come down with the background suspension unless a
    // longer operation still holds it.
    const bool held = m_flags.suspensionDepth() > 0;
    m_flags.suspendScanner = held;
    m_flags.suspendQueue = held;
}
