#include "controller/controlleroptions.h"

#include "controller/controlleractions.h"
#include "core/settings.h"

QStringList ControllerOptions::enabledEntries()
{
    return {QStringLiteral("Disabled"), QStringLiteral("Enabled")};
}

QStringList ControllerOptions::idEntries()
{
    QStringList list;
    for (int i = 0; i <= 16; ++i)
        list << QStringLiteral(" %1").arg(i);
    return list;
}

QStringList ControllerOptions::features()
{
    QStringList list{QStringLiteral("Grid crosshairs"), QStringLiteral("User prompts"),
                     QStringLiteral("Button 1 (reserved)")};
    for (int b = ControllerActions::FirstButton; b <= ControllerActions::LastButton; ++b)
        list << QStringLiteral("Button %1").arg(b);
    return list;
}

namespace {
int buttonOf(int feature)
{
    return feature - ControllerOptions::Button2 + ControllerActions::FirstButton;
}
bool isButton(int feature)
{
    return feature >= ControllerOptions::Button2 && feature <= ControllerOptions::Button16;
}
} // namespace

QStringList ControllerOptions::actions(int feature)
{
    if (feature == GridCrosshairs || feature == UserPrompts)
        return {QStringLiteral("None"), QStringLiteral("Show")};
    if (feature == Button1Reserved)
        return {QStringLiteral("Browser \u2022 scrollbars (reserved)")};
    if (isButton(feature))
        return ControllerActions::captions();
    return {};
}

int ControllerOptions::chosenAction(const Settings &settings, int feature)
{
    int value = -1;
    if (feature == GridCrosshairs)
        value = settings.dxGridCrosshairs;
    else if (feature == UserPrompts)
        value = settings.dxUserPrompts;
    else if (feature == Button1Reserved)
        value = 0;
    else if (isButton(feature))
        value = settings.dxButtons[buttonOf(feature)];
    // A stored value the list does not hold selects nothing.
    return value >= 0 && value < actions(feature).size() ? value : -1;
}

bool ControllerOptions::storeAction(Settings &settings, int feature, int action)
{
    if (feature == Button1Reserved || action < 0 || action >= actions(feature).size())
        return false;
    if (feature == GridCrosshairs)
        settings.dxGridCrosshairs = action;
    else if (feature == UserPrompts)
        settings.dxUserPrompts = action;
    else
        settings.dxButtons[buttonOf(feature)] = action;
    return true;
}

void ControllerOptions::defaultButtons(Settings &settings)
{
    for (int b = ControllerActions::FirstButton; b <= ControllerActions::LastButton; ++b)
        settings.dxButtons[b] = ControllerActions::defaultAssignment(b);
}

void ControllerOptions::resetFeatures(Settings &settings)
{
    settings.dxBrowserPixels = DefaultBrowserPixels;
    settings.dxGridPixels = DefaultGridPixels;
    settings.dxUserPrompts = 1;
    settings.dxGridCrosshairs = 1;
    defaultButtons(settings);
}

void ControllerOptions::restoreAfterFailure(Settings &settings)
{
    settings.dxId = 0;
    settings.dxBrowserPixels = DefaultBrowserPixels;
    settings.dxGridPixels = DefaultGridPixels;
    defaultButtons(settings);
}

QueueControllerStatus ControllerOptions::queueStatus(bool pollingActive, const Settings &settings)
{
    QueueControllerStatus texts{QStringLiteral("Status:  Disconnected"), QStringLiteral("Open Button:  Unassigned")};
    if (pollingActive)
        texts.status = QStringLiteral("Status:  Enabled");
    // The highest button that opens wins.
    for (int b = ControllerActions::FirstButton; b <= ControllerActions::LastButton; ++b)
        if (settings.dxButtons[b] == ControllerActions::BrowserOpen)
            texts.openButton = QStringLiteral("Open Button:  %1").arg(b);
    return texts;
}
