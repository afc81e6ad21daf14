#include "audio/mpvbackend.h"

#include "audio/mpvlibrary.h"
#include "core/eventwait.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>

#include <clocale>
#include <vector>

MpvBackend::MpvBackend(const QString &audioOutput, QObject *parent) : MpvBackend(audioOutput, QString(), parent) {}

MpvBackend::MpvBackend(const QString &audioOutput, const QString &audioDevice, QObject *parent)
    : MediaBackend(parent), m_audioOutput(audioOutput), m_audioDevice(audioDevice)
{
}

bool MpvBackend::start()
{
    if (m_mpv)
        return true;
    if (m_startFailed)
        return false;
    m_startFailed = true;
    QString error;
    m_lib = MpvLibrary::load(&error);
    if (!m_lib) {
        // Every song then fails to open; the log says why.
        qWarning("No music can play: libmpv could not be loaded (%s)", qPrintable(error));
        return false;
    }
    // mpv refuses to start under a locale that writes numbers with a comma.
    std::setlocale(LC_NUMERIC, "C");
    m_mpv = m_lib->create();
    if (!m_mpv)
        return false;
    const std::pair<const char *, QByteArray> options[] = {
        {"vo", "null"},
        {"vid", "no"},
        {"sid", "no"},
        {"audio-display", "no"},
        {"ao", m_audioOutput.toUtf8()},
        {"audio-device", m_audioDevice.toUtf8()},
        // Nothing of the user's own mpv set-up: no configuration files,
        // scripts, key bindings, terminal output or web look-ups.
        {"config", "no"},
        {"load-scripts", "no"},
        {"ytdl", "no"},
        {"terminal", "no"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"idle", "yes"},
        {"keep-open", "no"},
        {"audio-client-name", "Vorlan"},
    };
    for (const auto &[name, value] : options)
        if (!value.isEmpty())
            m_lib->setOptionString(m_mpv, name, value.constData());
    if (m_lib->initialize(m_mpv) < 0) {
        m_lib->terminateDestroy(m_mpv);
        m_mpv = nullptr;
        return false;
    }
    m_lib->setWakeupCallback(m_mpv, &MpvBackend::wakeUp, this);
    m_startFailed = false;
    return true;
}

MpvBackend::~MpvBackend()
{
    if (!m_mpv)
        return;
    // No wake-up may reach this object once it is going.
    m_lib->setWakeupCallback(m_mpv, nullptr, nullptr);
    m_lib->terminateDestroy(m_mpv);
}

// On one of mpv's threads: only post the drain, once until it has run.
void MpvBackend::wakeUp(void *backend)
{
    auto *self = static_cast<MpvBackend *>(backend);
    if (!self->m_wakePending.exchange(true))
        QMetaObject::invokeMethod(self, &MpvBackend::drainEvents, Qt::QueuedConnection);
}

void MpvBackend::command(std::initializer_list<const char *> args)
{
    std::vector<const char *> list(args);
    list.push_back(nullptr);
    m_lib->command(m_mpv, list.data());
}

bool MpvBackend::open(const QString &path)
{
    close();
    m_outputFailed = false;
    if (!start())
        return false;
    const QFileInfo file(path);
    if (!file.isFile())
        return false;
    // An absolute path: a name such as "av://..." or "-x" must never be
    // read as a protocol or an option.
    const QByteArray name = QFile::encodeName(file.absoluteFilePath());
    int pause = 1;
    m_lib->setProperty(m_mpv, "pause", MPV_FORMAT_FLAG, &pause);
    const char *args[] = {"loadfile", name.constData(), "replace", nullptr};
    mpv_node result;
    if (m_lib->commandRet(m_mpv, args, &result) < 0)
        return false;
    qint64 entry = -1;
    if (result.format == MPV_FORMAT_NODE_MAP) {
        for (int i = 0; i < result.u.list->num; ++i)
            if (qstrcmp(result.u.list->keys[i], "playlist_entry_id") == 0
                && result.u.list->values[i].format == MPV_FORMAT_INT64)
                entry = result.u.list->values[i].u.int64;
    }
    m_lib->freeNodeContents(&result);
    if (entry < 0) {
        command({"stop"});
        return false;
    }
    m_entry = entry;
    m_state = State::Loading;
    // A close() or another open() while the file loads ends this wait.
    EventWait::until([this, entry] { return m_entry != entry || m_state != State::Loading; }, OpenTimeout);
    if (m_entry == entry && m_state == State::Loaded)
        return true;
    if (m_entry == entry)
        close();
    return false;
}

void MpvBackend::close()
{
    if (m_mpv && m_state != State::Closed)
        command({"stop"});
    m_state = State::Closed;
    m_entry = -1;
    m_length = 0;
}

bool MpvBackend::play()
{
    if (m_state != State::Loaded)
        return false;
    int pause = 0;
    return m_lib->setProperty(m_mpv, "pause", MPV_FORMAT_FLAG, &pause) >= 0;
}

void MpvBackend::pause()
{
    if (m_state != State::Loaded)
        return;
    int pause = 1;
    m_lib->setProperty(m_mpv, "pause", MPV_FORMAT_FLAG, &pause);
}

qint64 MpvBackend::length() const
{
    return m_state == State::Loaded || m_state == State::Ended ? m_length : 0;
}

qint64 MpvBackend::position() const
{
    if (m_state == State::Ended)
        return m_length;
    if (m_state != State::Loaded)
        return 0;
    double seconds = 0;
    if (m_lib->getProperty(m_mpv, "time-pos", MPV_FORMAT_DOUBLE, &seconds) < 0)
        return 0;
    return qMax<qint64>(0, qRound64(seconds * 1000));
}

void MpvBackend::drainEvents()
{
    m_wakePending = false;
    while (m_mpv) {
        const mpv_event *event = m_lib->waitEvent(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        switch (event->event_id) {
        case MPV_EVENT_START_FILE:
            m_started = static_cast<const mpv_event_start_file *>(event->data)->playlist_entry_id;
            break;
        case MPV_EVENT_FILE_LOADED:
            // Loaded is the file mpv started last; it is ours only if that
            // is the entry this open asked for.
            if (m_state == State::Loading && m_started == m_entry) {
                double seconds = 0;
                m_length = m_lib->getProperty(m_mpv, "duration", MPV_FORMAT_DOUBLE, &seconds) >= 0
                               ? qMax<qint64>(0, qRound64(seconds * 1000))
                               : 0;
                m_state = State::Loaded;
            }
            break;
        case MPV_EVENT_END_FILE: {
            const auto *end = static_cast<const mpv_event_end_file *>(event->data);
            if (end->playlist_entry_id != m_entry)
                break; // a file closed before
            const bool failed = end->reason != MPV_END_FILE_REASON_EOF;
            // mpv opens the output once the file has loaded, paused or
            // not; when no output opens, the file ends with that error.
            if (end->reason == MPV_END_FILE_REASON_ERROR && end->error == MPV_ERROR_AO_INIT_FAILED)
                m_outputFailed = true;
            // A "song" that is a play list would go on to play what it
            // lists: that is not this file playing.
            if (end->reason == MPV_END_FILE_REASON_REDIRECT)
                command({"stop"});
            if (m_state == State::Loading) {
                m_state = State::Failed;
            } else if (m_state == State::Loaded) {
                m_state = State::Ended;
                emit endOfFile(failed);
            }
            break;
        }
        case MPV_EVENT_SHUTDOWN:
            m_state = m_state == State::Loaded ? State::Ended : State::Failed;
            break;
        default:
            break;
        }
    }
}
