#include "audio/audioplayer.h"

#include "appearance/widgets/shadowlabel.h"
#include "audio/audiofolderscan.h"
#include "audio/audiotexts.h"
#include "audio/genrefolder.h"
#include "audio/mediabackend.h"
#include "audio/playorder.h"
#include "core/busycursor.h"
#include "core/commandregistry.h"
#include "core/filedialogs.h"
#include "core/prompter.h"
#include "core/runtimeflags.h"
#include "core/shell.h"

#include <QAction>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>
#include <climits>

namespace {

// Operations catch their own exceptions: one inside counts as failure.
template <typename F>
bool guarded(F &&operation)
{
    try {
        return operation();
    } catch (...) {
        return false;
    }
}

QString badGenreNameMessage()
{
    return QStringLiteral("Check genre name, a genre name cannot contain \"/\", \"\\\"\n"
                          "or control characters, nor be \".\" or \"..\".");
}

} // namespace

AudioPlayer::AudioPlayer(RuntimeFlags &flags, Prompter &prompter, Shell &shell, FileDialogs &dialogs,
                         MediaBackend &media, CommandRegistry &commands, Parts parts, QObject *parent)
    : QObject(parent), m_flags(flags), m_prompter(prompter), m_shell(shell), m_dialogs(dialogs), m_media(media),
      m_commands(commands), m_parts(parts), m_timer(new QTimer(this)), m_createMenu(std::make_unique<QMenu>()),
      m_status(AudioTexts::stopped())
{
    m_timer->setObjectName(QStringLiteral("tmAudioPlayer"));
    m_timer->setInterval(TickInterval);
    connect(m_timer, &QTimer::timeout, this, [this] { guarded([this] { tick(); return true; }); });
    connect(&m_media, &MediaBackend::endOfFile, this, [this](bool failed) {
        m_songFailed = m_songFailed || failed;
        // The output fails once the song has started: every other song
        // would fail the same way, so the list is not stepped through. (A
        // step opening a file sees this itself.)
        if (failed && m_media.outputFailed() && !m_stepping)
            guarded([this] {
                outputUnavailable();
                return true;
            });
    });
    if (m_parts.audioLabel) {
        m_parts.audioLabel->setToolTip(QStringLiteral("Click for the next song."));
        connect(m_parts.audioLabel, &ShadowLabel::clicked, this, &AudioPlayer::audioLabelClicked);
    }
    registerCommands(commands);
}

AudioPlayer::~AudioPlayer() = default;

void AudioPlayer::registerCommands(CommandRegistry &commands)
{
    m_createMenu->setObjectName(QStringLiteral("pmCreateGenre"));
    QAction *recursive = m_createMenu->addAction(QStringLiteral("Recursive Folder Search"));
    recursive->setObjectName(QStringLiteral("RecursiveFolderSearch"));
    connect(recursive, &QAction::triggered, this, [this] { createGenre(true); });
    QAction *single = m_createMenu->addAction(QStringLiteral("Single Folder Search"));
    single->setObjectName(QStringLiteral("SingleFolderSearch"));
    connect(single, &QAction::triggered, this, [this] { createGenre(false); });
    m_createMenu->addSeparator();
    m_createMenu->addAction(QStringLiteral("Cancel"));
    commands.add(recursive);
    commands.add(single);

    const auto add = [&commands, this](const char *name, const QString &text, const QString &hint, auto slot) {
        if (QAction *action = commands.add(QLatin1String(name), text)) {
            action->setToolTip(hint.isEmpty() ? text : hint);
            connect(action, &QAction::triggered, this, slot);
        }
    };
    add("btnCreateGenre", QStringLiteral("Create"), QStringLiteral("Create a new genre play list."),
        [this] { m_createMenu->popup(QCursor::pos()); });
    add("btnSaveGenre", QStringLiteral("Save"), QStringLiteral("Save the genre play list."), [this] { saveGenre(); });
    add("btnDeleteGenre", QStringLiteral("Delete"), QStringLiteral("Delete the current genre play list."),
        [this] { deleteGenre(); });
    add("btnStopAudio", QStringLiteral("Stop"), QStringLiteral("Stop the audio player."),
        [this] { stopAudio(false); });
    add("btnVolume", QStringLiteral("Volume"), QStringLiteral("Open the volume control window."),
        [this] { openVolumeControl(); });
    // The steps the shortcuts and the controller run, under their captions.
    add("PlayNextSong", QStringLiteral("Audio \u2022 next song"), {}, [this] { playNextSong(); });
    add("PlayPriorGenre", QStringLiteral("Audio \u2022 prior genre"), {}, [this] { playPriorGenre(); });
    add("PlayPriorSong", QStringLiteral("Audio \u2022 prior song"), {}, [this] { playPriorSong(); });
    add("PlayNextGenre", QStringLiteral("Audio \u2022 start (next genre)"), {}, [this] { playNextGenre(); });
    add("StopAudio", QStringLiteral("Audio \u2022 stop"), {}, [this] { stopAudio(true); });
}

