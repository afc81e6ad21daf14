#pragma once

#include <QHash>
#include <QList>
#include <QString>

class DropDownComboBox;
class QLabel;
class QWidget;
class BmpScrollBox;
class ShadowLabel;
class SkinButton;
class SkinImages;
struct Settings;

// The main window's own frame: the top and bottom strips with their
// pictures, labels and window buttons, the grid panel with its four edge
// strips around the grid scroll box, and the tool bar with its two rows of
// skinned buttons, the address bar and the select-browser list. It builds
// the widgets and places them; the main window gives them their meaning.
class WindowFrame
{
public:
    static constexpr int StripHeight = 31;     // pnTop, pnBottom
    static constexpr int ControlsHeight = 65;  // pnControls
    static constexpr int GridEdge = 7;         // pnGridTop/Bottom/Left/Right
    static constexpr int ButtonPitch = 58;     // tool bar buttons overlap to this

    explicit WindowFrame(QWidget *window);

    // Places every control for the window's current size (the resize
    // handler and the control layout share it).
    void layout();
    // The skin pictures and colours of the settings.
    void applySkin(const SkinImages &skin, const Settings &settings);
    // Frame controls whose press moves the window.
    QList<QWidget *> dragControls() const { return m_dragControls; }

    // Every tool bar button by object name ("skNavGrid", ...).
    SkinButton *button(const QString &name) const { return m_buttons.value(name); }
    QStringList buttonNames() const;

    QWidget *window;
    QWidget *pnMaster, *pnTop, *pnBottom, *pnCenter, *pnGrid, *pnControls, *pnButtons;
    QWidget *pnGridTop, *pnGridBottom, *pnGridLeft, *pnGridRight, *pnMainGrid;
    BmpScrollBox *sbMainGrid;
    QLabel *imTopLeft, *imTopRight, *imTopCenterLip, *imTopCenterStatus;
    QLabel *imBottomLeft, *imBottomRight, *imBottomCenterLip, *imBottomCenterStatus;
    QLabel *imGridTopLeft, *imGripTopCenter, *imGridTopRight;
    QLabel *imGridBottomLeft, *imGridBottomCenter, *imGridBottomRight;
    QLabel *imGridLeft, *imGridRight, *imResize;
    ShadowLabel *laHints, *laAudio, *laQueue, *laLocalIP, *laActiveIP, *laBrowserInfo;
    SkinButton *skAppClose, *skMaximize, *skMinimize;
    DropDownComboBox *cbWebAddressBar, *cbSelectBrowserList;

private:
    void buildStrips();
    void buildGrid();
    void buildControls();
    void placeButtonRows(int width);

    QHash<QString, SkinButton *> m_buttons;
    QList<QWidget *> m_dragControls;
};
