#pragma once

#include "controller/controllerstates.h"
#include "controller/joystick.h"
#include "pane/pageoperations.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class BrowserGrid;
class BrowserPane;
class ControllerPolling;
class JoystickDevice;
class Prompter;
class Shell;
struct RuntimeFlags;
struct Settings;

// What the controller's actions need of the subsystems beside it, filled in
// by the main window. An action whose operation is not set does nothing.
struct ControllerHooks
{
    // The audio player; each reports success.
    std::function<bool()> nextSong;
    std::function<bool()> priorGenre;
    std::function<bool()> priorSong;
    std::function<bool()> startOrNextGenre;
    std::function<bool()> stopAudio;
    // The queue's OpenNextQueuedAddress; it tells the user itself when the
    // grid is full.
    std::function<void()> openNextQueuedAddress;
    // The boss button; reports success.
    std::function<bool()> toggleBossButton;
};

// The game controller: it reads the joystick on every tick of its polling
// thread, scrolls the grid or the active page with the stick, draws the
// crosshair lines (pnGameX, pnGameY) over the grid scroll box, and runs the
// actions assigned to Buttons 2 to 16.
class GameController : public QObject
{
    Q_OBJECT
public:
    // The crosshair lines are made in the grid scroll box's parent. device:
    // the joystick layer, SDL2 when not given.
    GameController(Settings &settings, RuntimeFlags &flags, Prompter &prompter, Shell &shell, BrowserGrid &grid,
                   ControllerHooks hooks, std::unique_ptr<JoystickDevice> device = {}, QObject *parent = nullptr);
    // Stops polling and joins the thread.
    ~GameController() override;

    // ApplyControllerSettings: takes the ID and "enabled" as valid values,
    // starts or stops polling by "enabled" and refreshes the queue texts.
    // On a failure polling stops, the ID, scroll steps and buttons go back
    // to their defaults, and false is returned (the caller tells the user).
    bool applyControllerSettings();
    // SetControllerPolling; false when the thread could not be started or
    // stopped (polling is then off).
    bool setControllerPolling(bool on);
    // Shut-down: stops polling before the window goes.
    void stopPolling() { setControllerPolling(false); }
    bool pollingActive() const;

    // One tick (PollController), on the user-interface thread.
    void pollController();
    // RunControllerAction: one action by its number; others do nothing.
    void runControllerAction(int action);
    void scrollGridByController();
    void scrollPageByController();

    // UpdateQueueControllerStatus: emits the queue panel's texts.
    void updateQueueControllerStatus();
    // The options page: stores a feature's chosen entry and refreshes the
    // queue texts; false when nothing was stored.
    bool assignAction(int feature, int action);
    // The options page's "Reset": asks "Reset features?" and on OK resets
    // the features and applies the settings. True when reset.
    bool resetFeatures();
    // The options page's "Game controllers": starts jstest-gtk when it is
    // installed; otherwise tells the user. True when started.
    bool openControllerProperties();

    // Shows the print preview for "Browser • print" (the print dialog when
    // not set).
    void setPrintPreview(PageOperations::PrintPreview preview) { m_printPreview = std::move(preview); }

    QWidget *crosshairX() const { return m_pnGameX; }
    QWidget *crosshairY() const { return m_pnGameY; }
    const Joystick &joystick() const { return m_joystick; }
    // Ticks handed to this controller so far, suspended ones included.
    quint64 ticks() const { return m_ticks; }

signals:
    // Label70 and Label71 of the queue panel.
    void queueControllerStatusChanged(const QString &status, const QString &openButton);

private:
    BrowserPane *activePaneForAction() const;
    void tell(int action);
    void runPaneAction(int action, const std::function<bool(BrowserPane *)> &operation);
    void deleteActiveBrowser();
    void selectBrowserAtCrosshairs();
    void runHook(int action, const std::function<bool()> &operation);
    void hideCrosshairs();
    void controllerLost();
    bool isForeground() const;
    void retirePolling();

    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    Shell &m_shell;
    BrowserGrid &m_grid;
    ControllerHooks m_hooks;
    Joystick m_joystick;
    ControllerStates m_states;
    PageOperations::PrintPreview m_printPreview;
    QPointer<QWidget> m_pnGameX;
    QPointer<QWidget> m_pnGameY;
    std::unique_ptr<ControllerPolling> m_polling;
    // Threads told to stop from inside their own tick: they end once the
    // tick has returned and are joined then.
    std::vector<std::unique_ptr<ControllerPolling>> m_retired;
    quint64 m_ticks = 0;
    bool m_inTick = false;
};