QAction *AudioPlayer::command(const QString &name) const
{
    return m_commands.command(name);
}

int AudioPlayer::currentSong() const
{
    return m_flags.currentSongIndex;
}

int AudioPlayer::currentGenre() const
{
    return m_flags.currentGenreIndex;
}

bool AudioPlayer::isUnsaved() const
{
    return m_flags.genreListModified;
}

bool AudioPlayer::isPlaying() const
{
    return m_timer->isActive();
}

QString AudioPlayer::genreFolder() const
{
    return GenreFolder::folderOf(m_flags.dataFolder);
}

// ---- the lists ------------------------------------------------------------

bool AudioPlayer::populateGenreLists()
{
    return guarded([this] {
        stopAudio(true);
        const GenreFolder folder(genreFolder());
        if (!folder.isReadable())
            return false;
        m_genres = folder.names();
        emit genresChanged();
        return true;
    });
}

bool AudioPlayer::showGenreLists()
{
    if (populateGenreLists())
        return true;
    m_prompter.showInformation(QStringLiteral("Could not load the genre lists."));
    return false;
}

bool AudioPlayer::loadGenrePlayList(const QString &name)
{
    const bool loaded = guarded([this, &name] {
        const BusyCursor busy;
        return GenreFolder::isUsableName(name) && loadPlayListFile(GenreFolder(genreFolder()).filePath(name));
    });
    if (!loaded)
        stopAudio(true);
    return loaded;
}

// A file that is not there gives an empty list; one that cannot be read
// is an error.
bool AudioPlayer::loadPlayListFile(const QString &path)
{
    stopAudio(false);
    m_flags.currentSongIndex = -1;
    m_paths.clear();
    m_items.clear();
    QStringList paths;
    const bool read = !QFileInfo::exists(path) || GenreFolder::readPlayList(path, &paths) == TextFile::ReadResult::Read;
    if (read) {
        m_paths = paths;
        for (int i = 0; i < m_paths.size(); ++i)
            m_items << AudioTexts::displayItem(i, m_paths.at(i));
    }
    emit playListChanged();
    emit currentSongChanged(-1);
    return read;
}

// ---- playing --------------------------------------------------------------

void AudioPlayer::holdForPane(bool hold)
{
    if (hold == m_heldForPane || (hold && !isPlaying()))
        return;
    m_heldForPane = hold;
    if (hold) {
        m_timer->stop();
        m_media.pause();
        setStatus(QStringLiteral("Waiting while a page plays sound"));
    } else {
        m_media.play();
        m_timer->start();
        setStatus(AudioTexts::playing(currentSong(), int(m_paths.size())));
    }
}

