#pragma once

#include "core/shell.h"

#include <QStringList>

// A shell that records what it was asked to open or start.
class RecordingShell : public Shell
{
public:
    bool openWithDefaultHandler(const QString &target) override
    {
        opened << target;
        return true;
    }
    bool startProgram(const QString &program) override
    {
        started << program;
        return true;
    }
    QStringList opened;
    QStringList started;
};
