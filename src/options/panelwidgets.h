#pragma once

// Makers for the controls the options and grid tools panels place at fixed
// positions, each named so that tests and commands can find it.

#include <QColor>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QString>

namespace PanelWidgets {

inline QLabel *label(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    return l;
}

inline QPushButton *button(QWidget *parent, const char *name, const QString &text, const QString &hint,
                           QRect geometry)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setGeometry(geometry);
    return b;
}

// A small framed sample of a colour, for the colour lists.
inline QPixmap swatch(const QColor &colour)
{
    QPixmap pixmap(14, 10);
    pixmap.fill(colour);
    QPainter(&pixmap).drawRect(0, 0, 13, 9);
    return pixmap;
}

} // namespace PanelWidgets
