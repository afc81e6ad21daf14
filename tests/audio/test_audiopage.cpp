#include "audio/audiopage.h"
#include "support/audioharness.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

// The audio page of the grid tools panel, on the player it shows.
class TestAudioPage : public QObject
{
    Q_OBJECT

    struct Page
    {
        AudioHarness h;
        AudioPage page{h.player};

        template <typename T>
        T *find(const char *name) const
        {
            return page.findChild<T *>(QLatin1String(name));
        }
        QComboBox *genres() const { return find<QComboBox>("cbGenreList"); }
        QComboBox *songs() const { return find<QComboBox>("cbPlayList"); }
        QPushButton *stop() const { return find<QPushButton>("btnStopAudio"); }
        QProgressBar *progress() const { return find<QProgressBar>("pbAudioPlayer"); }
        bool showActive()
        {
            page.show();
            page.activateWindow();
            return QTest::qWaitForWindowActive(&page);
        }
    };

    static QStringList items(const QComboBox *box)
    {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    }

private slots:
    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        QTest::newRow("create") << "btnCreateGenre" << "Create" << "Create a new genre play list.";
        QTest::newRow("save") << "btnSaveGenre" << "Save" << "Save the genre play list.";
        QTest::newRow("delete") << "btnDeleteGenre" << "Delete" << "Delete the current genre play list.";
        QTest::newRow("stop") << "btnStopAudio" << "Stop" << "Stop the audio player.";
        QTest::newRow("volume") << "btnVolume" << "Volume" << "Open the volume control window.";
    }
    void buttons()
    {
        QFETCH(QString, name);
        Page p;
        auto *button = p.page.findChild<QPushButton *>(name);
        QVERIFY(button);
        QTEST(button->text(), "text");
        QTEST(button->toolTip(), "hint");
    }

    void theOtherControls()
    {
        Page p;
        QVERIFY(p.genres()->isEditable());
        QCOMPARE(p.genres()->insertPolicy(), QComboBox::NoInsert);
        QVERIFY(!p.songs()->isEditable());
        QVERIFY(p.find<QListWidget>("lbPlayPathList")->isHidden());
        QCOMPARE(p.find<QLabel>("laAudioStatus")->text(), QStringLiteral("Stopped"));
        QCOMPARE(p.find<QGroupBox>("gbGenreList")->title(), QStringLiteral("Genre list"));
        QCOMPARE(p.find<QGroupBox>("gbPlayList")->title(), QStringLiteral("Play list"));
        // Stopped, the bar is empty, not a busy indicator.
        QCOMPARE(p.progress()->value(), 0);
        QVERIFY(p.progress()->maximum() > 0);
        QCOMPARE(p.progress()->text(), QString());
    }

    void choosingTheAudioPageReadsTheGenres()
    {
        Page p;
        for (const char *name : {"rock", "Ambient", "Blues"})
            QVERIFY(p.h.genre(QLatin1String(name), {}));
        QVERIFY(p.page.pageSelected());
        QCOMPARE(items(p.genres()), QStringList({"Ambient", "Blues", "rock"}));
        QCOMPARE(p.genres()->currentText(), QString());
        QVERIFY(QDir(p.h.genreFolder()).removeRecursively());
        QVERIFY(!p.page.pageSelected());
        QCOMPARE(p.h.prompter.texts(), QStringList{"Could not load the genre lists."});
        QCOMPARE(p.genres()->count(), 0);
    }

    void aGenreChosenInTheBoxPlays()
    {
        Page p;
        const QStringList songs{p.h.song("one.mp3", 8000), p.h.song("two.mp3", 8000)};
        QVERIFY(p.h.genre(QStringLiteral("Pop"), songs));
        QVERIFY(p.h.genre(QStringLiteral("Rock"), {}));
        QVERIFY(p.page.pageSelected());
        QVERIFY(p.showActive());
        p.genres()->setFocus();
        QTest::keyClick(p.genres(), Qt::Key_Down);
        QCOMPARE(p.genres()->currentText(), QStringLiteral("Pop"));
        QVERIFY(p.h.player.isPlaying());
        QTRY_VERIFY(p.stop()->hasFocus());
        QCOMPARE(items(p.songs()), QStringList({"1 \u2022 one", "2 \u2022 two"}));
        QCOMPARE(p.songs()->currentIndex(), 0);
        QStringList paths;
        for (int i = 0; i < p.find<QListWidget>("lbPlayPathList")->count(); ++i)
            paths << p.find<QListWidget>("lbPlayPathList")->item(i)->text();
        QCOMPARE(paths, songs);
        QCOMPARE(p.find<QLabel>("laAudioStatus")->text(), QStringLiteral("Playing...1  of  2"));
        QCOMPARE(p.progress()->maximum(), p.h.player.progressMaximum());
        QTRY_VERIFY_WITH_TIMEOUT(p.progress()->value() > 0, 5000);
        QVERIFY(p.progress()->text().endsWith(QStringLiteral(" / 0:08")));

        // A song picked by keyboard plays, and the keys go to Stop.
        p.songs()->setFocus();
        QTest::keyClick(p.songs(), Qt::Key_Down);
        QCOMPARE(p.h.player.currentSong(), 1);
        QCOMPARE(p.h.audioLabel.text(), QStringLiteral("2 \u2022 two"));
        QTRY_VERIFY(p.stop()->hasFocus());

        QTest::mouseClick(p.stop(), Qt::LeftButton);
        QVERIFY(!p.h.player.isPlaying());
        QCOMPARE(p.find<QLabel>("laAudioStatus")->text(), QStringLiteral("Stopped"));
        QCOMPARE(p.progress()->text(), QString());
        QCOMPARE(p.songs()->count(), 2);
    }

    void aScanWaitsForItsNameInTheBox()
    {
        Page p;
        QVERIFY(p.h.genre(QStringLiteral("Rock"), {}));
        QVERIFY(p.page.pageSelected());
        QVERIFY(!p.h.song("a.mp3").isEmpty());
        p.h.dialogs.folderAnswer = p.h.music(QString());
        const QColor normal = p.genres()->palette().color(QPalette::Base);
        QVERIFY(p.showActive());
        QVERIFY(p.h.commands.trigger(QStringLiteral("SingleFolderSearch")));
        QCOMPARE(p.genres()->currentText(), QStringLiteral("..Save me.."));
        QCOMPARE(p.genres()->count(), 0);
        QCOMPARE(p.genres()->palette().color(QPalette::Base), QColor(166, 202, 240));
        QVERIFY(!p.genres()->completer());
        QTRY_VERIFY(p.genres()->hasFocus());
        QCOMPARE(items(p.songs()), QStringList{"1 \u2022 a"});

        p.genres()->lineEdit()->selectAll();
        QTest::keyClicks(p.genres()->lineEdit(), QStringLiteral("Fresh"));
        QTest::keyClick(p.genres()->lineEdit(), Qt::Key_Return);
        QCOMPARE(TestFiles::read(p.h.genreFolder() + QStringLiteral("Fresh.gpl")),
                 (p.h.music("a.mp3") + "\r\n").toUtf8());
        QCOMPARE(items(p.genres()), QStringList({"Fresh", "Rock"}));
        QCOMPARE(p.genres()->currentText(), QString());
        QCOMPARE(p.genres()->palette().color(QPalette::Base), normal);
        QVERIFY(p.genres()->completer());
        QCOMPARE(p.songs()->count(), 0);
        QVERIFY(p.h.prompter.shown.isEmpty());
    }

    void aRefusedNameComesBackAsSaveMe()
    {
        Page p;
        QVERIFY(p.h.genre(QStringLiteral("Rock"), {}));
        QVERIFY(!p.h.song("a.mp3").isEmpty());
        p.h.dialogs.folderAnswer = p.h.music(QString());
        p.h.player.createGenre(false);
        p.genres()->setEditText(QStringLiteral("ROCK"));
        QTest::mouseClick(p.find<QPushButton>("btnSaveGenre"), Qt::LeftButton);
        QCOMPARE(p.h.prompter.texts(), QStringList{"Check genre name, it may exist."});
        QCOMPARE(p.genres()->currentText(), QStringLiteral("..Save me.."));
    }
};

QTEST_MAIN(TestAudioPage)
#include "test_audiopage.moc"
