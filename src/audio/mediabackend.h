#pragma once

#include <QObject>
#include <QString>

// What the audio player asks of a media player: one file open at a time,
// its length and play position in milliseconds, and word when it ends.
class MediaBackend : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Closes the open file and opens this one, ready to play from the start.
    // False when the file cannot be played; nothing is open then.
    virtual bool open(const QString &path) = 0;
    virtual void close() = 0;
    // Plays the open file in the background; false when none is open.
    virtual bool play() = 0;
    // Holds the open file at its place; play() goes on from there.
    virtual void pause() = 0;
    // Of the open file; 0 when none is open or the length is not known. Once
    // the file has ended, its position is its length.
    virtual qint64 length() const = 0;
    virtual qint64 position() const = 0;
    // The file last opened could not play because no audio output could be
    // opened (no sound device, or none that answers): any other file would
    // fare the same. Until the next open().
    virtual bool outputFailed() const = 0;

signals:
    // The open file has played to its end, or failed while playing.
    void endOfFile(bool failed);
};
