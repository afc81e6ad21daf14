#include "options/resourcefigures.h"
#include "options/systeminfo.h"

#include <QFile>
#include <QTest>

// The resources page's figures, and where they come from.
class TestResourceFigures : public QObject
{
    Q_OBJECT

    static constexpr qint64 Mb = 1 << 20;

private slots:
    void figures_data()
    {
        QTest::addColumn<int>("browsers");
        QTest::addColumn<qint64>("swapTotal");
        QTest::addColumn<qint64>("swapFree");
        QTest::addColumn<int>("browsersGauge");
        QTest::addColumn<bool>("browsersLow");
        QTest::addColumn<int>("swapGauge");
        QTest::addColumn<bool>("swapLow");
        QTest::newRow("empty grid") << 0 << 2048 * Mb << 2048 * Mb << 100 << false << 100 << false;
        QTest::newRow("60 browsers") << 60 << 2048 * Mb << 1024 * Mb << 6 << true << 50 << false;
        QTest::newRow("95 percent of swap used") << 3 << 1000 * Mb << 50 * Mb << 95 << false << 5 << true;
        // A machine without swap: an empty gauge, nothing divided by zero.
        QTest::newRow("no swap") << 1 << 0ll << 0ll << 98 << false << 0 << true;
    }
    void figures()
    {
        QFETCH(int, browsers);
        QFETCH(qint64, swapTotal);
        QFETCH(qint64, swapFree);
        const MemoryStatus memory{8192 * Mb, 2048 * Mb, swapTotal, swapFree};
        const ResourceFigures f = ResourceFigures::compute(browsers, memory, 512 * Mb);
        QCOMPARE(f.browsersFree, 64 - browsers);
        QTEST(f.browsersGauge, "browsersGauge");
        QTEST(f.browsersLow, "browsersLow");
        QTEST(f.swapGauge, "swapGauge");
        QTEST(f.swapLow, "swapLow");
        QCOMPARE(f.physicalTotalMb, 8192);
        QCOMPARE(f.physicalUsedMb, 6144);
        QCOMPARE(f.ramGauge, 25);
        QCOMPARE(f.swapUsedMb, (swapTotal - swapFree) >> 20);
        QCOMPARE(f.programMb, 512);
        QCOMPARE(f.othersMb, 6144 - 512);
        // 100 - (5632 MB of 6144 in whole percent of 61.44 MB) = 100 - 91.
        QCOMPARE(f.programGauge, 9);
    }

    void programFiguresUnreadable()
    {
        const ResourceFigures f = ResourceFigures::compute(0, {8192 * Mb, 2048 * Mb, 0, 0}, -1);
        QCOMPARE(f.programMb, 0);
        QCOMPARE(f.programGauge, 0);
        QCOMPARE(f.othersMb, 0);
    }

    void kilobyteLines_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<qint64>("value");
        QTest::newRow("meminfo") << QByteArray("MemTotal:       16318312 kB\nMemFree: 1 kB\n") << QByteArray("MemTotal")
                                 << 16318312ll;
        QTest::newRow("not a prefix") << QByteArray("SwapFree: 7 kB\nSwap: 3 kB\n") << QByteArray("Swap") << 3ll;
        QTest::newRow("missing") << QByteArray("MemTotal: 5 kB\n") << QByteArray("VmRSS") << -1ll;
        QTest::newRow("garbled") << QByteArray("VmRSS:  many kB\n") << QByteArray("VmRSS") << -1ll;
    }
    void kilobyteLines()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, name);
        QTEST(ProcSystemInfo::kilobytes(text, name), "value");
    }

    // The real figures of this machine, against what the kernel says.
    void thisMachine()
    {
        ProcSystemInfo info;
        MemoryStatus memory;
        QVERIFY(info.memoryStatus(&memory));
        QVERIFY(memory.physicalTotal > 0);
        QVERIFY(memory.physicalFree > 0 && memory.physicalFree <= memory.physicalTotal);
        QVERIFY(memory.swapFree <= memory.swapTotal);
        qint64 program = 0;
        QVERIFY(info.programMemory(&program));
        QVERIFY(program > 1 * Mb && program < memory.physicalTotal);
    }
};

QTEST_GUILESS_MAIN(TestResourceFigures)
#include "test_resourcefigures.moc"
