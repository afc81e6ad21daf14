#pragma once

#include <QString>

// The texts the audio player shows: play list items, the status line and
// the play time.
namespace AudioTexts {

// "Stopped", the status while nothing plays.
QString stopped();
// "Playing...3  of  12": the 1-based song number and the number of songs.
QString playing(int index, int count);
// The play list item of path number index (from 0): "3 • Song" for
// ".../Song.mp3", the file name without its folders and extension.
QString displayItem(int index, const QString &path);
// A play time in milliseconds as "m:ss", or "h:mm:ss" from an hour on.
QString time(qint64 milliseconds);
// "0:42 / 3:05" for the progress bar; empty when nothing is open.
QString progress(qint64 position, qint64 length);

} // namespace AudioTexts
