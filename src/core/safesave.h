#pragma once

#include <QByteArray>
#include <QString>

// The one way the program writes a file: the bytes go to a temporary file in
// the same folder, every write is checked, the data is flushed to the disk
// (fsync), and only then is the temporary file renamed over the old one. On
// any failure the old file stays as it was, the temporary file is removed and
// the outcome names the real cause ("the disk is full", ...).
namespace SafeSave {

struct Outcome
{
    bool ok = false;
    // Why it failed, as a phrase for a sentence: "the disk is full".
    QString cause;
    operator bool() const { return ok; }
};

Outcome write(const QString &path, const QByteArray &bytes);

// The phrase for an errno value.
QString causeOf(int error);

// "Could not save <what>: <cause>. The earlier file is kept." (or "Nothing
// was written." when there was no earlier file).
QString failureMessage(const QString &what, const QString &path, const Outcome &outcome);

} // namespace SafeSave