bool AudioPlayer::stopAudio(bool reset)
{
    m_heldForPane = false;
    m_timer->stop();
    m_media.close();
    ++m_stops;
    setStatus(AudioTexts::stopped());
    setProgress(0, 0);
    setLabel(QString());
    if (reset) {
        m_genres.clear();
        emit genresChanged();
        setGenreText(QString());
        m_paths.clear();
        m_items.clear();
        emit playListChanged();
        m_flags.currentSongIndex = -1;
        m_flags.currentGenreIndex = -1;
        emit currentSongChanged(-1);
        setUnsaved(false);
        m_unplayedInRow = 0;
    }
    return true;
}

void AudioPlayer::startSong(int index)
{
    emit currentSongChanged(index);
    setProgress(0, int(std::clamp<qint64>(m_media.length(), 0, INT_MAX)));
    setStatus(AudioTexts::playing(index, int(m_paths.size())));
    m_flags.currentSongIndex = index;
    m_songFailed = false;
    m_heldForPane = false;
    m_media.play();
    m_timer->start();
    setLabel(m_items.value(index));
}

// Tries the candidates from the current song on; a candidate is taken when
// its file is there and opens.
bool AudioPlayer::step(Step kind)
{
    m_overtaken = false;
    m_noOutput = false;
    if (m_paths.isEmpty() || m_stepping)
        return false;
    const QScopedValueRollback<bool> busy(m_stepping, true);
    stopAudio(false);
    const int stops = m_stops;
    const auto direction = kind == Step::Prior ? PlayOrder::Direction::Backward : PlayOrder::Direction::Forward;
    const auto reach = kind == Step::AfterEnd ? PlayOrder::Reach::All : PlayOrder::Reach::Others;
    for (const int index : PlayOrder::candidates(currentSong(), int(m_paths.size()), direction, reach)) {
        const QString path = m_paths.at(index);
        if (!QFileInfo(path).isFile())
            continue;
        const bool opened = m_media.open(path);
        // Stopped while the file opened: the lists may be gone.
        if (stops != m_stops) {
            m_overtaken = true;
            return false;
        }
        if (opened) {
            startSong(index);
            return true;
        }
        if (m_media.outputFailed()) {
            outputUnavailable();
            m_noOutput = true;
            return false;
        }
    }
    return false;
}

void AudioPlayer::outputUnavailable()
{
    stopAudio(false);
    m_prompter.showInformation(QStringLiteral("No audio output could be opened."));
}

bool AudioPlayer::playSelectedSong(int index)
{
    return guarded([this, index] {
        m_overtaken = false;
        if (m_paths.isEmpty() || m_stepping || index < 0 || index >= m_paths.size())
            return false;
        stopAudio(false);
        emit stopFocusWanted();
        const QString path = m_paths.at(index);
        const QString name = QFileInfo(path).fileName();
        if (!QFileInfo(path).isFile()) {
            m_prompter.showPlain(QStringLiteral("Could not find the audio file: ") + name);
            return false;
        }
        const QScopedValueRollback<bool> busy(m_stepping, true);
        const int stops = m_stops;
        if (!m_media.open(path)) {
            if (stops != m_stops)
                return false;
            if (m_media.outputFailed())
                outputUnavailable();
            else
                m_prompter.showPlain(QStringLiteral("Could not play the audio file: ") + name);
            return false;
        }
        m_unplayedInRow = 0;
        startSong(index);
        return true;
    });
}

bool AudioPlayer::playNextSong()
{
    return guarded([this] {
        m_unplayedInRow = 0;
        return step(Step::Next);
    });
}

bool AudioPlayer::playPriorSong()
{
    return guarded([this] {
        m_unplayedInRow = 0;
        return step(Step::Prior);
    });
}

bool AudioPlayer::playNextGenre()
{
    return guarded([this] { return stepGenre(true); });
}

bool AudioPlayer::playPriorGenre()
{
    return guarded([this] { return stepGenre(false); });
}

