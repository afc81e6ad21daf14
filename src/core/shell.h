#pragma once

#include <QString>

// Hands addresses, files and programs to the desktop. The real one goes
// through the default handlers; tests record the calls instead.
class Shell
{
public:
    virtual ~Shell() = default;

    // Opens an address ("https://...", "mailto:...") or a local file path
    // with the desktop's default handler. False when nothing took it.
    virtual bool openWithDefaultHandler(const QString &target) = 0;

    // Starts a program file as it is: no shell, no word splitting.
    virtual bool startProgram(const QString &program) = 0;
};
