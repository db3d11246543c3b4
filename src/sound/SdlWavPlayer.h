#pragma once

#include "sound/WavPlayer.h"

#include <QDateTime>
#include <QHash>
#include <QMetaObject>

#include <chrono>

class SdlAudio;
struct Mix_Chunk;

// The WAV player on one mixer channel of its own. A file is decoded in full before it starts (so
// "open" waits) and then plays in the background; the channel reports exactly when it has ended.
class SdlWavPlayer : public WavPlayer
{
public:
    explicit SdlWavPlayer(SdlAudio& audio);
    ~SdlWavPlayer() override;

    SdlWavPlayer(const SdlWavPlayer&) = delete;
    SdlWavPlayer& operator=(const SdlWavPlayer&) = delete;

    void close() override;
    bool play(const QString& fullPath) override;
    bool isPlaying() override;
    // Opens the device and decodes these files ahead, keeping the device open for a while, so a bell due
    // within that time starts at once. Call it shortly (a minute or so) before the bell.
    void prepare(const QStringList& fullPaths) override;

    // How long prepared sounds keep the device open waiting for their bell.
    static constexpr std::chrono::seconds kPreparedHold{15};
    // How many prepared files are kept decoded (a school day needs at most six).
    static constexpr int kCacheSize = 8;

private:
    struct Decoded
    {
        Mix_Chunk* chunk = nullptr;
        QDateTime modified;
        qint64 size = -1;
    };

    Mix_Chunk* cachedChunk(const QString& path) const;
    void dropCached(const QString& path);
    void releaseAll();

    SdlAudio& m_audio;
    QMetaObject::Connection m_closing;
    QHash<QString, Decoded> m_cache;
    Mix_Chunk* m_current = nullptr;
    bool m_currentOwned = false; // false while the cache holds it
    int m_channel = 0;
};
