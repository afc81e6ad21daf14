#include "core/inifile.h"
#include "core/settingsstore.h"

#include "../support/scriptedprompter.h"
#include "../support/testfiles.h"
#include "support/smalldisk.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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

    QStringList damagedCopies() const
    {
        const QDir folder(QFileInfo(path()).absolutePath());
        QStringList copies;
        for (const QString &name : folder.entryList({QStringLiteral("Vorlan.conf.damaged-*")}, QDir::AllEntries | QDir::System))
            copies << folder.filePath(name);
        return copies;
    }

    // The values a fresh start gives, for comparing whole.
    QString defaultsText()
    {
        QTemporaryDir fresh;
        Settings s;
        const QString file = fresh.filePath(QStringLiteral("Vorlan.conf"));
        if (!SettingsStore(file, workArea, today).load(s))
            return {};
        return QString::fromUtf8(TestFiles::read(file));
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
                              "pages out of view", "page processes"}));
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

    // What is not a settings file the program wrote is kept aside whole before
    // the defaults are written; an empty file only lacks values, which get
    // their defaults as on a first start.
    void damagedFileIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("damaged");
        QByteArray binary;
        for (int i = 0; i < 512; ++i)
            binary += char((i * 73 + 11) & 0xFF);
        const QString settingsText = QStringLiteral("[Options/Browsers]\r\nbrowser width=1000\r\n");
        QByteArray utf16 = QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)(settingsText);
        QTest::newRow("text that is no settings file")
            << QByteArray("Dear diary,\ntoday I changed the browser width.\n") << true;
        QTest::newRow("binary garbage") << binary << true;
        QTest::newRow("UTF-16 text") << utf16 << true;
        QTest::newRow("UTF-16 without a byte order mark") << utf16.mid(2) << true;
        QTest::newRow("NUL bytes in a settings file")
            << QByteArray("[Options/Browsers]\nbrowser width=1000\n") + QByteArray(4, '\0') + "\n" << true;
        QTest::newRow("a settings file cut by NUL blocks")
            << QByteArray("[Options/Browsers]\nbrowser width=1000\n") + QByteArray(4096, '\0') << true;
        QTest::newRow("empty file") << QByteArray() << false;
    }
    void damagedFileIsKeptAside()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, damaged);
        const QString expected = defaultsText();
        QVERIFY(!expected.isEmpty());
        QVERIFY(TestFiles::write(path(), bytes));
        ScriptedPrompter prompter;
        Settings s;
        s.browserWidth = 1;
        QVERIFY(SettingsStore(path(), workArea, today).load(s, &prompter));
        QCOMPARE(s.browserWidth, 720);
        QCOMPARE(QString::fromUtf8(TestFiles::read(path())), expected);
        // The reset itself stays silent.
        QCOMPARE(prompter.texts(), QStringList());
        const QStringList copies = damagedCopies();
        if (!damaged) {
            QCOMPARE(copies, QStringList());
            return;
        }
        QCOMPARE(copies.size(), 1);
        QCOMPARE(TestFiles::read(copies.first()), bytes);
    }

    // Reading takes time in proportion to the file: a file with tens of
    // thousands of lines the program does not know (an old version's, a
    // hand-edited one) must not hold up the start. The bound is generous;
    // reading in quadratic time takes several seconds here.
    void manyLinesReadQuickly_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("80,000 names in one section") << "n%1=1\n";
        QTest::newRow("80,000 sections") << "[s%1]\n";
    }
    void manyLinesReadQuickly()
    {
        QFETCH(QString, line);
        SettingsStore store(path(), workArea, today);
        Settings s;
        s.browserWidth = 1000;
        QVERIFY(store.save(s));
        QByteArray extra = "[Extra]\n";
        for (int i = 0; i < 80000; ++i)
            extra += line.arg(i).toUtf8();
        QVERIFY(extra.size() < SettingsStore::MaximumFileBytes);
        QByteArray bytes = TestFiles::read(path());
        bytes.insert(bytes.indexOf("[Options/Browsers]"), extra);
        QVERIFY(TestFiles::write(path(), bytes));

        QElapsedTimer timer;
        timer.start();
        Settings loaded;
        QVERIFY(store.load(loaded));
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed < 2000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
        QCOMPARE(loaded.browserWidth, 1000);
        QCOMPARE(damagedCopies(), QStringList());
    }

    void oversizedFileIsMovedAside()
    {
        SettingsStore store(path(), workArea, today);
        Settings s;
        s.browserWidth = 1000;
        QVERIFY(store.save(s));
        // Well-formed lines, two megabytes of them.
        QByteArray bytes = TestFiles::read(path()) + "[Extra]\n";
        for (int i = 0; bytes.size() < 2 * 1024 * 1024; ++i)
            bytes += "name " + QByteArray::number(i) + "=value\n";
        bytes.truncate(2 * 1024 * 1024 - 1);
        bytes += '\n';
        QVERIFY(TestFiles::write(path(), bytes));

        ScriptedPrompter prompter;
        Settings loaded;
        QVERIFY(store.load(loaded, &prompter));
        QCOMPARE(loaded.browserWidth, 720);
        const QStringList copies = damagedCopies();
        QCOMPARE(copies.size(), 1);
        QCOMPARE(TestFiles::read(copies.first()), bytes);
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("The settings file is too large to be read (2 MB); it is kept as %1 and "
                                            "the default settings are used.")
                                 .arg(copies.first())});
        QCOMPARE(QString::fromUtf8(TestFiles::read(path())), defaultsText());
    }

    // A pipe in the settings file's place would block an open for reading
    // until something writes to it. Should the load wait, a watchdog
    // writes after a few seconds, so the test fails rather than hangs.
    void pipeInPlaceOfTheFileDoesNotHang()
    {
        QVERIFY(QDir().mkpath(QFileInfo(path()).absolutePath()));
        const QByteArray fifo = QFile::encodeName(path());
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        std::thread watchdog([&] {
            std::unique_lock lock(mutex);
            if (done.wait_for(lock, std::chrono::seconds(5), [&] { return finished; }))
                return;
            const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
        QElapsedTimer timer;
        timer.start();
        Settings s;
        const bool loaded = SettingsStore(path(), workArea, today).load(s);
        const qint64 elapsed = timer.elapsed();
        {
            std::lock_guard lock(mutex);
            finished = true;
        }
        done.notify_all();
        watchdog.join();
        QVERIFY2(elapsed < 4000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
        QVERIFY(loaded);
        QVERIFY(QFileInfo(path()).isFile());
        QCOMPARE(s.browserWidth, 720);
    }

    // The cause reaches the caller, for "Could not save the settings: ...".
    void failedSaveNamesItsCause()
    {
        const QString folder = QFileInfo(path()).absolutePath();
        QVERIFY(QDir().mkpath(folder));
        SmallDisk disk(folder);
        if (!disk.available())
            QSKIP("A small tmpfs cannot be mounted here (needs root).");
        SettingsStore store(path(), workArea, today);
        Settings s;
        s.browserWidth = 1000;
        QVERIFY(store.save(s));
        const QByteArray before = TestFiles::read(path());
        QVERIFY(disk.setReadOnly(true));
        s.browserWidth = 800;
        const SafeSave::Outcome outcome = store.save(s);
        QVERIFY(!outcome);
        QCOMPARE(SafeSave::failureMessage(QStringLiteral("the settings"), path(), outcome),
                 QStringLiteral("Could not save the settings: the folder is on a read-only disk. The earlier file is "
                                "kept."));
        QCOMPARE(TestFiles::read(path()), before);
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
        s.pageProcesses = 1;
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
        QCOMPARE(loaded.pageProcesses, 1);
    }

    // The page processes are set up before the application object and the
    // settings store: the choice is read from the file alone, and anything
    // unusable gives the default (a process per site).
    void pageProcessesBeforeStart_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("choice");
        QTest::newRow("shared") << QByteArray("[Options/Extras]\npage processes=1\n") << 1;
        QTest::newRow("per site") << QByteArray("[Options/Extras]\npage processes=0\n") << 0;
        QTest::newRow("missing value") << QByteArray("[Options/Extras]\npane sound=1\n") << 0;
        QTest::newRow("out of range") << QByteArray("[Options/Extras]\npage processes=2\n") << 0;
        QTest::newRow("not a number") << QByteArray("[Options/Extras]\npage processes=yes\n") << 0;
        QTest::newRow("other section") << QByteArray("[Options/General]\npage processes=1\n") << 0;
        QTest::newRow("damaged") << QByteArray("\x01\x02\0garbage") << 0;
        QTest::newRow("too large") << QByteArray("[Options/Extras]\npage processes=1\n")
                                          + QByteArray(SettingsStore::MaximumFileBytes, '#')
                                   << 0;
    }
    void pageProcessesBeforeStart()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, choice);
        QVERIFY(TestFiles::write(path(), file));
        QCOMPARE(SettingsStore::pageProcessesBeforeStart(path()), choice);
        // Read only: the file is left as it is for the store.
        QCOMPARE(TestFiles::read(path()), file);
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
