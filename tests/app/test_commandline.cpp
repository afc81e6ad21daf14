#include "app/commandline.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <QTemporaryDir>
#include <QTest>

// The addresses of the command line, made whole where they were typed.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void addresses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none") << QStringList{} << QStringList{};
        QTest::newRow("web") << QStringList{"https://example.org/a?b=1#c"} << QStringList{"https://example.org/a?b=1#c"};
        QTest::newRow("bare host") << QStringList{"example.org"} << QStringList{"http://example.org"};
        QTest::newRow("relative file") << QStringList{"notes/page one.html"}
                                       << QStringList{"file:///work/shell/notes/page%20one.html"};
        QTest::newRow("absolute file") << QStringList{"/srv/x.html"} << QStringList{"file:///srv/x.html"};
        // No address can break the one-line hand-over to a running copy.
        QTest::newRow("line break") << QStringList{"https://example.org/a\nb"}
                                    << QStringList{"https://example.org/a%0Ab"};
        QTest::newRow("several, blanks dropped") << QStringList{"https://a.example/", "  ", "https://b.example/"}
                                                 << QStringList{"https://a.example/", "https://b.example/"};
        QTest::newRow("after --") << QStringList{"--", "./-odd"} << QStringList{"file:///work/shell/-odd"};
    }
    void addresses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, expected);
        const CommandLine::Result result =
            CommandLine::parse(QStringList{QStringLiteral("vorlan")} + arguments, QStringLiteral("/work/shell"));
        QVERIFY(!result.exit);
        QCOMPARE(result.addresses, expected);
    }

    // A bare name is a file when one is there, a web address otherwise.
    void bareNameOfAFile()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("example.org")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const CommandLine::Result result =
            CommandLine::parse({QStringLiteral("vorlan"), QStringLiteral("example.org")}, dir.path());
        QCOMPARE(result.addresses, QStringList{QUrl::fromLocalFile(file.fileName()).toString(QUrl::FullyEncoded)});
    }

    void answeredArguments_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("help") << QStringLiteral("--help") << 0;
        QTest::newRow("version") << QStringLiteral("--version") << 0;
        QTest::newRow("unknown option") << QStringLiteral("--frobnicate") << 2;
    }
    void answeredArguments()
    {
        QFETCH(QString, argument);
        QFETCH(int, exitCode);
        const CommandLine::Result result = CommandLine::parse({QStringLiteral("vorlan"), argument}, QDir::currentPath());
        QVERIFY(result.exit);
        QCOMPARE(result.exitCode, exitCode);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
