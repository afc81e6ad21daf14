#include "appearance/widgets/dropdowncombobox.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMouseEvent>

DropDownComboBox::DropDownComboBox(QWidget *parent) : QComboBox(parent)
{
    // Long addresses keep their start and their end.
    view()->setTextElideMode(Qt::ElideMiddle);
}

void DropDownComboBox::showPopup()
{
    emit aboutToShowPopup();
    view()->setMinimumWidth(qMax(m_popupWidth, width()));
    QComboBox::showPopup();
    // Qt widens the list to its longest entry: a long address would make it
    // as wide as the screen. It stays within the window.
    QWidget *popup = view()->window();
    QWidget *frame = window();
    if (popup == frame)
        return;
    const QRect bounds(frame->mapToGlobal(QPoint(0, 0)), frame->size());
    const int width = qMin(popup->width(), bounds.width());
    const int left = qMax(bounds.left(), qMin(popup->x(), bounds.right() + 1 - width));
    popup->setGeometry(left, popup->y(), width, popup->height());
}

void DropDownComboBox::setBevel(int bevel)
{
    m_bevel = bevel;
    switch (bevel) {
    case 0:
        setFrame(false);
        setStyleSheet(QString());
        break;
    case 2:
        // A thin, rounded edge in the palette's own mid colour.
        setFrame(true);
        setStyleSheet(QStringLiteral("QComboBox { border: 1px solid palette(mid); border-radius: 4px;"
                                     " background: palette(base); color: palette(text); padding-left: 3px; }"));
        break;
    default:
        setFrame(true);
        setStyleSheet(QString());
        break;
    }
}

bool DropDownComboBox::eventFilter(QObject *watched, QEvent *event)
{
    // An editable box's text field takes the double-click itself.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonDblClick)
        emit doubleClicked(static_cast<QMouseEvent *>(event)->modifiers());
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit enterPressed();
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void DropDownComboBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit doubleClicked(event->modifiers());
    QComboBox::mouseDoubleClickEvent(event);
}

void DropDownComboBox::keyPressEvent(QKeyEvent *event)
{
    if (isEditable() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        emit enterPressed();
        return;
    }
    QComboBox::keyPressEvent(event);
}
