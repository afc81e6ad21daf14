#pragma once

#include "core/filedialogs.h"

#include <QPointer>
#include <QWidget>

// The file dialogs on QFileDialog, modal to the given window.
class QtFileDialogs : public FileDialogs
{
public:
    explicit QtFileDialogs(QWidget *parent = nullptr) : m_parent(parent) {}

    QString getSaveFileName(const QString &title, const QString &folder, const QString &proposal,
                            const QStringList &filters, const QString &defaultSuffix, int *chosenFilter) override;
    QString getOpenFileName(const QString &title, const QString &folder, const QString &filter,
                            const QString &defaultSuffix) override;
    QString getExistingDirectory(const QString &title) override;

    // The extension a name filter such as "HTML File (*.html)" stands for
    // ("html"), or empty when it has none of its own.
    static QString filterSuffix(const QString &filter);

private:
    QPointer<QWidget> m_parent;
};
