// The settings file: SettingsStore::load on any bytes. Whatever the file
// holds, load succeeds (a damaged file is reset), the window it gives fits
// the work area, and what load leaves on disk loads again to the same values.

#include "core/settingsstore.h"
#include "fuzz/fuzzsupport.h"

#include <QLocale>

namespace {

const QRect WorkArea(0, 0, 1920, 1040);
const QDate Today(2026, 12, 6);

QByteArray savedBytes(const Settings &settings, const QString &path)
{
    Fuzz::require(SettingsStore(path, WorkArea, Today).save(settings), "settings can be saved");
    QFile file(path);
    Fuzz::require(file.open(QIODevice::ReadOnly), "saved settings can be read");
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QLocale::setDefault(QLocale::c());
    Fuzz::Scratch scratch;
    const QString path = scratch.write(QStringLiteral("Halvane/Vorlan.conf"), data, size);
    SettingsStore store(path, WorkArea, Today);
    Settings first;
    Fuzz::require(store.load(first), "load succeeds in a writable folder");
    Fuzz::require(first.width >= 300 && first.height >= 300 && first.top >= 0 && first.left >= 0
                      && qint64(first.top) + 300 <= WorkArea.height()
                      && qint64(first.left) + 458 <= WorkArea.width(),
                  "the window fits the work area");
    Settings second;
    Fuzz::require(store.load(second), "the file load left loads again");
    Fuzz::require(savedBytes(first, scratch.folder() + QStringLiteral("first.conf"))
                      == savedBytes(second, scratch.folder() + QStringLiteral("second.conf")),
                  "a second load gives the same values");
    return 0;
}
