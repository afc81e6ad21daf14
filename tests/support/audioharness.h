#pragma once

#include "appearance/widgets/shadowlabel.h"
#include "audio/audioplayer.h"
#include "audio/genrefolder.h"
#include "audio/mpvbackend.h"
#include "core/commandregistry.h"
#include "core/runtimeflags.h"
#include "support/audiofiles.h"
#include "support/recordingshell.h"
#include "support/scriptedfiledialogs.h"
#include "support/scriptedprompter.h"

#include <QStringList>
#include <QTemporaryDir>

// The audio player as the window makes it, on real libmpv playing to no
// device, with a data folder of its own holding "Genre Lists" and
// "music" for the songs.
struct AudioHarness
{
    QTemporaryDir root;
    RuntimeFlags flags;
    ScriptedPrompter prompter;
    RecordingShell shell;
    ScriptedFileDialogs dialogs;
    MpvBackend media{QStringLiteral("null")};
    CommandRegistry commands;
    ShadowLabel audioLabel;
    AudioPlayer player{flags, prompter, shell, dialogs, media, commands, {&audioLabel}};

    AudioHarness()
    {
        flags.dataFolder = root.path() + QStringLiteral("/");
        QDir().mkpath(genreFolder());
    }

    QString genreFolder() const { return GenreFolder::folderOf(flags.dataFolder); }
    QString music(const QString &name) const { return root.path() + QStringLiteral("/music/") + name; }
    QString song(const QString &name, int milliseconds = 2000) const
    {
        return AudioFiles::song(music(name), milliseconds);
    }
    // A genre file listing these paths.
    bool genre(const QString &name, const QStringList &paths) const
    {
        return GenreFolder(genreFolder()).save(name, paths);
    }
    // Loads a play list as a genre of its own.
    bool load(const QStringList &paths)
    {
        return genre(QStringLiteral("Test"), paths) && player.loadGenrePlayList(QStringLiteral("Test"));
    }
};
