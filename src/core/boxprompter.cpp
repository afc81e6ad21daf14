#include "core/boxprompter.h"

#include "core/runtimeflags.h"

#include <QApplication>
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

void BoxPrompter::showPlain(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}
