#include "appearance/aestheticprofiles.h"
#include "appearance/aestheticseditor.h"
#include "appearance/gridbackground.h"
#include "support/optionsharness.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

// The options panel: the three "Features and Actions" pairs, the size
// group and the grid background group.
class TestOptionsPanel : public QObject
{
    Q_OBJECT

    static int *setting(OptionsHarness &h, const QString &name)
    {
        Settings &s = h.settings;
        const QHash<QString, int *> fields{
            {"backgroundProcesses", &s.backgroundProcesses},
            {"connectionState", &h.flags.connectionState},
            {"historyRetention", &s.historyRetention},
            {"popUpBrowser", &s.popUpBrowser},
            {"scannerSpeed", &s.scannerSpeed},
            {"scannerRefreshInterval", &s.scannerRefreshInterval},
            {"stopButton", &s.stopButton},
            {"addressBarBevel", &s.addressBarBevel},
            {"buttonBarPosition", &s.buttonBarPosition},
            {"buttonGlyphStyle", &s.buttonGlyphStyle},
            {"gridBackgroundImageSize", &s.gridBackgroundImageSize},
            {"applicationHints", &s.applicationHints},
            {"cornerHints", &s.cornerHints},
            {"windowSize", &s.windowSize},
            {"clickActivatesPane", &s.clickActivatesPane},
            {"musicPausesForPaneSound", &s.musicPausesForPaneSound},
            {"paneSound", &s.paneSound},
            {"restoreSession", &s.restoreSession},
            {"pagesOutOfView", &s.pagesOutOfView},
            {"pageProcesses", &s.pageProcesses},
        };
        return fields.value(name);
    }

