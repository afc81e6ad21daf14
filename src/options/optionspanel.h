#pragma once

#include "options/optionfeatures.h"
#include "options/optionshooks.h"

#include <QFrame>

#include <functional>
#include <memory>

class AestheticsEditor;
class BrowserGrid;
class CustomButton;
class FileDialogs;
class OverlayPanels;
class Prompter;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabWidget;
class QWebEngineProfile;
struct RuntimeFlags;
struct Settings;

// The options panel (pnOptions): the pages "Browser", "Aesthetics",
// "Direct Input" and "General", and "Extras" with the program's own
// additions (sound of the panes, click to activate, session). Each page's "Features and Actions" pair is
// a FeaturePair over the page's rows; the "Browser" page also sizes the
// panes by hand, the "Aesthetics" page shows the colour editor and the
// grid's background picture, the "General" page the custom button.
class OptionsPanel : public QFrame
{
    Q_OBJECT
public:
    enum Page { BrowserPage, AestheticsPage, DirectInputPage, GeneralPage, ExtrasPage };
    static constexpr QSize PanelSize{470, 420};

    // window: the main window the panel floats in. custom: the custom
    // button's operations (the page edits its settings).
    OptionsPanel(Settings &settings, RuntimeFlags &flags, Prompter &prompter, FileDialogs &dialogs,
                 BrowserGrid &grid, OverlayPanels &overlays, CustomButton &custom, OptionsHooks hooks,
                 QWidget *window);
    ~OptionsPanel() override;

    // The "Direct Input" page, and how it fills itself when the panel opens.
    void setDirectInputPage(QWidget *page, std::function<void()> fill);
    // The profile the embedded browsers share (the program's own when not set).
    void setWebProfile(QWebEngineProfile *profile) { m_webProfile = profile; }

    // Options1Click: opens the panel on "Browser", or says the window is too
    // small.
    void open();

    // The size group: btnApplyBroSize, btnResetBroSize, cbBroSizeMethod.
    // Each acts only while the panel is shown.
    void applyBrowserSize();
    void resetBrowserSize();
    void selectSizeMethod(int method);

    // The grid background group.
    void openGridBackground();
    void clearGridBackground();
    // btnOpenInternetProperties: the internet options dialog (modal).
    void openInternetOptions();

    FeaturePair *browserFeatures() const { return m_browserPair; }
    FeaturePair *aestheticsFeatures() const { return m_aestheticsPair; }
    FeaturePair *generalFeatures() const { return m_generalPair; }
    FeaturePair *extrasFeatures() const { return m_extrasPair; }
    AestheticsEditor *aesthetics() const { return m_aesthetics; }

    QTabWidget *pcOptions;
    QComboBox *cbBroFeatures, *cbBroActions, *cbAesFeatures, *cbAesActions, *cbGeneralFeatures, *cbGeneralActions;
    QComboBox *cbExtraFeatures, *cbExtraActions;
    QPushButton *btnResetExtraFeatures;
    QLineEdit *edBroActions;
    QPushButton *btnResetBroFeatures, *btnResetAesFeatures, *btnResetGeneralFeatures;
    QComboBox *cbBroSizeMethod;
    QSlider *tbBrowserWidth, *tbBrowserHeight;
    QLabel *Label3, *Label4, *Label5, *Label6, *Label11;
    QPushButton *btnResetBroSize, *btnApplyBroSize, *btnOpenInternetProperties;
    QComboBox *cbColorObjects, *cbColorBox, *cbProfileFiles;
    QPushButton *btnSaveProfile, *btnDeleteProfile, *btnOpenGridBackground, *btnClearGridBackground;
    QLineEdit *edCustomHint, *edCustomPath;
    QPushButton *btnOpenCustom, *btnResetCustom;
    QComboBox *cbxGlyphs;
    QPushButton *btnCloseOptions, *btnOptionsHelp;

    // The dialog filter of the background picture.
    static QString pictureFilter();

private:
    QWidget *buildBrowserPage();
    QWidget *buildAestheticsPage();
    QWidget *buildGeneralPage();
    QWidget *buildExtrasPage();
    QWidget *buildPair(QWidget *page, const char *features, const char *actions, const char *reset,
                       QComboBox **featureBox, QComboBox **actionBox, QPushButton **resetButton);
    void fillSizeGroup();
    void enableSizeControls();
    void showAesthetics();
    bool runHook(const std::function<bool()> &hook);
    void showFailure(const std::function<bool()> &hook, const QString &message);

    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    FileDialogs &m_dialogs;
    BrowserGrid &m_grid;
    OverlayPanels &m_overlays;
    CustomButton &m_custom;
    OptionsHooks m_hooks;
    QWidget *m_window;
    AestheticsEditor *m_aesthetics;
    FeaturePair *m_browserPair = nullptr;
    FeaturePair *m_aestheticsPair = nullptr;
    FeaturePair *m_generalPair = nullptr;
    FeaturePair *m_extrasPair = nullptr;
    std::function<void()> m_fillDirectInput;
    QWebEngineProfile *m_webProfile = nullptr;
};
