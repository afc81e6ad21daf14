#include "core/datafolders.h"

#include "core/prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

const QString DataFolders::NotFound = QStringLiteral("Not Found");

QStringList DataFolders::subfolders()
{
    return {QStringLiteral("Web Address Manager"), QStringLiteral("Genre Lists"),
            QStringLiteral("Web Saves"), QStringLiteral("Aesthetic Profiles")};
}

QString DataFolders::personalFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return NotFound;
    if (!QFileInfo(documents).isDir() && !QDir().mkpath(documents))
        return NotFound;
    return QDir::cleanPath(documents);
}

// Creates the root and its subfolders one level at a time, parent first.
// A folder that cannot be made spoils the place, but the rest are still
// tried, so as much as possible exists afterwards.
bool DataFolders::createAll(const QString &root)
{
    QStringList folders{root};
    for (const QString &sub : subfolders())
        folders << root + QLatin1Char('/') + sub;
    bool usable = true;
    for (const QString &folder : folders) {
        const QFileInfo info(folder);
        if (info.isDir())
            continue;
        if (info.exists() || !QDir().mkdir(folder))
            usable = false;
    }
    return usable;
}

bool DataFolders::locate(const QString &personal, const QString &programFolder,
                         Prompter &prompter, QString &dataFolder)
{
    dataFolder = NotFound;
    if (personal != NotFound && !personal.isEmpty()) {
        const QString root = personal + QStringLiteral("/My Vorlan");
        if (createAll(root)) {
            dataFolder = root + QLatin1Char('/');
            return true;
        }
    }
    const QString root = programFolder + QStringLiteral("Default User");
    const bool usable = createAll(root);
    prompter.showPlain(QStringLiteral("Could not create My Vorlan folders under the current\n"
                                      "user account, setting folders to the default user."));
    if (usable)
        dataFolder = root + QLatin1Char('/');
    return usable;
}
