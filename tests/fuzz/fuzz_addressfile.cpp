// The address manager file (webaddresses.wam, and the .amf files imports
// read in the same form): AddressManagerFile::load on any bytes. A file
// that loads is written back and loads again to the same tree; one that
// does not is reported once and moved aside, never left in place.

#include "addresses/addressmanagerfile.h"
#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"
#include "fuzz/fuzzsupport.h"
#include "support/scriptedprompter.h"

#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Scratch scratch;
    const QString path = scratch.write(QStringLiteral("Web Address Manager/webaddresses.wam"), data, size);
    ScriptedPrompter prompter;
    AddressTree tree;
    if (!AddressManagerFile::load(tree, path, prompter)) {
        Fuzz::require(prompter.texts() == QStringList{AddressManagerFile::DamagedMessage},
                      "a damaged file is reported once");
        Fuzz::require(!QFileInfo::exists(path), "a damaged file is moved aside");
        return 0;
    }
    Fuzz::require(prompter.shown.isEmpty(), "a file that loads is not reported");
    const QStringList lines = AddressTreeText::treeLines(tree);
    Fuzz::require(AddressManagerFile::save(tree, path, prompter), "a loaded tree can be saved");
    AddressTree again;
    Fuzz::require(AddressManagerFile::load(again, path, prompter), "a saved tree loads");
    Fuzz::require(AddressTreeText::treeLines(again) == lines, "a saved tree loads as it was");
    return 0;
}
