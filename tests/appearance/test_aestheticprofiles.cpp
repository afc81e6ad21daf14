#include "appearance/aestheticprofiles.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

AppearanceValues sample()
{
    return {2, 1, 0, 255, 16777215, 0, 13160660, 536870911, 8421504, -1, 5855577, 8421504, 13160660, 5197647,
            16251385, 4539717};
}

} // namespace

Q_DECLARE_METATYPE(AppearanceValues)

// The ".acp" files of the user's saved schemes.
class TestAestheticProfiles : public QObject
{
    Q_OBJECT

private slots:
    void savedBytesAndRoundTrip()
    {
        QTemporaryDir dir;
        AestheticProfiles profiles(dir.path() + QLatin1Char('/'));
        QVERIFY(profiles.save(QStringLiteral("Night"), sample()));
        const QString path = dir.filePath(QStringLiteral("Aesthetic Profiles/Night.acp"));
        QCOMPARE(profiles.filePath(QStringLiteral("Night")), path);
        QCOMPARE(TestFiles::read(path), QByteArray("2\r\n1\r\n0\r\n255\r\n16777215\r\n0\r\n13160660\r\n536870911\r\n"
                                           "8421504\r\n-1\r\n5855577\r\n8421504\r\n13160660\r\n5197647\r\n"
                                           "16251385\r\n4539717\r\n"));
        AppearanceValues read{};
        QCOMPARE(profiles.load(QStringLiteral("Night"), &read), AestheticProfiles::LoadResult::Loaded);
        QVERIFY(read == sample());
        // Saved again from what was read: the same bytes.
        const QByteArray first = TestFiles::read(path);
        QVERIFY(profiles.save(QStringLiteral("Night"), read));
        QCOMPARE(TestFiles::read(path), first);
    }