bool AudioPlayer::stepGenre(bool forward)
{
    m_overtaken = false;
    m_noOutput = false;
    if (m_stepping)
        return false;
    if (m_genres.isEmpty() && (!populateGenreLists() || m_genres.isEmpty()))
        m_prompter.showInformation(QStringLiteral("Could not populate the genre lists."));
    if (m_genres.isEmpty())
        return false;
    const GenreFolder folder(genreFolder());
    int chosen = -1;
    const auto direction = forward ? PlayOrder::Direction::Forward : PlayOrder::Direction::Backward;
    for (const int index : PlayOrder::candidates(currentGenre(), int(m_genres.size()), direction)) {
        if (folder.exists(m_genres.at(index))) {
            chosen = index;
            break;
        }
    }
    if (chosen < 0)
        return false;
    const QString name = m_genres.at(chosen);
    stopAudio(false);
    if (!loadGenrePlayList(name))
        return false;
    m_flags.currentGenreIndex = chosen;
    // The list playing is that genre now, not a scan waiting for a name.
    setUnsaved(false);
    setGenreText(name);
    m_unplayedInRow = 0;
    return step(Step::Next);
}

void AudioPlayer::tick()
{
    if (m_progressMaximum != 0)
        setProgress(int(std::clamp<qint64>(m_media.position(), 0, m_progressMaximum)), m_progressMaximum);
    if (m_progressPosition >= m_progressMaximum)
        songEnded();
}

// The next song, round to the one that just ended if nothing else plays.
// A list where no song plays at all (every one missing, failing or of no
// length) stops, rather than trying them over and over.
void AudioPlayer::songEnded()
{
    const bool played = m_progressMaximum > 0 && !m_songFailed;
    m_unplayedInRow = played ? 0 : m_unplayedInRow + 1;
    if (m_unplayedInRow < m_paths.size() && step(Step::AfterEnd))
        return;
    if (m_overtaken || m_noOutput)
        return;
    stopAudio(true);
    m_prompter.showInformation(QStringLiteral("Could not find the next song in the play list."));
}

// ---- the audio page's input ------------------------------------------------

void AudioPlayer::chooseGenre(const QString &name)
{
    guarded([this, &name] {
        if (m_stepping)
            return false;
        stopAudio(false);
        if (isUnsaved())
            return false;
        const int index = int(m_genres.indexOf(name));
        if (!loadGenrePlayList(name)) {
            m_prompter.showInformation(QStringLiteral("Could not load the genre play list."));
            return false;
        }
        // Next and prior genre go on from the genre chosen.
        if (index >= 0)
            m_flags.currentGenreIndex = index;
        emit stopFocusWanted();
        m_unplayedInRow = 0;
        if (step(Step::Next))
            return true;
        if (!m_overtaken && !m_noOutput)
            m_prompter.showInformation(QStringLiteral("Could not find the next song in the play list."));
        return false;
    });
}

void AudioPlayer::editGenreText(const QString &text)
{
    m_genreText = text;
}

