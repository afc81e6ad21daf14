// A Firefox "places.sqlite": SystemFavorites::readFirefoxPlaces on any bytes.
// Most inputs are refused by sqlite itself; the seeds are real databases, so
// the mutations that keep a database readable reach the bookmark walk.

#include "addresses/systemfavorites.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::startApplication(); // the sqlite driver is a plugin
    Fuzz::Scratch scratch;
    const QString path = scratch.write(QStringLiteral("firefox/profile/places.sqlite"), data, size);
    SystemFavorites::Report report;
    const QStringList urls = SystemFavorites::readFirefoxPlaces(path, &report);
    Fuzz::require(urls.size() <= SystemFavorites::MaxEntries, "no more than the entries allowed are read");
    for (const QString &url : urls)
        Fuzz::require(!url.isEmpty() && !url.startsWith(QLatin1String("place:")), "only bookmarks are read");
    return 0;
}
