#include "app/aboutpanel.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutPanel::AboutPanel(const QImage &icon, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pnAbout"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    resize(320, 190);

    auto *layout = new QVBoxLayout(this);
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imAboutIcon"));
    picture->setPixmap(QPixmap::fromImage(icon));
    picture->setAlignment(Qt::AlignCenter);
    auto *name = new QLabel(QStringLiteral("Vorlan"), this);
    name->setObjectName(QStringLiteral("laAboutName"));
    QFont big = name->font();
    big.setPointSize(20);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    auto *version = new QLabel(QStringLiteral("Version 4.0.9"), this);
    version->setObjectName(QStringLiteral("laAboutVersion"));
    version->setAlignment(Qt::AlignCenter);
    auto *blurb = new QLabel(QStringLiteral("Many live web pages at once."), this);
    blurb->setAlignment(Qt::AlignCenter);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("btnAboutClose"));
    connect(close, &QPushButton::clicked, this, &AboutPanel::closeRequested);

    layout->addWidget(picture);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(blurb);
    layout->addWidget(close, 0, Qt::AlignCenter);
}
