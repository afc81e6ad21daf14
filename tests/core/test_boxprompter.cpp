#include "core/boxprompter.h"
#include "core/runtimeflags.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real message boxes, answered by a timer while they are open.
class TestBoxPrompter : public QObject
{
    Q_OBJECT

    static QMessageBox *openBox()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
                return box;
        return nullptr;
    }
    // Runs check on the open box as soon as there is one.
    static void whenBoxOpens(const std::function<void(QMessageBox *)> &check)
    {
        auto *poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, check] {
            if (QMessageBox *box = openBox()) {
                poll->stop();
                poll->deleteLater();
                check(box);
            }
        });
        poll->start(5);
    }

private slots:
    void confirmationSuspendsAndAnswers_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }
    void confirmationSuspendsAndAnswers()
    {
        QFETCH(bool, ok);
        RuntimeFlags flags;
        BoxPrompter prompter(flags);
        bool suspendedWhileOpen = false;
        QString text;
        bool onTop = false;
        whenBoxOpens([&](QMessageBox *box) {
            suspendedWhileOpen = flags.backgroundSuspended();
            text = box->text();
            onTop = box->windowFlags() & Qt::WindowStaysOnTopHint;
            box->button(ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        });
        QCOMPARE(prompter.askConfirmation(QStringLiteral("Delete the active browser?")), ok);
        QVERIFY(suspendedWhileOpen);
        QVERIFY(onTop);
        QCOMPARE(text, QStringLiteral("Delete the active browser?"));
        QVERIFY(!flags.suspendScanner && !flags.suspendQueue && !flags.suspendController);
    }

    // A question with a tick box under it, answered with the mouse as a
    // user does: the box starts unticked, and what it says when Yes or No
    // is clicked comes back with the answer.
    void rememberableQuestion_data()
    {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes, ticked") << true << true;
        QTest::newRow("no, ticked") << true << false;
        QTest::newRow("yes, unticked") << false << true;
        QTest::newRow("no, unticked") << false << false;
    }
    void rememberableQuestion()
    {
        QFETCH(bool, tick);
        QFETCH(bool, yes);
        RuntimeFlags flags;
        BoxPrompter prompter(flags);
        bool suspendedWhileOpen = false;
        bool tickedAtFirst = true;
        bool noIsDefault = false;
        QString text, tickText;
        whenBoxOpens([&](QMessageBox *box) {
            suspendedWhileOpen = flags.backgroundSuspended();
            text = box->text();
            noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
            QCheckBox *remember = box->findChild<QCheckBox *>();
            if (!remember) {
                box->done(0);
                return;
            }
            tickText = remember->text();
            tickedAtFirst = remember->isChecked();
            if (tick)
                QTest::mouseClick(remember, Qt::LeftButton, {}, QPoint(8, remember->height() / 2));
            QTest::mouseClick(box->button(yes ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
        });
        bool remembered = !tick;
        QCOMPARE(prompter.askRememberable("a.example wants to use your camera. Allow?",
                                          "Remember this answer for a.example", &remembered),
                 yes);
        QCOMPARE(tickText, QStringLiteral("Remember this answer for a.example"));
        QCOMPARE(text, QStringLiteral("a.example wants to use your camera. Allow?"));
        QVERIFY(!tickedAtFirst);
        QCOMPARE(remembered, tick);
        QVERIFY(noIsDefault);
        QVERIFY(suspendedWhileOpen);
        QVERIFY(!flags.suspendScanner && !flags.suspendQueue && !flags.suspendController);
        QVERIFY(!openBox());
    }

    void aNewBoxClosesTheOpenOne()
    {
        RuntimeFlags flags;
        BoxPrompter prompter(flags);
        QStringList seen;
        whenBoxOpens([&](QMessageBox *first) {
            seen << first->text();
            // While the first is open, something else shows a message.
            whenBoxOpens([&](QMessageBox *second) {
                seen << second->text();
                second->button(QMessageBox::Ok)->click();
            });
            prompter.showInformation(QStringLiteral("second"));
        });
        prompter.showInformation(QStringLiteral("first"));
        QCOMPARE(seen, QStringList({"first", "second"}));
        QVERIFY(!openBox());
    }

    // The sign-in box: typed into as a user does (the user name has the
    // focus, Tab goes to the password), hidden password, OK or Cancel.
    void signIn_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("answered");
        QTest::newRow("ok") << "ann" << true << true;
        QTest::newRow("cancel") << "ann" << false << false;
        QTest::newRow("no user name") << "" << true << false;
    }
    void signIn()
    {
        QFETCH(QString, user);
        QFETCH(bool, ok);
        QFETCH(bool, answered);
        RuntimeFlags flags;
        BoxPrompter prompter(flags);
        bool suspendedWhileOpen = false;
        bool hidden = false;
        QString question;
        auto *poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
            QDialog *dialog = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == "SignIn" && w->isVisible())
                    dialog = qobject_cast<QDialog *>(w);
            if (!dialog || !QApplication::focusWidget())
                return;
            poll->stop();
            poll->deleteLater();
            suspendedWhileOpen = flags.backgroundSuspended();
            hidden = dialog->findChild<QLineEdit *>("Password")->echoMode() == QLineEdit::Password;
            question = dialog->findChild<QLabel *>()->text();
            QTest::keyClicks(QApplication::focusWidget(), user);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), "s3cret word");
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        poll->start(5);
        QString givenUser = "unchanged", givenPassword = "unchanged";
        QCOMPARE(prompter.askCredentials("example.org", "Club", &givenUser, &givenPassword), answered);
        QVERIFY(suspendedWhileOpen);
        QVERIFY(hidden);
        QCOMPARE(question, Prompter::credentialsQuestion("example.org", "Club"));
        QCOMPARE(givenUser, answered ? user : QString("unchanged"));
        QCOMPARE(givenPassword, answered ? QString("s3cret word") : QString("unchanged"));
    }
};

QTEST_MAIN(TestBoxPrompter)
#include "test_boxprompter.moc"
