#pragma once

#include "core/prompter.h"

#include <QList>
#include <QStringList>

// A prompter that records every text and answers confirmations from a plan
// (OK when the plan runs out).
class ScriptedPrompter : public Prompter
{
public:
    enum class Kind { Information, Confirmation, Plain, Credentials };
    struct Shown
    {
        Kind kind;
        QString text;
    };

    void showInformation(const QString &text) override { shown.append({Kind::Information, text}); }
    bool askConfirmation(const QString &text) override
    {
        shown.append({Kind::Confirmation, text});
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    void showPlain(const QString &text) override { shown.append({Kind::Plain, text}); }
    void closeOpenBox() override { ++closeRequests; }
    // Records the sign-in question; answers from signIns (Cancel when the
    // plan runs out).
    bool askCredentials(const QString &host, const QString &realm, QString *user, QString *password) override
    {
        shown.append({Kind::Credentials, credentialsQuestion(host, realm)});
        if (signIns.isEmpty())
            return false;
        const SignIn answer = signIns.takeFirst();
        if (!answer.ok)
            return false;
        *user = answer.user;
        *password = answer.password;
        return true;
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Shown &s : shown)
            list << s.text;
        return list;
    }

    QList<Shown> shown;
    QList<bool> answers;
    struct SignIn
    {
        bool ok;
        QString user;
        QString password;
    };
    QList<SignIn> signIns;
    int closeRequests = 0;
};
