#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QRect>
#include <QString>

class CommandRegistry;
class DropDownComboBox;
class OverlayPanels;
class QLabel;
class QWidget;
class BmpScrollBox;
class ShadowLabel;
class SkinButton;
class SkinImages;
struct RuntimeFlags;
struct Settings;

// The main window's own frame: the top and bottom strips with their
// pictures, labels and window buttons, the grid panel with its four edge
// strips around the grid scroll box, and the tool bar with its two rows of
// skinned buttons, the address bar and the select-browser list. It builds
// and places the widgets and does what a system frame would: moving and
// resizing the window by its edges and strips, minimising, maximising and
// restoring, and watching the window's size.
class WindowFrame : public QObject
{
    Q_OBJECT
public:
    static constexpr int StripHeight = 31;     // pnTop, pnBottom
    static constexpr int ControlsHeight = 65;  // pnControls
    static constexpr int GridEdge = 7;         // pnGridTop/Bottom/Left/Right
    static constexpr int ButtonPitch = 58;     // tool bar buttons overlap to this

    // Registers the window buttons' commands skMinimize, skMaximize and
    // skAppClose. workArea: the desktop without its panels.
    WindowFrame(QWidget *window, Settings &settings, RuntimeFlags &flags, OverlayPanels &overlays,
                CommandRegistry &commands, QRect workArea);

    // Places every control for the window's current size (the resize
    // handler and the control layout share it).
    void layout();
    // The designed 915 x 600 window with every control in place; false when
    // that failed.
    bool resetLayout();
    // From the application's message hook on: the pointer on the frame and
    // the resize watch.
    void startWatching();
    // The window has been resized: panels close, the controls follow.
    void windowResized();
    // The maximise button: the desktop or the work area (by the "window
    // size" setting), or back to the restored window.
    void maximizeOrRestore();
    // The skin pictures and colours of the settings.
    void applySkin(const SkinImages &skin, const Settings &settings);
    // "address bar color" and its font colour on both address boxes.
    void applyAddressBoxColours(const Settings &settings);
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

signals:
    // The window has settled at a new size, with the frame laid out for it.
    void windowSizeChanged();
    // Around the maximise button's work: before the window changes, and
    // once it has been repainted at its new bounds.
    void aboutToMaximizeOrRestore();
    void maximizedOrRestored();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildStrips();
    void buildGrid();
    void buildControls();
    void placeButtonRows(int width);
    void watchWindowSize();
    bool handlePointer(QObject *watched, QEvent *event);

    Settings &m_settings;
    RuntimeFlags &m_flags;
    OverlayPanels &m_overlays;
    QRect m_workArea;
    QHash<QString, SkinButton *> m_buttons;
    QList<QWidget *> m_dragControls;
    Qt::Edges m_hoverEdges; // window edges under the pointer, for the resize cursor
};