void AudioPlayer::createGenre(bool recursive)
{
    guarded([this, recursive] {
        if (m_stepping)
            return false;
        if (recursive
            && !m_prompter.askConfirmation(QStringLiteral("This search could take several minutes, proceed?")))
            return false;
        QString folder = m_dialogs.getExistingDirectory(QStringLiteral("Choose a root folder with sub-folders"));
        if (folder.trimmed().isEmpty() || !QFileInfo(folder).isDir())
            return false;
        if (!folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('/');
        stopAudio(true);
        QStringList found;
        {
            const BusyCursor busy;
            const BackgroundSuspension suspension(m_flags);
            found = AudioFolderScan::scan(folder, recursive);
        }
        // The scan goes through a play list file as a saved genre would, so
        // the list shown is the one that saving keeps. The file is a
        // temporary one of its own, never a genre's.
        QTemporaryFile file(QDir::tempPath() + QStringLiteral("/vorlan-scan-XXXXXX.gpl"));
        if (!file.open() || !GenreFolder::writePlayList(file.fileName(), found) || !loadPlayListFile(file.fileName())) {
            stopAudio(true);
            m_prompter.showInformation(QStringLiteral("Could not load the genre play list."));
            return false;
        }
        setUnsaved(true);
        setGenreText(saveMe());
        emit genreFocusWanted();
        return true;
    });
}

void AudioPlayer::refuseGenreName(const QString &message)
{
    setGenreText(saveMe());
    m_prompter.showInformation(message);
}

void AudioPlayer::saveGenre()
{
    guarded([this] {
        if (!isUnsaved())
            return false;
        const QString name = m_genreText.trimmed();
        const GenreFolder folder(genreFolder());
        // "Already a genre" asks the folder, not the genre box, which a scan
        // has emptied: a name in another letter case counts too.
        if (name.isEmpty() || name == saveMe() || !folder.find(name).isEmpty()) {
            refuseGenreName(QStringLiteral("Check genre name, it may exist."));
            return false;
        }
        if (!GenreFolder::isUsableName(name)) {
            refuseGenreName(badGenreNameMessage());
            return false;
        }
        // A list that could not be written stays as it is, unsaved, rather
        // than being dropped by the rebuild below.
        if (const SafeSave::Outcome saved = folder.save(name, m_paths); !saved) {
            m_prompter.showInformation(
                SafeSave::failureMessage(QStringLiteral("the genre play list"), folder.filePath(name), saved));
            return false;
        }
        if (populateGenreLists())
            return true;
        m_prompter.showInformation(QStringLiteral("Could not populate the genre play list."));
        return false;
    });
}

void AudioPlayer::deleteGenre()
{
    guarded([this] {
        const QString name = m_genreText.trimmed();
        if (name.isEmpty())
            return false;
        if (name == saveMe()) {
            if (!m_prompter.askConfirmation(QStringLiteral("Delete the unsaved play list?")))
                return false;
        } else {
            // The name makes a path: never one outside the genre folder.
            if (!GenreFolder::isUsableName(name)) {
                m_prompter.showInformation(badGenreNameMessage());
                return false;
            }
            if (!m_prompter.askConfirmation(QStringLiteral("Delete selected genre list?")))
                return false;
            const GenreFolder folder(genreFolder());
            const QString genre = folder.exists(name) ? name : folder.find(name);
            if (!genre.isEmpty())
                folder.remove(genre);
        }
        if (populateGenreLists())
            return true;
        m_prompter.showInformation(QStringLiteral("Could not populate the genre play list."));
        return false;
    });
}

bool AudioPlayer::openVolumeControl()
{
    const QString mixer = QStandardPaths::findExecutable(QStringLiteral("pavucontrol"));
    if (!mixer.isEmpty() && m_shell.startProgram(mixer))
        return true;
    m_prompter.showInformation(QStringLiteral("Could not open the volume control window."));
    return false;
}

void AudioPlayer::audioLabelClicked()
{
    if (m_paths.isEmpty())
        playNextGenre();
    else
        playNextSong();
}

// ---- what the page shows ----------------------------------------------------

void AudioPlayer::setStatus(const QString &status)
{
    if (m_status == status)
        return;
    m_status = status;
    emit statusChanged(status);
}

void AudioPlayer::setProgress(int position, int maximum)
{
    if (m_progressPosition == position && m_progressMaximum == maximum)
        return;
    m_progressPosition = position;
    m_progressMaximum = maximum;
    emit progressChanged(position, maximum);
}

void AudioPlayer::setGenreText(const QString &text)
{
    m_genreText = text;
    emit genreTextChanged(text);
}

void AudioPlayer::setUnsaved(bool unsaved)
{
    if (m_flags.genreListModified == unsaved)
        return;
    m_flags.genreListModified = unsaved;
    emit unsavedChanged(unsaved);
}

void AudioPlayer::setLabel(const QString &text)
{
    if (m_parts.audioLabel)
        m_parts.audioLabel->setText(text);
}
