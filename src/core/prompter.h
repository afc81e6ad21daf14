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

    // A sign-in box for a site (its host and the realm it names) with a user
    // name and a password; true on OK with both filled in. What the user
    // types is used once and never kept.
    virtual bool askCredentials(const QString &host, const QString &realm, QString *user, QString *password)
    {
        Q_UNUSED(host);
        Q_UNUSED(realm);
        Q_UNUSED(user);
        Q_UNUSED(password);
        return false;
    }

    // A modal yes/no question with a tick box under it (rememberText,
    // unticked at first); true on Yes. *remember says whether the box was
    // ticked. A prompter without the tick box asks askConfirmation, and the
    // answer is not remembered.
    virtual bool askRememberable(const QString &text, const QString &rememberText, bool *remember)
    {
        Q_UNUSED(rememberText);
        if (remember)
            *remember = false;
        return askConfirmation(text);
    }

    // The question of askCredentials.
    static QString credentialsQuestion(const QString &host, const QString &realm)
    {
        return realm.isEmpty() ? QStringLiteral("%1 asks you to sign in.").arg(host)
                               : QStringLiteral("%1 asks you to sign in to \"%2\".").arg(host, realm);
    }
};
