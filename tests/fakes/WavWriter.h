#pragma once

#include <QString>

// Writes a silent PCM WAV file of the given length (8 kHz, 8-bit, mono: 8000 bytes a second).
bool writeSilentWav(const QString& path, double seconds);