    // The user opens a box's list (a click, and Alt+Down in a box one types
    // into) and picks the entry with the keyboard.
    static bool pickFromList(QComboBox *box, const QString &text)
    {
        const int row = box->findText(text, Qt::MatchExactly);
        if (row < 0)
            return false;
        if (box->isEditable()) {
            QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
        } else {
            QTest::mouseClick(box, Qt::LeftButton);
        }
        QAbstractItemView *list = box->view();
        if (!QTest::qWaitFor([list] { return list->isVisible(); }))
            return false;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
        for (int i = 0; i < row; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        if (list->currentIndex().data().toString() != text)
            return false;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        return QTest::qWaitFor([list] { return !list->isVisible(); });
    }

    // The "Main" line of a saved profile (-1: no such file).
    static int savedMainColour(const OptionsHarness &h, const QString &name)
    {
        QFile file(AestheticProfiles(h.flags.dataFolder).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        return lines.size() == 17 ? lines.at(12).toInt() : -1;
    }

private slots:
    void choicesStoreTheirListPosition_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("feature");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("hook");
        QTest::addColumn<bool>("marksProfile");
        const int b = OptionsPanel::BrowserPage, a = OptionsPanel::AestheticsPage, g = OptionsPanel::GeneralPage;
        const int x = OptionsPanel::ExtrasPage;
        QTest::newRow("no suspend") << b << "Background processes" << "No suspend on minimize"
                                    << "backgroundProcesses" << 0 << "" << false;
        QTest::newRow("off line") << b << "Connection state" << "Off Line" << "connectionState" << 0
                                  << "connectionStateChanged" << false;
        QTest::newRow("every session") << b << "History retention" << "Clear every session" << "historyRetention"
                                       << 3 << "renewHistoryDates" << false;
        QTest::newRow("manual pop up") << b << "Pop up browser" << "Manual" << "popUpBrowser" << 2 << "" << false;
        QTest::newRow("20 seconds") << b << "Scanner delay" << "20 seconds" << "scannerSpeed" << 3
                                    << "resetScannerTimers" << false;
        QTest::newRow("5 minutes") << b << "Scanner refresh interval" << "Begin every 5 minutes"
                                   << "scannerRefreshInterval" << 0 << "resetScannerTimers" << false;
        QTest::newRow("about:blank") << b << "Stop button redirect" << "Force 'about:blank'" << "stopButton" << 0
                                     << "" << false;
        QTest::newRow("flat") << a << "Address bar bevel" << "Flat" << "addressBarBevel" << 0
                              << "applyAddressBarBevel" << true;
        QTest::newRow("soft") << a << "Address bar bevel" << "Soft" << "addressBarBevel" << 2
                              << "applyAddressBarBevel" << true;
        QTest::newRow("top") << a << "Button bar position" << "Top" << "buttonBarPosition" << 1
                             << "applyButtonBarPosition" << true;
        QTest::newRow("no glyphs") << a << "Button glyph style" << "None" << "buttonGlyphStyle" << 2
                                   << "applyColours" << true;
        QTest::newRow("size to browser") << a << "Grid background image size" << "Size to browser"
                                         << "gridBackgroundImageSize" << 1 << "applyGridBackgroundSize" << false;
        QTest::newRow("status bar") << g << "Application hints" << "Top status bar" << "applicationHints" << 3
                                    << "applyApplicationHints" << false;
        QTest::newRow("bubble") << g << "Application hints" << "Pop-up bubble" << "applicationHints" << 2
                                << "applyApplicationHints" << false;
        QTest::newRow("no corners") << g << "Corner hints" << "None" << "cornerHints" << 0 << "applyCornerHints"
                                    << false;
        QTest::newRow("desktop") << g << "Window size" << "Desktop" << "windowSize" << 0 << "" << false;
        // The extras list their choices in order: the index is the position.
        QTest::newRow("no click") << x << "Click activates pane" << "No" << "clickActivatesPane" << 0 << "" << false;
        QTest::newRow("music on") << x << "Music pauses for pane sound" << "Yes" << "musicPausesForPaneSound" << 1
                                  << "applyMusicHold" << false;
        QTest::newRow("no pane") << x << "Pane sound" << "No pane" << "paneSound" << 2 << "applyPaneSound"
                                 << false;
        QTest::newRow("every pane") << x << "Pane sound" << "Every pane" << "paneSound" << 0 << "applyPaneSound"
                                    << false;
        QTest::newRow("no restore") << x << "Restore session" << "No" << "restoreSession" << 0 << "" << false;
        QTest::newRow("discard") << x << "Pages out of view" << "Discard pages out of view" << "pagesOutOfView" << 2
                                 << "applyPagesOutOfView" << false;
        // Taken at the next start: nothing runs now.
        QTest::newRow("shared processes") << x << "Page processes" << "Shared, lighter" << "pageProcesses" << 1 << ""
                                          << false;
    }
    void choicesStoreTheirListPosition()
    {
        QFETCH(int, page);
        QFETCH(QString, feature);
        QFETCH(QString, choice);
        QFETCH(QString, field);
        QFETCH(int, stored);
        QFETCH(QString, hook);
        QFETCH(bool, marksProfile);
        OptionsHarness h;
        int *value = setting(h, field);
        QVERIFY(value);
        *value = stored == 1 ? 0 : 1; // something else first
        QVERIFY(h.chooseFeature(page, feature));
        QCOMPARE(h.actionBox(page)->currentIndex(), *value);
        QVERIFY(h.chooseAction(page, choice));
        QCOMPARE(*value, stored);
        QCOMPARE(h.ran, hook.isEmpty() ? QStringList() : QStringList{hook});
        QCOMPARE(h.panel->aesthetics()->isModified(), marksProfile);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void theListsShowTheChoicesInOrder()
    {
        OptionsHarness h;
        QCOMPARE(h.featureBox(OptionsPanel::BrowserPage)->count(), 8);
        QVERIFY(h.chooseFeature(OptionsPanel::GeneralPage, "Application hints"));
        QCOMPARE(h.actionBox(OptionsPanel::GeneralPage)->itemText(0), QStringLiteral("Both pop-up and status"));
        QCOMPARE(h.actionBox(OptionsPanel::GeneralPage)->itemText(3), QStringLiteral("Top status bar"));
        QVERIFY(h.chooseFeature(OptionsPanel::BrowserPage, "Scanner refresh interval"));
        QCOMPARE(h.actionBox(OptionsPanel::BrowserPage)->count(), 5);
        QCOMPARE(h.actionBox(OptionsPanel::BrowserPage)->currentText(), QStringLiteral("Do not use refresh"));
    }

    void aFailedChangeSaysSo_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("feature");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("hook");
        QTest::addColumn<QString>("message");
        QTest::newRow("retention") << int(OptionsPanel::BrowserPage) << "History retention" << "Clear after 60 days"
                                   << "renewHistoryDates" << "Could not update the history retention dates.";
        QTest::newRow("bevel") << int(OptionsPanel::AestheticsPage) << "Address bar bevel" << "Soft"
                               << "applyAddressBarBevel" << "Could not change the web address bar bevel.";
        QTest::newRow("bar") << int(OptionsPanel::AestheticsPage) << "Button bar position" << "Top"
                             << "applyButtonBarPosition" << "Could not change the button bar position.";
        QTest::newRow("glyphs") << int(OptionsPanel::AestheticsPage) << "Button glyph style" << "Beveled"
                                << "applyColours" << "Could not update the color settings.";
        QTest::newRow("picture size") << int(OptionsPanel::AestheticsPage) << "Grid background image size"
                                      << "Size to browser" << "applyGridBackgroundSize"
                                      << "Could not change the grid background image size";
        QTest::newRow("hints") << int(OptionsPanel::GeneralPage) << "Application hints" << "None"
                               << "applyApplicationHints" << "Could not update the application hints.";
    }
    void aFailedChangeSaysSo()
    {
        QFETCH(int, page);
        QFETCH(QString, feature);
        QFETCH(QString, choice);
        QFETCH(QString, hook);
        QFETCH(QString, message);
        OptionsHarness h;
        h.answers.insert(hook, false);
        QVERIFY(h.chooseFeature(page, feature));
        QVERIFY(h.chooseAction(page, choice));
        QCOMPARE(h.prompter.texts(), QStringList{message});
    }

    void aStoredValueOffTheListFallsBackToTheDefault_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("feature");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("damaged");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("bar 7") << int(OptionsPanel::AestheticsPage) << "Button bar position" << "buttonBarPosition"
                               << 7 << "Bottom" << 0;
        QTest::newRow("glyphs 9") << int(OptionsPanel::AestheticsPage) << "Button glyph style"
                                  << "buttonGlyphStyle" << 9 << "Color" << 1;
        QTest::newRow("retention -3") << int(OptionsPanel::BrowserPage) << "History retention"
                                      << "historyRetention" << -3 << "Clear after 30 days" << 0;
        QTest::newRow("refresh 5") << int(OptionsPanel::BrowserPage) << "Scanner refresh interval"
                                   << "scannerRefreshInterval" << 5 << "Do not use refresh" << 4;
        QTest::newRow("hints 4") << int(OptionsPanel::GeneralPage) << "Application hints" << "applicationHints" << 4
                                 << "Both pop-up and status" << 0;
        QTest::newRow("corners 2") << int(OptionsPanel::GeneralPage) << "Corner hints" << "cornerHints" << 2
                                   << "Show" << 1;
    }
    void aStoredValueOffTheListFallsBackToTheDefault()
    {
        QFETCH(int, page);
        QFETCH(QString, feature);
        QFETCH(QString, field);
        QFETCH(int, damaged);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        OptionsHarness h;
        *setting(h, field) = damaged;
        QVERIFY(h.chooseFeature(page, feature));
        QCOMPARE(h.actionBox(page)->currentText(), shown);
        QCOMPARE(*setting(h, field), stored);
    }

