#pragma once

#include <QString>

// The program's message boxes. Everything the program tells or asks the
// user goes through here, so tests can script the answers and check every
// text word for word.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // A modal, stay-on-top information box with one OK button. A box that
    // showInformation or askConfirmation left open is closed first.
    virtual void showInformation(const QString &text) = 0;

    // A modal, stay-on-top confirmation box with OK and Cancel; true on OK.
    // The background work is suspended while it is open.
    virtual bool askConfirmation(const QString &text) = 0;

    // The plain box (no icon, OK only) of the fatal start-up messages and the
    // data folder fallback.
    virtual void showPlain(const QString &text) = 0;

    // Closes a box that showInformation or askConfirmation left open.
    virtual void closeOpenBox() = 0;
};
