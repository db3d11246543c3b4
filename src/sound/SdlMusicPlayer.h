#pragma once

#include "sound/MusicPlayer.h"

#include <QMetaObject>
#include <QString>

#include <optional>

class SdlAudio;
struct _Mix_Music;

// Break music on the mixer's music stream: one file at a time, played once, streamed as it plays.
// Its volume applies to the music only; bells keep the device's own level.
class SdlMusicPlayer : public MusicPlayer
{
public:
    explicit SdlMusicPlayer(SdlAudio& audio);
    ~SdlMusicPlayer() override;

    SdlMusicPlayer(const SdlMusicPlayer&) = delete;
    SdlMusicPlayer& operator=(const SdlMusicPlayer&) = delete;

    // A missing or unplayable file is logged and never reaches the playing state.
    void play(const QString& source) override;
    void stop() override;
    void setVolume(int volume) override;
    bool isPlaying() override;

    // The operator's 0..100 as the mixer's 0..128.
    static int mixerVolume(int volume);

private:
    void release();
    void refuse(const QString& source, const QString& why);

    SdlAudio& m_audio;
    QMetaObject::Connection m_closing;
    _Mix_Music* m_music = nullptr;
    std::optional<QString> m_lastRefused;
    int m_volume = 100;
};
