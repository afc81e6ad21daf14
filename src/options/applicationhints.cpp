#include "options/applicationhints.h"

#include "appearance/widgets/shadowlabel.h"
#include "appearance/widgets/skinbutton.h"
#include "core/settings.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

ApplicationHints::ApplicationHints(Settings &settings, SkinButton *skCustom, ShadowLabel *laHints, QObject *parent)
    : QObject(parent), m_settings(settings), m_custom(skCustom), m_lineLabel(laHints)
{
    qApp->installEventFilter(this);
}

ApplicationHints::~ApplicationHints()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool ApplicationHints::apply()
{
    if (m_custom)
        m_custom->setToolTip(m_settings.customButtonHint);
    switch (m_settings.applicationHints) {
    case 1:
        m_popUps = false;
        m_line = false;
        break;
    case 2:
        m_popUps = true;
        m_line = false;
        break;
    case 3:
        m_popUps = false;
        m_line = true;
        break;
    default: // 0, and any value the list does not hold
        m_popUps = true;
        m_line = true;
        break;
    }
    return true;
}

bool ApplicationHints::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip)
        return !m_popUps;
    if (event->type() == QEvent::Enter && m_line && m_lineLabel && watched->isWidgetType()) {
        // The hint of the control under the pointer, or of the nearest one
        // around it that has one; none clears the line.
        QString hint;
        for (auto *w = static_cast<QWidget *>(watched); w && hint.isEmpty() && !w->isWindow(); w = w->parentWidget())
            hint = w->toolTip();
        if (m_lineLabel->window() == static_cast<QWidget *>(watched)->window())
            m_lineLabel->setText(hint);
    }
    return false;
}
