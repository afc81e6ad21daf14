#include "addresses/addresstree.h"
#include "addresses/addresstreetext.h"
#include "addresses/historydates.h"
#include "core/settings.h"

#include <QTest>

// The dates of History: captions, the stored short dates and the retention
// rule, on a clock fixed by the test and the en_US short date format.
class TestHistoryDates : public QObject
{
    Q_OBJECT

    static QLocale us() { return QLocale(QLocale::English, QLocale::UnitedStates); }
    static HistoryDates at(QDateTime now)
    {
        return HistoryDates(us(), [now] { return now; });
    }
    static HistoryDates on(QDate day) { return at(QDateTime(day, QTime(12, 0))); }

private slots:
    void captions_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Monday") << QDate(2024, 3, 4) << "Monday \u2022 3/4/24";
        QTest::newRow("Sunday") << QDate(2024, 3, 10) << "Sunday \u2022 3/10/24";
        QTest::newRow("Saturday, a year end") << QDate(2022, 12, 31) << "Saturday \u2022 12/31/22";
    }
    void captions()
    {
        QFETCH(QDate, day);
        QTEST(on(day).historyDateCaption(day), "caption");
        // The weekday is English whatever the locale.
        QCOMPARE(HistoryDates(QLocale(QLocale::German, QLocale::Germany)).historyDateCaption(day).section(u' ', 0, 0),
                 HistoryDates::weekdayName(day));
    }

    void groupCaptions()
    {
        const HistoryDates afternoon = at(QDateTime(QDate(2024, 3, 4), QTime(15, 4, 5)));
        QCOMPARE(afternoon.groupCaption(QStringLiteral("NG"), false), QStringLiteral("NG \u2022 3/4/24 3:04:05 PM"));
        const HistoryDates midnight = at(QDateTime(QDate(2024, 3, 4), QTime(0, 0)));
        QCOMPARE(midnight.groupCaption(QStringLiteral("GG"), false), QStringLiteral("GG \u2022 3/4/24"));
        QCOMPARE(midnight.groupCaption(QStringLiteral("AB"), true), QStringLiteral("AB \u2022 3/4/24 12:00:00 AM"));
    }

    void twoDigitYearsAreOfThisCentury_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("24") << "4/4/24" << QDate(2024, 4, 4);
        QTest::newRow("99") << "12/31/99" << QDate(2099, 12, 31);
        QTest::newRow("year in full") << "4/4/2024" << QDate(2024, 4, 4);
        QTest::newRow("no date") << "soon" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }
    void twoDigitYearsAreOfThisCentury()
    {
        QFETCH(QString, text);
        QTEST(on(QDate(2024, 3, 4)).parseShortDate(text), "date");
    }

    void renewingTheDates_data()
    {
        QTest::addColumn<int>("retention");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("maxDate");
        QTest::addColumn<int>("retentionAfter");
        QTest::newRow("30 days") << 0 << QDate(2024, 3, 4) << "4/4/24" << 0;
        QTest::newRow("60 days") << 1 << QDate(2024, 3, 4) << "5/4/24" << 1;
        QTest::newRow("90 days") << 2 << QDate(2024, 3, 4) << "6/4/24" << 2;
        QTest::newRow("every session") << 3 << QDate(2024, 3, 4) << "3/4/24" << 3;
        QTest::newRow("another value") << 7 << QDate(2024, 3, 4) << "4/4/24" << 0;
        // A month at a time: the 31st becomes the 29th, and stays the 29th.
        QTest::newRow("from the 31st") << 1 << QDate(2024, 1, 31) << "3/29/24" << 1;
    }
    void renewingTheDates()
    {
        QFETCH(int, retention);
        QFETCH(QDate, today);
        Settings settings;
        settings.historyRetention = retention;
        QVERIFY(on(today).renewHistoryDates(settings));
        QCOMPARE(settings.historyMinDate, us().toString(today, QLocale::ShortFormat));
        QTEST(settings.historyMaxDate, "maxDate");
        QTEST(settings.historyRetention, "retentionAfter");
    }

    void retention_data()
    {
        QTest::addColumn<int>("retention");
        QTest::addColumn<QString>("storedMax");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<QString>("maxAfter");
        // Today is Monday 3/4/24.
        QTest::newRow("within the period") << 0 << "3/20/24" << false << "3/20/24";
        QTest::newRow("on the last day") << 0 << "3/4/24" << false << "3/4/24";
        QTest::newRow("past it: cleared, a new period") << 0 << "3/3/24" << true << "4/4/24";
        QTest::newRow("past it, 90 days") << 2 << "3/3/24" << true << "6/4/24";
        // Read as 1924 the date would lie in the past and clear every start.
        QTest::newRow("a two-digit year") << 0 << "12/31/24" << false << "12/31/24";
        QTest::newRow("every session") << 3 << "3/20/24" << true << "3/20/24";
        QTest::newRow("another value") << 5 << "3/3/24" << false << "3/3/24";
    }
    void retention()
    {
        QFETCH(int, retention);
        QFETCH(QString, storedMax);
        QFETCH(bool, cleared);
        AddressTree tree;
        QVERIFY(AddressTreeText::parseLines(tree, {"Favorites", "\tNews", "History", "\tSunday \u2022 3/3/24",
                                                   "\t\thttp://h.test/"}));
        QVERIFY(AddressTreeText::classifyLoadedTree(tree));
        Settings settings;
        settings.historyRetention = retention;
        settings.historyMinDate = QStringLiteral("2/2/24");
        settings.historyMaxDate = storedMax;
        QVERIFY(on(QDate(2024, 3, 4)).applyHistoryRetention(tree, settings));
        QCOMPARE(tree.root(1)->childCount(), cleared ? 0 : 1);
        QCOMPARE(tree.root(0)->childCount(), 1);
        QTEST(settings.historyMaxDate, "maxAfter");
        QCOMPARE(settings.historyRetention, retention);
    }

    void historyClearsAfterThePeriodWhileTheProgramIsUsed()
    {
        // Started every day, the history still clears once the month is over.
        AddressTree tree;
        QVERIFY(AddressTreeText::parseLines(tree, {"Favorites", "History", "\tday"}));
        QVERIFY(AddressTreeText::classifyLoadedTree(tree));
        Settings settings;
        QDate day(2024, 3, 4);
        QVERIFY(on(day).renewHistoryDates(settings));
        for (int i = 1; i <= 31; ++i) {
            QVERIFY(on(day.addDays(i)).applyHistoryRetention(tree, settings));
            QCOMPARE(tree.root(1)->childCount(), 1);
        }
        QVERIFY(on(day.addDays(32)).applyHistoryRetention(tree, settings));
        QCOMPARE(tree.root(1)->childCount(), 0);
        QCOMPARE(settings.historyMaxDate, QStringLiteral("5/5/24"));
    }

    void aDateThatIsNoDateStartsAgain()
    {
        AddressTree tree;
        QVERIFY(AddressTreeText::parseLines(tree, {"Favorites", "History", "\tday"}));
        QVERIFY(AddressTreeText::classifyLoadedTree(tree));
        Settings settings;
        settings.historyRetention = 2;
        settings.historyMaxDate = QStringLiteral("2024-13-45");
        QVERIFY(!on(QDate(2024, 3, 4)).applyHistoryRetention(tree, settings));
        QCOMPARE(settings.historyMinDate, QStringLiteral("3/4/24"));
        QCOMPARE(settings.historyMaxDate, QStringLiteral("4/4/24"));
        QCOMPARE(settings.historyRetention, 0);
        QCOMPARE(tree.root(1)->childCount(), 1);
        // Without a History root there is nothing to clear.
        AddressTree noHistory;
        noHistory.appendChild(nullptr, QStringLiteral("Favorites"), 0, 1);
        QVERIFY(!on(QDate(2024, 3, 4)).applyHistoryRetention(noHistory, settings));
    }
};

QTEST_GUILESS_MAIN(TestHistoryDates)
#include "test_historydates.moc"
