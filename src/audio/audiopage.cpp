#include "audio/audiopage.h"

#include "audio/audioplayer.h"
#include "audio/audiotexts.h"
#include "core/settings.h"

#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

AudioPage::AudioPage(AudioPlayer &player, QWidget *parent) : QWidget(parent), m_player(player)
{
    auto *genreGroup = new QGroupBox(QStringLiteral("Genre list"), this);
    genreGroup->setObjectName(QStringLiteral("gbGenreList"));
    m_cbGenreList = new QComboBox(genreGroup);
    m_cbGenreList->setObjectName(QStringLiteral("cbGenreList"));
    m_cbGenreList->setEditable(true);
    // The items are the genre files, never what is typed: a new name is
    // kept by saving.
    m_cbGenreList->setInsertPolicy(QComboBox::NoInsert);
    m_completer = m_cbGenreList->completer();
    m_genrePalette = m_cbGenreList->palette();
    auto *genreButtons = new QHBoxLayout;
    genreButtons->addWidget(commandButton("btnCreateGenre", genreGroup));
    genreButtons->addWidget(commandButton("btnSaveGenre", genreGroup));
    genreButtons->addWidget(commandButton("btnDeleteGenre", genreGroup));
    auto *genreLayout = new QVBoxLayout(genreGroup);
    genreLayout->addWidget(m_cbGenreList);
    genreLayout->addLayout(genreButtons);

    auto *playGroup = new QGroupBox(QStringLiteral("Play list"), this);
    playGroup->setObjectName(QStringLiteral("gbPlayList"));
    m_cbPlayList = new QComboBox(playGroup);
    m_cbPlayList->setObjectName(QStringLiteral("cbPlayList"));
    m_lbPlayPathList = new QListWidget(playGroup);
    m_lbPlayPathList->setObjectName(QStringLiteral("lbPlayPathList"));
    m_lbPlayPathList->hide();
    auto *playLayout = new QVBoxLayout(playGroup);
    playLayout->addWidget(m_cbPlayList);
    playLayout->addWidget(m_lbPlayPathList);

    m_status = new QLabel(m_player.status(), this);
    m_status->setObjectName(QStringLiteral("laAudioStatus"));
    m_pbAudioPlayer = new QProgressBar(this);
    m_pbAudioPlayer->setObjectName(QStringLiteral("pbAudioPlayer"));
    m_pbAudioPlayer->setTextVisible(true);
    m_btnStopAudio = commandButton("btnStopAudio", this);
    auto *playerButtons = new QHBoxLayout;
    playerButtons->addWidget(m_btnStopAudio);
    playerButtons->addWidget(commandButton("btnVolume", this));
    playerButtons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(genreGroup);
    layout->addWidget(playGroup);
    layout->addWidget(m_status);
    layout->addWidget(m_pbAudioPlayer);
    layout->addLayout(playerButtons);
    layout->addStretch();

    connect(m_cbGenreList, &QComboBox::activated, this,
            [this](int index) { m_player.chooseGenre(m_cbGenreList->itemText(index)); });
    connect(m_cbGenreList, &QComboBox::editTextChanged, &m_player, &AudioPlayer::editGenreText);
    connect(m_cbGenreList->lineEdit(), &QLineEdit::returnPressed, &m_player, &AudioPlayer::saveGenre);
    connect(m_cbPlayList, &QComboBox::activated, &m_player, &AudioPlayer::playSelectedSong);

    connect(&m_player, &AudioPlayer::genresChanged, this, &AudioPage::fillGenres);
    connect(&m_player, &AudioPlayer::genreTextChanged, this, &AudioPage::showGenreText);
    connect(&m_player, &AudioPlayer::playListChanged, this, &AudioPage::fillPlayList);
    connect(&m_player, &AudioPlayer::currentSongChanged, this, &AudioPage::showSong);
    connect(&m_player, &AudioPlayer::statusChanged, m_status, &QLabel::setText);
    connect(&m_player, &AudioPlayer::progressChanged, this, &AudioPage::showProgress);
    connect(&m_player, &AudioPlayer::unsavedChanged, this, &AudioPage::showUnsaved);
    // Focus moves only while the page can be seen.
    connect(&m_player, &AudioPlayer::stopFocusWanted, this, [this] {
        if (isVisible())
            m_btnStopAudio->setFocus(Qt::OtherFocusReason);
    });
    connect(&m_player, &AudioPlayer::genreFocusWanted, this, [this] {
        if (isVisible())
            m_cbGenreList->setFocus(Qt::OtherFocusReason);
    });

    fillGenres();
    fillPlayList();
    showSong(m_player.currentSong());
    showProgress(m_player.progressPosition(), m_player.progressMaximum());
    showUnsaved(m_player.isUnsaved());
}

QPushButton *AudioPage::commandButton(const char *name, QWidget *parent)
{
    QAction *action = m_player.command(QLatin1String(name));
    auto *button = new QPushButton(action ? action->text() : QString(), parent);
    button->setObjectName(QLatin1String(name));
    if (action) {
        button->setToolTip(action->toolTip());
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
    }
    return button;
}

bool AudioPage::pageSelected()
{
    return m_player.showGenreLists();
}

void AudioPage::fillGenres()
{
    const QSignalBlocker blocker(m_cbGenreList);
    m_cbGenreList->clear();
    m_cbGenreList->addItems(m_player.genres());
    showGenreText(m_player.genreText());
}

void AudioPage::showGenreText(const QString &text)
{
    const QSignalBlocker blocker(m_cbGenreList);
    const int index = text.isEmpty() ? -1 : m_cbGenreList->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_cbGenreList->setCurrentIndex(index);
    if (index < 0)
        m_cbGenreList->setEditText(text);
}

void AudioPage::fillPlayList()
{
    const QSignalBlocker blocker(m_cbPlayList);
    m_cbPlayList->clear();
    m_cbPlayList->addItems(m_player.playItems());
    m_cbPlayList->setCurrentIndex(-1);
    m_lbPlayPathList->clear();
    m_lbPlayPathList->addItems(m_player.playPaths());
}

void AudioPage::showSong(int index)
{
    const QSignalBlocker blocker(m_cbPlayList);
    m_cbPlayList->setCurrentIndex(index < m_cbPlayList->count() ? index : -1);
}

void AudioPage::showProgress(int position, int maximum)
{
    // A range of 0 to 0 would make the bar a busy indicator; stopped, it is
    // simply empty.
    m_pbAudioPlayer->setRange(0, qMax(1, maximum));
    m_pbAudioPlayer->setValue(maximum > 0 ? position : 0);
    m_pbAudioPlayer->setFormat(AudioTexts::progress(position, maximum));
}

void AudioPage::showUnsaved(bool unsaved)
{
    QPalette palette = m_genrePalette;
    if (unsaved)
        palette.setColor(QPalette::Base, settingsColor(AudioPlayer::UnsavedColor));
    m_cbGenreList->setPalette(palette);
    m_cbGenreList->lineEdit()->setPalette(palette);
    // No completion while a new name is typed: it would turn the name into
    // an existing genre's.
    if (unsaved) {
        m_cbGenreList->setCompleter(nullptr);
        return;
    }
    // The box may free the completer it gave up: then it gets a new one.
    if (!m_completer) {
        m_completer = new QCompleter(m_cbGenreList->model(), m_cbGenreList);
        m_completer->setCaseSensitivity(Qt::CaseInsensitive);
        m_completer->setCompletionMode(QCompleter::InlineCompletion);
    }
    m_cbGenreList->setCompleter(m_completer);
}
