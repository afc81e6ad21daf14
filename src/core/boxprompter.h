#pragma once

#include "core/prompter.h"

#include <QPointer>

class QDialog;
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
    bool askCredentials(const QString &host, const QString &realm, QString *user, QString *password) override;
    bool askRememberable(const QString &text, const QString &rememberText, bool *remember) override;

private:
    int runBox(QMessageBox *box);

    RuntimeFlags &m_flags;
    QPointer<QMessageBox> m_openBox;
    QPointer<QDialog> m_openDialog;
};
