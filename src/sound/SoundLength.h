#pragma once

#include <QString>

#include <optional>

// How long a sound file plays, in seconds, without any sound device: WAV files from their header,
// MP3 (MPEG audio) files as the decoder counts them. Empty for a file that is missing, unreadable or
// in a form the players cannot play.
std::optional<double> soundLengthSeconds(const QString& path);
