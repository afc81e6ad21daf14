#include "pane/popuplimit.h"

bool PopUpLimit::allow(qint64 nowMs)
{
    if (nowMs - m_lastAct <= GestureSpan && nowMs >= m_lastAct)
        return true;
    while (!m_unasked.isEmpty() && nowMs - m_unasked.first() >= Window)
        m_unasked.removeFirst();
    if (m_unasked.size() >= Allowed)
        return false;
    m_unasked.append(nowMs);
    return true;
}
