#include "audio/audiotexts.h"

#include <QTest>

// The play list items, the status line and the play times.
class TestAudioTexts : public QObject
{
    Q_OBJECT

private slots:
    void displayItem_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("item");
        QTest::newRow("third song") << 2 << "/home/u/Music/Song.mp3" << QStringLiteral("3 \u2022 Song");
        QTest::newRow("only the last extension goes") << 9 << "/m/Live.At.Home.wma"
                                                      << QStringLiteral("10 \u2022 Live.At.Home");
        QTest::newRow("folders with dots stay out") << 0 << "/m/v1.2/track" << QStringLiteral("1 \u2022 track");
        QTest::newRow("a name that is only an extension") << 0 << "/m/.mp3" << QStringLiteral("1 \u2022 .mp3");
    }
    void displayItem()
    {
        QFETCH(int, index);
        QFETCH(QString, path);
        QTEST(AudioTexts::displayItem(index, path), "item");
    }

    void statusLines()
    {
        QCOMPARE(AudioTexts::stopped(), QStringLiteral("Stopped"));
        QCOMPARE(AudioTexts::playing(2, 12), QStringLiteral("Playing...3  of  12"));
    }

    void times_data()
    {
        QTest::addColumn<qint64>("milliseconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0:00";
        QTest::newRow("part seconds round down") << qint64(59999) << "0:59";
        QTest::newRow("minutes") << qint64(185000) << "3:05";
        QTest::newRow("an hour on") << qint64(3723000) << "1:02:03";
        QTest::newRow("negative is none") << qint64(-5) << "0:00";
    }
    void times()
    {
        QFETCH(qint64, milliseconds);
        QTEST(AudioTexts::time(milliseconds), "text");
    }

    void progress()
    {
        QCOMPARE(AudioTexts::progress(42000, 185000), QStringLiteral("0:42 / 3:05"));
        QCOMPARE(AudioTexts::progress(190000, 185000), QStringLiteral("3:05 / 3:05"));
        QCOMPARE(AudioTexts::progress(0, 0), QString());
    }
};

QTEST_GUILESS_MAIN(TestAudioTexts)
#include "test_audiotexts.moc"
