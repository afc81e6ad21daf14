// A genre's play list (*.gpl): GenreFolder::readPlayList on any bytes.

#include "audio/genrefolder.h"
#include "fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Scratch scratch;
    const QString path = scratch.write(QStringLiteral("Genre Lists/Mix.gpl"), data, size);
    QStringList paths;
    Fuzz::require(GenreFolder::readPlayList(path, &paths) == TextFile::ReadResult::Read, "a file is read");
    for (const QString &entry : paths)
        Fuzz::require(!entry.isEmpty() && !entry.contains(QLatin1Char('\n')) && !entry.contains(QLatin1Char('\r')),
                      "an entry is one line, never empty");
    // What is read is written back and read again as it was.
    Fuzz::require(GenreFolder::writePlayList(path, paths), "a play list can be written");
    QStringList again;
    Fuzz::require(GenreFolder::readPlayList(path, &again) == TextFile::ReadResult::Read && again == paths,
                  "a written play list reads back as it was");
    return 0;
}
