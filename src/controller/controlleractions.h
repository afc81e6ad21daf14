#pragma once

#include <QString>
#include <QStringList>

// The sixteen actions a controller button can run, by the number that is
// stored for the button, with their captions, failure messages and the
// buttons' default assignments.
class ControllerActions
{
public:
    enum Action {
        AudioNextSong = 0,
        AudioPriorGenre = 1,
        AudioPriorSong = 2,
        AudioStartNextGenre = 3,
        AudioStop = 4,
        BrowserActiveSelect = 5,
        BrowserBack = 6,
        BrowserDelete = 7,
        BrowserForward = 8,
        BrowserJump = 9,
        BrowserPrint = 10,
        BrowserOpen = 11,
        BrowserRefresh = 12,
        BrowserStop = 13,
        BrowserZoom = 14,
        WindowBossButton = 15,
        ActionCount = 16
    };

    // Buttons 2 to 16 run actions; Button 1 switches the stick to the page.
    static constexpr int FirstButton = 2;
    static constexpr int LastButton = 16;

    static bool valid(int action) { return action >= 0 && action < ActionCount; }
    // "Audio • next song", ...; empty for a number outside 0..15.
    static QString caption(int action);
    // All sixteen captions in action order (the options page's list).
    static QStringList captions();
    // What the action tells when it fails and "user prompts" is on; empty
    // for the actions that tell nothing.
    static QString failureMessage(int action);
    // The action a button has by default; -1 for a button outside 2..16.
    static int defaultAssignment(int button);
};
