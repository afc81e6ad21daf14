#include "options/keyboardshortcuts.h"

#include "core/prompter.h"
#include "options/browserstepping.h"
#include "options/quietprompter.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {

// The Ctrl keys that are kept from the focused widget on the way down.
bool isCtrlShortcutKey(int key)
{
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
    case Qt::Key_M:
        return true;
    default:
        return false;
    }
}

bool run(const std::function<bool()> &hook)
{
    try {
        return hook && hook();
    } catch (...) {
        return false;
    }
}

} // namespace

KeyboardShortcuts::KeyboardShortcuts(Prompter &prompter, BrowserStepping &stepping, Hooks hooks, QObject *parent)
    : QObject(parent), m_prompter(prompter), m_stepping(stepping), m_hooks(std::move(hooks))
{
    qApp->installEventFilter(this);
}

KeyboardShortcuts::~KeyboardShortcuts()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void KeyboardShortcuts::setBlockingPanels(const QList<QWidget *> &panels)
{
    m_panels.clear();
    for (QWidget *panel : panels)
        m_panels.append(panel);
}

bool KeyboardShortcuts::examining() const
{
    for (const auto &panel : m_panels)
        if (panel && panel->isVisible())
            return false;
    // A dialog or an open menu takes its keys itself (Escape closes it).
    return !QApplication::activeModalWidget() && !QApplication::activePopupWidget();
}

bool KeyboardShortcuts::textFieldWants(QObject *receiver, int key)
{
    const auto isTextField = [](QObject *w) {
        return qobject_cast<QLineEdit *>(w) || qobject_cast<QTextEdit *>(w) || qobject_cast<QPlainTextEdit *>(w)
               || qobject_cast<QAbstractSpinBox *>(w);
    };
    // The receiver, or the focus a key the field ignored passed on from.
    if (!isTextField(receiver) && !isTextField(QApplication::focusWidget()))
        return false;
    switch (key) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

bool KeyboardShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    // A key reaches the window object first and then the focused widget:
    // the widget's delivery is the one that counts.
    if (!watched->isWidgetType())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const int code = key->key();
    // A key inside a popup (an open drop-down list, a menu) is the popup's,
    // also on the part of its way after the popup closed itself with it.
    const bool inPopup = static_cast<QWidget *>(watched)->window()->windowType() == Qt::Popup;
    if (inPopup || !examining()) {
        // An Escape that closes a dialog, a menu or a list must not come
        // back as a boss button on its release.
        if (code == Qt::Key_Escape)
            m_escapePressed = false;
        return false;
    }
    const bool ctrl = key->modifiers().testFlag(Qt::ControlModifier);
    if (code == Qt::Key_Escape && type == QEvent::KeyPress)
        m_escapePressed = true;
    if (ctrl && textFieldWants(watched, code))
        return false;
    if (type == QEvent::KeyPress)
        return ctrl && isCtrlShortcutKey(code);
    if (key->isAutoRepeat())
        return code == Qt::Key_Escape || (ctrl && isCtrlShortcutKey(code));
    if (code == Qt::Key_Escape) {
        const bool pressedHere = m_escapePressed;
        m_escapePressed = false;
        if (pressedHere && !run(m_hooks.toggleBossButton))
            m_prompter.showInformation(QStringLiteral("Could not set the boss button."));
        return true;
    }
    if (!ctrl || !isCtrlShortcutKey(code))
        return false;
    runShortcut(code);
    return true;
}

void KeyboardShortcuts::runShortcut(int key)
{
    // The audio and browser keys report nothing when they fail.
    const QuietPrompter::Hold quiet(m_quiet);
    switch (key) {
    case Qt::Key_PageUp:
        run(m_hooks.priorSong);
        break;
    case Qt::Key_PageDown:
        run(m_hooks.nextSong);
        break;
    case Qt::Key_End:
        run(m_hooks.priorGenre);
        break;
    case Qt::Key_Home:
    case Qt::Key_Insert:
        run(m_hooks.startOrNextGenre);
        break;
    case Qt::Key_Delete:
        run(m_hooks.stopAudio);
        break;
    case Qt::Key_M:
        run(m_hooks.toggleActivePaneMute);
        break;
    case Qt::Key_Left:
        if (!m_stepping.selectPrior())
            m_stepping.selectLast();
        break;
    case Qt::Key_Up:
        if (!m_stepping.selectFirst())
            m_stepping.selectLast();
        break;
    case Qt::Key_Right:
        if (!m_stepping.selectNext())
            m_stepping.selectFirst();
        break;
    case Qt::Key_Down:
        if (!m_stepping.selectLast())
            m_stepping.selectFirst();
        break;
    default:
        break;
    }
}
