#pragma once

#include <QFrame>

// The about panel (pnAbout): the program's name and version, and a close
// button.
class AboutPanel : public QFrame
{
    Q_OBJECT
public:
    explicit AboutPanel(const QImage &icon, QWidget *parent = nullptr);

signals:
    void closeRequested();
};
