#pragma once

#include <QString>
#include <QStringList>

// The program's file dialogs. The real one shows Qt's dialogs; tests answer
// from a plan and check what was asked.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // A save dialog that asks before replacing a file. filters are name
    // filters such as "HTML File (*.html)"; chosenFilter gets the index in
    // filters of the one the user left selected. A name typed without an
    // extension gets the selected filter's, else defaultSuffix. Empty when
    // cancelled.
    virtual QString getSaveFileName(const QString &title, const QString &folder, const QString &proposal,
                                    const QStringList &filters, const QString &defaultSuffix,
                                    int *chosenFilter) = 0;

    // An open dialog for one existing file; empty when cancelled.
    virtual QString getOpenFileName(const QString &title, const QString &folder, const QString &filter,
                                    const QString &defaultSuffix) = 0;

    // A dialog for one existing folder; empty when cancelled.
    virtual QString getExistingDirectory(const QString &title) = 0;
};
