// The address manager file (webaddresses.wam, and the .amf files imports
// read in the same form): AddressManagerFile::load on any bytes. Every
// input gives a tree with both roots. One that is damaged is told once and
// moved aside, never left in place. Whatever was loaded is written, and
// reads back as the same tree without a word; written again it gives the
// same bytes.

#include "addresses/addressmanagerfile.h"
#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"
#include "fuzz/fuzzsupport.h"
#include "support/scriptedprompter.h"

#include <QFile>
#include <QFileInfo>

static QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Scratch scratch;
    const QString path = scratch.write(QStringLiteral("Web Address Manager/webaddresses.wam"), data, size);
    ScriptedPrompter prompter;
    AddressTree tree;
    const AddressManagerFile::Loaded loaded = AddressManagerFile::load(tree, path, prompter);
    Fuzz::require(tree.firstNodeOfKind(AddressNodeKind::nkFavoritesRoot)
                      && tree.firstNodeOfKind(AddressNodeKind::nkHistoryRoot),
                  "a loaded tree has both roots");
    if (loaded == AddressManagerFile::Loaded::Read) {
        Fuzz::require(prompter.shown.isEmpty(), "a file that loads is not reported");
    } else {
        Fuzz::require(loaded == AddressManagerFile::Loaded::Salvaged, "a damaged file is salvaged");
        Fuzz::require(prompter.shown.size() == 1, "a damaged file is reported once");
        Fuzz::require(!QFileInfo::exists(path), "a damaged file is moved aside");
    }
    const QStringList lines = AddressTreeText::treeLines(tree);
    Fuzz::require(AddressManagerFile::save(tree, path).ok, "a loaded tree can be saved");
    const QByteArray written = bytesOf(path);
    AddressTree again;
    ScriptedPrompter quiet;
    Fuzz::require(AddressManagerFile::load(again, path, quiet) == AddressManagerFile::Loaded::Read
                      && quiet.shown.isEmpty(),
                  "a saved tree loads without a word");
    Fuzz::require(AddressTreeText::treeLines(again) == lines, "a saved tree loads as it was");
    Fuzz::require(AddressManagerFile::save(again, path).ok && bytesOf(path) == written,
                  "a tree read back is written byte for byte as before");
    return 0;
}
