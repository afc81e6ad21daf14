#pragma once

#include "core/prompter.h"

#include <QList>
#include <QStringList>

// A prompter that records every text and answers confirmations from a plan
// (OK when the plan runs out).
class ScriptedPrompter : public Prompter
{
public:
    enum class Kind { Information, Confirmation, Plain };
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

    QStringList texts() const
    {
        QStringList list;
        for (const Shown &s : shown)
            list << s.text;
        return list;
    }

    QList<Shown> shown;
    QList<bool> answers;
    int closeRequests = 0;
};
