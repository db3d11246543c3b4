#pragma once

#include "Signal.h"

#include <vector>

// Struck instruments as banks of resonators, one per vibration mode. A hit drives every mode of its
// pitch at once; a bar or bell struck again while it still rings takes the new blow on top of the old
// sound, as a real one does.

struct Mode
{
    double ratio; // frequency relative to the perceived pitch; most are not whole numbers
    double gain;
    double t60; // seconds for this mode to die away by 60 dB
};

struct Voice
{
    std::vector<Mode> modes;
    double malletMs = 1.0;  // contact time of the hammer: a longer, softer blow dulls the high modes
    double beatHz = 0.0;    // each mode split into two this far apart: the slow waver of a real bell
    double tremoloHz = 0.0; // the rotating discs of a vibraphone
    double tremoloDepth = 0.0;
};

struct Hit
{
    double time; // seconds
    double pitchHz;
    double velocity; // 0..1
};

double midiHz(int note);

// Renders every hit of one voice into a signal `seconds` long.
Signal render(const Voice& voice, const std::vector<Hit>& hits, int rate, double seconds);

const Voice& tubularBell();
const Voice& churchBell();
const Voice& glockenspiel();
const Voice& vibraphone();
const Voice& musicBox();
const Voice& marimba();
const Voice& electricPiano();
const Voice& chimeBar();
const Voice& gongBell();
