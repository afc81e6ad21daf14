#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QWebEngineProfile;

// The program's own internet options: the pages' cache and cookies, which
// the embedded browsers share through one profile, cleared on request.
class InternetOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    InternetOptionsDialog(QWebEngineProfile *profile, QWidget *parent = nullptr);

    void clearCache();
    void deleteCookies();

    QPushButton *btnClearCache, *btnDeleteCookies, *btnCloseInternetOptions;
    QLabel *laInternetStatus;

private:
    QWebEngineProfile *m_profile;
};
