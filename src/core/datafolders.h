#pragma once

#include <QString>
#include <QStringList>

class Prompter;

// Finds or creates the folders where the program keeps its files: "My
// Vorlan" in the user's documents folder, or "Default User" beside the
// program when that cannot be used.
class DataFolders
{
public:
    static const QString NotFound; // "Not Found"

    // The four subfolders, in creation order.
    static QStringList subfolders();

    // The user's documents folder, created when missing; NotFound when
    // there is none.
    static QString personalFolder();

    // personal: the documents folder (or NotFound); programFolder ends with
    // "/". Sets dataFolder to the chosen folder with a trailing "/", or
    // NotFound. Returns whether a place was usable.
    static bool locate(const QString &personal, const QString &programFolder,
                       Prompter &prompter, QString &dataFolder);

private:
    static bool createAll(const QString &root);
};
