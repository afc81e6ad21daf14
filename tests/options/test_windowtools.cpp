#include "appearance/widgets/dropdowncombobox.h"
#include "options/bossbutton.h"
#include "options/browserstepping.h"
#include "options/keyboardshortcuts.h"
#include "options/quietprompter.h"
#include "support/optionsharness.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The boss button, the keyboard shortcuts and the custom button.
class TestWindowTools : public QObject
{
    Q_OBJECT

    struct BossRig : OptionsHarness
    {
        QWidget *imResize = new QWidget(&window);
        SkinButton *skMinimize = new SkinButton(&window);
        SkinButton *skMaximize = new SkinButton(&window);
        QWidget *laAudio = new QWidget(&window);
        QWidget *laLocalIP = new QWidget(&window);
        std::unique_ptr<BossButton> boss;
        BossRig()
        {
            window.setWindowFlag(Qt::FramelessWindowHint);
            window.setGeometry(120, 80, 915, 600);
            window.show();
            BossButton::Parts parts{&window, imResize, skMinimize, skMaximize, nullptr, nullptr,
                                    {laAudio, laLocalIP}, [] { return QRect(0, 0, 1600, 1000); },
                                    [] { return QRect(0, 0, 1600, 960); }, {}};
            boss = std::make_unique<BossButton>(settings, flags, *overlays, parts);
        }
    };

    struct KeyRig : BossRig
    {
        BrowserStepping stepping{*grid, flags};
        QStringList keys;
        // The audio operations report through their own prompter, as the
        // audio player does; those named here fail and say so.
        QuietPrompter audioPrompter{prompter};
        QStringList failing;
        std::unique_ptr<KeyboardShortcuts> shortcuts;
        QLineEdit *edit = new QLineEdit(&window);
        // The tool bar's two lists.
        DropDownComboBox *cbWebAddressBar = new DropDownComboBox(&window);
        DropDownComboBox *cbSelectBrowserList = new DropDownComboBox(&window);
        KeyRig()
        {
            KeyboardShortcuts::Hooks hooks{[this] { return boss->toggle(); }, note("priorSong"), note("nextSong"),
                                           note("priorGenre"), note("startOrNextGenre"), note("stopAudio"),
                                           note("toggleActivePaneMute")};
            shortcuts = std::make_unique<KeyboardShortcuts>(prompter, stepping, hooks);
            shortcuts->setBlockingPanels({panel.get()});
            shortcuts->setQuietPrompter(&audioPrompter);
            cbWebAddressBar->setObjectName(QStringLiteral("cbWebAddressBar"));
            cbWebAddressBar->setEditable(true);
            cbWebAddressBar->setGeometry(20, 550, 400, 24);
            cbWebAddressBar->addItems({QStringLiteral("http://a.test/"), QStringLiteral("http://b.test/")});
            cbSelectBrowserList->setObjectName(QStringLiteral("cbSelectBrowserList"));
            cbSelectBrowserList->setGeometry(440, 550, 300, 24);
            cbSelectBrowserList->addItems({QStringLiteral("0 \u2022 http://a.test/"),
                                           QStringLiteral("1 \u2022 http://b.test/")});
            for (QWidget *w : {static_cast<QWidget *>(edit), static_cast<QWidget *>(cbWebAddressBar),
                               static_cast<QWidget *>(cbSelectBrowserList)})
                w->show();
            sbMainGrid->setFocusPolicy(Qt::StrongFocus);
            window.activateWindow();
            sbMainGrid->setFocus();
        }
        void tap(QWidget *to, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
        {
            QTest::keyPress(to, key, mods);
            QTest::keyRelease(to, key, mods);
        }
        // A key as the user presses it: each half goes to whatever has the
        // focus at that moment.
        void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
        {
            QTest::keyPress(QApplication::focusWidget(), key, mods);
            QTest::keyRelease(QApplication::focusWidget(), key, mods);
        }
        std::function<bool()> note(const QString &name)
        {
            return [this, name] {
                keys << name;
                if (!failing.contains(name))
                    return true;
                audioPrompter.showInformation(QStringLiteral("Could not populate the genre lists."));
                return false;
            };
        }
    };

private slots:
    void bossModeShrinksAndRestoresExactly()
    {
        BossRig h;
        h.settings.cornerHints = 1;
        h.panel->open();
        QVERIFY(h.boss->toggle());
        QVERIFY(h.flags.bossState);
        QCOMPARE(h.window.geometry(), QRect(1600 - 415, 960 - 72, 413, 70));
        QCOMPARE(h.window.minimumSize(), QSize(413, 70));
        QCOMPARE(h.window.maximumSize(), QSize(413, 70));
        QVERIFY(qAbs(h.window.windowOpacity() - 32 / 255.0) < 0.01);
        QVERIFY(h.window.windowFlags().testFlag(Qt::Tool));
        QVERIFY(h.window.isVisible());
        QVERIFY(!h.panel->isVisible());
        QVERIFY(h.flags.suspendScanner && h.flags.suspendQueue);
        QVERIFY(!h.flags.suspendController);
        QVERIFY(!h.imResize->isEnabled() && !h.skMinimize->isEnabled() && !h.skMaximize->isEnabled());
        QVERIFY(h.laAudio->isHidden());
        // It cannot be resized meanwhile.
        h.window.resize(800, 500);
        QCOMPARE(h.window.size(), QSize(413, 70));

        QVERIFY(h.boss->toggle());
        QVERIFY(!h.flags.bossState);
        QCOMPARE(h.window.geometry(), QRect(120, 80, 915, 600));
        QCOMPARE(h.window.minimumSize(), QSize(205, 30));
        QCOMPARE(h.flags.lastWidth, 915);
        QVERIFY(!h.window.windowFlags().testFlag(Qt::Tool));
        QCOMPARE(h.window.windowOpacity(), 1.0);
        QVERIFY(!h.flags.suspendScanner && !h.flags.suspendQueue);
        QVERIFY(h.skMaximize->isEnabled());
        QVERIFY(!h.laAudio->isHidden());
        h.window.resize(800, 500);
        QCOMPARE(h.window.size(), QSize(800, 500));
    }

