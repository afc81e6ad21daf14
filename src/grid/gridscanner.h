#pragma once

#include <QObject>

class BrowserGrid;
class CommandRegistry;
class Prompter;
class QTimer;
class SkinButton;
struct RuntimeFlags;
struct Settings;

// The grid scanner and its refresher: tmScanner steps the active browser
// from pane to pane at the chosen speed; tmRefresher reloads one pane per
// tick so that every pane is reloaded once per chosen period. skScanner
// starts and stops both, and is down while they run.
class GridScanner : public QObject
{
    Q_OBJECT
public:
    // Registers skScanner's command.
    GridScanner(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter,
                CommandRegistry &commands, SkinButton *skScanner, QObject *parent = nullptr);

    // tmScanner's interval for a "scanner speed" setting.
    static int scannerInterval(int speed);
    // tmRefresher's interval for a "scanner refresh interval" setting and
    // the browsers in use: the period shared among them.
    static int refresherInterval(int refreshSetting, int browsers);
    static constexpr int NoRefresh = 4; // "Do not use refresh"

    bool running() const;
    // skScanner.
    void toggle();
    bool start();
    void stop();
    // The two settings changed (the options): running, it starts again with
    // them.
    void settingsChanged();

    QTimer *scannerTimer() const { return m_scanner; }
    QTimer *refresherTimer() const { return m_refresher; }

private:
    void setIntervals();
    void scannerTick();
    void refresherTick();
    void resetPanes(bool silent);

    BrowserGrid &m_grid;
    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    SkinButton *m_button;
    QTimer *m_scanner;
    QTimer *m_refresher;
};
