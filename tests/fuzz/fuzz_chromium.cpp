// A Chromium or Chrome "Bookmarks" file: SystemFavorites::readChromiumBookmarks
// on any bytes.

#include "addresses/systemfavorites.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Scratch scratch;
    const QString path = scratch.write(QStringLiteral("chromium/Default/Bookmarks"), data, size);
    const QStringList urls = SystemFavorites::readChromiumBookmarks(path);
    Fuzz::require(!urls.contains(QString()), "no empty address is read");
    return 0;
}
