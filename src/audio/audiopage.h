#pragma once

#include <QPalette>
#include <QPointer>
#include <QWidget>

class AudioPlayer;
class QComboBox;
class QCompleter;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

// The "Audio" page of the grid tools panel: the genre list with its create,
// save and delete buttons, the play list, the status line and progress of
// the song playing, and the stop and volume buttons. It shows what the
// player holds and hands the user's input to it.
class AudioPage : public QWidget
{
    Q_OBJECT
public:
    explicit AudioPage(AudioPlayer &player, QWidget *parent = nullptr);

    // The panel's page control chose this page: the genre lists are read
    // afresh (with the message when they cannot be). True when read.
    bool pageSelected();

private:
    void fillGenres();
    void showGenreText(const QString &text);
    void fillPlayList();
    void showSong(int index);
    void showProgress(int position, int maximum);
    void showUnsaved(bool unsaved);
    QPushButton *commandButton(const char *name, QWidget *parent);

    AudioPlayer &m_player;
    QComboBox *m_cbGenreList;
    QListWidget *m_lbPlayPathList;
    QComboBox *m_cbPlayList;
    QLabel *m_status;
    QProgressBar *m_pbAudioPlayer;
    QPushButton *m_btnStopAudio = nullptr;
    QPointer<QCompleter> m_completer;
    QPalette m_genrePalette;
};
