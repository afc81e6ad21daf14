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

// A glyph of the given size in glyph colour whose bottom-left pixel (its
// key) is white; a marker column in black at markerX when >= 0.
QImage glyph(QSize size, int markerX = -1)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(glyphColour);
    if (markerX >= 0) {
        for (int y = 0; y < size.height(); ++y)
            image.setPixelColor(markerX, y, Qt::black);
    }
    image.setPixelColor(0, size.height() - 1, Qt::white);
    return image;
}

// A grey picture of the given size, transparent only at its key pixel.
QImage solidPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    image.setPixelColor(0, size.height() - 1, keyColour);
    return image;
}

QColor pixelAt(SkinButton &button, QPoint pos)
{
    return button.grab().toImage().pixelColor(pos);
}

} // namespace

class TestSkinButton : public QObject
{
    Q_OBJECT

private:
    QWidget *m_host = nullptr;
    SkinButton *m_button = nullptr;

private slots:
    void init()
    {
        m_host = new QWidget;
        m_host->resize(100, 100);
        m_button = new SkinButton(m_host);
        m_button->move(10, 10);
        m_button->setBitIdle(shapedPicture(idleColour));
        m_button->setBitOver(shapedPicture(overColour));
        m_button->setBitDown(shapedPicture(downColour));
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host));
        // Park the pointer away from the button; a move to where the
        // pointer already is would be dropped.
        QTest::mouseMove(m_host, {95, 95});
    }

    void cleanup()
    {
        delete m_host;
        m_host = nullptr;
        m_button = nullptr;
    }

    void defaultsAndDefaultPicture()
    {
        SkinButton fresh;
        QCOMPARE(fresh.size(), QSize(24, 24));
        QCOMPARE(fresh.isLatching(), false);
        QCOMPARE(fresh.isDown(), false);
        QCOMPARE(fresh.hotTrack(), true);
        QVERIFY(fresh.bitGlyph().isNull());
        const QImage idle = fresh.bitIdle();
        QCOMPARE(idle.format(), QImage::Format_RGB888);
        QCOMPARE(idle.pixelColor(1, 1), QColor(128, 128, 128));
        QCOMPARE(idle.pixelColor(22, 22), QColor(128, 128, 128));
        QVERIFY(idle.pixelColor(23, 23) != QColor(128, 128, 128));
        QVERIFY(idle.pixelColor(0, 0) != QColor(128, 128, 128));
        QCOMPARE(fresh.bitOver(), idle);
        QCOMPARE(fresh.bitDown(), idle);
        // The frame round the square is the key, so only the square reacts.
        QVERIFY(!fresh.hitTest({0, 12}));
        QVERIFY(fresh.hitTest({1, 12}));
        QVERIFY(fresh.hitTest({22, 12}));
        QVERIFY(!fresh.hitTest({23, 12}));
    }

    void idlePictureSizesTheButton()
    {
        m_button->setBitIdle(solidPicture({40, 16}));
        QCOMPARE(m_button->size(), QSize(40, 16));
        QCOMPARE(m_button->sizeHint(), QSize(40, 16));
        // The other pictures leave the size alone.
        m_button->setBitOver(shapedPicture(overColour));
        QCOMPARE(m_button->size(), QSize(40, 16));
    }

    void pointerOverShape_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("over");
        QTest::newRow("transparent corner") << QPoint(1, 1) << false;
        QTest::newRow("transparent edge") << QPoint(10, 2) << false;
        QTest::newRow("just outside the body") << QPoint(4, 10) << false;
        QTest::newRow("first body pixel") << QPoint(5, 5) << true;
        QTest::newRow("centre") << QPoint(10, 10) << true;
        QTest::newRow("last body pixel") << QPoint(14, 14) << true;
    }

    void pointerOverShape()
    {
        QFETCH(QPoint, pos);
        QFETCH(bool, over);
        QTest::mouseMove(m_button, pos);
        QTRY_COMPARE(m_button->isHit(), over);
        QCOMPARE(m_button->isOver(), over);
        QCOMPARE(pixelAt(*m_button, {10, 10}), over ? overColour : idleColour);
    }

    void clickCountsOnlyOnShape_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("clicks");
        // (0, 0) would mean "the centre" to QTest.
        QTest::newRow("transparent corner") << QPoint(1, 0) << 0;
        QTest::newRow("transparent bottom-left") << QPoint(0, 19) << 0;
        QTest::newRow("opaque body") << QPoint(8, 12) << 1;
    }

    void clickCountsOnlyOnShape()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, clicks);
        QSignalSpy clicked(m_button, &SkinButton::clicked);
        QTest::mouseMove(m_button, pos);
        QTest::mouseClick(m_button, Qt::LeftButton, {}, pos);
        QCOMPARE(clicked.count(), clicks);
    }

    void pressAndDragOffShape()
    {
        QSignalSpy clicked(m_button, &SkinButton::clicked);
        QTest::mouseMove(m_button, {10, 10});
        QTest::mousePress(m_button, Qt::LeftButton, {}, {10, 10});
        QVERIFY(m_button->isPressed());
        QCOMPARE(pixelAt(*m_button, {10, 10}), downColour);
        // Released over a transparent pixel: no click.
        QTest::mouseMove(m_button, {2, 2});
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, {2, 2});
        QVERIFY(!m_button->isPressed());
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(pixelAt(*m_button, {10, 10}), idleColour);
    }

    void pressOnTransparentPartIsNotPressed()
    {
        QTest::mouseMove(m_button, {1, 1});
        QTest::mousePress(m_button, Qt::LeftButton, {}, {1, 1});
        QVERIFY(!m_button->isPressed());
        QCOMPARE(pixelAt(*m_button, {10, 10}), idleColour);
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, {1, 1});
    }

    void hotTrackOffKeepsIdlePicture()
    {
        m_button->setHotTrack(false);
        QTest::mouseMove(m_button, {10, 10});
        QTRY_VERIFY(m_button->isOver());
        QCOMPARE(pixelAt(*m_button, {10, 10}), idleColour);
    }

    void leavingClearsPointerState()
    {
        QTest::mouseMove(m_button, {10, 10});
        QTRY_VERIFY(m_button->isOver());
        QTest::mouseMove(m_host, {90, 90});
        QTRY_VERIFY(!m_button->isOver());
        QVERIFY(!m_button->isHit());
        QVERIFY(!m_button->isPressed());
    }

    void downNeedsLatching()
    {
        m_button->setDown(true);
        QCOMPARE(m_button->isDown(), false);
        m_button->setLatching(true);
        m_button->setDown(true);
        QCOMPARE(m_button->isDown(), true);
        QCOMPARE(pixelAt(*m_button, {10, 10}), downColour);
        // Giving up latching releases the button.
        m_button->setLatching(false);
        QCOMPARE(m_button->isDown(), false);
    }

    void latchingClicksLeaveItDown_data()
    {
        QTest::addColumn<bool>("latching");
        QTest::addColumn<bool>("downBefore");
        QTest::addColumn<bool>("downAfter");
        QTest::newRow("plain button") << false << false << false;
        QTest::newRow("latching, up") << true << false << true;
        // The press releases it first, so the click puts it down again.
        QTest::newRow("latching, already down") << true << true << true;
    }

    void latchingClicksLeaveItDown()
    {
        QFETCH(bool, latching);
        QFETCH(bool, downBefore);
        QFETCH(bool, downAfter);
        m_button->setLatching(latching);
        m_button->setDown(downBefore);
        QSignalSpy clicked(m_button, &SkinButton::clicked);
        QTest::mouseMove(m_button, {10, 10});
        QTest::mouseClick(m_button, Qt::LeftButton, {}, {10, 10});
        QCOMPARE(m_button->isDown(), downAfter);
        QCOMPARE(clicked.count(), 1);

        // From code or the keyboard, the same.
        m_button->setDown(downBefore);
        m_button->click();
        QCOMPARE(m_button->isDown(), downAfter);
        QCOMPARE(clicked.count(), 2);
    }

    void keyboardClicksWhenFocusable()
    {
        QSignalSpy clicked(m_button, &SkinButton::clicked);
        QCOMPARE(m_button->focusPolicy(), Qt::NoFocus);
        m_button->setFocusPolicy(Qt::StrongFocus);
        m_button->setFocus();
        QTest::keyClick(m_button, Qt::Key_Space);
        QTest::keyClick(m_button, Qt::Key_Return);
        QCOMPARE(clicked.count(), 2);
    }

    void transparentPixelsShowWhatIsBehind()
    {
        QImage canvas(m_button->size(), QImage::Format_RGB32);
        canvas.fill(Qt::cyan);
        m_button->render(&canvas, {}, {}, QWidget::DrawChildren);
        QCOMPARE(canvas.pixelColor(1, 1), QColor(Qt::cyan));
        QCOMPARE(canvas.pixelColor(10, 10), idleColour);
        // The idle key also holds for the over and down pictures.
        m_button->setLatching(true);
        m_button->setDown(true);
        canvas.fill(Qt::cyan);
        m_button->render(&canvas, {}, {}, QWidget::DrawChildren);
        QCOMPARE(canvas.pixelColor(1, 1), QColor(Qt::cyan));
        QCOMPARE(canvas.pixelColor(10, 10), downColour);
    }

    void glyphPlacement_data()
    {
        QTest::addColumn<QSize>("buttonSize");
        QTest::addColumn<QSize>("glyphSize");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("even, at rest") << QSize(20, 20) << QSize(8, 8) << false << QPoint(7, 6);
        QTest::newRow("even, pressed") << QSize(20, 20) << QSize(8, 8) << true << QPoint(8, 7);
        QTest::newRow("odd remainder") << QSize(21, 23) << QSize(8, 8) << false << QPoint(7, 7);
        // Wider than the button: the half rounds toward zero, not down.
        QTest::newRow("wider glyph") << QSize(20, 20) << QSize(27, 8) << false << QPoint(-2, 6);
    }

    void glyphPlacement()
    {
        QFETCH(QSize, buttonSize);
        QFETCH(QSize, glyphSize);
        QFETCH(bool, pressed);
        QFETCH(QPoint, topLeft);

        const QImage idle = solidPicture(buttonSize);
        m_button->setBitIdle(idle);
        m_button->setBitOver(idle);
        m_button->setBitDown(idle);
        // Marker column 5 of the glyph shows where it landed.
        m_button->setBitGlyph(glyph(glyphSize, 5));
        if (pressed) {
            QTest::mouseMove(m_button, {10, 10});
            QTest::mousePress(m_button, Qt::LeftButton, {}, {10, 10});
            QVERIFY(m_button->isPressed());
        }
        QCOMPARE(m_button->glyphPosition(), topLeft);
        const QImage shown = m_button->grab().toImage();
        const int row = topLeft.y() + 2;
        QCOMPARE(shown.pixelColor(topLeft.x() + 5, row), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(topLeft.x() + 4, row), glyphColour);
        QCOMPARE(shown.pixelColor(topLeft.x() + 6, row), glyphColour);
        if (pressed)
            QTest::mouseRelease(m_button, Qt::LeftButton, {}, {10, 10});
    }

    void glyphIsClipped()
    {
        const QImage idle = solidPicture({24, 24});
        m_button->setBitIdle(idle);
        m_button->setBitOver(idle);
        m_button->setBitDown(idle);
        m_button->setBitGlyph(glyph({40, 40}));
        const QImage shown = m_button->grab().toImage();
        // Drawn from x 1 to 21 and down to y 21.
        QCOMPARE(shown.pixelColor(0, 10), QColor(Qt::gray));
        QCOMPARE(shown.pixelColor(1, 10), glyphColour);
        QCOMPARE(shown.pixelColor(21, 0), glyphColour);
        QCOMPARE(shown.pixelColor(21, 21), glyphColour);
        QCOMPARE(shown.pixelColor(22, 10), QColor(Qt::gray));
        QCOMPARE(shown.pixelColor(10, 22), QColor(Qt::gray));
    }

    void glyphKeyIsItsOwn()
    {
        m_button->setBitIdle(solidPicture({20, 20}));
        m_button->setBitOver(solidPicture({20, 20}));
        // A glyph whose key is white: white pixels vanish, the rest shows.
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::white);
        picture.setPixelColor(3, 3, Qt::gray);
        picture.setPixelColor(4, 4, glyphColour);
        m_button->setBitGlyph(picture);
        const QImage shown = m_button->grab().toImage();
        const QPoint at = m_button->glyphPosition();
        QCOMPARE(shown.pixelColor(at + QPoint(0, 0)), QColor(Qt::gray));
        QCOMPARE(shown.pixelColor(at + QPoint(4, 4)), glyphColour);
    }
};

QTEST_MAIN(TestSkinButton)
#include "test_skinbutton.moc"
