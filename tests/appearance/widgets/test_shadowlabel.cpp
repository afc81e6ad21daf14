#include "appearance/widgets/shadowlabel.h"

#include "support/recordingshell.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Bounding box of the pixels of one colour, or (same == false) of all others.
QRect boxOf(const QImage &image, const QColor &colour, bool same = true)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixelColor(x, y) == colour) == same)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Paints the label on white, its text black and its shadow red.
QImage paintLabel(ShadowLabel &label)
{
    QPalette pal = label.palette();
    pal.setColor(QPalette::Window, Qt::white);
    label.setPalette(pal);
    label.setFontColor(Qt::black);
    label.setShadowColor(Qt::red);
    return label.grab().toImage();
}

} // namespace

class TestShadowLabel : public QObject
{
    Q_OBJECT

private slots:
    void rightAlignedKeepsRightEdge()
    {
        QWidget host;
        auto *label = new ShadowLabel(QStringLiteral("Go"), &host);
        label->setAlignment(Qt::AlignRight);
        label->move(100, 10);
        const int right = label->geometry().right();
        label->setText(QStringLiteral("Go somewhere else"));
        QCOMPARE(label->geometry().right(), right);
        QVERIFY(label->x() < 100);
    }

    // The shadow lies where its direction says, and the auto-sized label
    // grows by the offset to hold text and shadow together.
    void shadowPainting_data()
    {
        QTest::addColumn<ShadowLabel::LabelStyle>("style");
        QTest::addColumn<ShadowLabel::ShadowDirection>("direction");
        QTest::addColumn<QPoint>("shift");
        QTest::newRow("no shadow") << ShadowLabel::lsNormal << ShadowLabel::sdUpLeft << QPoint();
        QTest::newRow("up-left") << ShadowLabel::lsShadow << ShadowLabel::sdUpLeft << QPoint(-3, -3);
        QTest::newRow("down-right") << ShadowLabel::lsShadow << ShadowLabel::sdDownRight << QPoint(3, 3);
    }

    void shadowPainting()
    {
        QFETCH(ShadowLabel::LabelStyle, style);
        QFETCH(ShadowLabel::ShadowDirection, direction);
        QFETCH(QPoint, shift);
        ShadowLabel label(QStringLiteral("HIH"));
        QFont font;
        font.setPixelSize(24);
        font.setStyleStrategy(QFont::NoAntialias);
        label.setFont(font);
        const QSize plain = label.size();
        label.setLabelStyle(style);
        label.setShadowOffset(3);
        label.setShadowDirection(direction);
        const QImage image = paintLabel(label);
        const QRect text = boxOf(image, Qt::black);
        QVERIFY(!text.isEmpty());
        QCOMPARE(boxOf(image, Qt::red).isEmpty(), shift.isNull());
        QCOMPARE(boxOf(image, Qt::white, false), text | text.translated(shift));
        QCOMPARE(label.size(), plain + QSize(qAbs(shift.x()), qAbs(shift.y())));
    }

    void transparentLeavesBackground()
    {
        ShadowLabel label(QStringLiteral("HIH"));
        QImage canvas(label.size(), QImage::Format_RGB32);
        for (const bool transparent : {false, true}) {
            label.setTransparent(transparent);
            canvas.fill(Qt::cyan);
            label.render(&canvas, {}, {}, QWidget::DrawChildren);
            QCOMPARE(canvas.pixelColor(canvas.width() - 1, 0),
                     transparent ? QColor(Qt::cyan) : label.palette().color(QPalette::Window));
        }
    }

    void clickActions_data()
    {
        QTest::addColumn<ShadowLabel::ClickAction>("action");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<int>("opened");
        QTest::newRow("none, double") << ShadowLabel::acNone << true << 0;
        QTest::newRow("click, click") << ShadowLabel::acClick << false << 1;
        QTest::newRow("double, click") << ShadowLabel::acDblClick << false << 0;
        QTest::newRow("double, double") << ShadowLabel::acDblClick << true << 1;
    }

    void clickActions()
    {
        QFETCH(ShadowLabel::ClickAction, action);
        QFETCH(bool, doubleClick);
        QFETCH(int, opened);
        RecordingShell shell;
        ShadowLabel label(QStringLiteral("Home page"));
        label.setShell(&shell);
        label.setCommand(QStringLiteral("https://example.org/"));
        label.setClickAction(action);
        QSignalSpy clicked(&label, &ShadowLabel::clicked);
        QSignalSpy doubleClicked(&label, &ShadowLabel::doubleClicked);
        QTest::mouseClick(&label, Qt::LeftButton, {}, {2, 2});
        if (doubleClick)
            QTest::mouseDClick(&label, Qt::LeftButton, {}, {2, 2});
        QCOMPARE(shell.opened, QStringList(opened, QStringLiteral("https://example.org/")));
        QVERIFY(shell.started.isEmpty());
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(doubleClicked.count(), doubleClick ? 1 : 0);
    }

};

QTEST_MAIN(TestShadowLabel)
#include "test_shadowlabel.moc"
