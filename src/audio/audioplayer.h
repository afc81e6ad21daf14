#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class CommandRegistry;
class FileDialogs;
class MediaBackend;
class Prompter;
class QAction;
class QMenu;
class QTimer;
class ShadowLabel;
class Shell;
struct RuntimeFlags;

// The audio player: genre play lists in the data folder's "Genre Lists",
// new lists made by scanning folders, and playback of the current list
// song after song, round and round until stopped.
//
// It holds what the audio page shows (the genres, the play list, the
// status and the progress) and tells the page of every change, so it
// works whether or not a page is shown; the page passes the user's input
// back. The window's corner label laAudio shows the song playing and steps
// on to the next song when clicked.
class AudioPlayer : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        ShadowLabel *audioLabel; // laAudio
    };

    // Registers the audio commands (the page's buttons, the create menu's
    // items and the steps for shortcuts and controller) with commands.
    AudioPlayer(RuntimeFlags &flags, Prompter &prompter, Shell &shell, FileDialogs &dialogs, MediaBackend &media,
                CommandRegistry &commands, Parts parts, QObject *parent = nullptr);
    ~AudioPlayer() override;

    // The text of the genre box while a scanned list waits for its name.
    static QString saveMe() { return QStringLiteral("..Save me.."); }
    // The genre box's background meanwhile (sky blue).
    static constexpr int UnsavedColor = 15780518;
    // tmAudioPlayer's interval in milliseconds.
    static constexpr int TickInterval = 100;

    // cbGenreList: its items and its text.
    const QStringList &genres() const { return m_genres; }
    const QString &genreText() const { return m_genreText; }
    // lbPlayPathList and cbPlayList.
    const QStringList &playPaths() const { return m_paths; }
    const QStringList &playItems() const { return m_items; }
    // The song playing or last played; -1 when none.
    int currentSong() const;
    int currentGenre() const;
    // The status line and pbAudioPlayer.
    const QString &status() const { return m_status; }
    int progressPosition() const { return m_progressPosition; }
    int progressMaximum() const { return m_progressMaximum; }
    // A scanned list is waiting to be saved as a genre.
    bool isUnsaved() const;
    bool isPlaying() const;
    QTimer *timer() const { return m_timer; } // tmAudioPlayer
    QMenu *createGenreMenu() const { return m_createMenu.get(); } // pmCreateGenre
    // One of the audio commands, by name.
    QAction *command(const QString &name) const;

    // Rebuilds the genre list from the folder, stopping with reset first.
    // False when the folder cannot be read.
    bool populateGenreLists();
    // Makes a genre's file the play list (an empty one when it has no
    // file); false when its file cannot be read.
    bool loadGenrePlayList(const QString &name);

    // Stops playing; with reset, also empties the genre and play lists and
    // drops a scanned list that was not saved. Always true.
    bool stopAudio(bool reset);
    // The steps, each true when a song started. Missing and unplayable
    // files are passed over.
    bool playSelectedSong(int index);
    bool playNextSong();
    bool playPriorSong();
    // The next genre, or the first when none is playing: start.
    bool playNextGenre();
    bool playPriorGenre();
    // While the active pane makes sound the music waits, paused at its
    // place, and goes on when the pane falls silent. A stop or another song
    // meanwhile ends the wait.
    void holdForPane(bool hold);
    bool heldForPane() const { return m_heldForPane; }
    // The last step stopped because no audio output could be opened, and
    // said so: whoever asked for the step need not say it failed.
    bool lastStepFoundNoOutput() const { return m_noOutput; }
    // When the program closes.
    bool stopAtShutDown() { return stopAudio(true); }

    // The audio page was chosen: the genre lists from the folder, or the
    // message. True when they were read.
    bool showGenreLists();

    // The user's input on the audio page.
    void chooseGenre(const QString &name);       // a genre picked in cbGenreList
    void editGenreText(const QString &text);     // typed into cbGenreList
    void createGenre(bool recursive);            // the create menu's searches
    void saveGenre();                            // btnSaveGenre, Enter in cbGenreList
    void deleteGenre();                          // btnDeleteGenre
    bool openVolumeControl();                    // btnVolume
    void audioLabelClicked();                    // laAudio

signals:
    void genresChanged();
    void genreTextChanged(const QString &text);
    void playListChanged();
    // cbPlayList shows this item (-1: none).
    void currentSongChanged(int index);
    void statusChanged(const QString &status);
    void progressChanged(int position, int maximum);
    void unsavedChanged(bool unsaved);
    // Where the keyboard focus should go, if the page is shown.
    void stopFocusWanted();
    void genreFocusWanted();

private:
    enum class Step { Next, Prior, AfterEnd };

    QString genreFolder() const;
    bool loadPlayListFile(const QString &path);
    bool step(Step step);
    bool stepGenre(bool forward);
    void startSong(int index);
    void tick();
    void songEnded();
    void setStatus(const QString &status);
    void setProgress(int position, int maximum);
    void setGenreText(const QString &text);
    void setUnsaved(bool unsaved);
    void setLabel(const QString &text);
    void refuseGenreName(const QString &message);
    // No audio output could be opened: stop and say so.
    void outputUnavailable();
    void registerCommands(CommandRegistry &commands);

    RuntimeFlags &m_flags;
    Prompter &m_prompter;
    Shell &m_shell;
    FileDialogs &m_dialogs;
    MediaBackend &m_media;
    CommandRegistry &m_commands;
    Parts m_parts;
    QTimer *m_timer;
    std::unique_ptr<QMenu> m_createMenu;
    QStringList m_genres;
    QString m_genreText;
    QStringList m_paths;
    QStringList m_items;
    QString m_status;
    int m_progressPosition = 0;
    int m_progressMaximum = 0;
    // A step is opening a file (which runs the event loop meanwhile);
    // other steps wait their turn by refusing.
    bool m_stepping = false;
    // Stops so far; a step that sees it change while a file opens was
    // overtaken by a stop and ends there.
    int m_stops = 0;
    bool m_overtaken = false;
    // The last step ended because no audio output could be opened (and
    // said so): no other song is tried, no other message follows.
    bool m_noOutput = false;
    // The song playing failed in mid-play; and songs in a row that ended
    // without having played, so a list where nothing plays stops.
    bool m_songFailed = false;
    int m_unplayedInRow = 0;
    bool m_heldForPane = false;
};
