#include "options/quietprompter.h"

void QuietPrompter::showInformation(const QString &text)
{
    if (!quiet())
        m_inner.showInformation(text);
}

bool QuietPrompter::askConfirmation(const QString &text)
{
    return m_inner.askConfirmation(text);
}

void QuietPrompter::showPlain(const QString &text)
{
    if (!quiet())
        m_inner.showPlain(text);
}

void QuietPrompter::closeOpenBox()
{
    m_inner.closeOpenBox();
}
