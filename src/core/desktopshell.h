#pragma once

#include "core/shell.h"

// Shell through the desktop's default handlers (xdg-open and friends).
class DesktopShell : public Shell
{
public:
    bool openWithDefaultHandler(const QString &target) override;
    bool startProgram(const QString &program) override;
};
