#include "app/splashwindow.h"

#include "appearance/widgets/shadowlabel.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

SplashWindow::SplashWindow(const QImage &icon, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SL"));
    setFixedSize(302, 167);
    QFont font(QStringLiteral("Lucida Sans Unicode"));
    setFont(font);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnSplash"));
    panel->setGeometry(rect());
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, QColor(0xC8, 0xD0, 0xD4));
    panel->setPalette(p);

    auto *strip = new QWidget(panel);
    strip->setObjectName(QStringLiteral("pnSplashStrip"));
    strip->setGeometry(0, 0, 44, height());
    strip->setAutoFillBackground(true);
    QPalette sp = strip->palette();
    sp.setColor(QPalette::Window, QColor(0x4F, 0x4F, 0x4F));
    strip->setPalette(sp);

    auto *image = new QLabel(strip);
    image->setObjectName(QStringLiteral("imSplashIcon"));
    image->setGeometry(6, 8, 32, 32);
    if (!icon.isNull())
        image->setPixmap(QPixmap::fromImage(icon.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation)));

    auto *name = new ShadowLabel(panel);
    name->setObjectName(QStringLiteral("laSplashName"));
    QFont big = font;
    big.setPixelSize(40);
    big.setBold(true);
    name->setFont(big);
    name->setLabelStyle(ShadowLabel::lsShadow);
    name->setShadowOffset(2);
    name->setTransparent(true);
    name->setText(QStringLiteral("Vorlan"));
    name->move(60, 28);

    auto *version = new QLabel(QStringLiteral("Version 4.0.9"), panel);
    version->setObjectName(QStringLiteral("laSplashVersion"));
    version->move(64, 90);

    m_puSplash = new QProgressBar(panel);
    m_puSplash->setObjectName(QStringLiteral("puSplash"));
    m_puSplash->setGeometry(56, 140, 236, 12);
    m_puSplash->setRange(0, 100);
    m_puSplash->setValue(0);
    m_puSplash->setTextVisible(false);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void SplashWindow::stepIt()
{
    m_puSplash->setValue(qMin(100, m_puSplash->value() + 10));
    repaint();
}

int SplashWindow::progress() const
{
    return m_puSplash->value();
}
