#pragma once

#include <random>

class Controller;

// The break music list, its random choice, volume and the "Müzik" button.
class BreakMusic
{
public:
    explicit BreakMusic(Controller& c) : c(c) {}

    void stopMusic();
    void pickRandomMusic(); // the caller makes sure the list is not empty
    void setMusicVolume();
    bool isMusicPlaying();

    void Command21_Click(); // "müzik yükle"
    void Command23_Click(); // "Sil"
    void Command22_Click(); // "Müzik"
    void Command27_Click(); // "--"
    void Command28_Click(); // "+"

private:
    Controller& c;
    // Never seeded from the time, so every run draws the same sequence.
    std::mt19937 m_random{5489u};
};