    void theSearchAddressIsTypedNotChosen()
    {
        OptionsHarness h;
        h.panel->open();
        QVERIFY(h.chooseFeature(OptionsPanel::BrowserPage, "Search engine address"));
        QVERIFY(h.panel->cbBroActions->isHidden());
        QVERIFY(h.panel->edBroActions->isVisible());
        QCOMPARE(h.panel->edBroActions->text(), Settings().searchEngineAddress);
        h.panel->edBroActions->clear();
        QTest::keyClicks(h.panel->edBroActions, "https://search.test/?q=");
        QCOMPARE(h.settings.searchEngineAddress, QStringLiteral("https://search.test/?q="));
        QVERIFY(h.chooseFeature(OptionsPanel::BrowserPage, "Pop up browser"));
        QVERIFY(h.panel->cbBroActions->isVisible());
        QVERIFY(h.panel->edBroActions->isHidden());
        // Hidden, the box stores nothing.
        QVERIFY(h.chooseFeature(OptionsPanel::BrowserPage, "Search engine address"));
        h.panel->hide();
        QTest::keyClicks(h.panel->edBroActions, "x");
        QCOMPARE(h.settings.searchEngineAddress, QStringLiteral("https://search.test/?q="));
    }

    void browserResetAsksFirst()
    {
        OptionsHarness h;
        h.settings.backgroundProcesses = 0;
        h.flags.connectionState = 0;
        h.settings.historyRetention = 2;
        h.settings.popUpBrowser = 2;
        h.settings.scannerRefreshInterval = 1;
        h.settings.scannerSpeed = 3;
        h.settings.searchEngineAddress = QStringLiteral("x");
        h.settings.stopButton = 0;
        h.prompter.answers = {false};
        QVERIFY(!h.panel->browserFeatures()->reset());
        QCOMPARE(h.settings.scannerRefreshInterval, 1);
        QCOMPARE(h.prompter.texts(), QStringList{"Reset features?"});

        QVERIFY(h.chooseFeature(OptionsPanel::BrowserPage, "Search engine address"));
        QVERIFY(h.panel->browserFeatures()->reset());
        const Settings d;
        QCOMPARE(h.settings.backgroundProcesses, 1);
        QCOMPARE(h.flags.connectionState, 1);
        QCOMPARE(h.settings.historyRetention, 0);
        QCOMPARE(h.settings.popUpBrowser, 0);
        QCOMPARE(h.settings.scannerRefreshInterval, 4);
        QCOMPARE(h.settings.scannerSpeed, 0);
        QCOMPARE(h.settings.searchEngineAddress, d.searchEngineAddress);
        QCOMPARE(h.settings.stopButton, 1);
        // No timer reset, no retention dates renewed.
        QVERIFY(h.ran.isEmpty());
        QCOMPARE(h.panel->cbBroFeatures->currentIndex(), -1);
        QCOMPARE(h.panel->cbBroActions->currentIndex(), -1);
        QVERIFY(!h.panel->cbBroActions->isHidden());
        QVERIFY(h.panel->edBroActions->isHidden());
    }

