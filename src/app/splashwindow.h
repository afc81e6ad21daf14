#pragma once

#include <QWidget>

class QProgressBar;

// The splash window shown while the main window is made (SL): a coloured
// strip with the program icon, the name, the version and a progress bar
// that steps before each start-up step.
class SplashWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SplashWindow(const QImage &icon = {}, QWidget *parent = nullptr);

    // Advances the progress bar by one step (10) and repaints at once.
    void stepIt();
    int progress() const;

private:
    QProgressBar *m_puSplash;
};
