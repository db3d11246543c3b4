#include "sound/SdlMusicPlayer.h"

#include "common/Log.h"
#include "sound/SdlAudio.h"

#include <QFileInfo>

#include <SDL_mixer.h>

#include <algorithm>

SdlMusicPlayer::SdlMusicPlayer(SdlAudio& audio) : m_audio(audio)
{
    m_closing = QObject::connect(&m_audio, &SdlAudio::aboutToClose, [this] { release(); });
}

SdlMusicPlayer::~SdlMusicPlayer()
{
    QObject::disconnect(m_closing);
    release();
}

int SdlMusicPlayer::mixerVolume(int volume)
{
    return (std::clamp(volume, 0, 100) * MIX_MAX_VOLUME + 50) / 100;
}

void SdlMusicPlayer::play(const QString& source)
{
    release();
    if (source.isEmpty()) {
        refuse(source, QStringLiteral("empty music list row: nothing to play"));
        return;
    }
    if (!QFileInfo(source).isFile()) {
        refuse(source, QStringLiteral("music file not found"));
        return;
    }
    if (!m_audio.ensureOpen()) {
        qCDebug(lcSound) << "no sound device: music not played:" << source; // the cause is logged once
        return;
    }
    m_music = Mix_LoadMUS(SdlAudio::fileName(source).constData());
    if (m_music == nullptr) {
        refuse(source,
               QStringLiteral("music file cannot be played (%1)").arg(QString::fromUtf8(Mix_GetError())));
        return;
    }
    Mix_VolumeMusic(mixerVolume(m_volume));
    if (Mix_PlayMusic(m_music, 0) < 0) {
        refuse(source, QStringLiteral("music could not start (%1)").arg(QString::fromUtf8(Mix_GetError())));
        release();
        return;
    }
    m_lastRefused.reset();
    m_audio.noteActivity();
}

void SdlMusicPlayer::refuse(const QString& source, const QString& why)
{
    // A break retries every second: the same bad row is reported once, not all break long.
    if (m_lastRefused == source) {
        qCDebug(lcSound) << qPrintable(why) << source;
        return;
    }
    m_lastRefused = source;
    qCWarning(lcSound) << qPrintable(why) << source;
}

void SdlMusicPlayer::stop()
{
    release();
}

void SdlMusicPlayer::setVolume(int volume)
{
    m_volume = std::clamp(volume, 0, 100);
    if (m_audio.isOpen())
        Mix_VolumeMusic(mixerVolume(m_volume));
}

bool SdlMusicPlayer::isPlaying()
{
    if (m_music == nullptr)
        return false;
    m_audio.closeIfLost();
    return m_music != nullptr && Mix_PlayingMusic() != 0;
}

void SdlMusicPlayer::release()
{
    if (m_music == nullptr)
        return;
    if (m_audio.isOpen())
        Mix_HaltMusic();
    Mix_FreeMusic(m_music);
    m_music = nullptr;
}
