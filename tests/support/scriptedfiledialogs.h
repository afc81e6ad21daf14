#pragma once

#include "core/filedialogs.h"

#include <QStringList>

// File dialogs that answer from a plan and record what they were asked.
class ScriptedFileDialogs : public FileDialogs
{
public:
    QString getSaveFileName(const QString &title, const QString &folder, const QString &proposal,
                            const QStringList &filters, const QString &, int *chosenFilter) override
    {
        asked << title;
        folders << folder;
        proposals << proposal;
        lastFilters = filters;
        if (chosenFilter)
            *chosenFilter = saveFilter;
        return saveAnswer;
    }
    QString getOpenFileName(const QString &title, const QString &folder, const QString &filter,
                            const QString &) override
    {
        asked << title;
        folders << folder;
        lastFilters = QStringList{filter};
        return openAnswer;
    }

    QString getExistingDirectory(const QString &title) override
    {
        asked << title;
        return folderAnswer;
    }

    QString saveAnswer;
    QString folderAnswer;
    int saveFilter = 0;
    QString openAnswer;
    QStringList asked;
    QStringList folders;
    QStringList proposals;
    QStringList lastFilters;
};
