#include "options/internetoptionsdialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

InternetOptionsDialog::InternetOptionsDialog(QWebEngineProfile *profile, QWidget *parent)
    : QDialog(parent), m_profile(profile)
{
    setObjectName(QStringLiteral("dlgInternetOptions"));
    setWindowTitle(QStringLiteral("Internet Options"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Pages kept for faster loading:")), 0, 0);
    btnClearCache = new QPushButton(QStringLiteral("Clear cache"));
    btnClearCache->setObjectName(QStringLiteral("btnClearCache"));
    btnClearCache->setToolTip(QStringLiteral("Delete the pages kept by the browsers."));
    grid->addWidget(btnClearCache, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Cookies left by web sites:")), 1, 0);
    btnDeleteCookies = new QPushButton(QStringLiteral("Delete cookies"));
    btnDeleteCookies->setObjectName(QStringLiteral("btnDeleteCookies"));
    btnDeleteCookies->setToolTip(QStringLiteral("Delete every cookie of the browsers."));
    grid->addWidget(btnDeleteCookies, 1, 1);
    laInternetStatus = new QLabel;
    laInternetStatus->setObjectName(QStringLiteral("laInternetStatus"));
    grid->addWidget(laInternetStatus, 2, 0, 1, 2);
    btnCloseInternetOptions = new QPushButton(QStringLiteral("Close"));
    btnCloseInternetOptions->setObjectName(QStringLiteral("btnCloseInternetOptions"));
    grid->addWidget(btnCloseInternetOptions, 3, 1);
    connect(btnClearCache, &QPushButton::clicked, this, &InternetOptionsDialog::clearCache);
    connect(btnDeleteCookies, &QPushButton::clicked, this, &InternetOptionsDialog::deleteCookies);
    connect(btnCloseInternetOptions, &QPushButton::clicked, this, &QDialog::accept);
}

void InternetOptionsDialog::clearCache()
{
    m_profile->clearHttpCache();
    laInternetStatus->setText(QStringLiteral("The cache was cleared."));
}

void InternetOptionsDialog::deleteCookies()
{
    m_profile->cookieStore()->deleteAllCookies();
    laInternetStatus->setText(QStringLiteral("The cookies were deleted."));
}
