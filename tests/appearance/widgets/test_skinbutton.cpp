#include "appearance/widgets/skinbutton.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

const QColor keyColour(255, 0, 255);
const QColor idleColour(0, 0, 200);
const QColor overColour(0, 200, 0);
const QColor downColour(200, 0, 0);
const QColor glyphColour(255, 255, 0);

// A 20 x 20 picture: key colour all round, solid from (5, 5) to (14, 14).
QImage shapedPicture(const QColor &body)
{
    QImage image(20, 20, QImage::Format_ARGB32);
    image.fill(keyColour);
    QPainter(&image).fillRect(QRect(5, 5, 10, 10), body);
    return image;
}

// Bottom-left pixel (the picture's key) key; a black column at markerX.
QImage solidPicture(QSize size, const QColor &fill, const QColor &key, int markerX = -1)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    for (int y = 0; markerX >= 0 && y < size.height(); ++y)
        image.setPixelColor(markerX, y, Qt::black);
    image.setPixelColor(0, size.height() - 1, key);
    return image;
}

} // namespace

class TestSkinButton : public QObject
{
    Q_OBJECT

private:
    QWidget *m_host = nullptr;
    SkinButton *m_button = nullptr;

    // The button as the window shows it over its cyan background, so its
    // transparent pixels show cyan.
    QColor shown(QPoint pos = {10, 10}) const
    {
        return m_host->grab(m_button->geometry()).toImage().pixelColor(pos);
    }

private slots:
    void init()
    {
        m_host = new QWidget;
        m_host->resize(100, 100);
        QPalette cyan = m_host->palette();
        cyan.setColor(QPalette::Window, Qt::cyan);
        m_host->setPalette(cyan);
        m_host->setAutoFillBackground(true);
        m_button = new SkinButton(m_host);
        m_button->move(10, 10);
        m_button->setBitIdle(shapedPicture(idleColour));
        m_button->setBitOver(shapedPicture(overColour));
        m_button->setBitDown(shapedPicture(downColour));
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host));
        // Park the pointer away: a move to where it already is is dropped.
        QTest::mouseMove(m_host, {95, 95});
    }

    void cleanup()
    {
        delete m_host;
    }

    void pointerOnShape_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("onShape");
        // (0, 0) would mean "the centre" to QTest.
        QTest::newRow("transparent corner") << QPoint(1, 0) << false;
        QTest::newRow("just outside the body") << QPoint(4, 10) << false;
        QTest::newRow("body") << QPoint(14, 14) << true;
    }

    // Over, pressed and clicked only on the opaque pixels of the idle picture.
    void pointerOnShape()
    {
        QFETCH(QPoint, pos);
        QFETCH(bool, onShape);
        QSignalSpy clicked(m_button, &SkinButton::clicked);
        QTest::mouseMove(m_button, pos);
        QTRY_COMPARE(m_button->isHit(), onShape);
        QCOMPARE(m_button->isOver(), onShape);
        QCOMPARE(shown(), onShape ? overColour : idleColour);
        QTest::mousePress(m_button, Qt::LeftButton, {}, pos);
        QCOMPARE(m_button->isPressed(), onShape);
        QCOMPARE(shown(), onShape ? downColour : idleColour);
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, pos);
        QCOMPARE(clicked.count(), onShape ? 1 : 0);
        // Without hot tracking the idle picture stays.
        m_button->setHotTrack(false);
        QCOMPARE(shown(), idleColour);
    }

    // A press on a transparent pixel goes to what lies beneath the button.
    void mouseAreaIsTheOpaqueShape()
    {
        SkinButton *under = new SkinButton(m_host);
        under->setBitIdle(solidPicture({40, 40}, idleColour, keyColour));
        under->move(5, 5);
        under->lower();
        under->show();
        QSignalSpy top(m_button, &SkinButton::clicked);
        QSignalSpy beneath(under, &SkinButton::clicked);
        // (12, 12) in the host is a key pixel of the top button (2, 2).
        QCOMPARE(m_host->childAt(12, 12), under);
        QTest::mouseClick(m_host->windowHandle(), Qt::LeftButton, {}, QPoint(12, 12));
        QCOMPARE(beneath.count(), 1);
        QCOMPARE(m_host->childAt(20, 20), m_button);
        QTest::mouseClick(m_host->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(top.count(), 1);
        // A new picture brings its own shape: now all of the button is solid.
        m_button->setBitIdle(solidPicture({20, 20}, idleColour, keyColour));
        QCOMPARE(m_host->childAt(12, 12), m_button);
        QCOMPARE(m_host->childAt(10, 29), under); // its own bottom-left key pixel
    }

    void downNeedsLatching()
    {
        m_button->setDown(true);
        QVERIFY(!m_button->isDown());
        m_button->setLatching(true);
        m_button->setDown(true);
        QVERIFY(m_button->isDown());
        QCOMPARE(shown(), downColour);
        // The idle picture's key holds for the down picture too.
        QCOMPARE(shown({1, 1}), QColor(Qt::cyan));
        // A click releases a latched button on the press, then puts it down.
        QTest::mouseMove(m_button, {10, 10});
        QTest::mouseClick(m_button, Qt::LeftButton, {}, {10, 10});
        QVERIFY(m_button->isDown());
        // Giving up latching releases the button.
        m_button->setLatching(false);
        QVERIFY(!m_button->isDown());
    }

    void glyphPlacement_data()
    {
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("at rest") << false << QPoint(7, 6);
        QTest::newRow("pressed") << true << QPoint(8, 7);
    }

    // An 8 x 8 glyph on a 20 x 20 button: centred, nudged right, and nudged
    // once more right and down while pressed.
    void glyphPlacement()
    {
        QFETCH(bool, pressed);
        QFETCH(QPoint, topLeft);
        const QImage picture = solidPicture({20, 20}, Qt::gray, keyColour);
        m_button->setBitIdle(picture);
        m_button->setBitOver(picture);
        m_button->setBitDown(picture);
        // Marker column 5 shows where the glyph landed; white is its key.
        m_button->setBitGlyph(solidPicture({8, 8}, glyphColour, Qt::white, 5));
        QTest::mouseMove(m_button, {10, 10});
        if (pressed)
            QTest::mousePress(m_button, Qt::LeftButton, {}, {10, 10});
        const QPoint marker = topLeft + QPoint(5, 2);
        QCOMPARE(shown(marker), QColor(Qt::black));
        QCOMPARE(shown(marker - QPoint(1, 0)), glyphColour);
        QCOMPARE(shown(topLeft + QPoint(0, 7)), QColor(Qt::gray));
        if (pressed)
            QTest::mouseRelease(m_button, Qt::LeftButton, {}, {10, 10});
    }
};

QTEST_MAIN(TestSkinButton)
#include "test_skinbutton.moc"
