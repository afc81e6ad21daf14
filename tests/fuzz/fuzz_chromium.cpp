// A Chromium or Chrome "Bookmarks" file: SystemFavorites::readChromiumBookmarks
// on any bytes.

#include "addresses/systemfavorites.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Scratch scratch;
    const QString path = scratch.write(QStringLiteral("chromium/Default/Bookmarks"), data, size);
    SystemFavorites::Report report;
    const QStringList urls = SystemFavorites::readChromiumBookmarks(path, &report);
    Fuzz::require(!urls.contains(QString()), "no empty address is read");
    Fuzz::require(urls.size() <= SystemFavorites::MaxEntries, "no more than the entries allowed are read");
    Fuzz::require(report.refused.isEmpty(), "a regular file is never refused");
    return 0;
}
