#include "core/boxprompter.h"

#include "core/runtimeflags.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

BoxPrompter::BoxPrompter(RuntimeFlags &flags) : m_flags(flags) {}

BoxPrompter::~BoxPrompter()
{
    closeOpenBox();
}

void BoxPrompter::closeOpenBox()
{
    if (m_openBox)
        m_openBox->done(QMessageBox::Cancel);
    m_openBox.clear();
    if (m_openDialog)
        m_openDialog->reject();
    m_openDialog.clear();
}

int BoxPrompter::runBox(QMessageBox *box)
{
    box->setWindowTitle(QApplication::applicationName());
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    m_openBox = box;
    const int answer = box->exec();
    if (m_openBox == box)
        m_openBox.clear();
    return answer;
}

void BoxPrompter::showInformation(const QString &text)
{
    closeOpenBox();
    QMessageBox box(QMessageBox::Information, QString(), text, QMessageBox::Ok);
    runBox(&box);
}

bool BoxPrompter::askConfirmation(const QString &text)
{
    closeOpenBox();
    BackgroundSuspension suspended(m_flags);
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    return runBox(&box) == QMessageBox::Ok;
}

bool BoxPrompter::askRememberable(const QString &text, const QString &rememberText, bool *remember)
{
    closeOpenBox();
    BackgroundSuspension suspended(m_flags);
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::Yes | QMessageBox::No);
    // Enter refuses: nothing is let through by a stray key.
    box.setDefaultButton(QMessageBox::No);
    auto *tick = new QCheckBox(rememberText);
    tick->setObjectName(QStringLiteral("Remember"));
    box.setCheckBox(tick);
    const bool yes = runBox(&box) == QMessageBox::Yes;
    if (remember)
        *remember = tick->isChecked();
    return yes;
}

void BoxPrompter::showPlain(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

bool BoxPrompter::askCredentials(const QString &host, const QString &realm, QString *user, QString *password)
{
    closeOpenBox();
    BackgroundSuspension suspended(m_flags);
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("SignIn"));
    dialog.setWindowTitle(QApplication::applicationName());
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    auto *layout = new QFormLayout(&dialog);
    auto *question = new QLabel(credentialsQuestion(host, realm), &dialog);
    question->setWordWrap(true);
    layout->addRow(question);
    auto *userEdit = new QLineEdit(&dialog);
    userEdit->setObjectName(QStringLiteral("User"));
    auto *passwordEdit = new QLineEdit(&dialog);
    passwordEdit->setObjectName(QStringLiteral("Password"));
    passwordEdit->setEchoMode(QLineEdit::Password);
    layout->addRow(QStringLiteral("User name:"), userEdit);
    layout->addRow(QStringLiteral("Password:"), passwordEdit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    userEdit->setFocus();
    m_openDialog = &dialog;
    const bool ok = dialog.exec() == QDialog::Accepted && !userEdit->text().isEmpty();
    m_openDialog.clear();
    if (!ok)
        return false;
    if (user)
        *user = userEdit->text();
    if (password)
        *password = passwordEdit->text();
    return true;
}
