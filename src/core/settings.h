#pragma once

#include <QString>

// Every stored setting, one field per value, with its default (the
// program's TRegKeys record). Features read and change it in memory; it
// reaches the settings file only at shut-down (SettingsStore).
struct Settings
{
    // Main Window
    int width = 915;
    int height = 600;
    int top = 0;   // computed from the work area
    int left = 0;  // computed from the work area

    // Options/Browsers
    int browserWidth = 720;
    int browserHeight = 460;
    int autoSize = 1;              // 0 "Auto sizing", 1 "Manual sizing"
    int backgroundProcesses = 1;   // 0 "No suspend on minimize", 1 "Suspend on minimize"
    int historyRetention = 0;
    QString historyMinDate;        // short date format
    QString historyMaxDate;
    int popUpBrowser = 0;          // 0 "Auto external", 1 "Auto internal", 2 "Manual"
    int scannerRefreshInterval = 4;
    int scannerSpeed = 0;
    QString searchEngineAddress = QStringLiteral("https://duckduckgo.com/?q=");
    int stopButton = 1;            // 0 "Force 'about:blank'", 1 "Inherited"

    // Options/Aesthetics (colours: red + 256 * green + 65536 * blue)
    int activeBrowserBorderColor = 255;
    int addressBarColor = 16777215;
    int addressBarFontColor = 6582129;
    int buttonColor = 13160660;
    int buttonGlyphBorderColor = 8421504;
    int buttonGlyphColor = 536870911; // none
    int cornerFontColor = 15000804;
    int cornerFontShadowColor = 5855577;
    int gridBackgroundColor = 8421504;
    int mainColor = 13160660;
    int statusBarColor = 5197647;
    int statusBarFontColor = 16251385;
    int statusBarFontShadowColor = 4539717;
    int addressBarBevel = 1;
    int buttonBarPosition = 0;
    int buttonGlyphStyle = 1;
    int gridBackgroundImage = 0;
    int gridBackgroundImageSize = 0;

    // Options/DX
    int dxEnabled = 0;
    int dxId = 0;
    int dxGridPixels = 22;
    int dxBrowserPixels = 5;
    int dxUserPrompts = 1;
    int dxGridCrosshairs = 1;
    int dxButtons[17] = {0, 0, 5, 11, 14, 3, 15, 6, 8, 12, 13, 10, 7, 1, 2, 0, 4}; // index = button number; 0 and 1 unused

    // Options/General
    QString customButtonPath;
    QString customButtonHint = QStringLiteral("Undefined");
    int customButtonGlyph = -1;
    int applicationHints = 0;
    int cornerHints = 1;
    int windowSize = 1;            // 0 "Desktop", 1 "Workarea"
    int addressManagerQueueDelay = 4;
    int favoritesAutoCollapse = 0;
    int importsAutoCollapse = 0;
    int addressManagerQueueOpenType = 0;
    int navGridLastPosition = 6;
    int navGridHintLock = 1;
    int navGridHintHeight = 153;
    int navGridHintWidth = 241;

    // Options/Extras: choices beyond the classic pages.
    int restoreSession = 1;          // 0 start with an empty grid, 1 the panes of the last run in their cells
    int paneSound = 1;               // 0 every pane, 1 the active pane only, 2 no pane
    int musicPausesForPaneSound = 1; // 0 no, 1 the music waits while the active pane makes sound
    int clickActivatesPane = 1;      // 0 no, 1 a press in a page makes its pane the active one
    int pagesOutOfView = 1;          // 0 keep all pages live, 1 freeze them, 2 discard them
    int pageProcesses = 0;           // 0 a page process per site, 1 one shared by all (lighter); read at start
};

// Colour value of the settings (red in the low byte) as a QColor.
class QColor;
QColor settingsColor(int value);