    void leavingKeepsAnOuterSuspension()
    {
        BossRig h;
        h.settings.cornerHints = 0;
        QVERIFY(h.boss->toggle());
        h.flags.setBackgroundSuspended(true); // a long operation began meanwhile
        QVERIFY(h.boss->toggle());
        QVERIFY(h.flags.backgroundSuspended());
        QVERIFY(h.laAudio->isHidden());
        h.flags.setBackgroundSuspended(false);
        QVERIFY(!h.flags.suspendScanner);
    }

    void shortcutsReachTheirOperations_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("operation");
        QTest::newRow("page up") << int(Qt::Key_PageUp) << "priorSong";
        QTest::newRow("page down") << int(Qt::Key_PageDown) << "nextSong";
        QTest::newRow("end") << int(Qt::Key_End) << "priorGenre";
        QTest::newRow("home") << int(Qt::Key_Home) << "startOrNextGenre";
        QTest::newRow("insert") << int(Qt::Key_Insert) << "startOrNextGenre";
        QTest::newRow("delete") << int(Qt::Key_Delete) << "stopAudio";
        QTest::newRow("m") << int(Qt::Key_M) << "toggleActivePaneMute";
    }
    void shortcutsReachTheirOperations()
    {
        QFETCH(int, key);
        QFETCH(QString, operation);
        KeyRig h;
        h.tap(h.sbMainGrid, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(h.keys, QStringList{operation});
        // Without Ctrl, or while the panel shows, nothing.
        h.tap(h.sbMainGrid, Qt::Key(key));
        h.panel->open();
        h.tap(h.sbMainGrid, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(h.keys, QStringList{operation});
    }

    void arrowsStepBetweenBrowsers_data()
    {
        QTest::addColumn<int>("activeCell");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("selectedCell");
        QTest::newRow("left from first") << 0 << int(Qt::Key_Left) << 2;
        QTest::newRow("left") << 2 << int(Qt::Key_Left) << 1;
        QTest::newRow("right from last") << 2 << int(Qt::Key_Right) << 0;
        QTest::newRow("right") << 0 << int(Qt::Key_Right) << 1;
        QTest::newRow("up") << 2 << int(Qt::Key_Up) << 0;
        QTest::newRow("down") << 0 << int(Qt::Key_Down) << 2;
    }
    void arrowsStepBetweenBrowsers()
    {
        QFETCH(int, activeCell);
        QFETCH(int, key);
        QFETCH(int, selectedCell);
        KeyRig h;
        for (int i = 0; i < 3; ++i)
            QVERIFY(h.grid->openAddressInNewBrowser("http://cell.test/", BrowserType::btNormal));
        QVERIFY(h.grid->paneInCell(activeCell)->selectBrowser(true));
        h.sbMainGrid->setFocus();
        h.tap(h.sbMainGrid, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(h.grid->activePane()->cellIndex, selectedCell);
        // A text field keeps its own Ctrl+arrows.
        h.edit->setFocus();
        h.tap(h.edit, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(h.grid->activePane()->cellIndex, selectedCell);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void escapeTogglesTheBossButton()
    {
        KeyRig h;
        h.tap(h.sbMainGrid, Qt::Key_Escape);
        QVERIFY(h.flags.bossState);
        h.tap(h.sbMainGrid, Qt::Key_Escape);
        QVERIFY(!h.flags.bossState);
        QCOMPARE(h.window.geometry(), QRect(120, 80, 915, 600));
        // With the options panel open, Escape does nothing.
        h.panel->open();
        h.tap(h.sbMainGrid, Qt::Key_Escape);
        QVERIFY(!h.flags.bossState);
    }

    // The audio keys report nothing when their operation fails; the same
    // operation from its button still says why.
    void failingAudioKeysSayNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("operation");
        QTest::newRow("home") << int(Qt::Key_Home) << "startOrNextGenre";
        QTest::newRow("insert") << int(Qt::Key_Insert) << "startOrNextGenre";
        QTest::newRow("end") << int(Qt::Key_End) << "priorGenre";
        QTest::newRow("page up") << int(Qt::Key_PageUp) << "priorSong";
        QTest::newRow("page down") << int(Qt::Key_PageDown) << "nextSong";
    }
    void failingAudioKeysSayNothing()
    {
        QFETCH(int, key);
        QFETCH(QString, operation);
        KeyRig h;
        h.failing = QStringList{operation};
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QTest::mouseClick(h.sbMainGrid, Qt::LeftButton);
        h.press(Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(h.keys, QStringList{operation});
        QVERIFY(h.prompter.shown.isEmpty());
        // The button runs the operation outside any shortcut.
        QVERIFY(!h.note(operation)());
        QCOMPARE(h.prompter.texts(), QStringList{"Could not populate the genre lists."});
    }

    void escapeClosingADialogLeavesTheWindowAlone()
    {
        KeyRig h;
        QDialog dialog(&h.window);
        QTimer::singleShot(50, &dialog, [&] {
            QTest::keyPress(&dialog, Qt::Key_Escape); // closes the dialog
            QTest::keyRelease(QApplication::focusWidget() ? QApplication::focusWidget() : h.sbMainGrid,
                              Qt::Key_Escape);
        });
        dialog.exec();
        QTest::keyRelease(h.sbMainGrid, Qt::Key_Escape);
        QVERIFY(!h.flags.bossState);
    }

    // Escape on an open list closes the list and nothing else; the next
    // Escape is the boss button's.
    void escapeOnAnOpenListClosesOnlyTheList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("altDown"); // opened from the keyboard, else by a click
        QTest::newRow("select list, clicked") << "cbSelectBrowserList" << false;
        QTest::newRow("address bar, clicked on its arrow") << "cbWebAddressBar" << false;
        QTest::newRow("address bar, Alt+Down") << "cbWebAddressBar" << true;
    }
    void escapeOnAnOpenListClosesOnlyTheList()
    {
        QFETCH(QString, list);
        QFETCH(bool, altDown);
        KeyRig h;
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        auto *box = h.window.findChild<QComboBox *>(list);
        QVERIFY(box);
        if (altDown) {
            QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
            QVERIFY(!box->view()->isVisible());
            h.press(Qt::Key_Down, Qt::AltModifier);
        } else {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 8, box->height() / 2));
        }
        QTRY_VERIFY(box->view()->isVisible());
        h.press(Qt::Key_Escape);
        QTRY_VERIFY(!box->view()->isVisible());
        QVERIFY(!h.flags.bossState);
        QCOMPARE(h.window.geometry(), QRect(120, 80, 915, 600));
        QCOMPARE(QApplication::focusWidget(), box);
        h.press(Qt::Key_Escape);
        QVERIFY(h.flags.bossState);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    // Back from the strip, the window is in front and active again, though
    // the user had gone on to another program meanwhile.
    void leavingBossModeActivatesTheWindow()
    {
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QSKIP("The offscreen platform activates every window it shows: this needs an X server "
                  "(xvfb-run with QT_QPA_PLATFORM=xcb).");
        BossRig h;
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QVERIFY(h.boss->toggle());
        QWidget other;
        other.setGeometry(300, 300, 200, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!h.window.isActiveWindow());
        QVERIFY(h.boss->toggle());
        QTRY_VERIFY(h.window.isActiveWindow());
    }

    void theCustomProgramIsThePathItself()
    {
        OptionsHarness h;
        const QString folder = h.dir.filePath("my tools");
        QDir().mkpath(folder);
        const QString marker = h.dir.filePath("ran.txt");
        const QString decoy = h.dir.filePath("decoy.txt");
        const auto script = [](const QString &path, const QString &writes) {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly))
                return false;
            f.write(QStringLiteral("#!/bin/sh\necho ran > '%1'\n").arg(writes).toUtf8());
            f.close();
            return f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        };
        const QString program = folder + "/start; it.sh";
        QVERIFY(script(program, marker));
        // What word splitting would run instead.
        QVERIFY(script(h.dir.filePath("my"), decoy));
        h.settings.customButtonPath = "  " + program + "\t";
        QVERIFY(h.commands.trigger("skCustom"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 5000);
        QVERIFY(!QFile::exists(decoy));
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void aCustomPathThatCannotRunSaysSo_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("empty") << "  " << QStringList();
        QTest::newRow("missing") << "/no/such/program" << QStringList{"Program file missing."};
        QTest::newRow("not executable") << "plain.txt" << QStringList{"Could not start the user defined program."};
        QTest::newRow("a folder") << "." << QStringList{"Could not start the user defined program."};
    }
    void aCustomPathThatCannotRunSaysSo()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, messages);
        OptionsHarness h;
        QFile plain(h.dir.filePath("plain.txt"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        h.settings.customButtonPath = path.trimmed().isEmpty() || path.startsWith('/') ? path : h.dir.filePath(path);
        QVERIFY(!h.custom->run());
        QCOMPARE(h.prompter.texts(), messages);
    }

    void theCustomButtonsLookFollowsThePage()
    {
        OptionsHarness h;
        h.panel->open();
        h.settings.buttonGlyphStyle = 2;
        emit h.panel->cbxGlyphs->activated(2);
        QCOMPARE(h.settings.customButtonGlyph, 22);
        QVERIFY(h.skCustom->bitGlyph().isNull());
        h.settings.buttonGlyphStyle = 1;
        h.custom->applyGlyph();
        QVERIFY(!h.skCustom->bitGlyph().isNull());
        h.panel->edCustomHint->clear();
        QTest::keyClicks(h.panel->edCustomHint, QString(50, QLatin1Char('h')));
        QCOMPARE(h.settings.customButtonHint, QString(40, QLatin1Char('h')));
        QCOMPARE(h.skCustom->toolTip(), QString(40, QLatin1Char('h')));
        h.dialogs.openAnswer = QStringLiteral("/usr/bin/env");
        QTest::mouseClick(h.panel->btnOpenCustom, Qt::LeftButton);
        QCOMPARE(h.dialogs.asked, QStringList{"Custom Button: Executable Filename."});
        QCOMPARE(h.panel->edCustomPath->text(), QStringLiteral("/usr/bin/env"));
        QCOMPARE(h.settings.customButtonPath, QStringLiteral("/usr/bin/env"));

        h.prompter.answers = {false, true};
        QTest::mouseClick(h.panel->btnResetCustom, Qt::LeftButton);
        QCOMPARE(h.settings.customButtonGlyph, 22);
        QTest::mouseClick(h.panel->btnResetCustom, Qt::LeftButton);
        QCOMPARE(h.prompter.texts(), (QStringList{"Reset custom button?", "Reset custom button?"}));
        QCOMPARE(h.settings.customButtonGlyph, -1);
        QCOMPARE(h.settings.customButtonHint, QStringLiteral("Undefined"));
        QVERIFY(h.settings.customButtonPath.isEmpty());
        QCOMPARE(h.panel->edCustomHint->text(), QStringLiteral("Undefined"));
        QVERIFY(h.panel->edCustomPath->text().isEmpty());
        QVERIFY(h.skCustom->bitGlyph().isNull());
    }
};

QTEST_MAIN(TestWindowTools)
#include "test_windowtools.moc"
