#pragma once

#include <QString>

#include <functional>

// What the options panel asks of the rest of the window. Each reports
// success; an unset hook counts as done.
struct OptionsHooks
{
    // "Browser" page.
    std::function<bool()> connectionStateChanged; // laLocalIP "Unresolved", laActiveIP cleared
    std::function<bool()> renewHistoryDates;      // RenewHistoryDates
    std::function<bool()> resetScannerTimers;     // the scanner and refresher take the new intervals
    // "Aesthetics" page: the window's repaints.
    std::function<bool()> applyAppearance;
    std::function<bool()> applyColours;
    std::function<bool()> applyButtonBarPosition;
    std::function<bool()> applyAddressBarBevel;
    std::function<bool()> applyGridBackgroundImage;
    std::function<bool()> applyGridBackgroundSize;
    // "General" page.
    std::function<bool()> applyApplicationHints;
    std::function<bool()> applyCornerHints;       // the corner labels by "corner hints"
    // "Extras" page.
    std::function<bool()> applyPaneSound;  // every pane's mute by "pane sound"
    std::function<bool()> applyMusicHold;  // the music waits (or not) for the active pane's sound
    std::function<bool()> applyPagesOutOfView; // panes out of view live, frozen or discarded
    // A failure the program cannot go on from (a failed re-layout): the
    // message, then the normal close with a failure exit status.
    std::function<void(const QString &message)> closeAfterFatalError;
    // btnOptionsHelp.
    std::function<void()> openHelp;
};
