#include "app/windowappearance.h"
#include "appearance/colormath.h"
#include "appearance/colourschemes.h"
#include "appearance/gridbackground.h"
#include "appearance/skinimages.h"
#include "appearance/widgets/bmpscrollbox.h"
#include "appearance/widgets/dropdowncombobox.h"
#include "appearance/widgets/shadowlabel.h"
#include "appearance/widgets/skinbutton.h"
#include "grid/addressbar.h"
#include "grid/gridfeatures.h"
#include "navgrid/navgrid.h"
#include "navgrid/navgridpanel.h"
#include "support/windowharness.h"

#include <QFile>
#include <QImageWriter>
#include <QTest>

namespace {

// The neutral skin's pixel tinted as the window should show it.
QRgb tintedPixel(SkinStrip strip, QPoint at, int colour)
{
    const SkinImages neutral;
    return ColorMath::colorizeColor(colour, neutral.strip(strip).pixel(at));
}

QImage checkerboard()
{
    QImage image(32, 24, QImage::Format_RGB32);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, (x / 4 + y / 4) % 2 ? qRgb(250, 200, 0) : qRgb(0, 60, 120));
    return image;
}

} // namespace

// The whole window painted from the appearance settings.
class TestWindowAppearance : public QObject
{
    Q_OBJECT

private slots:
    void schemeRepaintsTheSkin()
    {
        WindowHarness h;
        QVERIFY(h.started);
        QVERIFY(ColourSchemes::apply(QStringLiteral("2k Marine"), h.settings));
        QVERIFY(h.window->appearance()->applyColours());
        // A main button's idle face, tinted towards the button colour.
        const QPoint middle(43, 16);
        SkinButton *navGrid = h.frame().button(QStringLiteral("skNavGrid"));
        QCOMPARE(QColor(navGrid->bitIdle().pixel(middle)),
                 QColor(tintedPixel(SkinStrip::Main, middle, h.settings.buttonColor)));
        // Its neighbour shares the pictures of its family.
        QCOMPARE(h.frame().button(QStringLiteral("skManager"))->bitIdle(), navGrid->bitIdle());
        // The address bars take the address bar colours.
        DropDownComboBox *bar = h.find<DropDownComboBox>("cbWebAddressBar");
        QVERIFY(bar);
        QCOMPARE(bar->palette().color(QPalette::Base), ColorMath::fromRef(h.settings.addressBarColor));
        QCOMPARE(bar->palette().color(QPalette::Text), ColorMath::fromRef(h.settings.addressBarFontColor));
        QCOMPARE(h.frame().pnGridLeft->palette().color(QPalette::Window), ColorMath::fromRef(h.settings.mainColor));
        // Nothing stays suspended after the repaint.
        QVERIFY(!h.flags.backgroundSuspended());
        QVERIFY(h.frame().pnMaster->isVisible());
    }

    void panesTakeTheNewColoursInTheirState()
    {
        WindowHarness h;
        QVERIFY(h.started);
        QVERIFY(h.grid().openAddressInNewBrowser(QStringLiteral("https://a.example/"), BrowserType::btNormal));
        QVERIFY(h.grid().openAddressInNewBrowser(QStringLiteral("https://b.example/"), BrowserType::btNormal));
        // The newest pane is the active one.
        QVERIFY(!h.grid().pane(0)->isActive());
        QVERIFY(h.grid().pane(1)->isActive());
        QVERIFY(ColourSchemes::apply(QStringLiteral("XP Olive (dark)"), h.settings));
        QVERIFY(h.window->appearance()->applyColours());
        const QPoint middle(22, 11);
        const auto face = [&](int n) {
            return QColor(h.grid().pane(n)->findChild<SkinButton *>(QStringLiteral("skSelect"))->bitIdle().pixel(middle));
        };
        QCOMPARE(face(1), QColor(tintedPixel(SkinStrip::BrowserButton, middle, h.settings.activeBrowserBorderColor)));
        QCOMPARE(face(0), QColor(tintedPixel(SkinStrip::BrowserButton, middle, h.settings.gridBackgroundColor)));
        QVERIFY(h.grid().pane(1)->isActive());
    }

    void buttonBarSide()
    {
        WindowHarness h;
        QVERIFY(h.started);
        WindowFrame &f = h.frame();
        const auto geometryOf = [&] {
            return QList<QRect>{f.pnControls->geometry(), f.pnGridTop->geometry(), f.pnGridBottom->geometry(),
                                f.pnMainGrid->geometry()};
        };
        const QList<QRect> bottom = geometryOf();
        QVERIFY(f.pnControls->mapTo(h.window.get(), QPoint()).y() > f.pnGridBottom->mapTo(h.window.get(), QPoint()).y());
        // The map's top positions sit below the grid's top strip, wherever the bar is.
        h.window->navGrid()->toggle();
        QVERIFY(h.window->navGrid()->placePanel(1)); // top left
        const int mapTopBefore = h.window->navGrid()->panel()->y();
        h.settings.buttonBarPosition = 1;
        QVERIFY(h.window->appearance()->applyButtonBarPosition());
        QVERIFY(f.pnControls->mapTo(h.window.get(), QPoint()).y() < f.pnGridTop->mapTo(h.window.get(), QPoint()).y());
        QCOMPARE(h.window->navGrid()->panel()->y(), mapTopBefore + f.pnControls->height());
        const int gridTop = f.pnGridTop->mapTo(h.window.get(), QPoint(0, f.pnGridTop->height())).y();
        QVERIFY(h.window->navGrid()->panel()->y() >= gridTop);
        // And back: the first stacking again.
        h.settings.buttonBarPosition = 0;
        QVERIFY(h.window->appearance()->applyButtonBarPosition());
        QCOMPARE(geometryOf(), bottom);
        QCOMPARE(h.window->navGrid()->panel()->y(), mapTopBefore);
    }

