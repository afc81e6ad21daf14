#pragma once

#include "pane/pagedialog.h"

#include <QApplication>

// The page box (alert, confirm, prompt) shown over a pane now, if any.
inline PageDialog *shownPageDialog()
{
    for (QWidget *w : QApplication::allWidgets())
        if (auto *dialog = qobject_cast<PageDialog *>(w); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}
