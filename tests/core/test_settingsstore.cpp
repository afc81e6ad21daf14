#include "core/inifile.h"
#include "core/settingsstore.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Halvane/Vorlan.conf")); }
    const QRect workArea{0, 0, 1920, 1040};
    const QDate today{2026, 12, 6};

    static IniFile readBack(const QString &file)
    {
        IniFile ini;
        ini.read(file);
        return ini;
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void firstStartWritesEveryDefault()
    {
        Settings s;
        QVERIFY(SettingsStore(path(), workArea, today).load(s));
        const IniFile ini = readBack(path());
        QCOMPARE(ini.sections(), SettingsStore::sectionNames());
        QCOMPARE(ini.names(QStringLiteral("Main Window")),
                 QStringList({"height", "width", "top", "left"}));
        QCOMPARE(ini.names(QStringLiteral("Options/Browsers")).size(), 12);
        QCOMPARE(ini.names(QStringLiteral("Options/Aesthetics")).size(), 18);
        QCOMPARE(ini.names(QStringLiteral("Options/DX")).size(), 21);
        QCOMPARE(ini.names(QStringLiteral("Options/General")).size(), 14);
        QCOMPARE(ini.names(QStringLiteral("Options/Extras")),
                 QStringList({"restore session", "pane sound", "music pauses for pane sound", "click activates pane",
                              "pages out of view"}));
        QCOMPARE(ini.value("Options/Extras", "pane sound"), QStringLiteral("1"));
        QCOMPARE(ini.value("Main Window", "top"), QStringLiteral("220"));   // 1040 / 2 - 300
        QCOMPARE(ini.value("Main Window", "left"), QStringLiteral("502"));  // 1920 / 2 - 458
        QCOMPARE(ini.value("Options/Aesthetics", "button glyph color"), QStringLiteral("536870911"));
        QCOMPARE(ini.value("Options/DX", "button 16"), QStringLiteral("4"));
        QCOMPARE(ini.value("Options/General", "custom button hint"), QStringLiteral("Undefined"));
        QVERIFY(ini.contains("Options/General", "custom button path"));
        QCOMPARE(ini.value("Options/General", "custom button path"), QString());
        QVERIFY(ini.value("Options/Browsers", "search engine address").endsWith(QStringLiteral("q=")));
        QCOMPARE(s.width, 915);
        QCOMPARE(s.height, 600);
        QCOMPARE(s.top, 220);
        QCOMPARE(s.left, 502);
        QCOMPARE(s.dxButtons[2], 5);
        QCOMPARE(s.customButtonGlyph, -1);
    }

    void firstWindowIsCentredInAWorkAreaOffTheOrigin()
    {
        Settings s;
        // A panel 40 pixels high along the top of the desktop.
        QVERIFY(SettingsStore(path(), QRect(0, 40, 1920, 1040), today).load(s));
        QCOMPARE(readBack(path()).value("Main Window", "top"), QStringLiteral("260"));
        QCOMPARE(QRect(s.left, s.top, s.width, s.height), QRect(502, 260, 915, 600));
    }

    void unreadableValueResetsEverything_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << "Options/Browsers" << "browser width" << "abc";
        QTest::newRow("trailing junk") << "Options/DX" << "button 7" << "12x";
        QTest::newRow("blank inside") << "Main Window" << "height" << "6 00";
        QTest::newRow("too large") << "Options/General" << "nav grid hint width" << "99999999999";
    }
    void unreadableValueResetsEverything()
    {
        QFETCH(QString, section);
        QFETCH(QString, name);
        QFETCH(QString, text);
        Settings s;
        SettingsStore store(path(), workArea, today);
        QVERIFY(store.load(s));
        s.browserHeight = 333;
        s.customButtonHint = QStringLiteral("Mine");
        QVERIFY(store.save(s));
        IniFile ini = readBack(path());
        ini.setValue(section, name, text);
        QVERIFY(ini.write(path()));

        Settings loaded;
        QVERIFY(store.load(loaded));
        QCOMPARE(loaded.browserHeight, 460);
        QCOMPARE(loaded.customButtonHint, QStringLiteral("Undefined"));
        const IniFile after = readBack(path());
        QCOMPARE(after.value("Options/Browsers", "browser height"), QStringLiteral("460"));
        QVERIFY(after.value(section, name) != text);
        // The broken file is kept aside, not lost.
        const QStringList aside = QDir(QFileInfo(path()).absolutePath())
                                      .entryList({QStringLiteral("Vorlan.conf.damaged-*")});
        QCOMPARE(aside.size(), 1);
    }

    void windowCheck_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("left");
        QTest::addColumn<bool>("kept");
        QTest::newRow("fits") << 800 << 500 << 10 << 1400 << true;
        QTest::newRow("left too near the right edge") << 800 << 500 << 10 << 1463 << false;
        QTest::newRow("left exactly 458 from the edge") << 800 << 500 << 10 << 1462 << true;
        QTest::newRow("top too low") << 800 << 500 << 741 << 10 << false;
        QTest::newRow("narrow") << 299 << 500 << 10 << 10 << false;
        QTest::newRow("short") << 800 << 299 << 10 << 10 << false;
        QTest::newRow("negative top") << 800 << 500 << -1 << 10 << false;
        // Far beyond the screen: top + 300 and left + 458 pass the int range.
        QTest::newRow("top at the int limit") << 800 << 500 << 2147483647 << 10 << false;
        QTest::newRow("left at the int limit") << 800 << 500 << 10 << 2147483600 << false;
    }
    void windowCheck()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, top);
        QFETCH(int, left);
        QFETCH(bool, kept);
        SettingsStore store(path(), workArea, today);
        Settings s;
        s.width = width;
        s.height = height;
        s.top = top;
        s.left = left;
        QVERIFY(store.save(s));
        Settings loaded;
        QVERIFY(store.load(loaded));
        if (kept) {
            QCOMPARE(QRect(loaded.left, loaded.top, loaded.width, loaded.height), QRect(left, top, width, height));
        } else {
            QCOMPARE(QRect(loaded.left, loaded.top, loaded.width, loaded.height), QRect(502, 220, 915, 600));
        }
        // The file keeps what was stored until the next save.
        QCOMPARE(readBack(path()).value("Main Window", "left"), QString::number(left));
    }

    void historyDates_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("max");
        QTest::newRow("31 January, leap year") << QDate(2028, 1, 31) << QDate(2028, 2, 29);
        QTest::newRow("31 March") << QDate(2027, 3, 31) << QDate(2027, 4, 30);
        QTest::newRow("December") << QDate(2026, 12, 6) << QDate(2027, 1, 6);
    }
    void historyDates()
    {
        QFETCH(QDate, today);
        QFETCH(QDate, max);
        Settings s;
        QVERIFY(SettingsStore(path(), workArea, today).load(s));
        const QLocale locale = QLocale::system();
        QCOMPARE(s.historyMinDate, locale.toString(today, QLocale::ShortFormat));
        QCOMPARE(s.historyMaxDate, locale.toString(max, QLocale::ShortFormat));
    }

    void roundTripKeepsEveryValue()
    {
        SettingsStore store(path(), workArea, today);
        Settings s;
        QVERIFY(store.load(s));
        s.browserWidth = 1000;
        s.searchEngineAddress = QStringLiteral("https://example.org/find?lang=en&q=");
        s.customButtonPath = QStringLiteral("/usr/bin/my program");
        s.dxButtons[16] = 9;
        s.buttonGlyphColor = -5;
        // The extras differ from their defaults, so a key left out shows.
        s.paneSound = 2;
        s.musicPausesForPaneSound = 0;
        s.clickActivatesPane = 0;
        s.restoreSession = 0;
        s.pagesOutOfView = 2;
        QVERIFY(store.save(s));
        Settings loaded;
        QVERIFY(store.load(loaded));
        QCOMPARE(loaded.browserWidth, 1000);
        QCOMPARE(loaded.searchEngineAddress, s.searchEngineAddress);
        QCOMPARE(loaded.customButtonPath, s.customButtonPath);
        QCOMPARE(loaded.dxButtons[16], 9);
        QCOMPARE(loaded.buttonGlyphColor, -5);
        QCOMPARE(loaded.paneSound, 2);
        QCOMPARE(loaded.musicPausesForPaneSound, 0);
        QCOMPARE(loaded.clickActivatesPane, 0);
        QCOMPARE(loaded.restoreSession, 0);
        QCOMPARE(loaded.pagesOutOfView, 2);
    }

    // What the reader takes from a file, the writer gives back the same: a
    // settings file loaded, saved and loaded again keeps its values.
    void iniReadsBackAsItWrites_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("value");
        QTest::newRow("LF") << QByteArray("[Options/Browsers]\nstop button=1/6/27\n") << "1/6/27";
        QTest::newRow("CR LF") << QByteArray("[Options/Browsers]\r\nstop button=1/6/27\r\n") << "1/6/27";
        QTest::newRow("CR CR LF") << QByteArray("[Options/Browsers]\r\nstop button=1/6/27\r\r\n") << "1/6/27";
        QTest::newRow("CR at the end of the file")
            << QByteArray("[Options/Browsers]\nstop button=1/6/27\r\r") << "1/6/27";
        QTest::newRow("CR inside a value") << QByteArray("[Options/Browsers]\nstop button=a\rb\n") << "a\rb";
        QTest::newRow("byte order mark")
            << QByteArray("\xEF\xBB\xBF[Options/Browsers]\r\nstop button=7\r\n") << "7";
        QTest::newRow("blanks kept in the value")
            << QByteArray("[Options/Browsers]\n  stop button = 7 \n") << " 7 ";
        QTest::newRow("slash in a name")
            << QByteArray("[Options/Browsers]\nsto/p=1\nstop button=2\n") << "2";
    }
    void iniReadsBackAsItWrites()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, value);
        QFile file(m_dir.filePath(QStringLiteral("first.conf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const IniFile first = readBack(file.fileName());
        QCOMPARE(first.value("Options/Browsers", "stop button"), value);
        const QString again = m_dir.filePath(QStringLiteral("again.conf"));
        QVERIFY(first.write(again));
        const IniFile second = readBack(again);
        QCOMPARE(second.sections(), first.sections());
        QCOMPARE(second.names("Options/Browsers"), first.names("Options/Browsers"));
        QCOMPARE(second.toText(), first.toText());
    }

    // A line break pasted into a text setting stays inside its own line
    // rather than adding a name or a section of its own.
    void lineBreakInAValueStaysInItsLine()
    {
        SettingsStore store(path(), workArea, today);
        Settings s;
        QVERIFY(store.load(s));
        s.searchEngineAddress = QStringLiteral("https://example.org/?q=\n[Main Window]\r\nwidth=1");
        s.width = 800;
        QVERIFY(store.save(s));
        const IniFile ini = readBack(path());
        QCOMPARE(ini.value("Options/Browsers", "search engine address"),
                 QStringLiteral("https://example.org/?q= [Main Window]  width=1"));
        QCOMPARE(ini.value("Main Window", "width"), QStringLiteral("800"));
        QCOMPARE(ini.sections(), SettingsStore::sectionNames());
    }

    void missingValueGetsItsDefaultOnly()
    {
        SettingsStore store(path(), workArea, today);
        Settings s;
        s.browserWidth = 999;
        QVERIFY(store.save(s));
        IniFile ini = readBack(path());
        ini.setValue("Options/Browsers", "stop button", QString());
        QVERIFY(ini.write(path()));
        Settings loaded;
        QVERIFY(store.load(loaded));
        QCOMPARE(loaded.stopButton, 1);
        QCOMPARE(loaded.browserWidth, 999);
        QCOMPARE(readBack(path()).value("Options/Browsers", "stop button"), QStringLiteral("1"));
    }

    void loadFailsWhenNothingCanBeWritten()
    {
        // The folder of the settings file is a plain file: no reset can help.
        QFile blocker(m_dir.filePath(QStringLiteral("Halvane")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Settings s;
        QVERIFY(!SettingsStore(path(), workArea, today).load(s));
    }

    void strictIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "460" << true << 460;
        QTest::newRow("negative") << "-1" << true << -1;
        QTest::newRow("int max") << "2147483647" << true << 2147483647;
        QTest::newRow("over int") << "2147483648" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("trailing") << "12x" << false << 0;
        QTest::newRow("leading blank") << " 12" << false << 0;
    }
    void strictIntegers()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        int parsed = 0;
        QCOMPARE(SettingsStore::parseInteger(text, parsed), ok);
        if (ok)
            QCOMPARE(parsed, value);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settingsstore.moc"
