#pragma once

#include <QFrame>
#include <QPointer>

class QCheckBox;
class QEventLoop;
class QLabel;
class QLineEdit;
class QPushButton;

// A page's alert, confirm or prompt box, shown over its own pane only: the
// rest of the window and the other panes go on while it waits. It lies over
// the page's view (a dimmed backdrop with the box in its middle) and follows
// its size. From the second box a page shows in a short time, it offers to
// keep the page from showing more.
class PageDialog : public QFrame
{
    Q_OBJECT
public:
    enum class Kind { Alert, Confirm, Prompt };

    PageDialog(Kind kind, const QString &title, const QString &text, const QString &value, bool offerToStop,
               QWidget *view);
    ~PageDialog() override;

    // Shows the box and waits, processing events, until it is answered or
    // closed; true for OK. The box may be freed by the time this returns
    // (its view went away): read the answer through a QPointer.
    bool run();
    QString value() const;
    // The user asked that the page show no more boxes.
    bool stopMore() const;

public slots:
    void accept();
    void reject();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void finish(bool accepted);
    void fitView();

    QPointer<QWidget> m_view;
    QFrame *m_box;
    QLabel *m_title;
    QLabel *m_text;
    QLineEdit *m_edit = nullptr;
    QCheckBox *m_stop = nullptr;
    QPushButton *m_ok;
    QPushButton *m_cancel = nullptr;
    QEventLoop *m_loop = nullptr; // on run()'s stack: safe if the box goes first
    bool m_accepted = false;
    bool m_done = false;
};
