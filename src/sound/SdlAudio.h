#pragma once

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

// SDL's audio subsystem and the one mixer device of the process, shared by the WAV and music players.
//
// The device is opened only when something is to be played and closed again a few seconds after the
// last sound and the music have ended: an open device costs the program and the sound server a few
// percent of a core even while silent, all day long. Each open starts SDL's audio subsystem afresh, so
// a sound server that was restarted or speakers plugged in later are found without restarting.
// When no device can be opened the players stay silent and every later play tries again.
//
// One instance per process; it must outlive the players made on it. Everything runs on the thread that
// made it (SDL's own audio thread stays inside the mixer).
class SdlAudio : public QObject
{
    Q_OBJECT

public:
    explicit SdlAudio(QObject* parent = nullptr);
    ~SdlAudio() override;

    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the device unless it is open and working. A device the system has taken away (sound server
    // gone, card removed) is closed and opened again. False, logged once per cause, when there is none.
    bool ensureOpen();
    bool isOpen() const { return m_open; }
    // The device was opened but the system has since stopped it.
    bool isLost() const;
    // Closes a lost device, so that its sounds end now and the next play opens a new one.
    void closeIfLost();

    // A player started something: the idle countdown starts over.
    void noteActivity();
    // Keeps the device open for at least `duration`, playing or not (sounds decoded ahead for a bell).
    void holdOpenFor(std::chrono::milliseconds duration);
    // How long the device stays open after everything has gone quiet.
    void setIdleDelay(std::chrono::milliseconds delay);
    std::chrono::milliseconds idleDelay() const { return m_idleDelay; }

    // A mixer channel of the caller's own; channels are made when the device opens.
    int claimChannel();

    // The sample rate and channel count the device was opened with (0 while closed).
    int frequency() const { return m_frequency; }
    int channels() const { return m_outputChannels; }

    // A path as SDL's file functions want it.
    static QByteArray fileName(const QString& path);

Q_SIGNALS:
    void opened();
    // Emitted just before the device closes: players halt and free what they decoded for it.
    void aboutToClose();
    void closed();

private:
    bool startSubsystem();
    bool openDevice();
    void closeDevice();
    void checkIdle();
    bool busy() const;
    int findDeviceId() const;
    void reportFailure(const QString& what);

    QTimer m_idleCheck;
    QElapsedTimer m_quiet;
    QDeadlineTimer m_holdUntil;
    std::chrono::milliseconds m_idleDelay{5000};
    QString m_lastFailure;
    int m_deviceId = 0;
    int m_claimedChannels = 0;
    int m_frequency = 0;
    int m_outputChannels = 0;
    bool m_open = false;
    bool m_mixInitialised = false;
};
