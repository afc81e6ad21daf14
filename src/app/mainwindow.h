#pragma once

#include <QDate>
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>

struct Settings;
struct RuntimeFlags;
class AboutPanel;
class AddressManager;
class ApplicationHints;
class AudioPlayer;
class BossButton;
class BrowserStepping;
class CustomButton;
class KeyboardShortcuts;
class OptionsPanel;
class PageLifecycle;
class QuietPrompter;
class MediaBackend;
class BrowserGrid;
class CommandRegistry;
class FileDialogs;
class GameController;
class GridFeatures;
class GridMaintenance;
class GridScanner;
class GridSearch;
class GridToolsPanel;
class SystemInfo;
class NavGrid;
class OverlayPanels;
class PaneLook;
class Prompter;
class QMenu;
class Shell;
class SessionKeeper;
class SkinImages;
class SplashWindow;
class WindowAppearance;
class WindowFrame;

// Where the start-up looks for things; tests point it at their own folders.
struct StartupEnvironment
{
    QString settingsFile;                    // default: $XDG_CONFIG_HOME/Halvane/Vorlan.conf
    QString programFolder;                   // default: the program's folder, ends with "/"
    std::function<QString()> personalFolder; // default: the documents folder
    QDate today;                             // default: today
    QRect workArea;                          // default: the primary screen's available area
    QString audioOutput;                     // mpv's "ao"; default: the system's output ("null": silent)

    static StartupEnvironment system();
};

// The main window (MN): the composition root of the program. It owns one
// object per subsystem and wires them together; it runs the start-up
// sequence when made and the shut-down when closed.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    MainWindow(Settings &settings, RuntimeFlags &flags, Prompter &prompter, Shell &shell,
               StartupEnvironment environment = StartupEnvironment::system());
    ~MainWindow() override;

    // Runs the seven start-up steps, stepping the splash before each. False
    // when one failed: its message has been shown and nothing will be saved.
    bool startUp(SplashWindow *splash = nullptr);
    bool startupAborted() const { return m_startupAborted; }

    // A later launch of the program asks this one to show itself.
    void restoreAndRaise();
    // Addresses from the command line or a later launch, each in a new pane
    // (as far as the grid has room; the grid says when it is full).
    void openAddresses(const QStringList &addresses);

    BrowserGrid *grid() const { return m_grid; }
    GridFeatures *gridFeatures() const { return m_gridFeatures; }
    NavGrid *navGrid() const { return m_navGrid; }
    AudioPlayer *audioPlayer() const { return m_audio; }
    PageLifecycle *pageLifecycle() const { return m_lifecycle; }
    AddressManager *addressManager() const { return m_addresses; }
    OptionsPanel *options() const { return m_options; }
    BossButton *bossButton() const { return m_boss; }
    CustomButton *customButton() const { return m_custom; }
    GridSearch *gridSearch() const { return m_search; }
    GridMaintenance *gridMaintenance() const { return m_maintenance; }
    GridScanner *gridScanner() const { return m_scanner; }
    GridToolsPanel *gridTools() const { return m_gridTools; }
    GameController *controller() const { return m_controller.get(); }
    WindowAppearance *appearance() const { return m_appearance.get(); }
    // The skin as it is painted now (tinted towards the colour settings).
    const SkinImages &skin() const { return *m_tinted; }
    // 0, or 1 after a fatal failure closed the program.
    int exitCode() const { return m_exitCode; }
    // A failure the program cannot go on from: the message, then the normal
    // close (settings and addresses saved) with exit code 1.
    void closeAfterFatalError(const QString &message);
    WindowFrame *frame() const { return m_frame; }
    OverlayPanels *overlayPanels() const { return m_overlays; }
    CommandRegistry &commands() const { return *m_commands; }
    QMenu *appToolsMenu() const { return m_pmAppTools; }
    // The file dialogs the window uses (Qt's by default; tests plan theirs).
    // Set before startUp: the address bar and the commands take them then.
    void setFileDialogs(FileDialogs *dialogs) { m_dialogs = dialogs; }

    void openAboutPanel();
    void openHelp();
    // Sets the automatic browser size and lays the grid out again; a failed
    // layout closes the program (closeAfterFatalError).
    bool autoSizeBrowsers();
    Settings &settings() { return m_settings; }
    RuntimeFlags &flags() { return m_flags; }

    // The seven step messages, in order.
    static QStringList startupMessages();

signals:
    // The window has closed and its shut-down has run.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildForm();
    bool loadSettings();
    bool setInternalFlags();
    bool locateDataFolders();
    bool applyOptions();
    bool initializeGrid();
    bool openAddressManagerFile();
    bool setGraphicsSettings();
    void shutDown();
    void buildAppToolsMenu();
    void createGridFeatures();
    void windowSizeChanged();
    void createSubsystems();
    void createGridTools();
    void createController();
    void createOptions();
    // The panes of the last run into their cells (the "restore session" choice).
    void restoreSession();
    void holdMusicForPane();

    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    Shell &m_shell;
    StartupEnvironment m_environment;

    std::unique_ptr<SkinImages> m_skin;
    std::unique_ptr<SkinImages> m_tinted;
    std::unique_ptr<WindowAppearance> m_appearance;
    std::unique_ptr<PaneLook> m_paneLook;
    CommandRegistry *m_commands = nullptr;
    OverlayPanels *m_overlays = nullptr;
    WindowFrame *m_frame = nullptr;
    AboutPanel *m_pnAbout = nullptr;
    QMenu *m_pmAppTools = nullptr;
    BrowserGrid *m_grid = nullptr;
    GridFeatures *m_gridFeatures = nullptr;
    NavGrid *m_navGrid = nullptr;
    MediaBackend *m_media = nullptr;
    AudioPlayer *m_audio = nullptr;
    PageLifecycle *m_lifecycle = nullptr;
    AddressManager *m_addresses = nullptr;
    OptionsPanel *m_options = nullptr;
    ApplicationHints *m_hints = nullptr;
    CustomButton *m_custom = nullptr;
    BossButton *m_boss = nullptr;
    KeyboardShortcuts *m_shortcuts = nullptr;
    std::unique_ptr<BrowserStepping> m_stepping;
    GridSearch *m_search = nullptr;
    GridMaintenance *m_maintenance = nullptr;
    GridScanner *m_scanner = nullptr;
    GridToolsPanel *m_gridTools = nullptr;
    std::unique_ptr<SystemInfo> m_systemInfo;
    std::unique_ptr<GameController> m_controller;
    SessionKeeper *m_sessionKeeper = nullptr;
    std::unique_ptr<QuietPrompter> m_audioPrompter;
    // Addresses handed to the window (command line, a later launch) that
    // have not opened yet.
    // The addresses still waiting could not open: the user is told how many.
    void tellAddressesLeft();
    QStringList m_waitingAddresses;
    int m_openRetries = 0;
    bool m_openScheduled = false; // the next waiting address opens at the next turn
    int m_exitCode = 0;
    bool m_closePending = false;
    std::unique_ptr<FileDialogs> m_ownDialogs;
    FileDialogs *m_dialogs = nullptr;

    bool m_startupAborted = false;
    bool m_shownOnce = false;
    bool m_shutDown = false;
    bool m_suspendedByMinimize = false;
};
