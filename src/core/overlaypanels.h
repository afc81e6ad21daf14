#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

struct RuntimeFlags;
class Prompter;
class QWidget;

// The floating panels shown over the grid (options, grid tools, address
// manager, calendar, about): one open at a time, opened centred when the
// window is large enough, moved by their title strips, kept reachable when
// dropped.
class OverlayPanels : public QObject
{
    Q_OBJECT
public:
    OverlayPanels(QWidget *window, RuntimeFlags &flags, Prompter &prompter, QObject *parent = nullptr);

    // A panel that HideOverlayPanels hides.
    void addPanel(QWidget *panel);
    // Pressing and dragging this strip moves its parent panel.
    void addTitleStrip(QWidget *strip);

    // Hides every panel (HideOverlayPanels).
    void hideAll();
    // Opens a panel by the rule: nothing when it is open already; when it
    // fits inside the window, hide the others, centre it and show it; else
    // show tooSmallMessage and change nothing. True when it was opened.
    bool open(QWidget *panel, const QString &tooSmallMessage);
    bool anyVisible() const;

signals:
    // A panel was dropped after a drag (the grid lays itself out again).
    void panelDropped();
    // A panel moved under a dragging pointer.
    void panelMoved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    QList<QPointer<QWidget>> m_panels;
    QList<QPointer<QWidget>> m_strips;
};
