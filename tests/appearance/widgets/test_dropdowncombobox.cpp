#include "appearance/widgets/dropdowncombobox.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

// The combo box of the address bar and the select list.
class TestDropDownComboBox : public QObject
{
    Q_OBJECT

    struct Run
    {
        QWidget window;
        DropDownComboBox *box = new DropDownComboBox(&window);

        explicit Run(bool editable = false)
        {
            window.resize(600, 200);
            box->setGeometry(394, 34, 150, 24);
            box->setEditable(editable);
            if (editable)
                box->lineEdit()->installEventFilter(box);
            window.show();
        }
        QWidget *popup() const { return box->view()->window(); }
        QRect windowBounds() const { return QRect(window.mapToGlobal(QPoint(0, 0)), window.size()); }
    };

private slots:
    void listIsFilledJustBeforeItDropsDown()
    {
        Run run;
        connect(run.box, &DropDownComboBox::aboutToShowPopup, run.box, [&run] {
            QVERIFY(!run.popup()->isVisible());
            run.box->addItem(QStringLiteral("0 \u2022 http://a.test/"));
        });
        run.box->setPopupWidth(180);
        run.box->showPopup();
        QVERIFY(run.popup()->isVisible());
        QCOMPARE(run.box->count(), 1);
        QVERIFY(run.box->view()->width() >= 180);
        run.box->hidePopup();
    }

    void longEntriesStayInsideTheWindow_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("short") << 10;
        QTest::newRow("wider than the window") << 300;
        QTest::newRow("ten thousand characters") << 10000;
    }
    void longEntriesStayInsideTheWindow()
    {
        QFETCH(int, length);
        Run run;
        const QString address = QStringLiteral("3 \u2022 http://a.test/") + QString(length, QLatin1Char('x')) + "end";
        run.box->addItem(address);
        run.box->showPopup();
        const QRect popup = run.popup()->geometry();
        const QRect window = run.windowBounds();
        QVERIFY2(popup.width() <= window.width(), qPrintable(QString::number(popup.width())));
        QVERIFY(popup.left() >= window.left() && popup.right() <= window.right());
        QVERIFY(popup.width() >= run.box->width());
        // Long ones show their start and their end.
        QCOMPARE(run.box->view()->textElideMode(), Qt::ElideMiddle);
        run.box->hidePopup();
    }

    void enterIsReportedOnce_data()
    {
        QTest::addColumn<bool>("onTheField");
        QTest::newRow("the box focused") << false;
        QTest::newRow("its text field focused") << true;
    }
    void enterIsReportedOnce()
    {
        QFETCH(bool, onTheField);
        Run run(true);
        QSignalSpy enter(run.box, &DropDownComboBox::enterPressed);
        QTest::keyClick(onTheField ? static_cast<QWidget *>(run.box->lineEdit()) : run.box, Qt::Key_Return);
        QTest::keyClick(onTheField ? static_cast<QWidget *>(run.box->lineEdit()) : run.box, Qt::Key_Enter);
        QCOMPARE(enter.count(), 2);
    }
};

QTEST_MAIN(TestDropDownComboBox)
#include "test_dropdowncombobox.moc"
