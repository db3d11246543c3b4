#include "sound/SdlWavPlayer.h"

#include "common/Log.h"
#include "sound/SdlAudio.h"

#include <QFileInfo>

#include <SDL_mixer.h>

namespace {

struct FileStamp
{
    QDateTime modified;
    qint64 size = -1;
};

FileStamp stampOf(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() ? FileStamp{info.lastModified(), info.size()} : FileStamp{};
}

// Decodes the whole file into the device's format; null, logged, when that is not possible.
Mix_Chunk* decode(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        qCWarning(lcSound) << "sound file not found:" << path;
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(SdlAudio::fileName(path).constData());
    if (chunk == nullptr)
        qCWarning(lcSound) << "sound file cannot be played:" << path << "-" << Mix_GetError();
    return chunk;
}

} // namespace

SdlWavPlayer::SdlWavPlayer(SdlAudio& audio) : m_audio(audio), m_channel(audio.claimChannel())
{
    // Chunks are decoded for the open device's format, so they go when it closes.
    m_closing = QObject::connect(&m_audio, &SdlAudio::aboutToClose, [this] { releaseAll(); });
}

SdlWavPlayer::~SdlWavPlayer()
{
    QObject::disconnect(m_closing);
    releaseAll();
}

void SdlWavPlayer::close()
{
    if (m_current == nullptr)
        return;
    if (m_audio.isOpen())
        Mix_HaltChannel(m_channel);
    if (m_currentOwned)
        Mix_FreeChunk(m_current);
    m_current = nullptr;
    m_currentOwned = false;
}

bool SdlWavPlayer::play(const QString& fullPath)
{
    close();
    if (!m_audio.ensureOpen()) {
        qCDebug(lcSound) << "no sound device: not played:" << fullPath; // the cause is logged once
        return false;
    }
    Mix_Chunk* chunk = cachedChunk(fullPath);
    const bool owned = chunk == nullptr;
    if (owned)
        chunk = decode(fullPath);
    if (chunk == nullptr)
        return false;
    if (Mix_PlayChannel(m_channel, chunk, 0) < 0) {
        qCWarning(lcSound) << "sound could not start:" << fullPath << "-" << Mix_GetError();
        if (owned)
            Mix_FreeChunk(chunk);
        return false;
    }
    m_current = chunk;
    m_currentOwned = owned;
    m_audio.noteActivity();
    return true;
}

bool SdlWavPlayer::isPlaying()
{
    if (m_current == nullptr)
        return false;
    // A lost device plays into nothing: its sound counts as ended, and the next play opens a new one.
    m_audio.closeIfLost();
    return m_current != nullptr && Mix_Playing(m_channel) != 0;
}

void SdlWavPlayer::prepare(const QStringList& fullPaths)
{
    if (fullPaths.isEmpty() || !m_audio.ensureOpen())
        return;
    m_audio.holdOpenFor(kPreparedHold);
    const QStringList keys = m_cache.keys();
    for (const QString& path : keys) {
        if (!fullPaths.contains(path))
            dropCached(path);
    }
    for (const QString& path : fullPaths) {
        if (m_cache.size() >= kCacheSize)
            break;
        if (cachedChunk(path) != nullptr)
            continue;
        dropCached(path); // changed on disk since it was decoded
        const FileStamp stamp = stampOf(path);
        if (Mix_Chunk* chunk = decode(path))
            m_cache.insert(path, Decoded{chunk, stamp.modified, stamp.size});
    }
}

Mix_Chunk* SdlWavPlayer::cachedChunk(const QString& path) const
{
    const auto it = m_cache.constFind(path);
    if (it == m_cache.constEnd())
        return nullptr;
    // A school may replace a melody file during the day; the new one must be heard.
    const FileStamp stamp = stampOf(path);
    if (stamp.size != it->size || stamp.modified != it->modified)
        return nullptr;
    return it->chunk;
}

void SdlWavPlayer::dropCached(const QString& path)
{
    const auto it = m_cache.find(path);
    if (it == m_cache.end())
        return;
    if (it->chunk == m_current)
        m_currentOwned = true; // still playing: freed by the next close instead, so nothing is cut off
    else
        Mix_FreeChunk(it->chunk);
    m_cache.erase(it);
}

void SdlWavPlayer::releaseAll()
{
    close();
    for (const Decoded& decoded : std::as_const(m_cache))
        Mix_FreeChunk(decoded.chunk);
    m_cache.clear();
}
