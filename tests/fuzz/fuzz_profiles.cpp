// A saved aesthetic profile (*.acp): AestheticProfiles::load on any bytes.
// Anything but a load leaves the values as they were.

#include "appearance/aestheticprofiles.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Scratch scratch;
    const AestheticProfiles profiles(scratch.folder());
    const QString name = QStringLiteral("Mine");
    Fuzz::Scratch::writeAt(profiles.filePath(name), data, size);
    AppearanceValues values;
    values.fill(-7);
    const AppearanceValues before = values;
    const AestheticProfiles::LoadResult result = profiles.load(name, &values);
    if (result != AestheticProfiles::LoadResult::Loaded) {
        Fuzz::require(values == before, "a profile that does not load changes nothing");
        return 0;
    }
    // A loaded profile is saved and loaded again to the same values.
    Fuzz::require(profiles.save(name, values), "a loaded profile can be saved");
    AppearanceValues again{};
    Fuzz::require(profiles.load(name, &again) == AestheticProfiles::LoadResult::Loaded && again == values,
                  "a saved profile loads as it was");
    return 0;
}
