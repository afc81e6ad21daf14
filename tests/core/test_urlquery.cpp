#include "core/urlquery.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

// A text as one value of an address's query.
class TestUrlQuery : public QObject
{
    Q_OBJECT

private slots:
    void encodeValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("plain") << "vorlan" << "vorlan";
        QTest::newRow("ampersand") << "R&D" << "R%26D";
        QTest::newRow("hash") << "C#" << "C%23";
        QTest::newRow("plus") << "a+b" << "a%2Bb";
        QTest::newRow("blank") << "news today" << "news%20today";
        QTest::newRow("equals and percent") << "x=100%" << "x%3D100%25";
        QTest::newRow("an address stays readable") << "about:blank" << "about:blank";
        QTest::newRow("an address with a query")
            << "http://a.test/p?x=1&y=2#top" << "http://a.test/p?x%3D1%26y%3D2%23top";
        QTest::newRow("non-ascii") << "caf\u00e9 \u2022" << "caf%C3%A9%20%E2%80%A2";
        QTest::newRow("empty") << "" << "";
    }
    void encodeValue()
    {
        QFETCH(QString, value);
        QFETCH(QString, encoded);
        QCOMPARE(UrlQuery::encodeValue(value), encoded);
        // Read back from a whole address, it is the same one value.
        const QUrl url(QStringLiteral("https://search.test/?q=") + encoded);
        QCOMPARE(QUrlQuery(url).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), value);
        QCOMPARE(QUrlQuery(url).queryItems().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestUrlQuery)
#include "test_urlquery.moc"
