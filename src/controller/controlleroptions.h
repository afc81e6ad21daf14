#pragma once

#include <QString>
#include <QStringList>

struct Settings;

// The two controller labels of the queue panel (Label70, Label71).
struct QueueControllerStatus
{
    QString status;     // "Status:  Disconnected" or "Status:  Enabled"
    QString openButton; // "Open Button:  Unassigned" or "Open Button:  <n>"
};

// What the "Direct Input" options page lists and stores: the features with
// their action lists, the stored choice of each, the reset of the features
// and the queue panel's controller texts. It changes the settings only; the
// page applies them afterwards.
class ControllerOptions
{
public:
    // Index = entry of the features list (cbDXFeatures).
    enum Feature {
        GridCrosshairs = 0,
        UserPrompts = 1,
        Button1Reserved = 2,
        Button2 = 3,
        Button16 = 17,
        FeatureCount = 18
    };

    static constexpr int DefaultBrowserPixels = 5;
    static constexpr int DefaultGridPixels = 22;

    // cbDXEnabled: "Disabled", "Enabled".
    static QStringList enabledEntries();
    // cbDXID: " 0" to " 16".
    static QStringList idEntries();
    // cbDXFeatures: "Grid crosshairs", "User prompts", "Button 1 (reserved)",
    // "Button 2" ... "Button 16".
    static QStringList features();
    // cbDXActions for a feature; empty for an unknown one.
    static QStringList actions(int feature);
    // The entry of actions(feature) that the settings choose, or -1.
    static int chosenAction(const Settings &settings, int feature);
    // Stores the entry chosen for a feature; false when nothing was stored
    // (Button 1, an unknown feature or an entry the feature does not list).
    static bool storeAction(Settings &settings, int feature, int action);
    // The features of "Reset features?": both scroll steps, user prompts and
    // crosshairs on, the default button assignments. Enabled and ID stay.
    static void resetFeatures(Settings &settings);
    // What a failed apply of the controller settings falls back to: ID 0,
    // both scroll steps and the default button assignments.
    static void restoreAfterFailure(Settings &settings);

    static QueueControllerStatus queueStatus(bool pollingActive, const Settings &settings);

private:
    static void defaultButtons(Settings &settings);
};
