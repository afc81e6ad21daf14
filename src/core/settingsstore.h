#pragma once

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
    static QStringList sectionNames();

    // Writes missing defaults, reads every value, checks the window bounds.
    // An unreadable value resets every value to its default, silently.
    // False only when even the reset fails.
    bool load(Settings &settings);
    // Writes every value. False on any error.
    bool save(const Settings &settings) const;

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
