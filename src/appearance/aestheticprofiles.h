#pragma once

#include "appearance/colourschemes.h"
#include "core/safesave.h"

#include <QString>
#include <QStringList>

// The user's saved schemes: one ".acp" file per profile in the data folder's
// "Aesthetic Profiles", sixteen lines of signed decimal numbers in the order
// of AppearanceValues, each line ended by CR LF.
class AestheticProfiles
{
public:
    static const QString SaveMe; // "..Save me.."

    explicit AestheticProfiles(QString dataFolder);

    QString folder() const;
    QString filePath(const QString &name) const;

    // The nineteen schemes and every profile, sorted as the list shows them.
    QStringList listNames() const;

    // A name a profile may be saved under: not a scheme, not "..Save me..",
    // not empty, and a plain file name (no "/", "\", control characters,
    // "." or ".."). message gets why not.
    static bool isSavableName(const QString &name, QString *message = nullptr);
    // A plain file name: not empty, no "/", "\", control characters, not "." or "..".
    static bool isFileName(const QString &name);

    // Writes the values (replacing a file of that name) safely; on failure
    // the old file is untouched and the outcome names the cause.
    SafeSave::Outcome save(const QString &name, const AppearanceValues &values) const;

    enum class LoadResult {
        Loaded,      // values read
        Nothing,     // a scheme name, an empty name, "..Save me..", "Reset", no file, or not 16 lines
        Damaged,     // unreadable, or a line that is no number: values is left as it was
    };
    LoadResult load(const QString &name, AppearanceValues *values) const;

    // Deletes a profile's file, when there is one (a name that cannot be a
    // file's has none); false when it is there and could not be deleted.
    bool remove(const QString &name) const;

private:
    QString m_dataFolder;
};
