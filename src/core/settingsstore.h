#pragma once

#include "core/safesave.h"
#include "core/settings.h"

#include <QDate>
#include <QRect>
#include <QString>
#include <QStringList>

// Loads and saves the Settings as an INI file (by default
// $XDG_CONFIG_HOME/Halvane/Vorlan.conf), one section per group of values,
// every value stored as text.
class SettingsStore
{
public:
    // workArea: the desktop without panels, for the computed window
    // defaults and the window check; today: for the two date defaults.
    SettingsStore(QString filePath, QRect workArea, QDate today);

    static QString defaultFilePath();
    // The "page processes" choice of a settings file, read before the
    // application object exists (the engine's processes are set up then):
    // the default for a file that is missing, unusable or too large.
    static int pageProcessesBeforeStart(const QString &filePath);
    static QStringList sectionNames();

    // A settings file is a few kilobytes; one larger than this is not read.
    static constexpr qint64 MaximumFileBytes = 1024 * 1024;

    // Writes missing defaults, reads every value, checks the window bounds.
    // A damaged file (an unreadable value, not text, not a plain file) resets
    // every value to its default, silently; the file is first moved aside as
    // "<name>.damaged-<time>". A file over MaximumFileBytes is moved aside the
    // same way, and the prompter (when given) says so. False only when even
    // the reset fails, or the damaged file cannot be moved out of the way.
    bool load(Settings &settings, class Prompter *prompter = nullptr);
    // Writes every value (SafeSave): on failure the old file stays and the
    // outcome names the cause, for "Could not save the settings: <cause>...".
    SafeSave::Outcome save(const Settings &settings) const;

    QString filePath() const { return m_filePath; }

    // Strict decimal 32-bit integer: optional sign, digits, nothing else.
    static bool parseInteger(const QString &text, int &value);

private:
    struct Entry;
    static const QList<Entry> &entries();
    // The value's text as the file stores it.
    static QString textOf(const Settings &settings, const Entry &entry);
    QString defaultText(const Entry &entry) const;
    bool readAll(const class IniFile &ini, Settings &settings) const;
    void checkWindow(Settings &settings) const;

    QString m_filePath;
    QRect m_workArea;
    QDate m_today;
};
