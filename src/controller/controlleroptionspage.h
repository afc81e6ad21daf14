#pragma once

#include <QWidget>

#include <functional>

class Prompter;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
struct Settings;

// The options page "Direct Input": the controller switched on or off, which
// device, the features (crosshairs, prompts, the action of each button) and
// the two scroll steps. Every change is stored at once and the controller
// takes it (ApplyControllerSettings); the choices made while the panel is
// hidden (its filling) change nothing.
class ControllerOptionsPage : public QWidget
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<bool()> applyControllerSettings;
        std::function<void()> updateQueueControllerStatus;
        std::function<bool()> panelVisible; // pnOptions is shown
        // The desktop's joystick tool, when it has one; false: none started.
        std::function<bool()> openControllerProperties;
    };

    ControllerOptionsPage(Settings &settings, Prompter &prompter, Hooks hooks, QWidget *parent = nullptr);

    // From the settings, as the panel opens.
    void fill();

    // The handlers of the page's controls.
    void selectEnabled(int index);
    void selectId(int index);
    void selectFeature(int index);
    void selectAction(int index);
    void resetFeatures();
    void gridPixelsChanged(int value);
    void browserPixelsChanged(int value);
    void openProperties();

    QComboBox *cbDXEnabled, *cbDXID, *cbDXFeatures, *cbDXActions;
    QPushButton *btnResetDXFeatures, *btnDXProperties;
    QSlider *tbDXGridPixels, *tbDXBrowserPixels;
    QLabel *Label9, *Label58;

private:
    void enableControls();
    void apply();

    Settings &m_settings;
    Prompter &m_prompter;
    Hooks m_hooks;
    bool m_filling = false;
    QList<QWidget *> m_controlled; // enabled only while the controller is
};
