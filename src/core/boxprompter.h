#pragma once

#include "core/prompter.h"

#include <QPointer>

class QMessageBox;
struct RuntimeFlags;

// Prompter with real message boxes.
class BoxPrompter : public Prompter
{
public:
    explicit BoxPrompter(RuntimeFlags &flags);
    ~BoxPrompter() override;

    void showInformation(const QString &text) override;
    bool askConfirmation(const QString &text) override;
    void showPlain(const QString &text) override;
    void closeOpenBox() override;

private:
    int runBox(QMessageBox *box);

    RuntimeFlags &m_flags;
    QPointer<QMessageBox> m_openBox;
};