    void aestheticsResetRepaintsEachPart()
    {
        OptionsHarness h;
        h.settings.addressBarBevel = 2;
        h.settings.buttonBarPosition = 1;
        h.settings.buttonGlyphStyle = 2;
        h.settings.gridBackgroundImageSize = 1;
        h.answers.insert("applyColours", false);
        h.answers.insert("applyButtonBarPosition", false);
        QVERIFY(h.panel->aestheticsFeatures()->reset());
        QCOMPARE(h.settings.addressBarBevel, 1);
        QCOMPARE(h.settings.buttonBarPosition, 0);
        QCOMPARE(h.settings.buttonGlyphStyle, 0);
        QCOMPARE(h.settings.gridBackgroundImageSize, 0);
        QCOMPARE(h.ran, (QStringList{"applyAddressBarBevel", "applyButtonBarPosition", "applyColours",
                                     "applyGridBackgroundSize"}));
        QCOMPARE(h.prompter.texts(), (QStringList{"Reset features?", "Could not change button bar position.",
                                                  "Could not change the button glyphs."}));
        QVERIFY(!h.panel->aesthetics()->isModified());
    }

    void generalResetReappliesTheHints()
    {
        OptionsHarness h;
        h.settings.applicationHints = 3;
        h.settings.cornerHints = 0;
        h.settings.windowSize = 0;
        h.answers.insert("applyApplicationHints", false);
        QVERIFY(h.panel->generalFeatures()->reset());
        QCOMPARE(h.settings.applicationHints, 0);
        QCOMPARE(h.settings.cornerHints, 1);
        QCOMPARE(h.settings.windowSize, 1);
        QCOMPARE(h.ran, (QStringList{"applyApplicationHints", "applyCornerHints"}));
        QCOMPARE(h.prompter.texts(), (QStringList{"Reset features?", "Could not update the application hints."}));
    }

