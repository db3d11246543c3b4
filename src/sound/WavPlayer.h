#pragma once

#include <QString>
#include <QStringList>

// The one WAV player of the main window: one sound at a time, a new one ends the one before.
class WavPlayer
{
public:
    virtual ~WavPlayer() = default;
    // Stops the current sound and releases it. Harmless when nothing is open.
    virtual void close() = 0;
    // Closes, opens `fullPath` (waiting for the open) and starts it without waiting for its end.
    // Returns false, with nothing playing, for a missing or unplayable file.
    virtual bool play(const QString& fullPath) = 0;
    // True from the start to the end of the sound.
    virtual bool isPlaying() = 0;
    // Hint that these files will be wanted soon (today's bells): a player may open its device and
    // decode them ahead, so the bell sounds on time. Changes nothing observable.
    virtual void prepare(const QStringList& fullPaths) { Q_UNUSED(fullPaths); }
};
