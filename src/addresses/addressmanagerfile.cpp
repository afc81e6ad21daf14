#include "addresses/addressmanagerfile.h"

#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"
#include "core/damagedfile.h"
#include "core/prompter.h"

#include <QFileInfo>
#include <QSaveFile>

const QString AddressManagerFile::DamagedMessage =
    QStringLiteral("The Web Address Manager file is damaged, resetting...");
const QString AddressManagerFile::DefaultTreePath = QStringLiteral(":/addresses/defaultfavorites.wam");

QString AddressManagerFile::fileName(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("Web Address Manager/webaddresses.wam");
}

bool AddressManagerFile::readDefaultTree(AddressTree &tree)
{
    return AddressTreeText::readTreeText(tree, DefaultTreePath) == AddressTreeText::ReadResult::Read;
}

bool AddressManagerFile::load(AddressTree &favorites, const QString &path, Prompter &prompter)
{
    bool ok = false;
    try {
        if (QFileInfo::exists(path))
            ok = AddressTreeText::readTreeText(favorites, path) == AddressTreeText::ReadResult::Read;
        else
            ok = readDefaultTree(favorites) && AddressTreeText::writeTreeText(favorites, path);
        ok = ok && AddressTreeText::classifyLoadedTree(favorites);
    } catch (...) {
        ok = false;
    }
    if (ok)
        return true;
    prompter.showInformation(DamagedMessage);
    if (QFileInfo::exists(path))
        DamagedFile::moveAside(path);
    return false;
}

bool AddressManagerFile::save(const AddressTree &favorites, const QString &path, Prompter &prompter)
{
    bool ok = false;
    try {
        ok = AddressTreeText::writeTreeText(favorites, path);
    } catch (...) {
        ok = false;
    }
    if (!ok)
        prompter.showInformation(DamagedMessage);
    return ok;
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
