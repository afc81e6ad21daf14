#include "addresses/addressmanagerfile.h"

#include <QFileInfo>
#include <QSaveFile>

QString AddressManagerFile::fileName(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("Web Address Manager/webaddresses.wam");
}

bool AddressManagerFile::ensureExists(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.isFile();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("Favorites\r\nHistory\r\n");
    return file.commit();
}