    void opensCentredOnTheBrowserPage()
    {
        OptionsHarness h;
        h.settings.browserWidth = 1340; // beyond the track bar
        h.settings.browserHeight = 500;
        h.settings.autoSize = 0;
        h.settings.customButtonPath = QStringLiteral("/usr/bin/true");
        h.panel->pcOptions->setCurrentIndex(OptionsPanel::GeneralPage);
        h.panel->open();
        QVERIFY(h.panel->isVisible());
        QCOMPARE(h.panel->pos(), QPoint(915 / 2 - 470 / 2, 600 / 2 - 420 / 2));
        QCOMPARE(h.panel->pcOptions->currentIndex(), 0);
        QCOMPARE(h.panel->pcOptions->count(), 5);
        QCOMPARE(h.panel->pcOptions->tabText(2), QStringLiteral("Direct Input"));
        QCOMPARE(h.panel->pcOptions->tabText(OptionsPanel::ExtrasPage), QStringLiteral("Extras"));
        QCOMPARE(h.panel->tbBrowserWidth->value(), 1200);
        QCOMPARE(h.panel->Label6->text(), QStringLiteral("500"));
        QCOMPARE(h.panel->cbBroSizeMethod->currentText(), QStringLiteral("Auto sizing"));
        QVERIFY(!h.panel->btnApplyBroSize->isEnabled());
        QCOMPARE(h.panel->edCustomPath->text(), QStringLiteral("/usr/bin/true"));
        QCOMPARE(h.panel->edCustomHint->text(), QStringLiteral("Undefined"));
        // Filling the controls stored nothing.
        QCOMPARE(h.settings.browserWidth, 1340);
        QVERIFY(h.panel->cbProfileFiles->count() >= 19);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void aSmallWindowKeepsThePanelShut_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("narrow") << QSize(470, 700);
        QTest::newRow("low") << QSize(900, 420);
    }
    void aSmallWindowKeepsThePanelShut()
    {
        QFETCH(QSize, window);
        OptionsHarness h;
        h.window.resize(window);
        h.panel->open();
        QVERIFY(!h.panel->isVisible());
        QCOMPARE(h.prompter.texts(), QStringList{"Resize, window is to small to show the options panel."});
    }

    void manualSizeLaysTheGridOut()
    {
        OptionsHarness h;
        QVERIFY(h.grid->openAddressInNewBrowser("http://a.test/", BrowserType::btNormal));
        QVERIFY(h.grid->openAddressInNewBrowser("http://b.test/", BrowserType::btNormal));
        h.panel->open();
        // Moving a bar only shows its number.
        h.panel->tbBrowserWidth->setValue(400);
        h.panel->tbBrowserHeight->setValue(300);
        QCOMPARE(h.panel->Label5->text(), QStringLiteral("400"));
        QCOMPARE(h.grid->pane(0)->size(), QSize(720, 460));
        QTest::mouseClick(h.panel->btnApplyBroSize, Qt::LeftButton);
        QCOMPARE(h.settings.browserWidth, 400);
        QCOMPARE(h.settings.browserHeight, 300);
        QCOMPARE(h.grid->pane(0)->size(), QSize(400, 300));
        QCOMPARE(h.grid->pane(1)->geometry().size(), QSize(400, 300));
        QCOMPARE(h.grid->pane(1)->x(), h.grid->model().cell(h.grid->pane(1)->cellIndex).left);
        QCOMPARE(h.settings.autoSize, 1);
        QVERIFY(h.fatal.isEmpty());
        // Without a picture the picture's size is left alone.
        QVERIFY(!h.ran.contains("applyGridBackgroundSize"));
    }

