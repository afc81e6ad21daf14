#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The web addresses the user keeps outside this program: the Internet
// shortcuts (*.url) of a Favorites folder copied from Windows, and the
// bookmarks of the Chromium, Chrome and Firefox profiles the user has.
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

    // ReadSystemFavorites: every address of every source, in this order:
    // the shortcuts, Chromium's, Chrome's, Firefox's bookmarks. Duplicates
    // stay.
    static QStringList collect(const Sources &sources);

    // The "URL" of the "[InternetShortcut]" section of a .url file (empty
    // when there is none), read as text by hand: a shortcut is not a
    // settings file of ours, and QSettings would read its escapes and
    // lists into the address.
    static QString readInternetShortcut(const QString &path);
    static QString internetShortcutUrl(const QString &text);
    // The shortcuts of a folder (by name), then those of its sub-folders
    // whose names do not begin with "."; a folder reached twice (a link
    // back up the tree) is read once.
    static QStringList readShortcutFolder(const QString &folder);

    // The "url" entries of a Chromium "Bookmarks" file, depth first, the
    // bookmark bar first.
    static QStringList readChromiumBookmarks(const QString &path);
    static QStringList chromiumBookmarkUrls(const QByteArray &json);
    // The bookmarks of a Firefox "places.sqlite", depth first from the root
    // by position, without tags and "place:" queries. Firefox locks its
    // file while it runs, so a temporary copy is read.
    static QStringList readFirefoxPlaces(const QString &path);
};
