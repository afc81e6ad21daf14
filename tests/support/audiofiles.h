#pragma once

#include "support/testfiles.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <cstring>

// Tiny audio files for the player's tests: a WAV header and a square wave,
// 8000 samples a second, mono, 16 bits. libmpv finds the format by the
// content, so the file may be named "song.mp3" or "song.wma".
namespace AudioFiles {

inline QByteArray wav(int milliseconds)
{
    const quint32 rate = 8000;
    const quint32 samples = rate * quint32(milliseconds) / 1000;
    const quint32 dataBytes = samples * 2;
    QByteArray bytes(44, '\0');
    char *h = bytes.data();
    const auto put32 = [h](int at, quint32 v) { qToLittleEndian<quint32>(v, h + at); };
    const auto put16 = [h](int at, quint16 v) { qToLittleEndian<quint16>(v, h + at); };
    memcpy(h, "RIFF", 4);
    put32(4, 36 + dataBytes);
    memcpy(h + 8, "WAVEfmt ", 8);
    put32(16, 16);       // format chunk size
    put16(20, 1);        // PCM
    put16(22, 1);        // mono
    put32(24, rate);
    put32(28, rate * 2); // bytes a second
    put16(32, 2);        // bytes a sample
    put16(34, 16);       // bits a sample
    memcpy(h + 36, "data", 4);
    put32(40, dataBytes);
    QByteArray data(int(dataBytes), '\0');
    for (quint32 i = 0; i < samples; ++i)
        qToLittleEndian<qint16>(i % 20 < 10 ? 3000 : -3000, data.data() + 2 * i);
    return bytes + data;
}

// A playable song of that length.
inline QString song(const QString &path, int milliseconds)
{
    return TestFiles::write(path, wav(milliseconds)) ? path : QString();
}

// A file with an audio name that no player can play.
inline QString unplayable(const QString &path)
{
    return TestFiles::write(path, "this is a text, not a song\n") ? path : QString();
}

} // namespace AudioFiles
