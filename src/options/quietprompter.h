#pragma once

#include "core/prompter.h"

// The prompter of operations that some callers run without a word: it
// passes everything on to the program's prompter, except while held quiet,
// when the failure reports (information and plain boxes) are dropped.
// Questions are still asked: an answer cannot be left out.
class QuietPrompter : public Prompter
{
public:
    explicit QuietPrompter(Prompter &inner) : m_inner(inner) {}

    void showInformation(const QString &text) override;
    bool askConfirmation(const QString &text) override;
    void showPlain(const QString &text) override;
    void closeOpenBox() override;

    bool quiet() const { return m_holds > 0; }

    // Quiet for as long as it lives; holds may nest.
    class Hold
    {
    public:
        explicit Hold(QuietPrompter *prompter) : m_prompter(prompter)
        {
            if (m_prompter)
                ++m_prompter->m_holds;
        }
        ~Hold()
        {
            if (m_prompter)
                --m_prompter->m_holds;
        }
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

    private:
        QuietPrompter *m_prompter;
    };

private:
    Prompter &m_inner;
    int m_holds = 0;
};
