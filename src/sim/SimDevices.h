#pragma once

#include "engine/Clock.h"
#include "engine/Dialogs.h"
#include "engine/WindowShell.h"
#include "platform/Desktop.h"
#include "platform/InstanceGuard.h"
#include "relay/RelayPort.h"
#include "schedule/ProgramFolder.h"
#include "sim/SimEventLog.h"
#include "sound/MusicPlayer.h"
#include "sound/WavPlayer.h"

#include <QHash>

#include <optional>
#include <unordered_map>
#include <utility>

// The rehearsal's clock: a manual clock and the same instant in milliseconds, so the simulated
// players compare times without converting local dates every tick.
class SimTime
{
public:
    explicit SimTime(const QDateTime& start) : m_clock(start), m_msecs(start.toMSecsSinceEpoch()) {}
    const ManualClock& clock() const { return m_clock; }
    ManualClock& clock() { return m_clock; }
    qint64 msecs() const { return m_msecs; }
    void advanceSecond()
    {
        m_clock.advanceSecond();
        m_msecs += 1000;
    }
    // Seconds in which nothing can happen pass without a tick: the clock is set to `msecs`, which
    // `at` is.
    void skipTo(qint64 msecs, const QDateTime& at)
    {
        m_clock.set(at);
        m_msecs = msecs;
    }

private:
    ManualClock m_clock;
    qint64 m_msecs;
};

// Records what the amplifier relay is told: a line for every byte that differs from the last one
// written to its relay, named by its LPT address or as "usb-seri:/dev/ttyUSB0#1".
class SimRelayPort : public RelayPort
{
public:
    explicit SimRelayPort(SimEventLog& log) : m_log(log) {}
    bool Out32(quint16 address, quint16 value) override;
    void use(const RelaySettings& relay) override;

private:
    void event(const QString& target, quint8 byte);

    SimEventLog& m_log;
    bool m_lpt = true;
    std::unordered_map<quint16, quint8> m_last; // by LPT address
    QString m_target;                           // a relay of another kind
    std::optional<quint8> m_lastOfTarget;
};

// A player that "plays" a sound from its start for the file's real length. Lengths are read once
// per file: a rehearsal of a week must not read files every second.
class SimSound
{
public:
    SimSound(const SimTime& time, SimEventLog& log, QString kind)
        : m_time(time), m_log(log), m_kind(std::move(kind))
    {
    }

    bool start(const QString& file, const QString& shown); // "play" or "fail"
    void cut();                                            // "stop" while playing
    bool playing() const { return m_playing && m_time.msecs() < m_end; }
    void expire(); // "end" once its time is up
    // When the sound playing ends, in milliseconds; none while nothing plays.
    std::optional<qint64> endsAt() const { return m_playing ? std::optional<qint64>(m_end) : std::nullopt; }

private:
    std::optional<double> lengthOf(const QString& file);

    const SimTime& m_time;
    SimEventLog& m_log;
    const QString m_kind;
    QHash<QString, std::optional<double>> m_lengths;
    bool m_playing = false;
    qint64 m_end = 0;
};

class SimWavPlayer : public WavPlayer
{
public:
    SimWavPlayer(const SimTime& time, SimEventLog& log, const ProgramFolder& folder)
        : m_sound(time, log, QStringLiteral("wav")), m_folder(folder)
    {
    }
    void close() override { m_sound.cut(); }
    bool play(const QString& fullPath) override;
    bool isPlaying() override { return m_sound.playing(); }
    void expire() { m_sound.expire(); }
    std::optional<qint64> endsAt() const { return m_sound.endsAt(); }

private:
    SimSound m_sound;
    const ProgramFolder& m_folder;
};

class SimMusicPlayer : public MusicPlayer
{
public:
    SimMusicPlayer(const SimTime& time, SimEventLog& log) : m_sound(time, log, QStringLiteral("music")) {}
    void play(const QString& source) override;
    void stop() override { m_sound.cut(); }
    void setVolume(int) override {}
    bool isPlaying() override { return m_sound.playing(); }
    void expire() { m_sound.expire(); }
    std::optional<qint64> endsAt() const { return m_sound.endsAt(); }

private:
    SimSound m_sound;
};

// Opening, ending and shutting down are only recorded.
class SimDesktop : public Desktop
{
public:
    explicit SimDesktop(SimEventLog& log) : m_log(log) {}
    void openDocument(const QString& path) override;
    void killProcesses(const QString& imageName) override;
    void shutdown() override;
    void openUrl(const QString& url) override;

private:
    SimEventLog& m_log;
};

// No one sits at a rehearsal: every question is answered No and every message only logged.
class SimDialogs : public Dialogs
{
public:
    bool askYesNo(const QString& text) override;
    void tell(const QString& text, const QString& title) override;
    std::optional<QString> chooseFile(const QString& filter) override;
};

// No window and no tray icon; the unload only ends the rehearsal.
class SimShell : public WindowlessShell
{
public:
    void quit() override { m_quit = true; }
    bool quitRequested() const { return m_quit; }

private:
    bool m_quit = false;
};

// A rehearsal runs beside the real program, so it never takes the single-instance lock.
class SimInstanceGuard : public InstanceGuard
{
public:
    bool anotherCopyRunning() override { return false; }
};
