#include "options/profilebox.h"

#include <QKeyEvent>
#include <QLineEdit>

ProfileBox::ProfileBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Nothing completes a typed name into the name of another profile.
    setCompleter(nullptr);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!m_fromText && index >= 0)
            emit picked(itemText(index));
    });
}

void ProfileBox::keyPressEvent(QKeyEvent *event)
{
    // The box hands its keys to its text field directly, so Enter is taken
    // here: it never picks the entry that has the typed name.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void ProfileBox::focusOutEvent(QFocusEvent *event)
{
    // Leaving the box ends the editing of its text, and QComboBox then makes
    // the entry with that text current and reports it activated.
    m_fromText = true;
    QComboBox::focusOutEvent(event);
    m_fromText = false;
}
