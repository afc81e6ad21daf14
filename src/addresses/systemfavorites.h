#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The web addresses the user keeps outside this program: the Internet
// shortcuts (*.url) of a Favorites folder copied from Windows, and the
// bookmarks of the Chromium, Chrome and Firefox profiles the user has.
//
// Everything here may run on a thread of its own (it touches no widget and
// no tree): the files are other programs' and may be huge, deep, or not
// files at all. Only regular files of at most MaxFileSize bytes are read, a
// bookmark tree is walked at most MaxDepth levels deep and at most
// MaxEntries entries far, and the Report says what was left out.
class SystemFavorites
{
public:
    // Where they are looked for.
    struct Sources
    {
        QString favoritesFolder; // ~/Favorites
        QString configFolder;    // $XDG_CONFIG_HOME (~/.config): chromium/*/Bookmarks, google-chrome/*/Bookmarks
        QString firefoxFolder;   // ~/.mozilla/firefox: */places.sqlite

        static Sources system();
    };

    // The longest address read from a shortcut.
    static constexpr int MaxShortcutLength = 2047;
    static constexpr int MaxDepth = 100;
    static constexpr int MaxEntries = 100000;
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    // What the user is told after a read.
    struct Report
    {
        bool chromiumLeftOut = false;
        bool firefoxLeftOut = false;
        QStringList refused; // one line per file not read, with the cause

        // The lines to show, in order; empty when there is nothing to tell.
        QStringList messages() const;
    };
    static const QString ChromiumLeftOutMessage;
    static const QString FirefoxLeftOutMessage;

    struct Collected
    {
        QStringList addresses;
        Report report;
    };

    // ReadSystemFavorites: every address of every source, in this order:
    // the shortcuts, Chromium's, Chrome's, Firefox's bookmarks. Duplicates
    // stay.
    static Collected collect(const Sources &sources);

    // A file of another program, whole: false when it is missing or cannot
    // be opened, and, with the cause in refusal ("The file <path> was not
    // read: it is not a regular file."), when it is no regular file (a
    // FIFO, a device: never opened, so nothing blocks) or larger than
    // MaxFileSize.
    static bool readForeignFile(const QString &path, QByteArray *bytes, QString *refusal);

    // The "URL" of the "[InternetShortcut]" section of a .url file (empty
    // when there is none), read as text by hand: a shortcut is not a
    // settings file of ours, and QSettings would read its escapes and
    // lists into the address.
    static QString readInternetShortcut(const QString &path, Report *report = nullptr);
    static QString internetShortcutUrl(const QString &text);
    // The shortcuts of a folder (by name), then those of its sub-folders
    // whose names do not begin with "."; a folder reached twice (a link
    // back up the tree) is read once.
    static QStringList readShortcutFolder(const QString &folder, Report *report = nullptr);

    // The "url" entries of a Chromium "Bookmarks" file, depth first, the
    // bookmark bar first.
    static QStringList readChromiumBookmarks(const QString &path, Report *report = nullptr);
    static QStringList chromiumBookmarkUrls(const QByteArray &json, Report *report = nullptr);
    // The bookmarks of a Firefox "places.sqlite", depth first from the root
    // by position, without tags and "place:" queries. Firefox locks its
    // file while it runs, so a temporary copy is read.
    static QStringList readFirefoxPlaces(const QString &path, Report *report = nullptr);
};
