#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class BrowserStepping;
class Prompter;
class QuietPrompter;
class QKeyEvent;
class QWidget;

// The program-wide keys, read by a filter on the application: Escape
// toggles the boss button; Ctrl with Page Up/Down, End, Home, Insert and
// Delete drives the audio player; Ctrl with the arrows steps between
// browsers; Ctrl+M mutes or unmutes the active pane. Ctrl keys are kept
// from the page with the focus.
class KeyboardShortcuts : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<bool()> toggleBossButton;
        std::function<bool()> priorSong, nextSong, priorGenre, startOrNextGenre, stopAudio;
        std::function<bool()> toggleActivePaneMute; // Ctrl+M
    };

    // Installs itself on the application.
    KeyboardShortcuts(Prompter &prompter, BrowserStepping &stepping, Hooks hooks, QObject *parent = nullptr);
    ~KeyboardShortcuts() override;

    // While one of these panels is visible no key is looked at
    // (pnOptions, pnGridTools, pnManager).
    void setBlockingPanels(const QList<QWidget *> &panels);
    // The prompter the audio operations behind the hooks report through:
    // held quiet while a shortcut runs them, so a failing key says nothing
    // where the same operation from its button says why.
    void setQuietPrompter(QuietPrompter *prompter) { m_quiet = prompter; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool examining() const;
    // A text field with the focus needs this key for itself.
    static bool textFieldWants(QObject *receiver, int key);
    void runShortcut(int key);

    Prompter &m_prompter;
    BrowserStepping &m_stepping;
    Hooks m_hooks;
    QList<QPointer<QWidget>> m_panels;
    QuietPrompter *m_quiet = nullptr;
    bool m_escapePressed = false; // the Escape being released went down here
};