    void resetSizeKeepsTheBarsInRange()
    {
        OptionsHarness h;
        h.window.resize(1500, 900);
        h.sbMainGrid->resize(1400, 700);
        h.settings.gridBackgroundImageSize = 1;
        h.sbMainGrid->setBitmapBack(QImage(8, 8, QImage::Format_RGB32));
        h.panel->open();
        QTest::mouseClick(h.panel->btnResetBroSize, Qt::LeftButton);
        QCOMPARE(h.settings.browserWidth, 1200);
        QCOMPARE(h.settings.browserHeight, 640);
        QCOMPARE(h.ran, QStringList{"applyGridBackgroundSize"});
        h.answers.insert("applyGridBackgroundSize", false);
        QTest::mouseClick(h.panel->btnApplyBroSize, Qt::LeftButton);
        QCOMPARE(h.prompter.texts(), QStringList{"Could not resize the grid background image."});
    }

    void autoSizingDisablesTheBarsAndSizesAtOnce()
    {
        OptionsHarness h;
        h.panel->open();
        emit h.panel->cbBroSizeMethod->activated(0);
        QCOMPARE(h.settings.autoSize, 0);
        QCOMPARE(h.settings.browserWidth, 880 - 60);
        QCOMPARE(h.settings.browserHeight, 520 - 60);
        for (QWidget *w : std::initializer_list<QWidget *>{h.panel->tbBrowserWidth, h.panel->tbBrowserHeight,
                                                           h.panel->btnApplyBroSize, h.panel->btnResetBroSize,
                                                           h.panel->Label5})
            QVERIFY(!w->isEnabled());
        emit h.panel->cbBroSizeMethod->activated(1);
        QCOMPARE(h.settings.autoSize, 1);
        QVERIFY(h.panel->btnApplyBroSize->isEnabled());
        // Hidden, the size controls change nothing.
        h.panel->hide();
        emit h.panel->cbBroSizeMethod->activated(0);
        QCOMPARE(h.settings.autoSize, 1);
    }

    void aPictureBecomesTheBackground()
    {
        OptionsHarness h;
        const QString picture = h.dir.filePath("sky blue.bmp");
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(QColor(10, 20, 200));
        QVERIFY(image.save(picture, "BMP"));
        h.dialogs.openAnswer = picture;
        QTest::mouseClick(h.panel->btnOpenGridBackground, Qt::LeftButton);
        QCOMPARE(h.dialogs.lastFilters.value(0), OptionsPanel::pictureFilter());
        QCOMPARE(h.settings.gridBackgroundImage, 1);
        QCOMPARE(GridBackground::load(h.flags.dataFolder).size(), QSize(30, 20));
        QCOMPARE(h.ran, (QStringList{"applyGridBackgroundImage", "applyGridBackgroundSize"}));

        // Clearing asks first; the file stays.
        h.ran.clear();
        h.prompter.answers = {false, true};
        QTest::mouseClick(h.panel->btnClearGridBackground, Qt::LeftButton);
        QCOMPARE(h.settings.gridBackgroundImage, 1);
        QTest::mouseClick(h.panel->btnClearGridBackground, Qt::LeftButton);
        QCOMPARE(h.settings.gridBackgroundImage, 0);
        QCOMPARE(h.prompter.texts(),
                 (QStringList{"Clear the grid background image?", "Clear the grid background image?"}));
        QCOMPARE(h.ran, QStringList{"applyGridBackgroundImage"});
        QVERIFY(QFile::exists(GridBackground::filePath(h.flags.dataFolder)));
        // Nothing to clear: nothing asked.
        QTest::mouseClick(h.panel->btnClearGridBackground, Qt::LeftButton);
        QCOMPARE(h.prompter.shown.size(), 2);
    }

