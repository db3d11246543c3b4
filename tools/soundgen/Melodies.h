#pragma once

#include "Signal.h"

// The nine bell melodies that ship, numbered as their files (1.wav … 9.wav). Each lasts 5 to 15 s.
constexpr int kMelodyCount = 9;
Signal melody(int number);
