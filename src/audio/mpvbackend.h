#pragma once

#include "audio/mediabackend.h"

#include <atomic>

struct mpv_handle;
struct MpvLibrary;

// The media player on libmpv, audio only. mpv starts (and its library
// loads) when the first file is opened, not with the program. mpv runs its
// own threads; its events are drained here on the user-interface thread,
// woken by mpv through a queued call, so nothing waits on mpv but open(),
// which keeps the event loop running while the file loads.
class MpvBackend : public MediaBackend
{
    Q_OBJECT
public:
    // audioOutput: an mpv "ao" value ("null" plays silently, in real time);
    // empty for the system's default output.
    explicit MpvBackend(const QString &audioOutput = {}, QObject *parent = nullptr);
    // The same on one device of that output (an mpv "audio-device" value
    // such as "alsa/default"); empty for the output's default device.
    MpvBackend(const QString &audioOutput, const QString &audioDevice, QObject *parent = nullptr);
    ~MpvBackend() override;

    // Starts mpv if it has not started yet; false when it cannot be started
    // (every open then fails).
    bool isReady() { return start(); }

    bool open(const QString &path) override;
    void close() override;
    bool play() override;
    void pause() override;
    qint64 length() const override;
    qint64 position() const override;
    bool outputFailed() const override { return m_outputFailed; }

    // The longest open() waits for a file to load.
    static constexpr int OpenTimeout = 5000;

private:
    enum class State { Closed, Loading, Loaded, Ended, Failed };

    static void wakeUp(void *backend);
    void drainEvents();
    void command(std::initializer_list<const char *> args);
    bool start();

    QString m_audioOutput;
    QString m_audioDevice;
    const MpvLibrary *m_lib = nullptr;
    mpv_handle *m_mpv = nullptr;
    bool m_startFailed = false; // tried once and failed: not tried again
    std::atomic_bool m_wakePending{false};
    State m_state = State::Closed;
    qint64 m_entry = -1;   // mpv's play list entry of the open file
    qint64 m_started = -1; // the entry mpv started loading last
    qint64 m_length = 0;
    bool m_outputFailed = false;
};
