#pragma once

#include "Signal.h"

// The ceremony sounds and the spoken files, at the speech voice's rate.
constexpr int kCeremonyRate = 22050;

// A mechanical siren winding up, rising and falling three times and winding down: about 30 s.
Signal siren();
// The steady tone that opens and closes a moment of silence.
Signal signalTone(double seconds);
// A tone, then `seconds` of silence, then a tone.
Signal momentOfSilence(double seconds);
// The anthem's stand-in: a tone, then the spoken request to put the official recording in its place.
Signal placeholder(const Signal& speech);
// A spoken announcement, evened out and given a breath of silence at both ends.
Signal announcement(const Signal& speech);
