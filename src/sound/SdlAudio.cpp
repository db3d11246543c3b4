#include "sound/SdlAudio.h"

#include "common/Log.h"

#include <QFile>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>

namespace {

constexpr int kFrequency = 44100;
constexpr int kOutputChannels = 2;
// 256 frames (5.8 ms): a sound started on an open device reaches the loudspeakers within about two
// such blocks. 512 frames took about 15 ms, more than a plain player started at the same moment.
constexpr int kBufferFrames = 256;
constexpr int kMinimumMixChannels = 8;
// SDL hands out device ids from a small table; this bounds the search for the mixer's one.
constexpr int kHighestDeviceId = 32;

int g_instances = 0;

} // namespace

SdlAudio::SdlAudio(QObject* parent) : QObject(parent)
{
    if (++g_instances > 1)
        qCWarning(lcSound) << "more than one SdlAudio in this process: they share one mixer device";
    // SDL would otherwise turn SIGINT and SIGTERM into its own quit events, which a Qt program never
    // reads: the program could then no longer be ended by them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The name the sound server's mixer shows for our stream.
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Vezo Zil");

    const int wanted = MIX_INIT_MP3;
    const int got = Mix_Init(wanted);
    m_mixInitialised = got != 0;
    if ((got & wanted) != wanted)
        qCWarning(lcSound) << "MP3 decoding is not available; break music will not play:" << Mix_GetError();

    m_idleCheck.setTimerType(Qt::CoarseTimer);
    connect(&m_idleCheck, &QTimer::timeout, this, &SdlAudio::checkIdle);
    setIdleDelay(m_idleDelay);
}

SdlAudio::~SdlAudio()
{
    closeDevice();
    if (m_mixInitialised)
        Mix_Quit();
    --g_instances;
}

bool SdlAudio::ensureOpen()
{
    if (m_open) {
        if (!isLost())
            return true;
        qCWarning(lcSound) << "the sound device stopped working; opening it again";
        closeDevice();
    }
    return openDevice();
}

bool SdlAudio::isLost() const
{
    return m_open && m_deviceId != 0 &&
           SDL_GetAudioDeviceStatus(SDL_AudioDeviceID(m_deviceId)) == SDL_AUDIO_STOPPED;
}

void SdlAudio::closeIfLost()
{
    if (!isLost())
        return;
    qCWarning(lcSound) << "the sound device stopped working; it is closed and opened again at the next sound";
    closeDevice();
}

QByteArray SdlAudio::fileName(const QString& path)
{
#ifdef Q_OS_WIN
    return path.toUtf8(); // SDL converts UTF-8 to the wide file API there
#else
    return QFile::encodeName(path);
#endif
}

void SdlAudio::noteActivity()
{
    m_quiet.restart();
}

void SdlAudio::holdOpenFor(std::chrono::milliseconds duration)
{
    if (m_holdUntil.remainingTimeAsDuration() < duration)
        m_holdUntil = QDeadlineTimer(duration);
}

void SdlAudio::setIdleDelay(std::chrono::milliseconds delay)
{
    m_idleDelay = std::max(delay, std::chrono::milliseconds(0));
    // Often enough to close close to the delay, rarely enough to cost nothing.
    m_idleCheck.setInterval(
        std::clamp(m_idleDelay / 4, std::chrono::milliseconds(10), std::chrono::milliseconds(500)));
}

int SdlAudio::claimChannel()
{
    const int channel = m_claimedChannels++;
    if (m_open && channel >= Mix_AllocateChannels(-1))
        Mix_AllocateChannels(channel + 1);
    return channel;
}

bool SdlAudio::openDevice()
{
    if (!startSubsystem())
        return false;
    const int allowed = SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE;
    if (Mix_OpenAudioDevice(kFrequency, AUDIO_S16SYS, kOutputChannels, kBufferFrames, nullptr, allowed) < 0) {
        reportFailure(QStringLiteral("the sound device could not be opened: %1")
                          .arg(QString::fromUtf8(Mix_GetError())));
        // Starting the subsystem afresh next time lets SDL choose again among the drivers.
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(std::max(kMinimumMixChannels, m_claimedChannels));
    Uint16 format = 0;
    Mix_QuerySpec(&m_frequency, &format, &m_outputChannels);
    m_deviceId = findDeviceId();
    m_open = true;
    if (!m_lastFailure.isEmpty()) {
        qCInfo(lcSound) << "the sound device works again";
        m_lastFailure.clear();
    }
    qCDebug(lcSound) << "sound device opened:" << SDL_GetCurrentAudioDriver() << m_frequency << "Hz"
                     << m_outputChannels << "channels";
    m_quiet.start();
    m_idleCheck.start();
    Q_EMIT opened();
    return true;
}

bool SdlAudio::startSubsystem()
{
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
        return true;
    reportFailure(QStringLiteral("SDL audio could not start: %1").arg(QString::fromUtf8(SDL_GetError())));
    return false;
}

void SdlAudio::closeDevice()
{
    if (!m_open)
        return;
    Q_EMIT aboutToClose();
    m_idleCheck.stop();
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    // Leaving the subsystem running would keep the sound server connection (and its thread) alive.
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_open = false;
    m_deviceId = 0;
    m_frequency = 0;
    m_outputChannels = 0;
    m_holdUntil = QDeadlineTimer();
    qCDebug(lcSound) << "sound device closed";
    Q_EMIT closed();
}

void SdlAudio::checkIdle()
{
    if (!m_open)
        return;
    if (isLost()) {
        closeIfLost();
        return;
    }
    if (busy()) {
        m_quiet.restart();
        return;
    }
    if (m_quiet.elapsed() >= m_idleDelay.count() && m_holdUntil.hasExpired())
        closeDevice();
}

bool SdlAudio::busy() const
{
    return Mix_Playing(-1) > 0 || Mix_PlayingMusic() != 0;
}

int SdlAudio::findDeviceId() const
{
    // The mixer does not tell which device it opened. It is the only open one in this process, so it is
    // the one that does not report "stopped"; a lost device later reports "stopped" again.
    int found = 0;
    for (int id = 1; id <= kHighestDeviceId && found == 0; ++id) {
        if (SDL_GetAudioDeviceStatus(SDL_AudioDeviceID(id)) != SDL_AUDIO_STOPPED)
            found = id;
    }
    SDL_ClearError(); // asking about unused ids leaves "invalid device" errors behind
    return found;
}

void SdlAudio::reportFailure(const QString& what)
{
    // Logged once per cause: the music retries every second while a break lasts.
    if (what == m_lastFailure)
        return;
    m_lastFailure = what;
    qCWarning(lcSound).noquote() << what << "- sounds stay silent and every later sound tries again";
}
