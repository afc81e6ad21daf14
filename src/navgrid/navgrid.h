#pragma once

#include <QObject>
#include <QPoint>

class BrowserGrid;
class CommandRegistry;
class NavGridPanel;
class NavHintPanel;
class OverlayPanels;
class Prompter;
class QDropEvent;
class QMouseEvent;
class QScrollArea;
class SkinButton;
class SkinImages;
struct RuntimeFlags;
struct Settings;

// The navigation grid: the map panel (pnNavGrid) shown by skNavGrid and
// snapped to six places round the grid, the map's mouse (select a pane,
// drag it to a free square or onto the delete symbol), and the hint panel
// (pnNavHint) with the pane under the pointer while Ctrl is held or the hint
// is locked.
class NavGrid : public QObject
{
    Q_OBJECT
public:
    // The frame the panel is placed in.
    struct Parts
    {
        QWidget *window;      // MN; the panels are its children
        QWidget *pnMaster, *pnTop, *pnControls, *pnGridTop, *pnGridRight, *pnMainGrid;
        QScrollArea *sbMainGrid;
        SkinButton *skNavGrid;
    };

    static const QString DragFormat; // the map's own drag data

    // Registers skNavGrid, the six snap commands and the three hint
    // commands under their buttons' names.
    NavGrid(BrowserGrid &grid, Settings &settings, RuntimeFlags &flags, Prompter &prompter, OverlayPanels &overlays,
            CommandRegistry &commands, const SkinImages &skin, Parts parts, QObject *parent = nullptr);
    ~NavGrid() override;

    NavGridPanel *panel() const { return m_panel; }
    NavHintPanel *hint() const { return m_hint; }
    bool shown() const { return m_shown; }

    // skNavGrid: shows the panel at its last position, or hides it.
    void toggle();
    // PlaceNavGridPanel: one of the six positions (stored as the last one).
    bool placePanel(int position);
    // The window was resized: a shown panel goes to its position again.
    void windowResized();
    // Around maximise and restore: hidden before, placed again after.
    void hideForWindowChange();
    void showAfterWindowChange();
    void applySkin(const SkinImages &skin);

    void setAddressMode(bool addressMode);
    void setHintLock(bool locked);
    void setResizeMode(bool resizeMode);
    // Repaints the map when it is shown.
    void updateMap();

    // What the map's mouse and drops do, square by square.
    void pressSquare(int cell);
    void hoverSquare(int cell, Qt::KeyboardModifiers keys);
    // Drops of the dragged pane: on a square of the map, on the delete symbol.
    void dropOnSquare(int cell);
    void dropOnDelete();
    // Whether a drag or drop event carries a pane from the map itself.
    bool isMapDrag(const QDropEvent *event) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCommands(CommandRegistry &commands);
    // Repaints the map when a pane's downloads move on (each pane once).
    void followPanes();
    void startDrag();
    void showDeleteColour(bool colour);
    void hideHint();
    int gridTop() const;

    BrowserGrid &m_grid;
    Settings &m_settings;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    Parts m_parts;
    NavGridPanel *m_panel;
    NavHintPanel *m_hint;
    bool m_shown = false;
    bool m_dragging = false;   // QDrag::exec is running
    QPoint m_pressAt;          // where a press on the map went down
    bool m_pressed = false;
};