    void filesThatChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result");
        const QByteArray sixteen = "1\r\n0\r\n1\r\n255\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n";
        QTest::newRow("15 lines") << sixteen.left(sixteen.lastIndexOf("12\r\n")) << int(AestheticProfiles::LoadResult::Nothing);
        QTest::newRow("17 lines") << sixteen + "13\r\n" << int(AestheticProfiles::LoadResult::Nothing);
        QTest::newRow("empty") << QByteArray() << int(AestheticProfiles::LoadResult::Nothing);
        // A damaged line leaves every value as it was, also those before it.
        QTest::newRow("a word") << QByteArray(sixteen).replace("255", "red") << int(AestheticProfiles::LoadResult::Damaged);
        QTest::newRow("a fraction") << QByteArray(sixteen).replace("\r\n11\r\n", "\r\n1.5\r\n") << int(AestheticProfiles::LoadResult::Damaged);
        QTest::newRow("too large") << QByteArray(sixteen).replace("\r\n11\r\n", "\r\n99999999999\r\n") << int(AestheticProfiles::LoadResult::Damaged);
    }
    void filesThatChangeNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        QTemporaryDir dir;
        AestheticProfiles profiles(dir.path() + QLatin1Char('/'));
        QVERIFY(TestFiles::write(profiles.filePath(QStringLiteral("Odd")), bytes));
        AppearanceValues values = sample();
        QCOMPARE(int(profiles.load(QStringLiteral("Odd"), &values)), result);
        QVERIFY(values == sample());
        // Never deleted.
        QVERIFY(QFile::exists(profiles.filePath(QStringLiteral("Odd"))));
    }

    void windowsFileLoads()
    {
        // Written on Windows: CR LF, a byte order mark of another editor, LF only at the end.
        QTemporaryDir dir;
        AestheticProfiles profiles(dir.path() + QLatin1Char('/'));
        QVERIFY(TestFiles::write(
            profiles.filePath(QStringLiteral("Old")),
            "\xEF\xBB\xBF" "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n14\r\n-15\n"));
        AppearanceValues values{};
        QCOMPARE(profiles.load(QStringLiteral("Old"), &values), AestheticProfiles::LoadResult::Loaded);
        QCOMPARE(values[0], 0);
        QCOMPARE(values[15], -15);
    }

    void namesThatLoadNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("scheme") << QStringLiteral("XP Blue");
        QTest::newRow("empty") << QString();
        QTest::newRow("save me") << QStringLiteral("..Save me..");
        QTest::newRow("reset") << QStringLiteral("Reset");
        QTest::newRow("missing") << QStringLiteral("Nobody");
        QTest::newRow("outside") << QStringLiteral("../Outside");
    }
    void namesThatLoadNothing()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        AestheticProfiles profiles(dir.path() + QLatin1Char('/'));
        // A file under each name but the missing one, and one beside the folder.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Aesthetic Profiles")));
        for (const QString &file : {name, QStringLiteral("Outside")})
            if (file != QLatin1String("Nobody"))
                QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("Aesthetic Profiles/") + file + QStringLiteral(".acp")),
                                         QByteArray("7\r\n").repeated(16)));
        QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("Outside.acp")), QByteArray("7\r\n").repeated(16)));
        AppearanceValues values = sample();
        QCOMPARE(profiles.load(name, &values), AestheticProfiles::LoadResult::Nothing);
        QVERIFY(values == sample());
    }

    void savableNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("savable");
        QTest::addColumn<QString>("message");
        const QString taken = QStringLiteral("Check profile name, it may exists.");
        const QString unsafe = QStringLiteral("A profile name cannot hold \"/\", \"\\\" or control characters, nor be "
                                              "\".\" or \"..\".");
        QTest::newRow("plain") << QStringLiteral("Night") << true << QString();
        QTest::newRow("dots inside") << QStringLiteral("v1.2") << true << QString();
        QTest::newRow("unicode") << QStringLiteral("Nuit d’été") << true << QString();
        QTest::newRow("scheme") << QStringLiteral("XP Blue") << false << taken;
        QTest::newRow("save me") << QStringLiteral("..Save me..") << false << taken;
        QTest::newRow("empty") << QString() << false << taken;
        QTest::newRow("slash") << QStringLiteral("a/b") << false << unsafe;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << false << unsafe;
        QTest::newRow("dot") << QStringLiteral(".") << false << unsafe;
        QTest::newRow("dot dot") << QStringLiteral("..") << false << unsafe;
        QTest::newRow("tab") << QStringLiteral("a\tb") << false << unsafe;
        QTest::newRow("newline") << QStringLiteral("a\nb") << false << unsafe;
    }
    void savableNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, savable);
        QFETCH(QString, message);
        QString why;
        QCOMPARE(AestheticProfiles::isSavableName(name, &why), savable);
        QCOMPARE(why, message);
        QTemporaryDir dir;
        AestheticProfiles profiles(dir.path() + QLatin1Char('/'));
        QCOMPARE(profiles.save(name, sample()), savable);
        // Nothing written anywhere for a refused name.
        if (!savable)
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
                     QDir(profiles.folder()).exists() ? 1 : 0);
    }

    void listHoldsSchemesAndProfilesSorted()
    {
        QTemporaryDir dir;
        AestheticProfiles profiles(dir.path() + QLatin1Char('/'));
        QVERIFY(profiles.save(QStringLiteral("zebra"), sample()));
        QVERIFY(profiles.save(QStringLiteral("Autumn"), sample()));
        QVERIFY(profiles.save(QStringLiteral("my.profile"), sample()));
        QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("Aesthetic Profiles/.hidden.acp")), QByteArray("1\r\n").repeated(16)));
        QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("Aesthetic Profiles/gbi_active.bmp")), "BM"));
        const QStringList names = profiles.listNames();
        QCOMPARE(names.size(), 19 + 4);
        QVERIFY(names.contains(QStringLiteral("my.profile")));
        QVERIFY(names.contains(QStringLiteral(".hidden")));
        QVERIFY(!names.contains(QStringLiteral("gbi_active")));
        QVERIFY(names.indexOf(QStringLiteral("2k Wheat")) < names.indexOf(QStringLiteral("Autumn")));
        QVERIFY(names.indexOf(QStringLiteral("Autumn")) < names.indexOf(QStringLiteral("System Default")));
        QCOMPARE(names.last(), QStringLiteral("zebra"));
    }

    void remove()
    {
        QTemporaryDir dir;
        AestheticProfiles profiles(dir.path() + QLatin1Char('/'));
        QVERIFY(profiles.save(QStringLiteral("Night"), sample()));
        QVERIFY(profiles.remove(QStringLiteral("Night")));
        QVERIFY(!QFile::exists(profiles.filePath(QStringLiteral("Night"))));
        // No file, a scheme's name, a name no file can have: nothing to delete.
        QVERIFY(profiles.remove(QStringLiteral("Night")));
        QVERIFY(profiles.remove(QStringLiteral("XP Blue")));
        QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("x.acp")), "keep"));
        QVERIFY(profiles.remove(QStringLiteral("../x")));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("x.acp"))));
    }
};

QTEST_MAIN(TestAestheticProfiles)
#include "test_aestheticprofiles.moc"
