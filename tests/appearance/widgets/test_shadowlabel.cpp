#include "appearance/widgets/shadowlabel.h"

#include "app/shell.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Records what the label asks the desktop to open, in order with the
// label's signals.
class RecordingShell : public Shell
{
public:
    explicit RecordingShell(QStringList &log)
        : m_log(log)
    {
    }
    bool openWithDefaultHandler(const QString &target) override
    {
        m_log << QStringLiteral("open ") + target;
        return true;
    }
    bool startProgram(const QString &program) override
    {
        m_log << QStringLiteral("start ") + program;
        return true;
    }

private:
    QStringList &m_log;
};

QFont crispFont(int pixelSize)
{
    QFont font;
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Bounding box of the pixels of one colour.
QRect boxOf(const QImage &image, const QColor &colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// Bounding box of everything that is not the background.
QRect inkBox(const QImage &image, const QColor &background)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != background)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// Paints the label on its own, with a known background and text colours.
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
    void autoSizeIncludesShadow_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QSize>("growth");
        QTest::newRow("normal ignores shadow") << int(ShadowLabel::lsNormal)
                                               << int(ShadowLabel::sdDownRight) << 2 << QSize(0, 0);
        QTest::newRow("down-right 2") << int(ShadowLabel::lsShadow) << int(ShadowLabel::sdDownRight)
                                      << 2 << QSize(2, 2);
        QTest::newRow("up-left 3") << int(ShadowLabel::lsShadow) << int(ShadowLabel::sdUpLeft) << 3
                                   << QSize(3, 3);
        QTest::newRow("down-left 5") << int(ShadowLabel::lsShadow) << int(ShadowLabel::sdDownLeft)
                                     << 5 << QSize(5, 5);
        QTest::newRow("up-right 0") << int(ShadowLabel::lsShadow) << int(ShadowLabel::sdUpRight)
                                    << 0 << QSize(0, 0);
    }

    void autoSizeIncludesShadow()
    {
        QFETCH(int, style);
        QFETCH(int, direction);
        QFETCH(int, offset);
        QFETCH(QSize, growth);

        ShadowLabel plain(QStringLiteral("Favorites"));
        ShadowLabel label(QStringLiteral("Favorites"));
        label.setShadowDirection(ShadowLabel::ShadowDirection(direction));
        label.setShadowOffset(offset);
        label.setLabelStyle(ShadowLabel::LabelStyle(style));
        QCOMPARE(label.size(), plain.size() + growth);
        QCOMPARE(label.sizeHint(), label.size());

        // Off, the label keeps whatever size it has.
        label.setAutoSize(false);
        label.resize(7, 7);
        label.setText(QStringLiteral("A much longer caption"));
        QCOMPARE(label.size(), QSize(7, 7));
    }

    void emptyCaptionMeasuresAsSpace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("showAccelChar");
        QTest::addColumn<QString>("measuredLike");
        QTest::newRow("empty") << QString() << true << QStringLiteral(" ");
        QTest::newRow("empty, plain") << QString() << false << QStringLiteral(" ");
        QTest::newRow("lone ampersand") << QStringLiteral("&") << true << QStringLiteral(" ");
        QTest::newRow("ampersand as text") << QStringLiteral("&") << false << QStringLiteral("&");
        QTest::newRow("escaped ampersand") << QStringLiteral("A&&B") << true << QStringLiteral("A&B");
        QTest::newRow("mnemonic") << QStringLiteral("&Go") << true << QStringLiteral("Go");
        QTest::newRow("no mnemonic") << QStringLiteral("&Go") << false << QStringLiteral("&Go");
    }

    void emptyCaptionMeasuresAsSpace()
    {
        QFETCH(QString, text);
        QFETCH(bool, showAccelChar);
        QFETCH(QString, measuredLike);

        ShadowLabel label;
        label.setFont(crispFont(20));
        label.setShowAccelChar(showAccelChar);
        label.setText(text);
        ShadowLabel reference;
        reference.setFont(crispFont(20));
        reference.setShowAccelChar(false);
        reference.setText(measuredLike);
        QCOMPARE(label.size(), reference.size());
        QVERIFY(label.width() > 0);
        QCOMPARE(label.height(), QFontMetrics(crispFont(20)).height());
    }

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

    void wordWrapKeepsWidth()
    {
        ShadowLabel label(QStringLiteral("one two three four five six seven"));
        label.setAutoSize(false);
        label.resize(60, 10);
        label.setWordWrap(true);
        label.setAutoSize(true);
        QVERIFY(label.height() > 2 * label.fontMetrics().height());
        QCOMPARE(label.heightForWidth(60), label.height());
        QVERIFY(label.hasHeightForWidth());
    }

    // The shadow lies where its direction says, and the text and shadow
    // together stay inside the auto-sized label.
    void shadowPainting_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QPoint>("shift");
        QTest::newRow("up-left") << int(ShadowLabel::sdUpLeft) << QPoint(-3, -3);
        QTest::newRow("down-left") << int(ShadowLabel::sdDownLeft) << QPoint(-3, 3);
        QTest::newRow("up-right") << int(ShadowLabel::sdUpRight) << QPoint(3, -3);
        QTest::newRow("down-right") << int(ShadowLabel::sdDownRight) << QPoint(3, 3);
    }

    void shadowPainting()
    {
        QFETCH(int, direction);
        QFETCH(QPoint, shift);
        QCOMPARE(ShadowLabel::shadowDisplacement(ShadowLabel::ShadowDirection(direction), 3), shift);

        ShadowLabel label(QStringLiteral("HIH"));
        label.setFont(crispFont(24));
        label.setLabelStyle(ShadowLabel::lsShadow);
        label.setShadowOffset(3);
        label.setShadowDirection(ShadowLabel::ShadowDirection(direction));
        const QImage image = paintLabel(label);

        const QRect text = boxOf(image, Qt::black);
        QVERIFY(!text.isEmpty());
        QVERIFY(!boxOf(image, Qt::red).isEmpty());
        QCOMPARE(inkBox(image, Qt::white), text | text.translated(shift));
        QVERIFY(image.rect().contains(text | text.translated(shift)));
    }

    void normalStyleHasNoShadow()
    {
        ShadowLabel label(QStringLiteral("HIH"));
        label.setFont(crispFont(24));
        const QImage image = paintLabel(label);
        QVERIFY(!boxOf(image, Qt::black).isEmpty());
        QVERIFY(boxOf(image, Qt::red).isEmpty());
    }

    void disabledIsEmbossed()
    {
        ShadowLabel label(QStringLiteral("HIH"));
        label.setFont(crispFont(24));
        label.setLabelStyle(ShadowLabel::lsShadow);
        QPalette pal = label.palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            pal.setColor(group, QPalette::Light, Qt::green);
            pal.setColor(group, QPalette::Dark, Qt::blue);
        }
        label.setPalette(pal);
        label.setEnabled(false);
        const QImage image = paintLabel(label);
        const QRect dark = boxOf(image, Qt::blue);
        QVERIFY(!dark.isEmpty());
        // Neither the font colour nor the shadow colour while disabled.
        QVERIFY(boxOf(image, Qt::black).isEmpty());
        QVERIFY(boxOf(image, Qt::red).isEmpty());
        QCOMPARE(inkBox(image, Qt::white), dark | dark.translated(1, 1));
    }

    void textLayout_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("style");
        QTest::newRow("top") << int(ShadowLabel::tlTop) << int(ShadowLabel::lsNormal);
        QTest::newRow("centre") << int(ShadowLabel::tlCenter) << int(ShadowLabel::lsNormal);
        QTest::newRow("bottom") << int(ShadowLabel::tlBottom) << int(ShadowLabel::lsNormal);
        QTest::newRow("centre with shadow") << int(ShadowLabel::tlCenter) << int(ShadowLabel::lsShadow);
        QTest::newRow("bottom with shadow") << int(ShadowLabel::tlBottom) << int(ShadowLabel::lsShadow);
    }

    void textLayout()
    {
        QFETCH(int, layout);
        QFETCH(int, style);

        ShadowLabel label(QStringLiteral("HIH"));
        label.setFont(crispFont(20));
        label.setLabelStyle(ShadowLabel::LabelStyle(style));
        const int textHeight = label.height();
        label.setAutoSize(false);
        label.resize(label.width(), 100);

        const QRect atTop = inkBox(paintLabel(label), Qt::white);
        label.setTextLayout(ShadowLabel::TextLayout(layout));
        const QRect placed = inkBox(paintLabel(label), Qt::white);
        int expectedShift = 0;
        if (layout == ShadowLabel::tlCenter)
            expectedShift = (100 - textHeight) / 2;
        else if (layout == ShadowLabel::tlBottom)
            expectedShift = 100 - textHeight;
        QCOMPARE(placed, atTop.translated(0, expectedShift));
    }

    void transparentLeavesBackground()
    {
        QWidget host;
        auto *label = new ShadowLabel(QStringLiteral("HIH"), &host);
        label->setFont(crispFont(20));
        QImage canvas(label->size(), QImage::Format_RGB32);
        canvas.fill(Qt::cyan);
        label->render(&canvas, {}, {}, QWidget::DrawChildren);
        QCOMPARE(canvas.pixelColor(canvas.width() - 1, 0), label->palette().color(QPalette::Window));

        label->setTransparent(true);
        canvas.fill(Qt::cyan);
        label->render(&canvas, {}, {}, QWidget::DrawChildren);
        QCOMPARE(canvas.pixelColor(canvas.width() - 1, 0), QColor(Qt::cyan));
    }

    void clickActions_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QStringList>("expected");
        const QString open = QStringLiteral("open https://example.org/");
        QTest::newRow("none, click") << int(ShadowLabel::acNone) << false
                                     << QStringList{"clicked"};
        QTest::newRow("none, double") << int(ShadowLabel::acNone) << true
                                      << QStringList{"clicked", "doubleClicked"};
        QTest::newRow("click, click") << int(ShadowLabel::acClick) << false
                                      << QStringList{open, "clicked"};
        QTest::newRow("click, double") << int(ShadowLabel::acClick) << true
                                       << QStringList{open, "clicked", "doubleClicked"};
        QTest::newRow("double, click") << int(ShadowLabel::acDblClick) << false
                                       << QStringList{"clicked"};
        QTest::newRow("double, double") << int(ShadowLabel::acDblClick) << true
                                        << QStringList{"clicked", open, "doubleClicked"};
    }

    void clickActions()
    {
        QFETCH(int, action);
        QFETCH(bool, doubleClick);
        QFETCH(QStringList, expected);

        QStringList log;
        RecordingShell shell(log);
        ShadowLabel label(QStringLiteral("Home page"));
        label.setShell(&shell);
        label.setCommand(QStringLiteral("https://example.org/"));
        label.setShowCommand(ShadowLabel::sShowMaximize);
        label.setClickAction(ShadowLabel::ClickAction(action));
        connect(&label, &ShadowLabel::clicked, &label, [&log] { log << QStringLiteral("clicked"); });
        connect(&label, &ShadowLabel::doubleClicked, &label,
                [&log] { log << QStringLiteral("doubleClicked"); });

        const QPoint inside(2, 2);
        QTest::mouseClick(&label, Qt::LeftButton, {}, inside);
        if (doubleClick) {
            QTest::mouseDClick(&label, Qt::LeftButton, {}, inside);
        }
        QCOMPARE(log, expected);
    }

    void clickWithoutShellOrCommand()
    {
        QStringList log;
        RecordingShell shell(log);
        ShadowLabel label(QStringLiteral("Home page"));
        label.setClickAction(ShadowLabel::acClick);
        QSignalSpy clicked(&label, &ShadowLabel::clicked);
        // No shell: only the signal.
        label.setCommand(QStringLiteral("/tmp/file.html"));
        QTest::mouseClick(&label, Qt::LeftButton, {}, {2, 2});
        // A shell but no command: nothing to open.
        label.setShell(&shell);
        label.setCommand(QString());
        QTest::mouseClick(&label, Qt::LeftButton, {}, {2, 2});
        QCOMPARE(clicked.count(), 2);
        QVERIFY(log.isEmpty());
    }

    void releaseOutsideIsNoClick()
    {
        ShadowLabel label(QStringLiteral("Home page"));
        QSignalSpy clicked(&label, &ShadowLabel::clicked);
        QTest::mousePress(&label, Qt::LeftButton, {}, {2, 2});
        QTest::mouseRelease(&label, Qt::LeftButton, {}, {label.width() + 5, 2});
        QCOMPARE(clicked.count(), 0);
    }

    void mnemonicFocusesControl()
    {
        QWidget host;
        auto *label = new ShadowLabel(QStringLiteral("&Address"), &host);
        auto *target = new QWidget(&host);
        target->setFocusPolicy(Qt::StrongFocus);
        target->move(0, 40);
        target->resize(40, 20);
        auto *elsewhere = new QWidget(&host);
        elsewhere->setFocusPolicy(Qt::StrongFocus);
        elsewhere->move(0, 70);
        label->setFocusControl(target);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        host.activateWindow();
        QTRY_VERIFY(host.isActiveWindow());
        elsewhere->setFocus();
        QTRY_VERIFY(elsewhere->hasFocus());
        QTest::keyClick(&host, Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(target->hasFocus());
    }
};

QTEST_MAIN(TestShadowLabel)
#include "test_shadowlabel.moc"