    void bevel_data()
    {
        QTest::addColumn<int>("bevel");
        QTest::newRow("flat") << 0;
        QTest::newRow("inherited") << 1;
        QTest::newRow("soft") << 2;
    }
    void bevel()
    {
        QFETCH(int, bevel);
        WindowHarness h;
        QVERIFY(h.started);
        h.settings.addressBarBevel = bevel;
        QVERIFY(h.window->appearance()->applyAddressBarBevel());
        for (const char *name : {"cbWebAddressBar", "cbSelectBrowserList"})
            QCOMPARE(h.find<DropDownComboBox>(name)->bevel(), bevel);
    }

    // Both address boxes show "address bar color" as their face with every
    // bevel, from the start and when the colour or the bevel changes later.
    void addressBoxesTakeTheirColourWithEveryBevel_data()
    {
        QTest::addColumn<int>("bevel");
        QTest::newRow("flat") << 0;
        QTest::newRow("inherited") << 1;
        QTest::newRow("soft") << 2;
    }
    void addressBoxesTakeTheirColourWithEveryBevel()
    {
        QFETCH(int, bevel);
        WindowHarness h;
        QVERIFY(h.started);
        const auto faces = [&] {
            QStringList shown;
            for (const char *name : {"cbWebAddressBar", "cbSelectBrowserList"}) {
                DropDownComboBox *box = h.find<DropDownComboBox>(name);
                // Right of any text, left of the drop-down button.
                const QImage face = box->grab().toImage();
                shown << face.pixelColor(face.width() - 40, face.height() / 2).name();
            }
            return shown;
        };
        const auto both = [](int colour) { return QStringList(2, ColorMath::fromRef(colour).name()); };
        // As at start-up: the colours, then the bevel.
        h.settings.addressBarColor = 14213320; // 200,224,216
        h.settings.addressBarBevel = bevel;
        QVERIFY(h.window->appearance()->applyColours());
        QVERIFY(h.window->appearance()->applyAddressBarBevel());
        QCOMPARE(faces(), both(14213320));
        // Another colour chosen while the program runs.
        h.settings.addressBarColor = 4276545; // 65,65,65
        QVERIFY(h.window->appearance()->applyColours());
        QCOMPARE(faces(), both(4276545));
        // Another bevel, and back: the colour stays.
        h.settings.addressBarBevel = (bevel + 1) % 3;
        QVERIFY(h.window->appearance()->applyAddressBarBevel());
        QCOMPARE(faces(), both(4276545));
        h.settings.addressBarBevel = bevel;
        QVERIFY(h.window->appearance()->applyAddressBarBevel());
        QCOMPARE(faces(), both(4276545));
        // The address bar's search mode has a pale green face of its own.
        AddressBar *bar = h.window->gridFeatures()->addressBar();
        bar->setWebSearchMode();
        QCOMPARE(faces(), (QStringList{ColorMath::fromRef(AddressBar::SearchColor).name(),
                                       ColorMath::fromRef(4276545).name()}));
        bar->setWebAddressMode();
        QCOMPARE(faces(), both(4276545));
    }

    void backgroundPicture()
    {
        WindowHarness h;
        QVERIFY(h.started);
        const QString picked = h.dir.filePath(QStringLiteral("picked.bmp"));
        QVERIFY(QImageWriter(picked, "bmp").write(checkerboard()));
        QVERIFY(GridBackground::store(picked, h.flags.dataFolder));
        h.settings.gridBackgroundImage = 1;
        h.settings.gridBackgroundImageSize = 1;
        QVERIFY(h.window->appearance()->applyGridBackgroundImage());
        QVERIFY(h.window->appearance()->applyGridBackgroundSize());
        BmpScrollBox *box = h.frame().sbMainGrid;
        QCOMPARE(box->bitmapBack().size(), QSize(32, 24));
        QVERIFY(box->bitmapTileToSize());
        QCOMPARE(box->bitmapTTSWidth(), h.settings.browserWidth);
        QCOMPARE(box->bitmapTTSHeight(), h.settings.browserHeight);
        // The painted grid shows the picture behind its empty cells.
        const QImage shot = box->viewport()->grab().toImage();
        QVERIFY(shot.pixelColor(2, 2) == QColor(0, 60, 120) || shot.pixelColor(2, 2) == QColor(250, 200, 0));
        // "Original" tiles at the picture's own size.
        h.settings.gridBackgroundImageSize = 0;
        QVERIFY(h.window->appearance()->applyGridBackgroundSize());
        QVERIFY(!box->bitmapTileToSize());
        // The file gone: a plain grid and the setting off.
        QVERIFY(QFile::remove(GridBackground::filePath(h.flags.dataFolder)));
        QVERIFY(h.window->appearance()->applyGridBackgroundImage());
        QVERIFY(box->bitmapBack().isNull());
        QCOMPARE(h.settings.gridBackgroundImage, 0);
        QVERIFY(h.prompter.shown.isEmpty());
    }

    void cornerLabels_data()
    {
        QTest::addColumn<int>("cornerHints");
        QTest::newRow("none") << 0;
        QTest::newRow("show") << 1;
    }
    void cornerLabels()
    {
        QFETCH(int, cornerHints);
        WindowHarness h;
        QVERIFY(h.started);
        h.settings.cornerHints = cornerHints;
        QVERIFY(h.window->appearance()->applyAppearance());
        for (ShadowLabel *label : {h.frame().laAudio, h.frame().laQueue, h.frame().laLocalIP, h.frame().laActiveIP})
            QCOMPARE(label->isVisible(), cornerHints == 1);
    }
};

QTEST_MAIN(TestWindowAppearance)
#include "test_windowappearance.moc"
