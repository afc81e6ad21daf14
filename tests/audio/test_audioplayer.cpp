#include "audio/audiopage.h"
#include "support/audioharness.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QWindow>

#include <unistd.h>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using Kind = ScriptedPrompter::Kind;

// A media player whose songs open and play but report the length their
// file name asks for: "zero..." 0, any other a minute. What it was asked
// to open is recorded.
class LengthMedia : public MediaBackend
{
public:
    bool open(const QString &path) override
    {
        opened << QFileInfo(path).fileName();
        m_length = QFileInfo(path).fileName().startsWith(QLatin1String("zero")) ? 0 : 60000;
        m_open = QFileInfo(path).isFile();
        return m_open;
    }
    void close() override { m_open = false; }
    bool play() override { return m_open; }
    void pause() override {}
    qint64 length() const override { return m_open ? m_length : 0; }
    qint64 position() const override { return 0; }
    bool outputFailed() const override { return false; }
    QStringList opened;

private:
    bool m_open = false;
    qint64 m_length = 0;
};

// libmpv's player, recording what it was asked to open.
class RecordingMpv : public MpvBackend
{
public:
    using MpvBackend::MpvBackend;
    bool open(const QString &path) override
    {
        opened << QFileInfo(path).fileName();
        return MpvBackend::open(path);
    }
    QStringList opened;
};

// Whether this machine has a sound device or a sound server to play to.
static bool machineHasSound()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR", QStringLiteral("/run/user/%1").arg(getuid()));
    return QFileInfo::exists(QStringLiteral("/dev/snd")) || QFileInfo::exists(runtime + QStringLiteral("/pulse/native"))
           || QFileInfo::exists(runtime + QStringLiteral("/pipewire-0"));
}

// The audio player on real libmpv: play lists from genre files and scans,
// the steps through songs and genres, and playing on from song to song.
class TestAudioPlayer : public QObject
{
    Q_OBJECT

