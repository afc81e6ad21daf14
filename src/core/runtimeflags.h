#pragma once

#include <QString>

// Run-time values of one program run, held by the main window (the
// program's TGlobalFlags record). Nothing here is saved.
inline constexpr int NoIndex = 777; // "none" for a browser number or a cell index

struct RuntimeFlags
{
    QString programFolder;           // folder of the program file, ends with "/"
    QString dataFolder = QStringLiteral("Not Found");
    int browserCount = 0;
    int browserSerial = 0;
    int deleteDelay = 200;           // ms between stopping a pane and freeing it
    int defragDelay = 150;           // ms per pane moved by grid maintenance
    int activeBrowser = NoIndex;
    int connectionState = 1;         // 1 on line, 0 off line
    int currentGenreIndex = -1;
    int currentSongIndex = -1;
    bool aestheticsModified = false;
    bool genreListModified = false;
    bool suspendScanner = false;
    bool suspendQueue = false;
    bool suspendController = false;
    bool controllerPolling = false;
    bool bossState = false;
    int bossTop = 0;
    int bossLeft = 0;
    int bossHeight = 600;
    int bossWidth = 915;
    int pointedCell = NoIndex;
    int dragSource = NoIndex;
    int addressManagerState = 1;
    QString favoritesEditText;
    int dragStartX = 0;
    int dragStartY = 0;
    bool dragging = false;
    int lastWidth = 0;
    int lastHeight = 0;

    // Scanner, queue and controller ticks do nothing while these are raised.
    // Suspensions nest: each raise is matched by one lower, and the flags
    // come down only with the last, so an inner operation (a confirmation
    // box, a refused open) cannot lower what an outer one raised.
    void setBackgroundSuspended(bool suspended)
    {
        suspendDepth = suspended ? suspendDepth + 1 : (suspendDepth > 0 ? suspendDepth - 1 : 0);
        const bool raised = suspendDepth > 0;
        suspendScanner = raised;
        suspendQueue = raised;
        suspendController = raised;
    }
    bool backgroundSuspended() const { return suspendScanner && suspendQueue && suspendController; }
    int suspensionDepth() const { return suspendDepth; }

private:
    int suspendDepth = 0;
};

// Raises the suspend flags for a scope and lowers them on every way out.
class BackgroundSuspension
{
public:
    explicit BackgroundSuspension(RuntimeFlags &flags) : m_flags(flags) { m_flags.setBackgroundSuspended(true); }
    ~BackgroundSuspension() { m_flags.setBackgroundSuspended(false); }
    BackgroundSuspension(const BackgroundSuspension &) = delete;
    BackgroundSuspension &operator=(const BackgroundSuspension &) = delete;

private:
    RuntimeFlags &m_flags;
};
