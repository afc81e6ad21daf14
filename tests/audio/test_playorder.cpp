#include "audio/playorder.h"

#include <QTest>

using PlayOrder::Direction;
using PlayOrder::Reach;

// The order in which the song and genre steps try their candidates.
class TestPlayOrder : public QObject
{
    Q_OBJECT

private slots:
    void candidates_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<bool>("all");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("fresh list starts at the first") << -1 << 3 << true << false << QList<int>{0, 1, 2};
        QTest::newRow("fresh list backwards starts at the last") << -1 << 3 << false << false << QList<int>{2, 1, 0};
        QTest::newRow("from the first: the second and third only") << 0 << 3 << true << false << QList<int>{1, 2};
        QTest::newRow("past the last wraps to the first") << 2 << 3 << true << false << QList<int>{0, 1};
        QTest::newRow("prior from the second") << 1 << 3 << false << false << QList<int>{0, 2};
        QTest::newRow("prior from the first wraps to the last") << 0 << 3 << false << false << QList<int>{2, 1};
        QTest::newRow("one song tries itself once") << 0 << 1 << true << false << QList<int>{0};
        QTest::newRow("one song, fresh") << -1 << 1 << false << false << QList<int>{0};
        QTest::newRow("empty list") << -1 << 0 << true << false << QList<int>{};
        QTest::newRow("after the end the song itself comes last") << 1 << 3 << true << true << QList<int>{2, 0, 1};
        QTest::newRow("an index the list no longer has") << 5 << 3 << true << false << QList<int>{0, 1, 2};
        QTest::newRow("the same backwards") << 5 << 3 << false << false << QList<int>{2, 1, 0};
    }
    void candidates()
    {
        QFETCH(int, current);
        QFETCH(int, count);
        QFETCH(bool, forward);
        QFETCH(bool, all);
        QTEST(PlayOrder::candidates(current, count, forward ? Direction::Forward : Direction::Backward,
                                    all ? Reach::All : Reach::Others),
              "expected");
    }
};

QTEST_GUILESS_MAIN(TestPlayOrder)
#include "test_playorder.moc"
