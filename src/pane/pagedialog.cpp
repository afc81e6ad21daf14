#include "pane/pagedialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

PageDialog::PageDialog(Kind kind, const QString &title, const QString &text, const QString &value,
                       bool offerToStop, QWidget *view)
    : QFrame(view), m_view(view), m_box(new QFrame(this)), m_title(new QLabel(title, m_box)),
      m_text(new QLabel(text, m_box)), m_ok(new QPushButton(QStringLiteral("OK"), m_box))
{
    setObjectName(kind == Kind::Alert     ? QStringLiteral("ScriptAlert")
                  : kind == Kind::Confirm ? QStringLiteral("ScriptConfirm")
                                          : QStringLiteral("ScriptPrompt"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    m_box->setObjectName(QStringLiteral("pageDialogBox"));
    m_box->setFrameShape(QFrame::StyledPanel);
    m_box->setAutoFillBackground(true);
    m_box->setBackgroundRole(QPalette::Window);

    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setTextFormat(Qt::PlainText);
    // The page's words as they stand: never read as markup or links.
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setObjectName(QStringLiteral("pageDialogText"));
    // A long text scrolls inside the box instead of growing it past the pane.
    auto *scroll = new QScrollArea(m_box);
    scroll->setWidget(m_text);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setMaximumHeight(160);

    auto *layout = new QVBoxLayout(m_box);
    layout->addWidget(m_title);
    layout->addWidget(scroll);
    if (kind == Kind::Prompt) {
        m_edit = new QLineEdit(value, m_box);
        m_edit->setObjectName(QStringLiteral("pageDialogValue"));
        layout->addWidget(m_edit);
    }
    if (offerToStop) {
        m_stop = new QCheckBox(QStringLiteral("Keep this page from showing more boxes"), m_box);
        m_stop->setObjectName(QStringLiteral("pageDialogStop"));
        layout->addWidget(m_stop);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok->setObjectName(QStringLiteral("pageDialogOk"));
    m_ok->setDefault(true);
    buttons->addWidget(m_ok);
    connect(m_ok, &QPushButton::clicked, this, &PageDialog::accept);
    if (kind != Kind::Alert) {
        m_cancel = new QPushButton(QStringLiteral("Cancel"), m_box);
        m_cancel->setObjectName(QStringLiteral("pageDialogCancel"));
        buttons->addWidget(m_cancel);
        connect(m_cancel, &QPushButton::clicked, this, &PageDialog::reject);
    }
    layout->addLayout(buttons);

    view->installEventFilter(this);
    fitView();
}

PageDialog::~PageDialog()
{
    if (m_loop)
        m_loop->quit();
}

bool PageDialog::run()
{
    show();
    raise();
    // The box takes the keys only when the user was in this page already: a
    // box of a pane in the background does not pull the typing away from
    // where the user is.
    QWidget *focus = QApplication::focusWidget();
    if (focus && m_view && (focus == m_view || m_view->isAncestorOf(focus)))
        (m_edit ? static_cast<QWidget *>(m_edit) : m_ok)->setFocus(Qt::OtherFocusReason);
    if (m_done)
        return m_accepted;
    QEventLoop loop;
    m_loop = &loop;
    const QPointer<PageDialog> self(this);
    loop.exec();
    if (!self)
        return false;
    m_loop = nullptr;
    return m_accepted;
}

QString PageDialog::value() const
{
    return m_edit ? m_edit->text() : QString();
}

bool PageDialog::stopMore() const
{
    return m_stop && m_stop->isChecked();
}

void PageDialog::accept()
{
    finish(true);
}

void PageDialog::reject()
{
    finish(false);
}

void PageDialog::finish(bool accepted)
{
    if (m_done)
        return;
    m_done = true;
    m_accepted = accepted;
    hide();
    if (m_loop)
        m_loop->quit();
}

bool PageDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded))
        QMetaObject::invokeMethod(this, &PageDialog::fitView, Qt::QueuedConnection);
    return QFrame::eventFilter(watched, event);
}

void PageDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return;
    case Qt::Key_Escape:
        // An alert has nothing to cancel: Esc closes it as seen.
        m_cancel ? reject() : accept();
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

void PageDialog::paintEvent(QPaintEvent *)
{
    // The page under the box is dimmed: it waits for the answer.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 90));
}

void PageDialog::fitView()
{
    if (!m_view)
        return;
    setGeometry(m_view->rect());
    const int width = qBound(160, m_view->width() - 24, 420);
    m_box->setFixedWidth(width);
    m_box->adjustSize();
    const int height = qMin(m_box->sizeHint().height(), qMax(60, m_view->height() - 16));
    m_box->setGeometry((m_view->width() - width) / 2, qMax(8, (m_view->height() - height) / 3), width, height);
    raise();
}
