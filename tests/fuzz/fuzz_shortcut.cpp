// An Internet shortcut (*.url) of a Windows Favorites folder:
// SystemFavorites::readInternetShortcut on any bytes.

#include "addresses/systemfavorites.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Scratch scratch;
    const QString path = scratch.write(QStringLiteral("Favorites/Link.url"), data, size);
    const QString url = SystemFavorites::readInternetShortcut(path);
    Fuzz::require(url.size() <= SystemFavorites::MaxShortcutLength, "an address is never longer than the limit");
    Fuzz::require(!url.contains(QLatin1Char('\n')) && !url.contains(QLatin1Char('\r')),
                  "an address is one line");
    return 0;
}