    void aDamagedPictureKeepsTheOldBackground()
    {
        OptionsHarness h;
        const QString picture = h.dir.filePath("broken.jpg");
        QFile file(picture);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture at all");
        file.close();
        h.dialogs.openAnswer = picture;
        h.panel->openGridBackground();
        QCOMPARE(h.settings.gridBackgroundImage, 0);
        QCOMPARE(h.prompter.texts(), QStringList{"Could not open the grid background image"});
        QVERIFY(!QFile::exists(GridBackground::filePath(h.flags.dataFolder)));
        // Cancelled: nothing at all.
        h.dialogs.openAnswer.clear();
        h.panel->openGridBackground();
        QCOMPARE(h.prompter.shown.size(), 1);
    }

    void aColourChoiceMarksTheProfile()
    {
        OptionsHarness h;
        h.panel->open();
        h.panel->pcOptions->setCurrentIndex(OptionsPanel::AestheticsPage);
        emit h.panel->cbColorObjects->activated(9); // "Main"
        const int red = h.panel->cbColorBox->findText("Red");
        emit h.panel->cbColorBox->activated(red);
        QCOMPARE(h.settings.mainColor, 255);
        QVERIFY(h.panel->aesthetics()->isModified());
        QCOMPARE(h.panel->cbProfileFiles->currentText(), QStringLiteral("..Save me.."));
        QCOMPARE(h.ran, QStringList{"applyColours"});
    }

    // A name typed into the profile box only names the profile, also when the
    // list has it: saving replaces that profile with the edited colours and
    // asks nothing. Only a pick from the list chooses (and loads) a profile.
    void aTypedNameOnlyNamesTheProfile_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter"); // saved by Enter in the box, else by the Save button
        QTest::newRow("listed, Save") << "Mine" << false;
        QTest::newRow("listed, Enter") << "Mine" << true;
        QTest::newRow("new, Save") << "Fresh" << false;
    }
    void aTypedNameOnlyNamesTheProfile()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        OptionsHarness h;
        const int originalMain = h.settings.mainColor;
        const AestheticProfiles profiles(h.flags.dataFolder);
        QVERIFY(profiles.save(QStringLiteral("Mine"), ColourSchemes::valuesOf(h.settings)));
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        h.panel->open();
        h.panel->pcOptions->setCurrentIndex(OptionsPanel::AestheticsPage);
        QVERIFY(pickFromList(h.panel->cbColorObjects, QStringLiteral("Main")));
        QVERIFY(pickFromList(h.panel->cbColorBox, QStringLiteral("Red")));
        QCOMPARE(h.settings.mainColor, 255);

        QTest::mouseClick(h.panel->cbProfileFiles->lineEdit(), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), typed);
        if (enter)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else
            QTest::mouseClick(h.panel->btnSaveProfile, Qt::LeftButton);
        QCOMPARE(h.prompter.texts(), QStringList());
        QCOMPARE(savedMainColour(h, typed), 255);
        QCOMPARE(h.settings.mainColor, 255);
        QVERIFY(!h.panel->aesthetics()->isModified());
        QCOMPARE(h.panel->cbProfileFiles->currentText(), typed);
        // Leaving the box chooses nothing either.
        QTest::mouseClick(h.panel->cbColorObjects, Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(h.prompter.texts(), QStringList());

        // Picked from the list, a profile is chosen: the edits since are
        // given up after the question.
        QVERIFY(pickFromList(h.panel->cbColorObjects, QStringLiteral("Main")));
        QVERIFY(pickFromList(h.panel->cbColorBox, QStringLiteral("Blue")));
        QVERIFY(pickFromList(h.panel->cbProfileFiles, QStringLiteral("Mine")));
        QCOMPARE(h.prompter.texts(), QStringList{"Disgard profile changes?"});
        QCOMPARE(h.settings.mainColor, typed == QLatin1String("Mine") ? 255 : originalMain);
        QCOMPARE(h.panel->cbProfileFiles->currentText(), QStringLiteral("Mine"));
    }
};

QTEST_MAIN(TestOptionsPanel)
#include "test_optionspanel.moc"
