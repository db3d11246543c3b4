#pragma once

#include <QString>

// The break-music player: starts a file the moment it is given one.
class MusicPlayer
{
public:
    virtual ~MusicPlayer() = default;
    virtual void play(const QString& source) = 0; // the list entry as stored
    virtual void stop() = 0;
    virtual void setVolume(int volume) = 0;       // 0..100
    virtual bool isPlaying() = 0;
};