    static QString notFound() { return QStringLiteral("Could not find the next song in the play list."); }

private slots:
    void playingShowsTheSong()
    {
        AudioHarness h;
        QVERIFY(h.load({h.song("one.mp3"), h.song("two.mp3"), h.song("three.mp3")}));
        QCOMPARE(h.player.playItems(), QStringList({"1 \u2022 one", "2 \u2022 two", "3 \u2022 three"}));
        QCOMPARE(h.player.status(), QStringLiteral("Stopped"));
        QVERIFY(h.player.playNextSong());
        QCOMPARE(h.player.currentSong(), 0);
        QCOMPARE(h.flags.currentSongIndex, 0);
        QCOMPARE(h.player.status(), QStringLiteral("Playing...1  of  3"));
        QCOMPARE(h.audioLabel.text(), QStringLiteral("1 \u2022 one"));
        QVERIFY2(qAbs(h.player.progressMaximum() - 2000) <= 20, qPrintable(QString::number(h.player.progressMaximum())));
        QVERIFY(h.player.isPlaying());
        QCOMPARE(h.player.timer()->objectName(), QStringLiteral("tmAudioPlayer"));
        QCOMPARE(h.player.timer()->interval(), 100);
        QTRY_VERIFY_WITH_TIMEOUT(h.player.progressPosition() > 0, 5000);
        QVERIFY(h.player.progressPosition() < h.player.progressMaximum());
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void stepsWrapAtBothEnds_data()
    {
        QTest::addColumn<QString>("steps"); // n: next song, p: prior song
        QTest::addColumn<QList<int>>("songs");
        QTest::newRow("next from a fresh list, round") << "nnnn" << QList<int>{0, 1, 2, 0};
        QTest::newRow("prior from a fresh list plays the last") << "p" << QList<int>{2};
        QTest::newRow("prior from the second plays the first") << "nnp" << QList<int>{0, 1, 0};
        QTest::newRow("prior from the first plays the last") << "np" << QList<int>{0, 2};
    }
    void stepsWrapAtBothEnds()
    {
        QFETCH(QString, steps);
        AudioHarness h;
        QVERIFY(h.load({h.song("a.mp3", 8000), h.song("b.mp3", 8000), h.song("c.mp3", 8000)}));
        QList<int> songs;
        for (const QChar step : steps) {
            QVERIFY(step == u'n' ? h.player.playNextSong() : h.player.playPriorSong());
            songs << h.player.currentSong();
        }
        QTEST(songs, "songs");
    }

    void missingAndUnplayableFilesArePassedOver()
    {
        AudioHarness h;
        QVERIFY(h.load({h.music("gone.mp3"), h.song("a.mp3", 8000), AudioFiles::unplayable(h.music("text.mp3")),
                        h.song("b.mp3", 8000)}));
        QList<int> songs;
        QVERIFY(h.player.playNextSong());
        songs << h.player.currentSong();
        QVERIFY(h.player.playNextSong());
        songs << h.player.currentSong();
        QVERIFY(h.player.playNextSong());
        songs << h.player.currentSong();
        QVERIFY(h.player.playPriorSong());
        songs << h.player.currentSong();
        QCOMPARE(songs, QList<int>({1, 3, 1, 3}));
        QVERIFY(h.prompter.shown.isEmpty());
    }

    // A fresh list has no current song to leave out: every song is a
    // candidate, the last one too.
    void aFreshListTriesEverySong()
    {
        AudioHarness h;
        QVERIFY(h.load({h.music("gone1.mp3"), h.music("gone2.mp3"), h.song("last.mp3", 8000)}));
        QVERIFY(h.player.playNextSong());
        QCOMPARE(h.player.currentSong(), 2);
        QVERIFY(h.load({h.song("first.mp3", 8000), h.music("gone1.mp3"), h.music("gone2.mp3")}));
        QVERIFY(h.player.playPriorSong());
        QCOMPARE(h.player.currentSong(), 0);
    }

    void stepsFailWhenNothingCanPlay()
    {
        AudioHarness h;
        QVERIFY(!h.player.playNextSong()); // no list at all
        QVERIFY(h.load({h.music("gone.mp3")}));
        QVERIFY(!h.player.playNextSong());
        QVERIFY(!h.player.playPriorSong());
        QCOMPARE(h.player.status(), QStringLiteral("Stopped"));
        QVERIFY(!h.player.isPlaying());
        // The callers tell; the step itself does not.
        QVERIFY(h.prompter.shown.isEmpty());
        // From the first song of three, only the second and third are tried.
        QVERIFY(h.load({h.song("a.mp3", 8000), h.music("gone.mp3"), h.music("gone2.mp3")}));
        QVERIFY(h.player.playNextSong());
        QVERIFY(!h.player.playNextSong());
    }

    void theEndOfASongStartsTheNext()
    {
        AudioHarness h;
        QVERIFY(h.load({h.song("a.mp3", 300), h.song("b.mp3", 300)}));
        QSignalSpy started(&h.player, &AudioPlayer::currentSongChanged);
        QVERIFY(h.player.playNextSong());
        QTRY_VERIFY_WITH_TIMEOUT(started.size() >= 3, 10000);
        QCOMPARE(started.at(0).first().toInt(), 0);
        QCOMPARE(started.at(1).first().toInt(), 1);
        QCOMPARE(started.at(2).first().toInt(), 0);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void theOnlyPlayableSongPlaysAgainAndAgain_data()
    {
        QTest::addColumn<bool>("withMissing");
        QTest::newRow("one song") << false;
        QTest::newRow("one song among missing ones") << true;
    }
    void theOnlyPlayableSongPlaysAgainAndAgain()
    {
        QFETCH(bool, withMissing);
        AudioHarness h;
        QStringList list{h.song("a.mp3", 300)};
        if (withMissing)
            list << h.music("gone.mp3") << h.music("gone2.mp3");
        QVERIFY(h.load(list));
        QSignalSpy ended(&h.media, &MediaBackend::endOfFile);
        QVERIFY(h.player.playNextSong());
        QTRY_VERIFY_WITH_TIMEOUT(ended.size() >= 3, 10000);
        QTRY_VERIFY(h.player.isPlaying());
        QCOMPARE(h.player.currentSong(), 0);
        QCOMPARE(h.player.playPaths(), list);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void aListWhoseSongsVanishStopsWithTheMessage()
    {
        AudioHarness h;
        const QStringList list{h.song("a.mp3", 300), h.song("b.mp3", 300)};
        QVERIFY(h.load(list));
        QVERIFY(h.player.playNextSong());
        for (const QString &path : list)
            QVERIFY(QFile::remove(path));
        QTRY_COMPARE_WITH_TIMEOUT(h.prompter.texts(), QStringList{notFound()}, 10000);
        QVERIFY(!h.player.isPlaying());
        QVERIFY(h.player.playPaths().isEmpty());
        QCOMPARE(h.player.currentSong(), -1);
        QCOMPARE(h.audioLabel.text(), QString());
    }

    // Songs that open but hold nothing to play end at once: the player goes
    // round them once and stops instead of trying them for ever.
    void aListWhereNothingPlaysStops()
    {
        AudioHarness h;
        QVERIFY(TestFiles::write(h.music("empty1.mp3"), AudioFiles::wav(0)));
        QVERIFY(TestFiles::write(h.music("empty2.mp3"), AudioFiles::wav(0)));
        QVERIFY(h.genre(QStringLiteral("Silence"), {h.music("empty1.mp3"), h.music("empty2.mp3")}));
        QVERIFY(h.player.populateGenreLists());
        h.player.chooseGenre(QStringLiteral("Silence"));
        QTRY_COMPARE_WITH_TIMEOUT(h.prompter.texts(), QStringList{notFound()}, 10000);
        QVERIFY(!h.player.isPlaying());
        QCOMPARE(h.player.status(), QStringLiteral("Stopped"));
    }

    void songsOfNoLength_data()
    {
        QTest::addColumn<QStringList>("songs");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<bool>("stops");
        // Left at the first tick for the next song.
        QTest::newRow("one of no length") << QStringList{"zero.mp3", "real.mp3"}
                                          << QStringList{"zero.mp3", "real.mp3"} << false;
        // Round once, then stop: not for ever.
        QTest::newRow("all of no length") << QStringList{"zero1.mp3", "zero2.mp3", "zero3.mp3"}
                                          << QStringList{"zero1.mp3", "zero2.mp3", "zero3.mp3"} << true;
    }
    void songsOfNoLength()
    {
        QFETCH(QStringList, songs);
        QFETCH(bool, stops);
        QTemporaryDir root;
        RuntimeFlags flags;
        flags.dataFolder = root.path() + QStringLiteral("/");
        QVERIFY(QDir().mkpath(GenreFolder::folderOf(flags.dataFolder)));
        ScriptedPrompter prompter;
        RecordingShell shell;
        ScriptedFileDialogs dialogs;
        LengthMedia media;
        CommandRegistry commands;
        ShadowLabel label;
        AudioPlayer player(flags, prompter, shell, dialogs, media, commands, {&label});
        QStringList paths;
        for (const QString &song : songs)
            paths << AudioFiles::song(root.path() + QLatin1Char('/') + song, 10);
        QVERIFY(GenreFolder(GenreFolder::folderOf(flags.dataFolder)).save(QStringLiteral("G"), paths));
        QVERIFY(player.loadGenrePlayList(QStringLiteral("G")));
        QVERIFY(player.playNextSong());
        if (stops) {
            QTRY_COMPARE(prompter.texts(), QStringList{notFound()});
            QVERIFY(!player.isPlaying());
            QVERIFY(player.playPaths().isEmpty());
        } else {
            QTRY_COMPARE(player.currentSong(), 1);
            QVERIFY(player.isPlaying());
            QVERIFY(prompter.shown.isEmpty());
        }
        QTEST(media.opened, "opened");
    }

    void aChosenSong()
    {
        AudioHarness h;
        QVERIFY(h.load({h.song("a.mp3", 8000), h.song("b.mp3", 8000), h.music("gone.mp3"),
                        AudioFiles::unplayable(h.music("text.mp3"))}));
        QVERIFY(h.player.playSelectedSong(1));
        QCOMPARE(h.player.currentSong(), 1);
        QCOMPARE(h.audioLabel.text(), QStringLiteral("2 \u2022 b"));
        QVERIFY(!h.player.playSelectedSong(2));
        QVERIFY(!h.player.playSelectedSong(3));
        QCOMPARE(h.prompter.shown.size(), 2);
        QCOMPARE(h.prompter.shown.at(0).kind, Kind::Plain);
        QCOMPARE(h.prompter.shown.at(0).text, QStringLiteral("Could not find the audio file: gone.mp3"));
        QCOMPARE(h.prompter.shown.at(1).kind, Kind::Plain);
        QCOMPARE(h.prompter.shown.at(1).text, QStringLiteral("Could not play the audio file: text.mp3"));
        QVERIFY(!h.player.isPlaying());
        QVERIFY(!h.player.playSelectedSong(4));
        QCOMPARE(h.prompter.shown.size(), 2);
    }

    void stopKeepsTheListsResetClearsThem()
    {
        AudioHarness h;
        h.flags.currentGenreIndex = 0;
        QVERIFY(h.load({h.song("a.mp3", 8000), h.song("b.mp3", 8000)}));
        QVERIFY(h.player.playNextSong());
        QSignalSpy progress(&h.player, &AudioPlayer::progressChanged);
        QVERIFY(h.player.stopAudio(false));
        QCOMPARE(h.player.status(), QStringLiteral("Stopped"));
        QCOMPARE(h.player.progressMaximum(), 0);
        QCOMPARE(progress.last(), QVariantList({0, 0}));
        QCOMPARE(h.audioLabel.text(), QString());
        QVERIFY(!h.player.isPlaying());
        QCOMPARE(h.player.playPaths().size(), 2);
        // Playing goes on from the song stopped.
        QVERIFY(h.player.playNextSong());
        QCOMPARE(h.player.currentSong(), 1);
        QVERIFY(h.player.stopAtShutDown());
        QVERIFY(h.player.playPaths().isEmpty());
        QVERIFY(h.player.playItems().isEmpty());
        QCOMPARE(h.player.currentSong(), -1);
        QCOMPARE(h.player.currentGenre(), -1);
        QVERIFY(!h.player.isPlaying());
    }

    void genreListsFromTheFolder()
    {
        AudioHarness h;
        QVERIFY(h.load({}));
        QVERIFY(h.genre(QStringLiteral("rock"), {}));
        QVERIFY(h.genre(QStringLiteral("Blues"), {}));
        QVERIFY(h.player.populateGenreLists());
        QCOMPARE(h.player.genres(), QStringList({"Blues", "rock", "Test"}));
        // A missing genre file is an empty list, one that cannot be read an error.
        QVERIFY(h.player.loadGenrePlayList(QStringLiteral("Nothing")));
        QVERIFY(h.player.playPaths().isEmpty());
        QVERIFY(QDir().mkpath(h.genreFolder() + QStringLiteral("Broken.gpl")));
        QVERIFY(!h.player.loadGenrePlayList(QStringLiteral("Broken")));
        QVERIFY(h.player.genres().isEmpty());
        QVERIFY(QDir(h.genreFolder()).removeRecursively());
        QVERIFY(!h.player.populateGenreLists());
        QVERIFY(!h.player.showGenreLists());
        QCOMPARE(h.prompter.texts(), QStringList{"Could not load the genre lists."});
    }

    void genreStepsWrap()
    {
        AudioHarness h;
        for (const char *name : {"C", "a", "B"})
            QVERIFY(h.genre(QLatin1String(name), {h.song(QLatin1String(name) + QStringLiteral(".mp3"), 8000)}));
        QStringList shown;
        QVERIFY(h.player.playNextGenre()); // the genre list is read first
        shown << h.player.genreText();
        QCOMPARE(h.player.genres(), QStringList({"a", "B", "C"}));
        QVERIFY(h.player.playNextGenre());
        shown << h.player.genreText();
        QVERIFY(h.player.playNextGenre());
        shown << h.player.genreText();
        QVERIFY(h.player.playNextGenre());
        shown << h.player.genreText();
        QVERIFY(h.player.playPriorGenre());
        shown << h.player.genreText();
        QCOMPARE(shown, QStringList({"a", "B", "C", "a", "C"}));
        QCOMPARE(h.player.currentGenre(), 2);
        QCOMPARE(h.audioLabel.text(), QStringLiteral("1 \u2022 C"));
        // A genre whose file went is passed over.
        QVERIFY(QFile::remove(h.genreFolder() + QStringLiteral("a.gpl")));
        QVERIFY(h.player.playNextGenre());
        QCOMPARE(h.player.genreText(), QStringLiteral("B"));
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void noGenresToStep_data()
    {
        QTest::addColumn<bool>("folderThere");
        QTest::newRow("empty genre folder") << true;
        QTest::newRow("no genre folder") << false;
    }
    void noGenresToStep()
    {
        QFETCH(bool, folderThere);
        AudioHarness h;
        if (!folderThere)
            QVERIFY(QDir(h.genreFolder()).removeRecursively());
        QVERIFY(!h.player.playNextGenre());
        QVERIFY(!h.player.playPriorGenre());
        QCOMPARE(h.prompter.texts(), QStringList(2, QStringLiteral("Could not populate the genre lists.")));
    }

    void choosingAGenrePlaysIt()
    {
        AudioHarness h;
        QVERIFY(h.genre(QStringLiteral("Jazz"), {h.music("gone.mp3"), h.song("j.mp3", 8000)}));
        QVERIFY(h.genre(QStringLiteral("Lost"), {h.music("gone.mp3")}));
        QVERIFY(h.player.populateGenreLists());
        QSignalSpy focus(&h.player, &AudioPlayer::stopFocusWanted);
        h.player.chooseGenre(QStringLiteral("Jazz"));
        QVERIFY(h.player.isPlaying());
        QCOMPARE(h.player.currentSong(), 1);
        QCOMPARE(h.player.currentGenre(), 0);
        QCOMPARE(focus.size(), 1);
        // Next genre goes on from the one chosen.
        h.player.chooseGenre(QStringLiteral("Lost"));
        QCOMPARE(h.prompter.texts(), QStringList{notFound()});
        QCOMPARE(h.player.currentGenre(), 1);
        QVERIFY(h.player.playNextGenre());
        QCOMPARE(h.player.genreText(), QStringLiteral("Jazz"));
    }

    void aScanBecomesAnUnsavedList()
    {
        AudioHarness h;
        // A genre named tmp is a genre like any other: a scan leaves it be.
        QVERIFY(h.genre(QStringLiteral("tmp"), {QStringLiteral("/kept.mp3")}));
        const QString folder = h.root.path() + QStringLiteral("/scan");
        for (const char *file : {"b.mp3", "a.wma", "notes.txt", "sub/c.mp3"})
            QVERIFY(TestFiles::write(folder + QLatin1Char('/') + QLatin1String(file), "x"));
        h.dialogs.folderAnswer = folder;
        QSignalSpy focus(&h.player, &AudioPlayer::genreFocusWanted);
        QVERIFY(h.commands.trigger(QStringLiteral("SingleFolderSearch")));
        QCOMPARE(h.dialogs.asked, QStringList{"Choose a root folder with sub-folders"});
        QVERIFY(h.prompter.shown.isEmpty());
        QCOMPARE(h.player.playPaths(), QStringList({folder + "/b.mp3", folder + "/a.wma"}));
        QCOMPARE(h.player.playItems(), QStringList({"1 \u2022 b", "2 \u2022 a"}));
        QVERIFY(h.player.isUnsaved());
        QVERIFY(h.flags.genreListModified);
        QCOMPARE(h.player.genreText(), QStringLiteral("..Save me.."));
        QCOMPARE(focus.size(), 1);
        QVERIFY(h.player.genres().isEmpty());
        QCOMPARE(QDir(h.genreFolder()).entryList(QDir::Files), QStringList{"tmp.gpl"});
        QCOMPARE(TestFiles::read(h.genreFolder() + QStringLiteral("tmp.gpl")), QByteArray("/kept.mp3\r\n"));
        QCOMPARE(h.flags.suspensionDepth(), 0);
        // The scanned list plays like any other.
        QVERIFY(!h.player.playNextSong()); // "x" is no song
    }

    void aRecursiveScanAsksFirst()
    {
        AudioHarness h;
        const QString folder = h.root.path() + QStringLiteral("/scan");
        QVERIFY(TestFiles::write(folder + QStringLiteral("/sub/c.mp3"), "x"));
        h.dialogs.folderAnswer = folder;
        h.prompter.answers = {false, true};
        QVERIFY(h.commands.trigger(QStringLiteral("RecursiveFolderSearch")));
        QVERIFY(h.dialogs.asked.isEmpty());
        QVERIFY(!h.player.isUnsaved());
        QVERIFY(h.commands.trigger(QStringLiteral("RecursiveFolderSearch")));
        QCOMPARE(h.prompter.texts(), QStringList(2, QStringLiteral("This search could take several minutes, proceed?")));
        QCOMPARE(h.player.playPaths(), QStringList{folder + "/sub/c.mp3"});
        QVERIFY(h.player.isUnsaved());
    }

    void noFolderNoScan_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("cancelled") << QString();
        QTest::newRow("blank") << "  ";
        QTest::newRow("no such folder") << "/no/such/folder";
    }
    void noFolderNoScan()
    {
        QFETCH(QString, answer);
        AudioHarness h;
        QVERIFY(h.load({h.song("a.mp3", 8000)}));
        QVERIFY(h.player.playNextSong());
        h.dialogs.folderAnswer = answer;
        h.player.createGenre(false);
        QVERIFY(h.player.isPlaying());
        QCOMPARE(h.player.playPaths().size(), 1);
        QVERIFY(!h.player.isUnsaved());
    }

    void savingAScanMakesAGenre()
    {
        AudioHarness h;
        QVERIFY(h.genre(QStringLiteral("Rock"), {}));
        const QString folder = h.root.path() + QStringLiteral("/scan");
        QVERIFY(TestFiles::write(folder + QStringLiteral("/b.mp3"), "x"));
        QVERIFY(TestFiles::write(folder + QStringLiteral("/a.mp3"), "x"));
        h.dialogs.folderAnswer = folder;
        // Without a scan waiting, saving does nothing.
        h.player.editGenreText(QStringLiteral("Ignored"));
        h.player.saveGenre();
        QVERIFY(!QFileInfo::exists(h.genreFolder() + QStringLiteral("Ignored.gpl")));
        h.player.createGenre(false);
        h.player.editGenreText(QStringLiteral("  New Mix "));
        QVERIFY(h.commands.trigger(QStringLiteral("btnSaveGenre")));
        QCOMPARE(TestFiles::read(h.genreFolder() + QStringLiteral("New Mix.gpl")),
                 (folder + "/a.mp3\r\n" + folder + "/b.mp3\r\n").toUtf8());
        QCOMPARE(h.player.genres(), QStringList({"New Mix", "Rock"}));
        QVERIFY(h.player.playPaths().isEmpty());
        QCOMPARE(h.player.genreText(), QString());
        QVERIFY(!h.player.isUnsaved());
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void refusedGenreNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString exists = QStringLiteral("Check genre name, it may exist.");
        const QString unusable = QStringLiteral("Check genre name, a genre name cannot contain \"/\", \"\\\"\n"
                                                "or control characters, nor be \".\" or \"..\".");
        QTest::newRow("blank") << "   " << exists;
        QTest::newRow("the unsaved text") << "..Save me.." << exists;
        QTest::newRow("a genre in another letter case") << "rOCK" << exists;
        QTest::newRow("a folder separator") << "Rock/Pop" << unusable;
        QTest::newRow("climbing out") << "../../Rock2" << unusable;
        QTest::newRow("a backslash") << "Rock\\Pop" << unusable;
        QTest::newRow("dot dot") << ".." << unusable;
        QTest::newRow("a control character") << "Ro\x01" "ck" << unusable;
    }
    void refusedGenreNames()
    {
        QFETCH(QString, name);
        AudioHarness h;
        QVERIFY(h.genre(QStringLiteral("Rock"), {}));
        h.dialogs.folderAnswer = h.music(QString());
        QVERIFY(!h.song("a.mp3").isEmpty());
        h.player.createGenre(false);
        QVERIFY(h.player.isUnsaved());
        h.player.editGenreText(name);
        h.player.saveGenre();
        QFETCH(QString, message);
        QCOMPARE(h.prompter.texts(), QStringList{message});
        QCOMPARE(h.player.genreText(), QStringLiteral("..Save me.."));
        QVERIFY(h.player.isUnsaved());
        QCOMPARE(h.player.playPaths().size(), 1);
        QCOMPARE(QDir(h.genreFolder()).entryList(QDir::Files), QStringList{"Rock.gpl"});
        QCOMPARE(QDir(h.root.path()).entryList(QDir::Files), QStringList());
    }

    // A list that cannot be written stays, unsaved, and says why.
    void aFailedSaveKeepsTheScan()
    {
        AudioHarness h;
        h.dialogs.folderAnswer = h.music(QString());
        QVERIFY(!h.song("a.mp3").isEmpty());
        h.player.createGenre(false);
        QVERIFY(QDir().mkpath(h.genreFolder() + QStringLiteral("Blocked.gpl")));
        h.player.editGenreText(QStringLiteral("Blocked"));
        h.player.saveGenre();
        QCOMPARE(h.prompter.texts(),
                 QStringList{"Could not save the genre play list: a folder has that name. Nothing was written."});
        QVERIFY(h.player.isUnsaved());
        QCOMPARE(h.player.playPaths(), QStringList{h.music("a.mp3")});
    }

    void deletingGenres()
    {
        AudioHarness h;
        QVERIFY(h.genre(QStringLiteral("Rock"), {}));
        QVERIFY(h.genre(QStringLiteral("Jazz"), {}));
        QVERIFY(TestFiles::write(h.root.path() + QStringLiteral("/outside.gpl"), "/a.mp3\r\n"));
        QVERIFY(h.player.populateGenreLists());
        h.prompter.answers = {false, true};
        h.player.editGenreText(QStringLiteral(" Rock "));
        h.player.deleteGenre();
        QVERIFY(QFileInfo::exists(h.genreFolder() + QStringLiteral("Rock.gpl")));
        QVERIFY(h.commands.trigger(QStringLiteral("btnDeleteGenre")));
        QVERIFY(!QFileInfo::exists(h.genreFolder() + QStringLiteral("Rock.gpl")));
        QCOMPARE(h.player.genres(), QStringList{"Jazz"});
        QCOMPARE(h.prompter.texts(), QStringList(2, QStringLiteral("Delete selected genre list?")));
        // The name never leads out of the genre folder.
        h.prompter.shown.clear();
        h.player.editGenreText(QStringLiteral("../outside"));
        h.player.deleteGenre();
        QVERIFY(QFileInfo::exists(h.root.path() + QStringLiteral("/outside.gpl")));
        QCOMPARE(h.prompter.shown.size(), 1);
        QCOMPARE(h.prompter.shown.first().kind, Kind::Information);
        // Nothing typed: nothing asked.
        h.prompter.shown.clear();
        h.player.editGenreText(QStringLiteral("  "));
        h.player.deleteGenre();
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void deletingTheUnsavedList()
    {
        AudioHarness h;
        h.dialogs.folderAnswer = h.music(QString());
        QVERIFY(!h.song("a.mp3").isEmpty());
        QVERIFY(h.genre(QStringLiteral("Rock"), {}));
        h.player.createGenre(false);
        QVERIFY(h.player.isUnsaved());
        h.player.deleteGenre(); // the box says "..Save me.."
        QCOMPARE(h.prompter.texts(), QStringList{"Delete the unsaved play list?"});
        QVERIFY(!h.player.isUnsaved());
        QVERIFY(h.player.playPaths().isEmpty());
        QCOMPARE(h.player.genres(), QStringList{"Rock"});
    }

    void theCornerLabelStepsOn()
    {
        AudioHarness h;
        QCOMPARE(h.audioLabel.toolTip(), QStringLiteral("Click for the next song."));
        QVERIFY(h.genre(QStringLiteral("Pop"), {h.song("a.mp3", 8000), h.song("b.mp3", 8000)}));
        QTest::mouseClick(&h.audioLabel, Qt::LeftButton);
        QCOMPARE(h.player.genreText(), QStringLiteral("Pop"));
        QCOMPARE(h.audioLabel.text(), QStringLiteral("1 \u2022 a"));
        QTest::mouseClick(&h.audioLabel, Qt::LeftButton);
        QCOMPARE(h.audioLabel.text(), QStringLiteral("2 \u2022 b"));
        QCOMPARE(h.player.currentGenre(), 0);
    }

    void theVolumeControl()
    {
        AudioHarness h;
        const QByteArray path = qgetenv("PATH");
        const QString bin = h.root.path() + QStringLiteral("/bin");
        QVERIFY(QDir().mkpath(bin));
        qputenv("PATH", bin.toLocal8Bit());
        QVERIFY(!h.player.openVolumeControl());
        QCOMPARE(h.prompter.texts(), QStringList{"Could not open the volume control window."});
        QVERIFY(TestFiles::write(bin + QStringLiteral("/pavucontrol"), "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(bin + QStringLiteral("/pavucontrol"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(h.commands.trigger(QStringLiteral("btnVolume")));
        qputenv("PATH", path);
        QCOMPARE(h.shell.started, QStringList{bin + QStringLiteral("/pavucontrol")});
        QCOMPARE(h.prompter.shown.size(), 1);
    }

    void theCommands()
    {
        AudioHarness h;
        const QStringList names{"RecursiveFolderSearch", "SingleFolderSearch", "btnCreateGenre", "btnSaveGenre",
                                "btnDeleteGenre", "btnStopAudio", "btnVolume", "PlayNextSong", "PlayPriorGenre",
                                "PlayPriorSong", "PlayNextGenre", "StopAudio"};
        QCOMPARE(h.commands.names(), names);
        QCOMPARE(h.player.command(QStringLiteral("PlayNextGenre"))->text(),
                 QStringLiteral("Audio \u2022 start (next genre)"));
        QCOMPARE(h.player.createGenreMenu()->objectName(), QStringLiteral("pmCreateGenre"));
        QStringList items;
        for (QAction *a : h.player.createGenreMenu()->actions())
            if (!a->isSeparator())
                items << a->text();
        QCOMPARE(items, QStringList({"Recursive Folder Search", "Single Folder Search", "Cancel"}));

        QVERIFY(h.genre(QStringLiteral("Pop"), {h.song("a.mp3", 8000), h.song("b.mp3", 8000)}));
        QVERIFY(h.commands.trigger(QStringLiteral("PlayNextGenre")));
        QVERIFY(h.commands.trigger(QStringLiteral("PlayNextSong")));
        QCOMPARE(h.player.currentSong(), 1);
        QVERIFY(h.commands.trigger(QStringLiteral("btnStopAudio")));
        QVERIFY(!h.player.isPlaying());
        QCOMPARE(h.player.playPaths().size(), 2);
        QVERIFY(h.commands.trigger(QStringLiteral("PlayPriorGenre")));
        QVERIFY(h.player.isPlaying());
        QVERIFY(h.commands.trigger(QStringLiteral("StopAudio")));
        QVERIFY(!h.player.isPlaying());
        QVERIFY(h.player.playPaths().isEmpty());
    }

    // The music waits while a page plays sound: paused where it was, the
    // same song going on after.
    void theMusicWaitsForAPaneAndGoesOn()
    {
        AudioHarness h;
        QVERIFY(h.load({h.song("one.mp3", 8000), h.song("two.mp3")}));
        QVERIFY(h.player.playNextSong());
        QTRY_VERIFY_WITH_TIMEOUT(h.media.position() > 200, 5000);
        h.player.holdForPane(true);
        QVERIFY(h.player.heldForPane());
        QVERIFY(!h.player.isPlaying());
        QCOMPARE(h.player.status(), QStringLiteral("Waiting while a page plays sound"));
        const qint64 heldAt = h.media.position();
        QTest::qWait(400); // time in which a playing song would move on
        QVERIFY2(qAbs(h.media.position() - heldAt) < 100, qPrintable(QString::number(h.media.position() - heldAt)));
        h.player.holdForPane(false);
        QVERIFY(!h.player.heldForPane());
        QVERIFY(h.player.isPlaying());
        QCOMPARE(h.player.currentSong(), 0);
        QCOMPARE(h.player.status(), QStringLiteral("Playing...1  of  2"));
        QTRY_VERIFY_WITH_TIMEOUT(h.media.position() > heldAt + 200, 5000);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void aStopOrAnotherSongEndsTheWait_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<bool>("playingAfter");
        QTest::newRow("stop") << "StopAudio" << false;
        QTest::newRow("next song") << "PlayNextSong" << true;
    }
    void aStopOrAnotherSongEndsTheWait()
    {
        QFETCH(QString, meanwhile);
        AudioHarness h;
        QVERIFY(h.load({h.song("one.mp3", 8000), h.song("two.mp3", 8000)}));
        QVERIFY(h.player.playNextSong());
        h.player.holdForPane(true);
        QVERIFY(h.player.heldForPane());
        QVERIFY(h.commands.trigger(meanwhile));
        QVERIFY(!h.player.heldForPane());
        QTEST(h.player.isPlaying(), "playingAfter");
        const QString status = h.player.status();
        h.player.holdForPane(false); // the pane falls silent: nothing more
        QCOMPARE(h.player.isPlaying(), !status.startsWith(QLatin1String("Stopped")));
        QCOMPARE(h.player.status(), status);
    }

    // A genre picked on the audio page where no audio output opens: the
    // user hears why, once, and the rest of the list is not tried. A
    // missing or unreadable song still reads as one.
    void noAudioOutputIsToldApartFromMissingSongs_data()
    {
        QTest::addColumn<QString>("output"); // none: a device that is not there; silent: mpv's null output
        QTest::addColumn<QStringList>("songs"); // gone...: missing; text...: no song
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QString>("message");
        const QString noOutput = QStringLiteral("No audio output could be opened.");
        QTest::newRow("no output") << "none" << QStringList{"a.mp3", "b.mp3", "c.mp3"} << QStringList{"a.mp3"}
                                   << noOutput;
        QTest::newRow("no output, the first song missing")
            << "none" << QStringList{"gone.mp3", "a.mp3", "b.mp3"} << QStringList{"a.mp3"} << noOutput;
        QTest::newRow("no output, every song missing")
            << "none" << QStringList{"gone.mp3", "gone2.mp3"} << QStringList{} << notFound();
        QTest::newRow("the machine's own output, with no sound device")
            << "system" << QStringList{"a.mp3", "b.mp3"} << QStringList{"a.mp3"} << noOutput;
        QTest::newRow("a missing song") << "silent" << QStringList{"gone.mp3"} << QStringList{} << notFound();
        QTest::newRow("a song that is no song")
            << "silent" << QStringList{"text.mp3", "gone.mp3"} << QStringList{"text.mp3"} << notFound();
    }
    void noAudioOutputIsToldApartFromMissingSongs()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, songs);
        QFETCH(QString, message);
        if (output == "system" && machineHasSound())
            QSKIP("This machine has a sound device.");
        QTemporaryDir root;
        RuntimeFlags flags;
        flags.dataFolder = root.path() + QStringLiteral("/");
        QVERIFY(QDir().mkpath(GenreFolder::folderOf(flags.dataFolder)));
        ScriptedPrompter prompter;
        RecordingShell shell;
        ScriptedFileDialogs dialogs;
        const bool none = output == "none";
        RecordingMpv media(none ? QStringLiteral("alsa") : output == "silent" ? QStringLiteral("null") : QString(),
                           none ? QStringLiteral("alsa/vorlan-no-such-device") : QString());
        QVERIFY(media.isReady());
        CommandRegistry commands;
        ShadowLabel label;
        AudioPlayer player(flags, prompter, shell, dialogs, media, commands, {&label});
        QStringList paths;
        for (const QString &song : songs) {
            const QString path = root.path() + QStringLiteral("/music/") + song;
            if (song.startsWith(QLatin1String("text")))
                QVERIFY(!AudioFiles::unplayable(path).isEmpty());
            else if (!song.startsWith(QLatin1String("gone")))
                QVERIFY(!AudioFiles::song(path, 4000).isEmpty());
            paths << path;
        }
        QVERIFY(GenreFolder(GenreFolder::folderOf(flags.dataFolder)).save(QStringLiteral("Music"), paths));

        // The user picks the genre on the audio page.
        AudioPage page(player);
        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        QVERIFY(page.pageSelected());
        auto *genres = page.findChild<QComboBox *>(QStringLiteral("cbGenreList"));
        QTest::mouseClick(page.windowHandle(), Qt::LeftButton, {},
                          genres->mapTo(&page, QPoint(10, genres->height() / 2)));
        QTRY_VERIFY(QApplication::focusWidget()
                    && (QApplication::focusWidget() == genres || genres->isAncestorOf(QApplication::focusWidget())));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(genres->currentText(), QStringLiteral("Music"));

        QTRY_COMPARE_WITH_TIMEOUT(prompter.texts(), QStringList{message}, 15000);
        QTEST(media.opened, "opened");
        QVERIFY(!player.isPlaying());
        QCOMPARE(player.status(), QStringLiteral("Stopped"));
        QCOMPARE(label.text(), QString());

        // A step asked for by the controller or a key: either it plays, or
        // the player has said itself that there is no output (the caller
        // then adds nothing); a missing song is never taken for that.
        const bool noOutput = message == QStringLiteral("No audio output could be opened.");
        for (const bool genre : {false, true}) {
            const bool stepped = genre ? player.playNextGenre() : player.playNextSong();
            if (noOutput)
                QVERIFY(stepped || player.lastStepFoundNoOutput());
            else
                QVERIFY(!player.lastStepFoundNoOutput());
        }
    }

    void nothingPlayingNothingWaits()
    {
        AudioHarness h;
        QVERIFY(h.load({h.song("one.mp3")}));
        h.player.holdForPane(true);
        QVERIFY(!h.player.heldForPane());
        h.player.holdForPane(false);
        QVERIFY(!h.player.isPlaying());
    }
};

QTEST_MAIN(TestAudioPlayer)
#include "test_audioplayer.moc"
