#include "navgrid/navhintpanel.h"

#include "navgrid/navgridplacement.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QGridLayout>

NavHintPanel::NavHintPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pnNavHint"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    resize(NavGridPlacement::HintResetSize);

    spNavHint = new QSplitter(Qt::Vertical, this);
    spNavHint->setObjectName(QStringLiteral("spNavHint"));
    spNavHint->setChildrenCollapsible(false);
    spNavHint->setHandleWidth(2);

    pnServerBack = new QWidget(spNavHint);
    pnServerBack->setObjectName(QStringLiteral("pnServerBack"));
    pnServerBack->setAutoFillBackground(true);
    pnServerBack->setFixedHeight(18);
    laNavServer = new QLabel(pnServerBack);
    laNavServer->setObjectName(QStringLiteral("laNavServer"));
    laNavServer->setGeometry(4, 1, 400, 16);

    pnHintBack = new QWidget(spNavHint);
    pnHintBack->setObjectName(QStringLiteral("pnHintBack"));
    imNavHint = new QLabel(pnHintBack);
    imNavHint->setObjectName(QStringLiteral("imNavHint"));
    imNavHint->setAlignment(Qt::AlignCenter);
    mmNavURL = new QPlainTextEdit(pnHintBack);
    mmNavURL->setObjectName(QStringLiteral("mmNavURL"));
    mmNavURL->setReadOnly(true);
    mmNavURL->hide();
    laResizeHint = new QLabel(QStringLiteral("Double click to reset size."), pnHintBack);
    laResizeHint->setObjectName(QStringLiteral("laResizeHint"));
    laResizeHint->setToolTip(QStringLiteral("Double click to reset to default size."));
    laResizeHint->setAlignment(Qt::AlignCenter);
    laResizeHint->hide();
    spNavHint->addWidget(pnServerBack);
    spNavHint->addWidget(pnHintBack);

    imResizeHint = new QLabel(this);
    imResizeHint->setObjectName(QStringLiteral("imResizeHint"));
    imResizeHint->setFixedSize(20, 20);
    imResizeHint->setCursor(Qt::SizeFDiagCursor);
    imResizeHint->setToolTip(QStringLiteral("Resize the hint panel."));
    imResizeHint->hide();

    // The picture, the address and the resize note take the same place.
    auto *stack = new QGridLayout(pnHintBack);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(imNavHint, 0, 0);
    stack->addWidget(mmNavURL, 0, 0);
    stack->addWidget(laResizeHint, 0, 0);

    for (QWidget *w : {static_cast<QWidget *>(imResizeHint), static_cast<QWidget *>(laResizeHint)})
        w->installEventFilter(this);
    // Moving over the hint's own parts hides it (the owner watches these).
    for (QWidget *w : {pnHintBack, static_cast<QWidget *>(mmNavURL), static_cast<QWidget *>(spNavHint),
                       static_cast<QWidget *>(imNavHint), static_cast<QWidget *>(laNavServer)})
        w->setMouseTracking(true);
    mmNavURL->viewport()->setMouseTracking(true);
}

void NavHintPanel::setAddressMode(bool addressMode)
{
    m_addressMode = addressMode;
    showParts();
}

void NavHintPanel::setResizeMode(bool resizeMode)
{
    m_resizeMode = resizeMode;
    m_gripDragging = false;
    showParts();
}

void NavHintPanel::showParts()
{
    laResizeHint->setVisible(m_resizeMode);
    imResizeHint->setVisible(m_resizeMode);
    laNavServer->setVisible(!m_resizeMode);
    imNavHint->setVisible(!m_resizeMode && !m_addressMode);
    mmNavURL->setVisible(!m_resizeMode && m_addressMode);
    imResizeHint->raise();
}

void NavHintPanel::setCaption(const QString &text)
{
    laNavServer->setText(text);
}

void NavHintPanel::setAddress(const QString &address)
{
    if (mmNavURL->toPlainText() != address)
        mmNavURL->setPlainText(address);
}

void NavHintPanel::setPicture(const QImage &picture, bool opaque)
{
    imNavHint->setAutoFillBackground(opaque);
    imNavHint->setPixmap(QPixmap::fromImage(picture));
}

void NavHintPanel::clearPicture()
{
    imNavHint->clear();
}

QSize NavHintPanel::pictureArea() const
{
    // Known before the hint is first shown: inside the frame, below the
    // caption and the splitter's handle.
    return {qMax(0, width() - 2), qMax(0, height() - 2 - pnServerBack->height() - spNavHint->handleWidth())};
}

void NavHintPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    spNavHint->setGeometry(1, 1, width() - 2, height() - 2);
    spNavHint->setSizes({pnServerBack->height(), pictureArea().height()});
    imResizeHint->move(width() - imResizeHint->width() - 1, height() - imResizeHint->height() - 1);
}

bool NavHintPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == laResizeHint && event->type() == QEvent::MouseButtonDblClick) {
        resize(NavGridPlacement::HintResetSize);
        emit sizeSettled(size());
        return true;
    }
    if (watched != imResizeHint)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_gripDragging = mouse->button() == Qt::LeftButton;
        m_gripStart = mouse->globalPosition().toPoint();
        m_sizeAtPress = size();
        return true;
    case QEvent::MouseMove:
        if (!m_resizeMode) {
            hide();
            return true;
        }
        if (m_gripDragging) {
            // The size at the press plus how far the pointer went: the grip
            // moving with the panel does not count twice.
            const QPoint moved = mouse->globalPosition().toPoint() - m_gripStart;
            resize(NavGridPlacement::clampHintSize(m_sizeAtPress + QSize(moved.x(), moved.y())));
            emit sizeDragged(size());
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (m_gripDragging) {
            m_gripDragging = false;
            resize(NavGridPlacement::clampHintSize(size()));
            emit sizeSettled(size());
        }
        return true;
    default:
        return false;
    }
}
