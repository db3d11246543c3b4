#pragma once

#include <QString>

#include <optional>

// The playing time of a sound file in seconds, read from the file without opening a sound
// device; std::nullopt when the file cannot be opened or is not a sound this program plays.
std::optional<double> soundLengthSeconds(const QString& path);
