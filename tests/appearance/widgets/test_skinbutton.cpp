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

// A picture of the given size and colour whose bottom-left pixel (its key)
// is key; a black marker column at markerX when >= 0.
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

    // The button drawn over cyan, so its transparent pixels show cyan.
    QColor shown(QPoint pos = {10, 10}) const
    {
        QImage canvas(m_button->size(), QImage::Format_RGB32);
        canvas.fill(Qt::cyan);
        m_button->render(&canvas, {}, {}, QWidget::DrawChildren);
        return canvas.pixelColor(pos);
    }

    // Grey state pictures of the given size, transparent only at the key pixel.
    void setSolidPictures(QSize size)
    {
        const QImage picture = solidPicture(size, Qt::gray, keyColour);
        m_button->setBitIdle(picture);
        m_button->setBitOver(picture);
        m_button->setBitDown(picture);
    }

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

    // A new button is a grey square in a transparent frame; the idle picture
    // sizes the button, the others leave the size alone.
    void pictureShapesTheButton()
    {
        SkinButton fresh;
        QCOMPARE(fresh.size(), QSize(24, 24));
        QVERIFY(!fresh.hitTest({0, 12}));
        QVERIFY(fresh.hitTest({1, 12}));
        QVERIFY(!fresh.hitTest({23, 12}));
        fresh.setBitIdle(solidPicture({40, 16}, Qt::gray, keyColour));
        fresh.setBitOver(shapedPicture(overColour));
        QCOMPARE(fresh.size(), QSize(40, 16));
    }

    void pointerOnShape_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("onShape");
        // (0, 0) would mean "the centre" to QTest.
        QTest::newRow("transparent corner") << QPoint(1, 0) << false;
        QTest::newRow("transparent bottom-left") << QPoint(0, 19) << false;
        QTest::newRow("just outside the body") << QPoint(4, 10) << false;
        QTest::newRow("first body pixel") << QPoint(5, 5) << true;
        QTest::newRow("last body pixel") << QPoint(14, 14) << true;
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

    void leaveAndDragOffShape()
    {
        // Leaving clears the pointer state.
        QTest::mouseMove(m_button, {10, 10});
        QTRY_VERIFY(m_button->isOver());
        QTest::mouseMove(m_host, {90, 90});
        QTRY_VERIFY(!m_button->isOver());
        QVERIFY(!m_button->isHit());
        QSignalSpy clicked(m_button, &SkinButton::clicked);
        QTest::mouseMove(m_button, {10, 10});
        QTest::mousePress(m_button, Qt::LeftButton, {}, {10, 10});
        // Released over a transparent pixel: no click.
        QTest::mouseMove(m_button, {2, 2});
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, {2, 2});
        QVERIFY(!m_button->isPressed());
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(shown(), idleColour);
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
        // Giving up latching releases the button.
        m_button->setLatching(false);
        QVERIFY(!m_button->isDown());
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
        // From the keyboard, the same.
        m_button->setDown(downBefore);
        m_button->setFocusPolicy(Qt::StrongFocus);
        m_button->setFocus();
        QTest::keyClick(m_button, Qt::Key_Space);
        QCOMPARE(m_button->isDown(), downAfter);
        QTest::keyClick(m_button, Qt::Key_Return);
        QCOMPARE(clicked.count(), 3);
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
        setSolidPictures(buttonSize);
        // Marker column 5 of the glyph shows where it landed; its own key,
        // the white bottom-left pixel, lets the button show through.
        m_button->setBitGlyph(solidPicture(glyphSize, glyphColour, Qt::white, 5));
        if (pressed) {
            QTest::mouseMove(m_button, {10, 10});
            QTest::mousePress(m_button, Qt::LeftButton, {}, {10, 10});
        }
        const QPoint marker = topLeft + QPoint(5, 2);
        QCOMPARE(shown(marker), QColor(Qt::black));
        QCOMPARE(shown(marker - QPoint(1, 0)), glyphColour);
        QCOMPARE(shown(marker + QPoint(1, 0)), glyphColour);
        if (topLeft.x() >= 0)
            QCOMPARE(shown(topLeft + QPoint(0, glyphSize.height() - 1)), QColor(Qt::gray));
        if (pressed)
            QTest::mouseRelease(m_button, Qt::LeftButton, {}, {10, 10});
    }
};

QTEST_MAIN(TestSkinButton)
#include "test_skinbutton.moc"
